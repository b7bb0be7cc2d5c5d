// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TableFixture.h"
#include "base/Failure.h"
#include "base/Missing.h"
#include "data/DelimitedRecords.h"
#include "data/DelimitedTableReader.h"

namespace {

int ReadCsv(CTableFixture& f, const std::string& content, const char* name = "t.csv",
            int dataType = 0) {
  return f.ReadAny(f.folder.Write(name, content), dataType);
}

}  // namespace

TEST(DelimitedRecords, QuotesHoldDelimitersDoubledQuotesAndLineBreaks) {
  CDelimitedRecords records;
  ASSERT_TRUE(
      records.Parse("a,\"b,\"\"c\"\"\",\"x\r\ny\"\r\n2, 3 ,\r\n\r\nafter,1\n", ',', 100, nullptr));
  ASSERT_EQ(records.Count(), 2u);  // the empty line ends the table
  EXPECT_EQ(records.Cells(0), 3);
  EXPECT_EQ(records.Cell(0, 1), "b,\"c\"");
  EXPECT_EQ(records.Cell(0, 2), "x\r\ny");
  EXPECT_EQ(records.Line(1), 3);  // the quoted line break counts
  EXPECT_EQ(records.Cells(1), 3);
  EXPECT_EQ(records.Cell(1, 1), "3");
  EXPECT_EQ(records.Cell(1, 2), "");
  const CRecordShape shape = records.Shape(1);
  EXPECT_EQ(shape.cells, 3);
  EXPECT_EQ(shape.lastFilled, 2);
}

TEST(DelimitedRecords, TabsDelimitAndAreNotTrimmed) {
  CDelimitedRecords records;
  ASSERT_TRUE(records.Parse("a\t\tb\n", '\t', 100, nullptr));
  ASSERT_EQ(records.Count(), 1u);
  EXPECT_EQ(records.Cells(0), 3);
  EXPECT_EQ(records.Cell(0, 1), "");
}

TEST(DelimitedReader, ValuesDecimalCommaOnlyWhereTheCommaDoesNotDelimit) {
  EXPECT_EQ(DelimitedValue(" 2,5 ", true), 2.5);
  EXPECT_EQ(DelimitedValue("1 234", false), 1234.0);
  EXPECT_EQ(DelimitedValue("1,234", false), kMissing);
  EXPECT_EQ(DelimitedValue("NA", false), kMissing);
  EXPECT_EQ(DelimitedValue("", false), kMissing);
  EXPECT_EQ(DelimitedValue("-1e-3", false), -0.001);
}

TEST(DelimitedReader, DetectsTheDelimiterFromTheFirstRecords) {
  CReadOptions options;
  EXPECT_EQ(DetectDelimiter("x;a;b\nr;1,5;2\nq;3;4\n", options), ';');
  EXPECT_EQ(DetectDelimiter("x,a,b\n\"r;s\",1.5,2\nq,3,4\n", options), ',');
  EXPECT_EQ(DetectDelimiter("x\ta\tb\nr,s\t1\t2\nq\t3\t4\n", options), '\t');
  EXPECT_EQ(DetectDelimiter("just words\nno table\n", options), 0);
}

TEST(DelimitedReader, ShortRecordsArePaddedWithANoticeAndLongOnesStop) {
  CTableFixture f;
  ASSERT_EQ(ReadCsv(f, "t,a,b\nr1,1,2\nr2,3\n"), 0);
  EXPECT_EQ(f.Cell(1, 1), kMissing);
  ASSERT_EQ(f.notices.size(), 1u);
  EXPECT_NE(f.notices[0].find("line 3: 2 cells where the table has 3"), std::string::npos);
  EXPECT_EQ(ReadCsv(f, "t,a,b\nr1,1,2\nr2,3,4\nr3,5,6,7,8\n"), 4);
  EXPECT_NE(f.reason.find("t.csv, line 4: 5 cells where the title line has 3"), std::string::npos)
      << f.reason;
  EXPECT_NE(f.reason.find("separated by commas"), std::string::npos);
}

TEST(DelimitedReader, TagsTitlesAndNoCornerLayoutAsInTextTables) {
  CTableFixture f;
  ASSERT_EQ(ReadCsv(f, "ID,NAME,GWEIGHT,c1,c2\nEWEIGHT,,,1,1\ng1,foo,1,10,20\ng2,bar,1,30,40\n"),
            0);
  ASSERT_EQ(f.data->columnCount, 2);
  ASSERT_EQ(f.data->rowCount, 2);
  EXPECT_EQ(f.data->title, "ID");
  EXPECT_EQ(f.Cell(1, 1), 40.0);
  ASSERT_EQ(ReadCsv(f, "\"a\",\"b\"\n\"r1\",1,2\n\"r2\",3,4\n"), 0);
  EXPECT_EQ(f.data->columnLabels, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(f.Cell(1, 0), 3.0);
  f.settings.TitleCol = 0;
  f.settings.TitleRow = 0;
  ASSERT_EQ(ReadCsv(f, "1,2\n3,4\n"), 0);
  EXPECT_EQ(f.data->rowLabels[1], "Row 1");
  EXPECT_EQ(f.data->columnLabels[1], "Col-2");
}

TEST(DelimitedReader, CellChecksOfBinaryTablesNameTheirPlace) {
  CTableFixture f;
  try {
    ReadCsv(f, "t,a,b\nr1,1,0\nr2,1,\n", "bin.csv", 1);
    FAIL() << "an empty cell of a binary table must stop";
  } catch (const CError& error) {
    EXPECT_EQ(error.ExitStatus(), 10);
    EXPECT_EQ(error.Warning().line1, "An empty cell was found in your dataset !");
    EXPECT_NE(error.Warning().detail.find("bin.csv, line 3: row 2 (label 'r2'), column 2 "
                                          "(label 'b') is empty"),
              std::string::npos)
        << error.Warning().detail;
  }
}

TEST(DelimitedReader, ATextFileOfCommaSeparatedValuesIsRecognised) {
  CTableFixture f;
  ASSERT_EQ(f.Read("\"\",\"x y\",\"z\"\n\"a b\",1.5,2\n\"c\",3,4\n"), 0) << f.reason;
  EXPECT_EQ(f.data->columnLabels, (std::vector<std::string>{"x y", "z"}));
  EXPECT_EQ(f.data->rowLabels[0], "a b");
  EXPECT_EQ(f.Cell(0, 0), 1.5);
  ASSERT_FALSE(f.notices.empty());
  EXPECT_NE(f.notices[0].find("comma-separated"), std::string::npos);
}

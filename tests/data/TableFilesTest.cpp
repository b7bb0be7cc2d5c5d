// SPDX-License-Identifier: GPL-3.0-or-later
// Tables written by the tools analysts use (tests/data/tables/make_fixtures.py made them with
// pandas, openpyxl and odfpy, or by hand in R's and the spreadsheets' formats): each must read
// into the labels and values of its source, whatever its format, encoding and layout.
#include <gtest/gtest.h>

#include <cmath>

#include "TableFixture.h"
#include "base/Missing.h"
#include "data/TableFileReader.h"

namespace {

const std::vector<std::string> kRows = {"S\u00e3o Paulo", "Patient 1", "Z\u00fcrich, CH",
                                        "Say \"hi\""};
const std::vector<std::string> kColumns = {"Height cm", "Weight", "Score"};
const double kValues[4][3] = {{1.5, 2, -3.25}, {4, 5.5, kMissing}, {7, 8, 0.009}, {10, 11, 12}};

std::string Fixture(const std::string& name) {
  return SourcePath("tests/data/tables/" + name);
}

void ExpectSourceTable(const CTableFixture& f) {
  ASSERT_EQ(f.data->rowCount, 4);
  ASSERT_EQ(f.data->columnCount, 3);
  EXPECT_EQ(f.data->rowLabels, kRows);
  EXPECT_EQ(f.data->columnLabels, kColumns);
  EXPECT_EQ(f.data->title, "");
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 3; ++j)
      EXPECT_DOUBLE_EQ(f.Cell(i, j), kValues[i][j]) << "row " << i << ", column " << j;
  }
}

bool HasNotice(const CTableFixture& f, const std::string& part) {
  for (const std::string& notice : f.notices) {
    if (notice.find(part) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

TEST(TableFiles, DelimitedFilesOfPandasReadAsTheirSource) {
  for (const char* name : {"pandas.csv", "pandas-semicolon.csv", "pandas-bom.csv", "pandas.tsv"}) {
    SCOPED_TRACE(name);
    CTableFixture f;
    ASSERT_EQ(f.ReadAny(Fixture(name)), 0) << f.reason;
    ExpectSourceTable(f);
    EXPECT_TRUE(f.notices.empty());
  }
}

TEST(TableFiles, TabFilesWithCornerCellAndBlanksInLabelsReadWithANotice) {
  // pandas' index column leaves the corner empty; the labels hold blanks, so the blank (a
  // delimiter by default) is dropped for this file, and the reader says so.
  for (const char* name : {"pandas-index.txt", "pandas-utf16.txt"}) {
    SCOPED_TRACE(name);
    CTableFixture f;
    ASSERT_EQ(f.ReadAny(Fixture(name)), 0) << f.reason;
    ExpectSourceTable(f);
    EXPECT_TRUE(HasNotice(f, "the blank is not a delimiter in this file")) << f.notices.size();
  }
  CTableFixture f;
  f.settings.SeparateurBlanc = 0;
  ASSERT_EQ(f.ReadAny(Fixture("pandas-index.txt")), 0);
  ExpectSourceTable(f);
  EXPECT_TRUE(f.notices.empty());
}

TEST(TableFiles, RWriteTableLacksTheCornerCell) {
  CTableFixture f;
  ASSERT_EQ(f.ReadAny(Fixture("r-write-table.txt")), 0) << f.reason;
  ExpectSourceTable(f);  // NA is a missing value, quotes leave the labels
}

TEST(TableFiles, WindowsCodePageIsConvertedWithANotice) {
  CTableFixture f;
  f.settings.SeparateurBlanc = 0;
  ASSERT_EQ(f.ReadAny(Fixture("pandas-cp1252.txt")), 0) << f.reason;
  ExpectSourceTable(f);
  ASSERT_EQ(f.notices.size(), 1u);
  EXPECT_NE(f.notices[0].find("Windows-1252"), std::string::npos);
}

TEST(TableFiles, WorkbooksOfPandasReadAsTheirSource) {
  for (const char* name : {"pandas-openpyxl.xlsx", "pandas-odf.ods"}) {
    SCOPED_TRACE(name);
    CTableFixture f;
    ASSERT_EQ(f.ReadAny(Fixture(name)), 0) << f.reason;
    ExpectSourceTable(f);
  }
}

TEST(TableFiles, HandmadeWorkbooksGiveCachedResultsDatesAndBooleansAsNumbers) {
  {
    CTableFixture f;
    ASSERT_EQ(f.ReadAny(Fixture("handmade.xlsx")), 0) << f.reason;
    EXPECT_EQ(f.data->rowLabels, kRows);  // inline, shared, formula text and rich strings
    EXPECT_EQ(f.data->columnLabels, kColumns);
    EXPECT_EQ(f.Cell(0, 1), 2.0);       // cached formula result
    EXPECT_EQ(f.Cell(1, 2), kMissing);  // error value
    EXPECT_EQ(f.Cell(2, 1), 1.0);       // boolean
    EXPECT_EQ(f.Cell(2, 2), kMissing);  // text
    EXPECT_EQ(f.Cell(3, 0), 43831.0);   // a date stored as its serial number
    EXPECT_EQ(f.Cell(3, 1), kMissing);  // a styled cell without value
    EXPECT_EQ(f.Cell(3, 2), 12.0);
  }
  {
    CTableFixture f;
    ASSERT_EQ(f.ReadAny(Fixture("handmade.ods")), 0) << f.reason;
    ASSERT_EQ(f.data->rowCount, 4);  // the padding rows hold nothing
    EXPECT_EQ(f.data->rowLabels, kRows);
    EXPECT_EQ(f.data->columnLabels, kColumns);  // text:s is a blank, the annotation no text
    EXPECT_EQ(f.Cell(0, 1), 2.0);
    EXPECT_EQ(f.Cell(0, 2), -3.25);
    EXPECT_EQ(f.Cell(1, 2), kMissing);
    EXPECT_EQ(f.Cell(2, 0), 43831.0);  // 2020-01-01
    EXPECT_EQ(f.Cell(2, 1), 0.5);      // 12:00
    EXPECT_EQ(f.Cell(2, 2), 1.0);      // true
    EXPECT_EQ(f.Cell(3, 0), 10.0);
    EXPECT_EQ(f.Cell(3, 1), 10.0);  // repeated cell
    EXPECT_EQ(f.Cell(3, 2), 12.0);  // covered cell
  }
}

TEST(TableFiles, FormatByNameKeepsTheHistoricalWorkbookRule) {
  EXPECT_EQ(TableFormatOf("a/data.xls").caption, "Excel Files");
  EXPECT_EQ(TableFormatOf("a/data.XLS").caption, "Text Files");
  EXPECT_EQ(TableFormatOf("a/data.XLSX").caption, "Excel Workbooks");
  EXPECT_EQ(TableFormatOf("data.Csv").caption, "Comma-separated values");
  EXPECT_EQ(TableFormatOf("data.tsv").caption, "Tab-separated values");
  EXPECT_EQ(TableFormatOf("data.ods").caption, "OpenDocument Spreadsheets");
  EXPECT_EQ(TableFormatOf("data.dat").caption, "Text Files");
  EXPECT_EQ(TableFormatOf("csv").caption, "Text Files");
  const std::string filter = DataFileFilter();
  for (const char* pattern : {"*.csv", "*.tsv", "*.xlsx", "*.ods", "*.xls", "*.prn"})
    EXPECT_NE(filter.find(pattern), std::string::npos) << pattern;
  EXPECT_TRUE(filter.ends_with("All Files (*.*)|*.*||"));
}

TEST(TableFiles, AWorkbookUnderAnotherNameOrAnyBinaryFileIsRefusedWithTheFormats) {
  CTableFixture f;
  const std::string renamed = f.folder.Write("book.txt", ReadFileText(Fixture("handmade.xlsx")));
  EXPECT_EQ(f.ReadAny(renamed), 4);
  EXPECT_NE(f.reason.find("zip archive"), std::string::npos) << f.reason;
  EXPECT_NE(f.reason.find("comma-separated values (.csv)"), std::string::npos) << f.reason;
  const std::string text = f.folder.Write("fake.xlsx", "a\tb\nc\t1\n");
  EXPECT_EQ(f.ReadAny(text), 5);
  EXPECT_NE(f.reason.find("no workbook"), std::string::npos) << f.reason;
}

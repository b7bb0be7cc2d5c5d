// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TableFixture.h"
#include "base/Failure.h"
#include "base/Missing.h"

namespace {

std::string Table(int rows, int columns) {
  std::string text = "T";
  for (int j = 0; j < columns; ++j)
    text += "\tc" + std::to_string(j);
  text += "\n";
  for (int i = 0; i < rows; ++i) {
    text += "r" + std::to_string(i);
    for (int j = 0; j < columns; ++j)
      text += "\t" + std::to_string(i + j);
    text += "\n";
  }
  return text;
}

}  // namespace

TEST(TextReader, TabDelimitedCellsWithAnEmptyOne) {
  CTableFixture f;
  ASSERT_EQ(f.Read("T\tx\ty\tz\na\t1\t\t3\nb\t4\t5\t6\n"), 0);
  EXPECT_EQ(f.data->title, "T");
  EXPECT_EQ(f.data->rowLabels[0], "a");
  EXPECT_EQ(f.Cell(0, 0), 1.0);
  EXPECT_EQ(f.Cell(0, 1), kMissing);
  EXPECT_EQ(f.Cell(0, 2), 3.0);
}

TEST(TextReader, DecimalCommaExponentAndUnreadableCells) {
  CTableFixture f;
  ASSERT_EQ(f.Read("T\tp\tq\tr\nx\t2,5\t1e3\tNA\ny\t1\t2\t3\n"), 0);
  EXPECT_EQ(f.Cell(0, 0), 2.5);
  EXPECT_EQ(f.Cell(0, 1), 1000.0);
  EXPECT_EQ(f.Cell(0, 2), kMissing);
}

TEST(TextReader, BlankDelimitsOnlyWhenSet) {
  CTableFixture f;
  ASSERT_EQ(f.Read("T A B\na   1  2\nb 3 4\n"), 0);
  EXPECT_EQ(f.data->columnCount, 2);
  EXPECT_EQ(f.Cell(0, 1), 2.0);
  f.settings.SeparateurBlanc = 0;
  EXPECT_EQ(f.Read("T A B\na   1  2\nb 3 4\n"), 4);  // one cell per line: no column
  ASSERT_EQ(f.Read("State\tMurder\nNew York\t1 234\nOhio\t2\n"), 0);
  EXPECT_EQ(f.data->rowLabels[0], "New York");
  EXPECT_EQ(f.Cell(0, 0), 1234.0);
}

TEST(TextReader, EmptyTopLeftCellIsTheCornerNotADelimiter) {
  // The table pandas and the program itself write from a sheet with an empty corner: every
  // value stays under its own column label.
  CTableFixture f;
  ASSERT_EQ(f.Read("\tA\tB\nr1\t1\t2\nr2\t3\t4\n"), 0);
  ASSERT_EQ(f.data->columnCount, 2);
  EXPECT_EQ(f.data->title, "");
  EXPECT_EQ(f.data->columnLabels[0], "A");
  EXPECT_EQ(f.data->columnLabels[1], "B");
  EXPECT_EQ(f.Cell(0, 0), 1.0);
  EXPECT_EQ(f.Cell(1, 1), 4.0);
  EXPECT_TRUE(f.notices.empty());
}

TEST(TextReader, TagColumnsAreSkippedInEveryRecord) {
  CTableFixture f;
  ASSERT_EQ(f.Read("ID\tNAME\tGWEIGHT\tc1\tc2\ng1\tfoo\t1\t10\t20\ng2\tbar\t1\t30\t40\n"), 0);
  ASSERT_EQ(f.data->columnCount, 2);
  EXPECT_EQ(f.data->columnLabels[0], "c1");
  EXPECT_EQ(f.data->columnLabels[1], "c2");
  EXPECT_EQ(f.Cell(0, 0), 10.0);
  EXPECT_EQ(f.Cell(1, 1), 40.0);
}

TEST(TextReader, NameIsATagOnlyAsSecondCellAndTagsNeedTheTitleColumn) {
  CTableFixture f;
  ASSERT_EQ(f.Read("ID\tc1\tname\tc2\ng1\t1\t2\t3\ng2\t4\t5\t6\n"), 0);
  EXPECT_EQ(f.data->columnCount, 3);
  EXPECT_EQ(f.data->columnLabels[1], "name");
  ASSERT_EQ(f.Read("ID\tgorder\tc1\ng1\t7\t1\ng2\t8\t2\n"), 0);
  EXPECT_EQ(f.data->columnCount, 1);
  EXPECT_EQ(f.Cell(1, 0), 2.0);
  f.settings.TitleRow = 0;
  ASSERT_EQ(f.Read("GWEIGHT\tc1\n1\t2\n3\t4\n"), 0);
  EXPECT_EQ(f.data->columnCount, 2);
  EXPECT_EQ(f.data->rowLabels[0], "Row 0");
  EXPECT_EQ(f.data->rowLabels[1], "Row 1");
}

TEST(TextReader, TagRowOnlyRightAfterTheTitleLine) {
  CTableFixture f;
  ASSERT_EQ(f.Read("T\ta\tb\nEWEIGHT\t1\t1\nr1\t1\t2\nr2\t3\t4\n"), 0);
  EXPECT_EQ(f.data->rowCount, 2);
  EXPECT_EQ(f.data->rowLabels[0], "r1");
  EXPECT_EQ(f.Cell(1, 1), 4.0);

  ASSERT_EQ(f.Read("T\ta\tb\neweight\tx\tx\nEORDER\t1\t2\nr1\t1\t2\nr2\t3\t4\n"), 0);
  EXPECT_EQ(f.data->rowCount, 2);

  ASSERT_EQ(f.Read("T\ta\tb\nr1\t1\t2\nEWEIGHT\tw\t3\n"), 0);
  EXPECT_EQ(f.data->rowCount, 2);
  EXPECT_EQ(f.data->rowLabels[1], "EWEIGHT");
  EXPECT_EQ(f.Cell(1, 0), kMissing);
  EXPECT_EQ(f.Cell(1, 1), 3.0);
}

TEST(TextReader, AnEmptyLineEndsTheTable) {
  CTableFixture f;
  ASSERT_EQ(f.Read("T\ta\nr1\t1\nr2\t2\nr3\t3\n\nr4\t4\n"), 0);
  EXPECT_EQ(f.data->rowCount, 3);
  ASSERT_EQ(f.Read("T\ta\r\nr1\t1\r\nr2\t2\r\n\r\nr4\t4\r\n"), 0);  // CRLF lines
  EXPECT_EQ(f.data->rowCount, 2);
  EXPECT_EQ(f.Cell(1, 0), 2.0);
}

TEST(TextReader, TooFewRowsIsCodeOne) {
  CTableFixture f;
  EXPECT_EQ(f.Read("T\ta\tb\nr1\t1\t2\n"), 1);
  // A tag record can leave a single data row although two lines were counted.
  EXPECT_EQ(f.Read("T\ta\tb\nEWEIGHT\t1\t1\nr1\t1\t2\n"), 1);
}

TEST(TextReader, DefaultLabelsWithoutTitles) {
  CTableFixture f;
  f.settings.TitleCol = 0;
  f.settings.TitleRow = 0;
  ASSERT_EQ(f.Read("1\t2\t3\n4\t5\t6\n"), 0);
  EXPECT_EQ(f.data->columnLabels, (std::vector<std::string>{"Col-1", "Col-2", "Col-3"}));
  EXPECT_EQ(f.data->rowLabels, (std::vector<std::string>{"Row 0", "Row 1"}));
  EXPECT_EQ(f.data->title, "");
  EXPECT_EQ(f.Cell(1, 2), 6.0);
  EXPECT_EQ(f.data->maxColumnLabelLength, 5);
  EXPECT_EQ(f.data->maxRowLabelLength, 5);
}

TEST(TextReader, ShortRowsArePaddedButALongRowStops) {
  CTableFixture f;
  f.settings.TitleRow = 0;
  ASSERT_EQ(f.Read("a\tb\n1\t2\n4\n"), 0);
  EXPECT_EQ(f.data->columnCount, 2);
  EXPECT_EQ(f.Cell(0, 1), 2.0);
  EXPECT_EQ(f.Cell(1, 1), kMissing);
  // A line longer than the title line cannot say which of its cells is too many.
  EXPECT_EQ(f.Read("a\tb\n1\t2\t3\n4\t5\n"), 4);
  EXPECT_NE(f.reason.find("line 2: 3 cells where the title line has 2"), std::string::npos)
      << f.reason;
}

TEST(TextReader, ThousandRowsAskAndNineHundredNinetyNineDoNot) {
  CTableFixture f;
  ASSERT_EQ(f.Read(Table(999, 2)), 0);
  EXPECT_TRUE(f.services.largeTableQuestions.empty());
  ASSERT_EQ(f.Read(Table(1000, 2)), 0);
  ASSERT_EQ(f.services.largeTableQuestions.size(), 1u);
  EXPECT_EQ(f.services.largeTableQuestions[0], 1000);
  // The preselected check box "Not compute the objective function R".
  EXPECT_EQ(f.display.m_bShowObjectiveFunctionsValue, 0);
  EXPECT_TRUE(f.services.progresses.empty());  // progress only from 1001 rows
}

TEST(TextReader, LargeTableAnswersRestrictStopAndProgress) {
  CTableFixture f;
  f.services.largeTableAnswer.choice = CLargeTableAnswer::kRestrict;
  f.services.largeTableAnswer.skipObjectiveR = false;
  ASSERT_EQ(f.Read(Table(1500, 2)), 0);
  EXPECT_EQ(f.data->rowCount, 1000);
  EXPECT_EQ(f.data->rowLabels.back(), "r999");
  EXPECT_EQ(f.display.m_bShowObjectiveFunctionsValue, 1);

  f.services.largeTableAnswer.choice = CLargeTableAnswer::kStop;
  EXPECT_EQ(f.Read(Table(1500, 2)), 1);
  f.services.largeTableAnswer = {};
  f.services.largeTableAnswer.confirmed = false;  // the "Stop" button
  EXPECT_EQ(f.Read(Table(1500, 2)), 1);

  f.services.largeTableAnswer = {};
  ASSERT_EQ(f.Read(Table(1001, 2)), 0);
  ASSERT_EQ(f.services.progresses.size(), 1u);
  EXPECT_EQ(f.services.progresses[0].caption, "Is reading the data->");
  EXPECT_EQ(f.services.progresses[0].range, 1001);
  EXPECT_EQ(f.services.progresses[0].steps, 1001);
}

TEST(TextReader, LabelLengthsCountCharacters) {
  CTableFixture f;
  ASSERT_EQ(f.Read("T\tM\u00fcnsingen\tb\n\u00e9t\u00e9\t1\t2\nlonger\t3\t4\n"), 0);
  EXPECT_EQ(f.data->maxColumnLabelLength, 9);
  EXPECT_EQ(f.data->maxRowLabelLength, 6);
}

TEST(TextReader, ReadsEverySampleTable) {
  struct Sample {
    const char* name;
    int type, rows, columns;
  };
  for (const Sample& s :
       {Sample{"iris_numeric.txt", 0, 150, 4}, Sample{"munsingen_binary.txt", 1, 59, 70},
        Sample{"mtcars_nominal.txt", 2, 32, 5}, Sample{"occupational_contingency.txt", 3, 8, 8},
        Sample{"airquality_missing_numeric.txt", 0, 153, 4},
        Sample{"usarrests_numeric_blanks.txt", 0, 50, 4}}) {
    CTableFixture f;
    if (std::string(s.name).find("blanks") != std::string::npos) {
      f.settings.SeparateurBlanc = 0;
    }
    ASSERT_EQ(f.ReadFile(ExamplePath(s.name), s.type), 0) << s.name;
    EXPECT_EQ(f.data->rowCount, s.rows) << s.name;
    EXPECT_EQ(f.data->columnCount, s.columns) << s.name;
    EXPECT_EQ(f.data->rowLabels.size(), static_cast<size_t>(s.rows));
  }
}

TEST(TextReader, BlankInLabelsIsDroppedAsDelimiterOnlyWhenItSplitsLinesUnequally) {
  CTableFixture f;
  // With the blank, "Sao Paulo" would take two cells and push every value one column on.
  ASSERT_EQ(f.Read("city\tx\ty\nSao Paulo\t1\t2\nLima\t3\t4\n"), 0);
  EXPECT_EQ(f.data->rowLabels[0], "Sao Paulo");
  EXPECT_EQ(f.Cell(0, 1), 2.0);
  ASSERT_EQ(f.notices.size(), 1u);
  EXPECT_NE(f.notices[0].find("line 2 would hold 4 cells where the title line has 3"),
            std::string::npos)
      << f.notices[0];
  // A table the blank splits alike on every line reads as it always did, without notice.
  ASSERT_EQ(f.Read("T A B\na 1 2\nb 3 4\n"), 0);
  EXPECT_TRUE(f.notices.empty());
}

TEST(TextReader, LinesThatAgreeUnderNoSplitStopWithTheLineAndBothCounts) {
  CTableFixture f;
  f.settings.SeparateurBlanc = 0;
  EXPECT_EQ(f.Read("T\ta\tb\nr1\t1\t2\nr2\t3\t4\t5\t6\n"), 4);
  EXPECT_NE(f.reason.find("table.txt, line 3: 5 cells where the title line has 3"),
            std::string::npos)
      << f.reason;
}

TEST(TextReader, TitleLineOneCellShortHasNoCornerAndQuotedLabelsLoseTheirQuotes) {
  CTableFixture f;
  ASSERT_EQ(f.Read("\"a\"\t\"b\"\n\"r\"\"1\"\t1\t2\n\"r2\"\t3\t4\n"), 0) << f.reason;
  EXPECT_EQ(f.data->title, "");
  EXPECT_EQ(f.data->columnLabels, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(f.data->rowLabels[0], "r\"1");
  EXPECT_EQ(f.Cell(0, 0), 1.0);
  EXPECT_EQ(f.Cell(1, 1), 4.0);
}

TEST(TextReader, EmptyTitleCellsAndEmptyRowLabelsKeepTheirPlace) {
  CTableFixture f;
  ASSERT_EQ(f.Read("T\ta\t\tc\nr1\t1\t2\t3\n\t4\t5\t6\n"), 0);
  ASSERT_EQ(f.data->columnCount, 3);
  EXPECT_EQ(f.data->columnLabels[1], "");
  EXPECT_EQ(f.data->columnLabels[2], "c");
  EXPECT_EQ(f.data->rowLabels[1], "");
  EXPECT_EQ(f.Cell(1, 0), 4.0);
}

TEST(TextReader, ByteOrderMarkIsNotPartOfTheCorner) {
  CTableFixture f;
  ASSERT_EQ(f.Read("\xEF\xBB\xBFT\ta\tb\nr1\t1\t2\nr2\t3\t4\n"), 0);
  EXPECT_EQ(f.data->title, "T");
  f.settings.TitleCol = 0;
  f.settings.TitleRow = 0;
  ASSERT_EQ(f.Read("\xEF\xBB\xBF"
                   "1\t2\n3\t4\n"),
            0);
  EXPECT_EQ(f.Cell(0, 0), 1.0);
  EXPECT_TRUE(f.notices.empty());
}

TEST(TextReader, EmptyCellOfABinaryTableNamesItsLineRowAndColumn) {
  CTableFixture f;
  try {
    f.Read("T\ta\tb\nr1\t1\t0\nr2\t\t1\n", 1);
    FAIL();
  } catch (const CError& error) {
    EXPECT_EQ(error.ExitStatus(), 10);
    EXPECT_NE(error.Warning().detail.find(
                  "table.txt, line 3: row 2 (label 'r2'), column 1 (label 'a') is empty"),
              std::string::npos)
        << error.Warning().detail;
  }
}

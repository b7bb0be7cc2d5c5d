// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "TableFixture.h"
#include "base/Missing.h"
#include "data/WorkbookTableReader.h"
#include "workbook/WorkbookCell.h"

namespace {

std::string Fixture(const std::string& name) {
  return SourcePath("tests/data/workbooks/" + name);
}

std::vector<std::string> Labels(std::initializer_list<const char*> labels) {
  return std::vector<std::string>(labels.begin(), labels.end());
}

}  // namespace

TEST(WorkbookReader, TitledSheetGivesLabelsValuesAndMissingCells) {
  CTableFixture f;
  ASSERT_EQ(f.ReadWorkbook(Fixture("numbers.xls")), 0);
  ASSERT_EQ(f.data->rowCount, 5);
  ASSERT_EQ(f.data->columnCount, 5);
  EXPECT_EQ(f.data->rowLabels, Labels({"a", "b", "c", "1990", "e"}));
  EXPECT_EQ(f.data->columnLabels, Labels({"int", "real", "mixed", "2.5", "7"}));
  EXPECT_EQ(f.data->maxRowLabelLength, 4);
  EXPECT_EQ(f.data->maxColumnLabelLength, 5);
  EXPECT_EQ(f.data->title, "");
  const double expected[5][5] = {
      {25, 0.25, 3.14159265358979, 1, kMissing},
      {-7, 2.5, 0.0078125, 0, kMissing},
      {536870911, -1.75, 1099511627776.0, kMissing, 1},
      {536870912, 1099511627776.0 / 100.0, kMissing, kMissing, kMissing},
      {0, kMissing, -0.5, kMissing, 2},
  };
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j)
      EXPECT_EQ(f.Cell(i, j), expected[i][j]) << i << "," << j;
  }
  EXPECT_TRUE(f.services.largeTableQuestions.empty());
  EXPECT_TRUE(f.services.progresses.empty());
}

TEST(WorkbookReader, UntitledSheetIsNamedRowOneAndColOneOnwards) {
  CTableFixture f;
  f.settings.TitleRow = 0;
  f.settings.TitleCol = 0;
  ASSERT_EQ(f.ReadWorkbook(Fixture("untitled.xls")), 0);
  // The dimensions say 3 × 2 though one cell is empty.
  ASSERT_EQ(f.data->rowCount, 3);
  ASSERT_EQ(f.data->columnCount, 2);
  EXPECT_EQ(f.data->rowLabels, Labels({"Row 1", "Row 2", "Row 3"}));
  EXPECT_EQ(f.data->columnLabels, Labels({"Col-1", "Col-2"}));
  EXPECT_EQ(f.data->maxRowLabelLength, 5);
  EXPECT_EQ(f.data->maxColumnLabelLength, 5);
  EXPECT_EQ(f.Cell(0, 0), 1.0);
  EXPECT_EQ(f.Cell(1, 1), kMissing);
  EXPECT_EQ(f.Cell(2, 0), 5.5);
  // The same sheet with both titles: the numbers in row 1 and column A become labels.
  f.settings.TitleRow = 1;
  f.settings.TitleCol = 1;
  ASSERT_EQ(f.ReadWorkbook(Fixture("untitled.xls")), 0);
  EXPECT_EQ(f.data->rowLabels, Labels({"3", "5.5"}));
  EXPECT_EQ(f.data->columnLabels, Labels({"2"}));
  EXPECT_EQ(f.Cell(0, 0), kMissing);
  EXPECT_EQ(f.Cell(1, 0), 6.0);
}

TEST(WorkbookReader, WideAndLatinTextBecomesUtf8Labels) {
  CTableFixture f;
  ASSERT_EQ(f.ReadWorkbook(Fixture("strings.xls")), 0);
  ASSERT_EQ(f.data->columnCount, 5);
  EXPECT_EQ(f.data->columnLabels[0], "Z\xC3\xBCrich");
  EXPECT_EQ(f.data->columnLabels[1], "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1");
  EXPECT_EQ(f.data->columnLabels[2], "\xE6\x9D\xB1\xE4\xBA\xAC");
  EXPECT_EQ(f.data->rowLabels[1], "caf\xC3\xA9");
  EXPECT_EQ(f.data->rowLabels[2], "\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1");
  EXPECT_EQ(f.data->rowLabels[3], "richtext");
  // Characters, not bytes.
  EXPECT_EQ(f.data->maxColumnLabelLength, 6);
  EXPECT_EQ(f.data->maxRowLabelLength, 8);
  EXPECT_EQ(f.Cell(1, 2), 6.0);
  EXPECT_EQ(f.Cell(5, 4), kMissing);  // a long text in the value range
}

TEST(WorkbookReader, TagRecordsAtTheTopAndLeftAreSkipped) {
  CTableFixture f;
  ASSERT_EQ(f.ReadWorkbook(Fixture("tags.xls")), 0);
  ASSERT_EQ(f.data->rowCount, 3);
  ASSERT_EQ(f.data->columnCount, 3);
  EXPECT_EQ(f.data->rowLabels, Labels({"g1", "g2", "g3"}));
  EXPECT_EQ(f.data->columnLabels, Labels({"s1", "s2", "s3"}));
  EXPECT_EQ(f.Cell(0, 0), 0.5);
  EXPECT_EQ(f.Cell(2, 2), 1.0);
  // Without the title column the tag words are data like any other.
  f.settings.TitleRow = 0;
  ASSERT_EQ(f.ReadWorkbook(Fixture("tags.xls")), 0);
  EXPECT_EQ(f.data->columnCount, 6);
  EXPECT_EQ(f.data->rowCount, 3);
  EXPECT_EQ(f.data->rowLabels[0], "Row 1");
  EXPECT_EQ(f.data->columnLabels[1], "NAME");
  EXPECT_EQ(f.Cell(0, 0), kMissing);
  EXPECT_EQ(f.Cell(0, 2), 1.0);
}

TEST(WorkbookReader, CodesForSheetsThatHoldNoTable) {
  CTableFixture f;
  EXPECT_EQ(f.ReadWorkbook(Fixture("offset.xls")), 6);  // column A empty at the top
  EXPECT_EQ(f.ReadWorkbook(Fixture("below.xls")), 6);   // row 1 empty
  EXPECT_EQ(f.ReadWorkbook(Fixture("empty.xls")), 5);
  EXPECT_EQ(f.ReadWorkbook(Fixture("book-stream.xls")), 5);  // no workbook stream
  EXPECT_EQ(f.ReadWorkbook(Fixture("calc-table.txt")), 5);   // not a compound file
  EXPECT_EQ(f.ReadWorkbook(Fixture("absent.xls")), 5);
  EXPECT_EQ(f.ReadWorkbook(Fixture("one-row.xls")), 1);
  // Tag columns that take away more columns than the sheet has leave no data.
  EXPECT_EQ(f.ReadWorkbook(Fixture("tags-only.xls")), 5);
  f.settings.TitleRow = 0;
  ASSERT_EQ(f.ReadWorkbook(Fixture("tags-only.xls")), 0);
  EXPECT_EQ(f.data->rowCount, 2);
  EXPECT_TRUE(f.services.warnings.empty());
}

TEST(WorkbookReader, OnlyTheFirstSheetIsRead) {
  CTableFixture f;
  ASSERT_EQ(f.ReadWorkbook(Fixture("two-sheets.xls")), 0);
  EXPECT_EQ(f.data->columnLabels, Labels({"x", "y"}));
  EXPECT_EQ(f.data->rowLabels, Labels({"p", "q"}));
  EXPECT_EQ(f.Cell(1, 1), 4.0);
  ASSERT_EQ(f.ReadWorkbook(Fixture("calc-formulas.xls")), 0);
  EXPECT_EQ(f.data->rowCount, 3);
  EXPECT_EQ(f.Cell(0, 1), kMissing);  // formula
  EXPECT_EQ(f.Cell(1, 2), 1.0);       // TRUE
  ASSERT_EQ(f.ReadWorkbook(Fixture("short-stream.xls")), 0);
  EXPECT_EQ(f.Cell(0, 1), 2.5);
}

TEST(WorkbookReader, NonFiniteNumbersAreMissing) {
  CTableFixture f;
  ASSERT_EQ(f.ReadWorkbook(Fixture("non-finite.xls")), 0);
  EXPECT_EQ(f.data->columnLabels, Labels({"a", ""}));
  EXPECT_EQ(f.Cell(0, 0), kMissing);
  EXPECT_EQ(f.Cell(1, 0), kMissing);
  EXPECT_EQ(f.Cell(1, 1), 2.0);
  f.data->Prepare();
  f.data->ComputeValueRange();
  EXPECT_EQ(f.data->maxValue, 2.0);
}

TEST(WorkbookReader, LargeSheetAsksFirstAndShowsProgress) {
  {
    CTableFixture f;
    ASSERT_EQ(f.ReadWorkbook(Fixture("large.xls")), 0);
    EXPECT_EQ(f.services.largeTableQuestions, std::vector<int>{1001});
    EXPECT_EQ(f.data->rowCount, 1001);
    ASSERT_EQ(f.services.progresses.size(), 1u);
    EXPECT_EQ(f.services.progresses[0].caption, "Is reading the data->");
    EXPECT_EQ(f.services.progresses[0].range, 1001);
    EXPECT_EQ(f.services.progresses[0].steps, 1001);
    EXPECT_EQ(f.data->rowLabels.back(), "r1000");
    EXPECT_EQ(f.display.m_bShowObjectiveFunctionsValue, 0);
  }
  {
    CTableFixture f;
    f.services.largeTableAnswer.choice = CLargeTableAnswer::kRestrict;
    ASSERT_EQ(f.ReadWorkbook(Fixture("large.xls")), 0);
    EXPECT_EQ(f.data->rowCount, 1000);
    EXPECT_EQ(f.data->rowLabels.size(), 1000u);
    EXPECT_EQ(f.Cell(999, 0), 999.0);
    EXPECT_TRUE(f.services.progresses.empty());
  }
  {
    CTableFixture f;
    f.services.largeTableAnswer.confirmed = false;
    EXPECT_EQ(f.ReadWorkbook(Fixture("large.xls")), 1);
  }
}

TEST(WorkbookReader, SameTableFromLibreOfficeAsTextAndAsWorkbook) {
  CTableFixture text;
  ASSERT_EQ(text.ReadFile(Fixture("calc-table.txt")), 0);
  CTableFixture book;
  ASSERT_EQ(book.ReadWorkbook(Fixture("calc-table.xls")), 0);
  ASSERT_EQ(book.data->rowCount, text.data->rowCount);
  ASSERT_EQ(book.data->columnCount, text.data->columnCount);
  EXPECT_EQ(book.data->rowLabels, text.data->rowLabels);
  EXPECT_EQ(book.data->columnLabels, text.data->columnLabels);
  EXPECT_EQ(book.data->maxRowLabelLength, text.data->maxRowLabelLength);
  EXPECT_EQ(book.data->maxColumnLabelLength, text.data->maxColumnLabelLength);
  for (int i = 0; i < book.data->rowCount; ++i) {
    for (int j = 0; j < book.data->columnCount; ++j) {
      EXPECT_EQ(book.Cell(i, j), text.Cell(i, j)) << i << "," << j;
    }
  }
  EXPECT_EQ(book.Cell(2, 1), kMissing);
}

TEST(WorkbookReader, CellTextOfNumbersAndText) {
  const auto real = [](double v) { return WorkbookCellText({CellKind::kReal, v, {}}); };
  EXPECT_EQ(real(2.5), "2.5");
  EXPECT_EQ(real(3.0), "3");
  EXPECT_EQ(real(100.0), "100");
  EXPECT_EQ(real(-0.125), "-0.125");
  EXPECT_EQ(real(1e-7), "0");
  EXPECT_EQ(real(0.1234567), "0.123457");
  EXPECT_EQ(WorkbookCellText({CellKind::kInteger, -42.0, {}}), "-42");
  EXPECT_EQ(WorkbookCellText({CellKind::kWideText, 0.0, u"\u00E9\U0001F600\xD800"}),
            "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD");
  EXPECT_EQ(WorkbookCellText({CellKind::kEmpty, 5.0, {}}), "");
}

TEST(WorkbookReader, CorruptedFixturesNeverCrashTheMapping) {
  const unsigned seed = 77;
  std::mt19937 random(seed);
  for (const char* name : {"numbers.xls", "strings.xls", "tags.xls", "calc-table.xls",
                           "short-stream.xls", "two-sheets.xls"}) {
    const std::string content = ReadFileText(Fixture(name));
    std::uniform_int_distribution<size_t> at(0, content.size() - 1);
    for (int trial = 0; trial < 12; ++trial) {
      std::string copy = trial % 3 == 0 ? content.substr(0, at(random)) : content;
      if (trial % 3) {
        for (int d = 0; d < 1 + trial % 5; ++d)
          copy[at(random)] = static_cast<char>(random());
      }
      for (const int type : {0, 3}) {
        CTableFixture f;
        SCOPED_TRACE(std::string(name) + " trial " + std::to_string(trial));
        try {
          const int code = f.ReadWorkbook(f.folder.Write("copy.xls", copy), type);
          EXPECT_TRUE(code == 0 || code == 1 || code == 5 || code == 6) << code;
          if (code == 0) {
            EXPECT_EQ(f.data->rowLabels.size(), static_cast<size_t>(f.data->rowCount));
            EXPECT_EQ(f.data->columnLabels.size(), static_cast<size_t>(f.data->columnCount));
          }
        } catch (const CError& error) {
          ADD_FAILURE() << "ended with " << error.ExitStatus();
        }
      }
    }
  }
}

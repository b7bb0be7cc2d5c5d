// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "TestFiles.h"
#include "workbook/Workbook.h"

namespace {

std::string Fixture(const std::string& name) {
  return SourcePath("tests/data/workbooks/" + name);
}

CWorkbook Open(const std::string& name) {
  CWorkbook workbook;
  EXPECT_TRUE(workbook.LoadWorkbook(Fixture(name))) << name;
  return workbook;
}

std::u16string Text(const CWorkbook& workbook, int sheet, int row, int column) {
  return std::u16string(workbook.CellAt(sheet, row, column).text);
}

}  // namespace

TEST(WorkbookFixtures, NumbersOfEveryFormAndCellsThatStayEmpty) {
  const CWorkbook book = Open("numbers.xls");
  ASSERT_EQ(book.SheetCount(), 1);
  EXPECT_EQ(book.Rows(0), 6);
  EXPECT_EQ(book.Columns(0), 6);
  const auto kind = [&](int r, int c) { return book.CellAt(0, r, c).kind; };
  const auto number = [&](int r, int c) { return book.CellAt(0, r, c).Number(); };
  // Integers (RK), reals from RK hundredths, RK upper halves with and without hundredths, and
  // NUMBER records.
  EXPECT_EQ(kind(1, 1), CellKind::kInteger);
  EXPECT_EQ(number(1, 1), 25.0);
  EXPECT_EQ(number(2, 1), -7.0);
  EXPECT_EQ(number(3, 1), 536870911.0);
  EXPECT_EQ(kind(4, 1), CellKind::kReal);
  EXPECT_EQ(number(4, 1), 536870912.0);
  EXPECT_EQ(kind(1, 2), CellKind::kReal);
  EXPECT_EQ(number(1, 2), 0.25);
  EXPECT_EQ(number(2, 2), 2.5);
  EXPECT_EQ(number(3, 2), -1.75);
  EXPECT_EQ(number(4, 2), 1099511627776.0 / 100.0);
  EXPECT_EQ(number(1, 3), 3.14159265358979);
  EXPECT_EQ(number(2, 3), 0.0078125);
  EXPECT_EQ(kind(3, 3), CellKind::kReal);
  EXPECT_EQ(number(3, 3), 1099511627776.0);
  EXPECT_EQ(number(5, 3), -0.5);
  EXPECT_EQ(kind(4, 0), CellKind::kInteger);
  EXPECT_EQ(book.CellAt(0, 4, 0).Integer(), 1990);
  EXPECT_EQ(number(0, 4), 2.5);
  // Booleans are integers; the error, the formula, the blanks and the missing cell are empty.
  EXPECT_EQ(kind(1, 4), CellKind::kInteger);
  EXPECT_EQ(number(1, 4), 1.0);
  EXPECT_EQ(kind(2, 4), CellKind::kInteger);
  EXPECT_EQ(number(2, 4), 0.0);
  for (const auto& [r, c] : {std::pair{3, 4}, {4, 3}, {4, 4}, {4, 5}, {5, 2}, {2, 5}, {5, 4}}) {
    EXPECT_EQ(kind(r, c), CellKind::kEmpty) << r << "," << c;
  }
  EXPECT_EQ(kind(1, 5), CellKind::kText);
  EXPECT_EQ(Text(book, 0, 1, 5), u"text");
}

TEST(WorkbookFixtures, EightAndSixteenBitStringsAcrossContinueRecords) {
  const CWorkbook book = Open("strings.xls");
  ASSERT_EQ(book.SheetCount(), 2);
  EXPECT_EQ(book.Sheet(0).name, u"Strings");
  EXPECT_EQ(book.Sheet(1).name, u"Bulk");
  EXPECT_EQ(book.CellAt(0, 0, 1).kind, CellKind::kText);
  EXPECT_EQ(Text(book, 0, 0, 1), u"Z\u00FCrich");
  EXPECT_EQ(book.CellAt(0, 0, 2).kind, CellKind::kWideText);
  EXPECT_EQ(Text(book, 0, 0, 2), u"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1");
  EXPECT_EQ(book.CellAt(0, 0, 3).kind, CellKind::kWideText);
  EXPECT_EQ(Text(book, 0, 0, 3), u"\u6771\u4EAC");
  EXPECT_EQ(Text(book, 0, 2, 0), u"caf\u00E9");
  EXPECT_EQ(Text(book, 0, 4, 0), u"richtext");
  EXPECT_EQ(Text(book, 0, 6, 5), std::u16string(9000, u'x'));
  EXPECT_EQ(book.CellAt(0, 7, 5).kind, CellKind::kWideText);
  EXPECT_EQ(Text(book, 0, 7, 5), std::u16string(5000, u'\u03C9'));
  // A thousand shared strings: the table runs over several CONTINUE records.
  for (int i = 0; i < 1000; ++i) {
    const std::string ascii =
        (i % 3 ? "item" : "\xE9l\xE9ment") + std::to_string(10000 + i).substr(1);
    std::u16string expected;
    for (const char c : ascii)
      expected.push_back(static_cast<unsigned char>(c));
    ASSERT_EQ(Text(book, 1, i, 0), expected) << i;
    if (i % 7 == 0) {
      ASSERT_EQ(Text(book, 1, i, 1), u"\u03A9\u03BC\u03AD\u03B3\u03B1" +
                                         std::u16string(expected.end() - 4, expected.end()));
    } else {
      ASSERT_EQ(book.CellAt(1, i, 1).Integer(), i);
    }
  }
}

TEST(WorkbookFixtures, ShortAndRegularStreamsFromThreeWriters) {
  // libgsf container around a stream below 4096 bytes.
  const CWorkbook small = Open("short-stream.xls");
  ASSERT_EQ(small.SheetCount(), 1);
  EXPECT_EQ(small.Rows(0), 3);
  EXPECT_EQ(small.Columns(0), 3);
  EXPECT_EQ(small.CellAt(0, 1, 2).Number(), 2.5);
  // LibreOffice: a short stream too, with MULRK rows.
  const CWorkbook calc = Open("calc-table.xls");
  ASSERT_EQ(calc.SheetCount(), 1);
  EXPECT_EQ(calc.Rows(0), 7);
  EXPECT_EQ(calc.Columns(0), 6);
  EXPECT_EQ(calc.CellAt(0, 1, 2).Number(), 1.5);
  EXPECT_EQ(calc.CellAt(0, 6, 1).Number(), -17.0);
  EXPECT_EQ(calc.CellAt(0, 3, 2).kind, CellKind::kEmpty);
  // LibreOffice formulas: numeric, text and error results all stay empty.
  const CWorkbook formulas = Open("calc-formulas.xls");
  ASSERT_EQ(formulas.SheetCount(), 2);
  for (int r = 1; r <= 3; ++r)
    EXPECT_EQ(formulas.CellAt(0, r, 2).kind, CellKind::kEmpty) << r;
  EXPECT_EQ(formulas.CellAt(0, 1, 3).kind, CellKind::kEmpty);
  EXPECT_EQ(formulas.CellAt(0, 2, 3).Number(), 1.0);
  EXPECT_EQ(formulas.CellAt(0, 3, 3).Number(), 0.0);
  EXPECT_EQ(formulas.CellAt(1, 1, 1).Number(), 9.0);
  // xlwt pads its stream to 4096 bytes and more: regular sectors.
  EXPECT_EQ(Open("two-sheets.xls").CellAt(1, 3, 1).Number(), 7.0);
}

TEST(WorkbookFixtures, FilesWithoutAWorkbook) {
  CWorkbook book;
  EXPECT_TRUE(book.LoadWorkbook(Fixture("book-stream.xls")));  // a compound file, older stream
  EXPECT_EQ(book.SheetCount(), 0);
  EXPECT_FALSE(book.LoadWorkbook(Fixture("calc-table.txt")));
  EXPECT_EQ(book.SheetCount(), 0);
  EXPECT_FALSE(book.LoadWorkbook(Fixture("absent.xls")));
  EXPECT_FALSE(book.LoadWorkbook(SourcePath("tests/data/workbooks")));
  const CWorkbook empty = Open("empty.xls");
  ASSERT_EQ(empty.SheetCount(), 1);
  EXPECT_EQ(empty.Rows(0), 0);
  EXPECT_EQ(empty.Columns(0), 0);
}

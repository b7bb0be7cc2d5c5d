// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "workbook/SharedStrings.h"
#include "workbook/Worksheet.h"

// Fills the grid of an XML workbook's sheet: numbers and texts at their places, the sheet's size
// from the cells that hold something, the XML formats' limits. At most `maxCells` cells are kept
// (repeated rows and cells can claim far more than a file holds): past it the sheet is marked
// too large.
class CSheetBuilder {
 public:
  CSheetBuilder(CWorksheet& sheet, CSharedStrings& strings, size_t maxCells);

  void AddNumber(int64_t row, int64_t column, double number, CellKind kind = CellKind::kReal);
  void AddText(int64_t row, int64_t column, std::string_view utf8);
  // A shared string already in the table (the string table of .xlsx).
  void AddString(int64_t row, int64_t column, uint32_t index);
  // Sizes and indexes the sheet.
  void Finish();
  bool TooLarge() const { return tooLarge_; }

 private:
  bool Place(int64_t row, int64_t column);

  CWorksheet& sheet_;
  CSharedStrings& strings_;
  size_t maxCells_;
  size_t cells_ = 0;
  uint32_t rows_ = 0;
  uint32_t columns_ = 0;
  bool tooLarge_ = false;
};

// Days since 1899-12-30 (the serial numbers of spreadsheet dates) of an ISO date
// "YYYY-MM-DD" with an optional time "THH:MM:SS[.fff]" as the fraction of the day; false when
// `text` is no such date.
bool DateSerial(std::string_view text, double& serial);
// The fraction of a day of an ISO duration "PThhHmmMss.sssS" (with an optional day part "PnD").
bool DurationDays(std::string_view text, double& days);
// A decimal number in the XML form (no blanks, a point); false for anything else.
bool XmlNumber(std::string_view text, double& value);

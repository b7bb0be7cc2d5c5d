// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "workbook/WorkbookCell.h"

// One worksheet: its size and its cells, kept sparse (only the cells that hold a value), so a
// sheet that claims a huge used range costs only its real cells. The grid of every workbook
// format: binary workbooks (.xls) have at most 65,536 rows and 256 columns, the XML workbooks
// (.xlsx, .ods) 1,048,576 rows and 16,384 columns.
class CWorksheet {
 public:
  static constexpr int kMaxRows = 65536;
  static constexpr int kMaxColumns = 256;
  static constexpr int kMaxXmlRows = 1048576;
  static constexpr int kMaxXmlColumns = 16384;

  // A cell as stored: a number, or the index of a shared string for text cells.
  struct StoredCell {
    uint32_t row = 0;
    uint16_t column = 0;
    CellKind kind = CellKind::kEmpty;
    uint32_t string = 0;
    double number = 0.0;
  };

  std::u16string name;

  // The limits of the sheet's format (those of binary workbooks unless set).
  void SetLimits(int maxRows, int maxColumns) {
    maxRows_ = maxRows;
    maxColumns_ = maxColumns;
  }
  int MaxRows() const { return maxRows_; }
  int MaxColumns() const { return maxColumns_; }

  int Rows() const { return rows_; }
  int Columns() const { return columns_; }
  // The used range (last row and column plus one), within the limits.
  void SetSize(uint32_t rows, uint32_t columns);

  // Cells are added in record order; a later cell at the same place replaces an earlier one.
  void Add(const StoredCell& cell) { cells_.push_back(cell); }
  // Sorts and indexes the cells once all were added.
  void Finish();
  // The cell at (row, column), or null for an empty place or one outside the limits.
  const StoredCell* Find(int row, int column) const;
  size_t CellCount() const { return cells_.size(); }

 private:
  int maxRows_ = kMaxRows;
  int maxColumns_ = kMaxColumns;
  int rows_ = 0;
  int columns_ = 0;
  std::vector<StoredCell> cells_;   // by row, then column
  std::vector<uint32_t> rowStart_;  // first cell of each row up to the last used row, then the end
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbook/Worksheet.h"

#include <algorithm>

void CWorksheet::SetSize(uint32_t rows, uint32_t columns) {
  rows_ = static_cast<int>(std::min<uint32_t>(rows, static_cast<uint32_t>(maxRows_)));
  columns_ = static_cast<int>(std::min<uint32_t>(columns, static_cast<uint32_t>(maxColumns_)));
}

void CWorksheet::Finish() {
  const auto byPlace = [](const StoredCell& a, const StoredCell& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  };
  // Writers put cells in row and column order, one record per place: then there is nothing to do.
  const bool ordered = std::adjacent_find(cells_.begin(), cells_.end(),
                                          [&](const StoredCell& a, const StoredCell& b) {
                                            return !byPlace(a, b);
                                          }) == cells_.end();
  if (!ordered) {
    std::stable_sort(cells_.begin(), cells_.end(), byPlace);
    // Of several records for one place the last in record order wins.
    std::vector<StoredCell> kept;
    kept.reserve(cells_.size());
    for (size_t i = 0; i < cells_.size(); ++i) {
      if (i + 1 < cells_.size() && !byPlace(cells_[i], cells_[i + 1])) continue;
      kept.push_back(cells_[i]);
    }
    cells_ = std::move(kept);
  }
  cells_.shrink_to_fit();
  const size_t usedRows = cells_.empty() ? 0 : static_cast<size_t>(cells_.back().row) + 1;
  rowStart_.assign(usedRows + 1, 0);
  size_t next = 0;
  for (size_t row = 0; row <= usedRows; ++row) {
    while (next < cells_.size() && cells_[next].row < row)
      ++next;
    rowStart_[row] = static_cast<uint32_t>(next);
  }
}

const CWorksheet::StoredCell* CWorksheet::Find(int row, int column) const {
  if (row < 0 || column < 0 || column >= maxColumns_ || rowStart_.empty() ||
      static_cast<size_t>(row) + 1 >= rowStart_.size()) {
    return nullptr;
  }
  const auto begin = cells_.begin() + rowStart_[static_cast<size_t>(row)];
  const auto end = cells_.begin() + rowStart_[static_cast<size_t>(row) + 1];
  const auto found = std::lower_bound(
      begin, end, column, [](const StoredCell& cell, int c) { return cell.column < c; });
  return found != end && found->column == column ? &*found : nullptr;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "data/Data.h"

// A table of counts. The chi-square dissimilarities use the counts as read; the displayed values
// become the chosen representation at the end of the load.
class CData_ContingencyTable : public CData {
 public:
  double AcceptCell(double value) const override;
  void Prepare() override;
  void ComputeValueRange() override;
  void FinishLoad() override;
  double RowWeight(int i) const override;
  double ColumnWeight(int j) const override;
  EDataType DataType() const override { return EDataType::kContingency; }

  int64_t Count(int i, int j) const {
    return counts[static_cast<size_t>(i) * static_cast<size_t>(columnCount) + j];
  }

  // Counts are 64-bit, and so are their totals (checked below).
  std::vector<int64_t> counts;
  std::vector<int64_t> columnTotals;
  std::vector<int64_t> rowTotals;
  int64_t grandTotal = 0;
  // Totals beyond the 64-bit range are held at its largest value and recorded here: the first
  // row and the first column whose total overflowed (−1 when none), and whether the grand total
  // did. Such a table has no profiles and no chi-square distance.
  int rowTotalOverflow = -1;
  int columnTotalOverflow = -1;
  bool grandTotalOverflow = false;
};

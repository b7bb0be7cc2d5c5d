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

  // Counts are 64-bit so that totals of large tables cannot overflow.
  std::vector<int64_t> counts;
  std::vector<int64_t> columnTotals;
  std::vector<int64_t> rowTotals;
  int64_t grandTotal = 0;
};

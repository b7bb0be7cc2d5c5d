// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "data/Data.h"

// A table of measurements: values as read, optionally centred, scaled or reduced to the
// interaction term, with the per-row and per-column statistics the Pearson measures use.
class CData_Numerical : public CData {
 public:
  void Prepare() override;
  void ComputeValueRange() override;
  EDataType DataType() const override { return EDataType::kNumerical; }
  // The row statistics of the cells as they are now (after the rows were replaced by
  // prototypes): means and sample deviations as Prepare leaves them for a prepared table
  // (deviations around 0 and means 0 for the interaction term).
  void ComputeRowStatistics();

  std::vector<double> columnMeans;
  std::vector<double> rowMeans;
  std::vector<double> columnDeviations;
  std::vector<double> rowDeviations;
};

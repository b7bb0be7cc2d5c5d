// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "data/Data.h"

// Categorical data coded 0, 1, 2, … per column.
class CData_Nominal : public CData {
 public:
  void Validate() override;
  void ComputeValueRange() override;
  int MinCode(int j) const override { return minCodes[static_cast<size_t>(j)]; }
  int MaxCode(int j) const override { return maxCodes[static_cast<size_t>(j)]; }
  EDataType DataType() const override { return EDataType::kNominal; }

  std::vector<int> minCodes;
  std::vector<int> maxCodes;
};

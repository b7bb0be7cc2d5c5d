// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Data.h"

// Presence/absence data: every cell is 0 or 1 (text cells are truncated, then any non-zero
// integer is 1; an empty text cell ends the program with message 10).
class CData_Binary : public CData {
 public:
  double AcceptCell(double value) const override;
  void Validate() override;
  void ComputeValueRange() override;
  EDataType DataType() const override { return EDataType::kBinary; }
};

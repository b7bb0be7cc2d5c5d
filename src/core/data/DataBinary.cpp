// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataBinary.h"

#include <cmath>

#include "base/Failure.h"
#include "base/Missing.h"

double CData_Binary::AcceptCell(double value) const {
  if (IsMissing(value)) throw CError(10);
  return std::trunc(value) != 0.0 ? 1.0 : 0.0;
}

void CData_Binary::Validate() {
  double* cells = Block();
  const size_t total = static_cast<size_t>(rowCount) * columnCount;
  for (size_t k = 0; k < total; ++k) {
    if (IsMissing(cells[k])) continue;
    cells[k] = cells[k] != 0.0 ? 1.0 : 0.0;
  }
}

void CData_Binary::ComputeValueRange() {
  minValue = 0.0;
  maxValue = 1.0;
}

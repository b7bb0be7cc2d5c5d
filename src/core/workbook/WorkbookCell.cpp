// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbook/WorkbookCell.h"

#include <climits>
#include <cmath>

int CWorkbookCell::Integer() const {
  if (kind == CellKind::kInteger) return static_cast<int>(number);
  if (kind != CellKind::kReal || std::isnan(number)) return 0;
  // Out-of-range reals would make the conversion undefined: they stop at the int bounds.
  if (number >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (number <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(number);
}

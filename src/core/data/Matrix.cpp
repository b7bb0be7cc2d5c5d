// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Matrix.h"

#include <algorithm>
#include <new>

#include "base/Failure.h"
#include "base/Memory.h"

void CMatrix::Allocate(int rows, int columns) {
  if (rows < 0 || columns < 0) ThrowAllocationFailure(rows, columns);
  const size_t count = static_cast<size_t>(rows) * static_cast<size_t>(columns);
  if (!CanReserve(CheckedBytes(count, sizeof(double)))) ThrowAllocationFailure(rows, columns);
  try {
    cells_.assign(count, 0.0);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure(rows, columns);
  }
  rowCount = rows;
  columnCount = columns;
}

void CMatrix::CopyTo(CMatrix& other) const {
  other.Allocate(rowCount, columnCount);
  std::copy(cells_.begin(), cells_.end(), other.cells_.begin());
}

void CMatrix::ShrinkRows(int rows) {
  rows = std::clamp(rows, 0, rowCount);
  cells_.resize(static_cast<size_t>(rows) * columnCount);
  cells_.shrink_to_fit();
  rowCount = rows;
}

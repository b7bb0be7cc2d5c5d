// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/SideValues.h"

#include <algorithm>
#include <limits>
#include <new>

#include "base/Failure.h"
#include "base/Memory.h"
#include "base/Missing.h"
#include "data/DataContingency.h"
#include "data/Matrix.h"

namespace {

constexpr int kBlock = 32;

// Reserves both copies for `items` × `positions` values.
void Reserve(CSideValues& side, int items, int positions) {
  side.items = items;
  side.positions = positions;
  const size_t count = static_cast<size_t>(items) * static_cast<size_t>(positions);
  const size_t padded = static_cast<size_t>(side.PanelCount()) * CSideValues::kPanelWidth *
                        static_cast<size_t>(positions);
  if (!CanReserve(CheckedBytes(count + padded, sizeof(double)))) ThrowAllocationFailure();
  try {
    side.rows.assign(count, 0.0);
    side.panels.assign(padded, 0.0);
    side.itemHasMissing.assign(static_cast<size_t>(items), 0);
    side.panelHasMissing.assign(static_cast<size_t>(side.PanelCount()), 0);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
}

// Fills `rows` with value(item, position), walking the source in blocks so that the column side
// (a transposition of the row-major table) stays within the cache.
template <class Value>
void FillRows(CSideValues& side, const Value& value) {
  const int items = side.items;
  const int positions = side.positions;
  for (int i0 = 0; i0 < items; i0 += kBlock) {
    const int i1 = std::min(items, i0 + kBlock);
    for (int p0 = 0; p0 < positions; p0 += kBlock) {
      const int p1 = std::min(positions, p0 + kBlock);
      for (int i = i0; i < i1; ++i) {
        double* row = side.rows.data() + static_cast<size_t>(i) * positions;
        for (int p = p0; p < p1; ++p)
          row[p] = value(i, p);
      }
    }
  }
}

// Copies `rows` into the panels and records which items and panels hold missing cells.
void FillPanels(CSideValues& side) {
  const int positions = side.positions;
  constexpr int width = CSideValues::kPanelWidth;
  for (int i = 0; i < side.items; ++i) {
    const double* row = side.Row(i);
    double* panel = side.panels.data() + static_cast<size_t>(i / width) * width * positions;
    const int lane = i % width;
    bool missing = false;
    for (int p = 0; p < positions; ++p) {
      const double x = row[p];
      missing |= x != x;
      panel[static_cast<size_t>(p) * width + lane] = x;
    }
    side.itemHasMissing[static_cast<size_t>(i)] = missing;
    if (missing) side.panelHasMissing[static_cast<size_t>(i / width)] = 1;
  }
}

}  // namespace

CSideValues NumericalSide(const CMatrix& table, bool byColumns, const std::vector<double>* means,
                          const int* sequence, int count) {
  CSideValues side;
  const int items = sequence ? count : byColumns ? table.columnCount : table.rowCount;
  const int positions = byColumns ? table.rowCount : table.columnCount;
  Reserve(side, items, positions);
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const auto source = [&](int i) { return sequence ? sequence[i] : i; };
  const auto mean = [&](int i) {
    return means != nullptr && static_cast<size_t>(i) < means->size()
               ? (*means)[static_cast<size_t>(i)]
               : 0.0;
  };
  if (byColumns) {
    FillRows(side, [&](int i, int p) {
      const int item = source(i);
      const double x = table.At(p, item);
      return IsMissing(x) ? kNaN : means ? x - mean(item) : x;
    });
  } else {
    FillRows(side, [&](int i, int p) {
      const int item = source(i);
      const double x = table.At(item, p);
      return IsMissing(x) ? kNaN : means ? x - mean(item) : x;
    });
  }
  FillPanels(side);
  if (sequence != nullptr) {
    side.sourceItems.assign(static_cast<size_t>(side.PanelCount()) * CSideValues::kPanelWidth,
                            INT_MAX);
    std::copy(sequence, sequence + items, side.sourceItems.begin());
  }
  return side;
}

CSideValues ChiSquareSide(const CData_ContingencyTable& table, bool byColumns, const int* sequence,
                          int count) {
  CSideValues side;
  const int items = sequence ? count : byColumns ? table.columnCount : table.rowCount;
  const int positions = byColumns ? table.rowCount : table.columnCount;
  Reserve(side, items, positions);
  const std::vector<int64_t>& itemTotals = byColumns ? table.columnTotals : table.rowTotals;
  const std::vector<int64_t>& positionTotals = byColumns ? table.rowTotals : table.columnTotals;
  const double grand = static_cast<double>(table.grandTotal);
  try {
    side.divisors.resize(static_cast<size_t>(positions));
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
  for (int p = 0; p < positions; ++p) {
    side.divisors[static_cast<size_t>(p)] =
        static_cast<double>(positionTotals[static_cast<size_t>(p)]) / grand;
  }
  const auto profile = [&](int k, int p) {
    const int i = sequence ? sequence[k] : k;
    const int64_t cell = byColumns ? table.Count(p, i) : table.Count(i, p);
    return static_cast<double>(cell) / static_cast<double>(itemTotals[static_cast<size_t>(i)]);
  };
  FillRows(side, profile);
  FillPanels(side);
  return side;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataContingency.h"

#include <cmath>
#include <cstdint>
#include <new>

#include "base/Failure.h"
#include "base/Missing.h"
#include "data/Integers.h"

namespace {

// total += count unless that leaves the 64-bit range: the total then stays at the largest
// value and the answer is false.
bool AddWithinRange(int64_t& total, int64_t count) {
  if (__builtin_add_overflow(total, count, &total)) {
    total = INT64_MAX;
    return false;
  }
  return true;
}

}  // namespace

double CData_ContingencyTable::AcceptCell(double value) const {
  if (IsMissing(value)) throw CError(10);
  const double count = std::trunc(value);
  if (count < 0.0) throw CError(11);
  return count;
}

void CData_ContingencyTable::Prepare() {
  CData::Prepare();
  const size_t rows = static_cast<size_t>(rowCount);
  const size_t columns = static_cast<size_t>(columnCount);
  try {
    counts.assign(rows * columns, 0);
    rowTotals.assign(rows, 0);
    columnTotals.assign(columns, 0);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
  grandTotal = 0;
  rowTotalOverflow = columnTotalOverflow = -1;
  grandTotalOverflow = false;
  for (size_t i = 0; i < rows; ++i) {
    const double* row = Row(static_cast<int>(i));
    for (size_t j = 0; j < columns; ++j) {
      // Cells of workbooks bypass the text checks: hold them to the same rules here.
      if (IsMissing(row[j])) throw CError(10);
      const int64_t count = TruncateToInt64(row[j]);
      if (count < 0) throw CError(11);
      counts[i * columns + j] = count;
      if (!AddWithinRange(rowTotals[i], count) && rowTotalOverflow < 0) {
        rowTotalOverflow = static_cast<int>(i);
      }
      if (!AddWithinRange(columnTotals[j], count) &&
          (columnTotalOverflow < 0 || static_cast<int>(j) < columnTotalOverflow)) {
        columnTotalOverflow = static_cast<int>(j);
      }
    }
  }
  for (const int64_t total : rowTotals) {
    if (!AddWithinRange(grandTotal, total)) grandTotalOverflow = true;
  }
  const double grand = static_cast<double>(grandTotal);
  for (size_t i = 0; i < rows; ++i) {
    rowWeights[i] = grandTotal > 0 ? static_cast<double>(rowTotals[i]) / grand : 0.0;
  }
  for (size_t j = 0; j < columns; ++j) {
    columnWeights[j] = grandTotal > 0 ? static_cast<double>(columnTotals[j]) / grand : 0.0;
  }
}

// The totals of one side weight its items when the other side is profiled, and in the Chi2
// contribution.
double CData_ContingencyTable::RowWeight(int i) const {
  using enum EContingencyRepresentation;
  const auto shown = ChoiceOf<EContingencyRepresentation>(representation);
  if ((shown == kChi2Contribution || shown == kColumnProfiles ||
       shown == kCenteredColumnProfiles) &&
      grandTotal > 0) {
    return static_cast<double>(rowTotals[static_cast<size_t>(i)]) / static_cast<double>(grandTotal);
  }
  return 1.0 / rowCount;
}

double CData_ContingencyTable::ColumnWeight(int j) const {
  using enum EContingencyRepresentation;
  const auto shown = ChoiceOf<EContingencyRepresentation>(representation);
  if ((shown == kChi2Contribution || shown == kRowProfiles || shown == kCenteredRowProfiles) &&
      grandTotal > 0) {
    return static_cast<double>(columnTotals[static_cast<size_t>(j)]) /
           static_cast<double>(grandTotal);
  }
  return 1.0 / columnCount;
}

void CData_ContingencyTable::ComputeValueRange() {
  minValue = 0.0;
  maxValue = 0.0;
  bool first = true;
  const double* cells = Block();
  const size_t total = static_cast<size_t>(rowCount) * columnCount;
  for (size_t k = 0; k < total; ++k) {
    if (first || cells[k] > maxValue) maxValue = cells[k];
    first = false;
  }
}

void CData_ContingencyTable::FinishLoad() {
  using enum EContingencyRepresentation;
  const double grand = static_cast<double>(grandTotal);
  for (int i = 0; i < rowCount; ++i) {
    double* row = Row(i);
    const double r = static_cast<double>(rowTotals[static_cast<size_t>(i)]);
    for (int j = 0; j < columnCount; ++j) {
      const double c = static_cast<double>(columnTotals[static_cast<size_t>(j)]);
      const double n = static_cast<double>(Count(i, j));
      double value = row[j];
      // An empty row or column has no profile: its cells show 0.
      switch (ChoiceOf<EContingencyRepresentation>(representation)) {
        case kChi2Contribution:
          if (r > 0 && c > 0 && grand > 0) {
            const double ratio = n / (c * r / grand) - 1.0;
            value = ratio * ratio;
          } else {
            value = 0.0;
          }
          break;
        case kRowProfiles:
          value = r > 0 ? n / r : 0.0;
          break;
        case kColumnProfiles:
          value = c > 0 ? n / c : 0.0;
          break;
        case kCenteredRowProfiles:
          value = (r > 0 ? n / r : 0.0) - (grand > 0 ? c / grand : 0.0);
          break;
        case kCenteredColumnProfiles:
          value = (c > 0 ? n / c : 0.0) - (grand > 0 ? r / grand : 0.0);
          break;
        default:
          break;
      }
      row[j] = value;
    }
  }
  ComputeValueRange();
}

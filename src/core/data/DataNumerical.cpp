// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataNumerical.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "base/Failure.h"
#include "base/Missing.h"

namespace {

// Calls visit(line, x) for every non-missing cell of the lines marked in `lines`.
template <typename Visit>
void ForEachCell(const CMatrix& table, bool byRows, const std::vector<char>& lines, Visit visit) {
  const double* cells = table.Block();
  for (int i = 0; i < table.rowCount; ++i) {
    const double* row = cells + static_cast<size_t>(i) * table.columnCount;
    for (int j = 0; j < table.columnCount; ++j) {
      const size_t line = static_cast<size_t>(byRows ? i : j);
      if (!lines[line] || IsMissing(row[j])) continue;
      visit(line, row[j]);
    }
  }
}

// Means and sample deviations (divisor c − 1) over the non-missing cells of each row and each
// column. With `aroundZero` the deviation is taken around 0 instead of the mean. A line without
// a cell has mean 0; a deviation that cannot be estimated (fewer than two cells) is 0. Sums run
// in position order for every line.
void LineStatistics(const CMatrix& table, bool byRows, bool aroundZero, std::vector<double>& means,
                    std::vector<double>& deviations) {
  const int rows = table.rowCount;
  const int columns = table.columnCount;
  const int lines = byRows ? rows : columns;
  std::vector<double> sums(static_cast<size_t>(lines), 0.0);
  std::vector<int> counts(static_cast<size_t>(lines), 0);
  const double* cells = table.Block();
  for (int i = 0; i < rows; ++i) {
    const double* row = cells + static_cast<size_t>(i) * columns;
    for (int j = 0; j < columns; ++j) {
      const double x = row[j];
      if (IsMissing(x)) continue;
      const size_t line = static_cast<size_t>(byRows ? i : j);
      sums[line] += x;
      ++counts[line];
    }
  }
  means.assign(static_cast<size_t>(lines), 0.0);
  std::vector<char> overflowed(static_cast<size_t>(lines), 0);
  bool anyOverflow = false;
  for (int k = 0; k < lines; ++k) {
    const size_t line = static_cast<size_t>(k);
    if (counts[line] > 0) means[line] = sums[line] / counts[line];
    if (!std::isfinite(means[line])) overflowed[line] = anyOverflow = true;
  }
  // Huge values can overflow the sum: those lines add value / count instead, which cannot.
  if (anyOverflow) {
    std::fill(sums.begin(), sums.end(), 0.0);
    ForEachCell(table, byRows, overflowed,
                [&](size_t line, double x) { sums[line] += x / counts[line]; });
    for (size_t line = 0; line < means.size(); ++line) {
      if (overflowed[line]) means[line] = std::isfinite(sums[line]) ? sums[line] : 0.0;
    }
  }
  const auto centred = [&](size_t line, double x) { return aroundZero ? x : x - means[line]; };
  std::vector<double> squares(static_cast<size_t>(lines), 0.0);
  for (int i = 0; i < rows; ++i) {
    const double* row = cells + static_cast<size_t>(i) * columns;
    for (int j = 0; j < columns; ++j) {
      const double x = row[j];
      if (IsMissing(x)) continue;
      const size_t line = static_cast<size_t>(byRows ? i : j);
      const double c = centred(line, x);
      squares[line] += c * c;
    }
  }
  deviations.assign(static_cast<size_t>(lines), 0.0);
  std::fill(overflowed.begin(), overflowed.end(), 0);
  anyOverflow = false;
  for (int k = 0; k < lines; ++k) {
    const size_t line = static_cast<size_t>(k);
    if (counts[line] > 1) deviations[line] = std::sqrt(squares[line] / (counts[line] - 1));
    if (!std::isfinite(deviations[line])) {
      deviations[line] = 0.0;
      overflowed[line] = anyOverflow = true;
    }
  }
  // Squares of values beyond about 1e154 overflow: those lines scale their deviations from the
  // mean by the largest of them first.
  if (anyOverflow) {
    std::vector<double> largest(static_cast<size_t>(lines), 0.0);
    ForEachCell(table, byRows, overflowed, [&](size_t line, double x) {
      largest[line] = std::max(largest[line], std::fabs(centred(line, x)));
    });
    std::fill(squares.begin(), squares.end(), 0.0);
    ForEachCell(table, byRows, overflowed, [&](size_t line, double x) {
      const double scaled = centred(line, x) / largest[line];
      squares[line] += scaled * scaled;
    });
    for (size_t line = 0; line < deviations.size(); ++line) {
      if (!overflowed[line] || counts[line] < 2) continue;
      const double deviation = largest[line] * std::sqrt(squares[line] / (counts[line] - 1));
      deviations[line] = std::isfinite(deviation) ? deviation : 0.0;
    }
  }
}

double GrandMean(const CMatrix& table) {
  double sum = 0.0;
  long long count = 0;
  const double* cells = table.Block();
  const size_t total = static_cast<size_t>(table.rowCount) * table.columnCount;
  for (size_t k = 0; k < total; ++k) {
    if (IsMissing(cells[k])) continue;
    sum += cells[k];
    ++count;
  }
  double mean = count > 0 ? sum / static_cast<double>(count) : 0.0;
  if (!std::isfinite(mean)) {
    // The sum overflowed: add value / count instead.
    mean = 0.0;
    for (size_t k = 0; k < total; ++k) {
      if (!IsMissing(cells[k])) mean += cells[k] / static_cast<double>(count);
    }
  }
  return std::isfinite(mean) ? mean : 0.0;
}

}  // namespace

void CData_Numerical::Prepare() {
  CData::Prepare();
  using enum ENumericalRepresentation;
  const auto transformation = ChoiceOf<ENumericalRepresentation>(representation);
  try {
    const double grandMean = transformation == kInteraction ? GrandMean(*this) : 0.0;
    LineStatistics(*this, true, false, rowMeans, rowDeviations);
    LineStatistics(*this, false, false, columnMeans, columnDeviations);

    bool constantRow = false;
    for (int i = 0; i < rowCount; ++i) {
      double* row = Row(i);
      for (int j = 0; j < columnCount; ++j) {
        double& x = row[j];
        if (IsMissing(x)) continue;
        const size_t r = static_cast<size_t>(i);
        const size_t c = static_cast<size_t>(j);
        switch (transformation) {
          case kCenterColumns:
            x = x - columnMeans[c];
            break;
          case kCenterRows:
            x = x - rowMeans[r];
            break;
          case kNormalizeColumns:
            x = columnDeviations[c] == 0.0 ? kMissing : (x - columnMeans[c]) / columnDeviations[c];
            break;
          case kNormalizeRows:
            if (rowDeviations[r] == 0.0) {
              x = kMissing;
              constantRow = true;
            } else {
              x = (x - rowMeans[r]) / rowDeviations[r];
            }
            break;
          case kInteraction:
            x = x - columnMeans[c] - rowMeans[r] + grandMean;
            break;
          default:
            break;
        }
        if (!std::isfinite(x)) x = kMissing;
      }
      if (constantRow) throw CError(12);
    }

    // Statistics of the transformed values, with the same sample formula as those of the raw
    // values, so that the Pearson measures stay within [−1, 1].
    std::vector<double> unused;
    switch (transformation) {
      case kCenterColumns:
        LineStatistics(*this, true, false, rowMeans, rowDeviations);
        columnMeans.assign(columnMeans.size(), 0.0);
        break;
      case kCenterRows:
        LineStatistics(*this, false, false, columnMeans, columnDeviations);
        rowMeans.assign(rowMeans.size(), 0.0);
        break;
      case kNormalizeColumns:
        LineStatistics(*this, true, false, rowMeans, rowDeviations);
        columnMeans.assign(columnMeans.size(), 0.0);
        columnDeviations.assign(columnDeviations.size(), 1.0);
        break;
      case kNormalizeRows:
        LineStatistics(*this, false, false, columnMeans, columnDeviations);
        rowMeans.assign(rowMeans.size(), 0.0);
        rowDeviations.assign(rowDeviations.size(), 1.0);
        break;
      case kInteraction:
        LineStatistics(*this, true, true, unused, rowDeviations);
        LineStatistics(*this, false, true, unused, columnDeviations);
        rowMeans.assign(rowMeans.size(), 0.0);
        columnMeans.assign(columnMeans.size(), 0.0);
        break;
      default:
        break;
    }
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
}

void CData_Numerical::ComputeRowStatistics() {
  try {
    if (ChoiceOf<ENumericalRepresentation>(representation) ==
        ENumericalRepresentation::kInteraction) {
      std::vector<double> unused;
      LineStatistics(*this, true, true, unused, rowDeviations);
      rowMeans.assign(static_cast<size_t>(rowCount), 0.0);
    } else {
      LineStatistics(*this, true, false, rowMeans, rowDeviations);
    }
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
}

void CData_Numerical::ComputeValueRange() {
  minValue = 0.0;
  maxValue = 0.0;
  const double* cells = Block();
  const size_t total = static_cast<size_t>(rowCount) * columnCount;
  for (size_t k = 0; k < total; ++k) {
    const double x = cells[k];
    if (IsMissing(x)) continue;
    if (x < minValue) minValue = x;
    if (x > maxValue) maxValue = x;
  }
}

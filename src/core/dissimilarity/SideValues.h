// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <climits>
#include <cstddef>
#include <vector>

class CMatrix;
class CData_ContingencyTable;

// The values of the items of one side of a table (its rows, or its columns), laid out for the
// pair loops. Positions are the coordinates along which two items are compared.
//
// `rows` holds each item's values in position order. `panels` holds the same values for groups
// of kPanelWidth consecutive items, position by position, so that one load brings the values of
// all partners of a group at one position (the last group is padded with zeros). A missing cell
// is NaN in both copies, so that a comparison of a value with itself tells whether it is present.
struct CSideValues {
  static constexpr int kPanelWidth = 16;

  int items = 0;
  int positions = 0;
  std::vector<double> rows;
  std::vector<double> panels;
  std::vector<unsigned char> itemHasMissing;
  std::vector<unsigned char> panelHasMissing;
  // Per position: the divisor of the chi-square terms (empty for the other measures).
  std::vector<double> divisors;
  // Per item, padded with zeros to whole panels: the standard deviation of the Pearson
  // measures (empty for the others).
  std::vector<double> deviations;
  // For a side that holds a sequence of the table's items: per item (padded with INT_MAX to
  // whole panels), its index in the table, so that a measure that is not symmetric in its
  // rounding takes the pair in the table's order. Empty for the table's own order.
  std::vector<int> sourceItems;

  int PanelCount() const { return (items + kPanelWidth - 1) / kPanelWidth; }
  const double* Row(int i) const {
    return rows.data() + static_cast<size_t>(i) * static_cast<size_t>(positions);
  }
  const double* Panel(int g) const {
    return panels.data() + static_cast<size_t>(g) * kPanelWidth * static_cast<size_t>(positions);
  }
};

// The rows (byColumns false) or the columns of `table`; a cell equal to the missing-value marker
// becomes NaN. With `means`, each present value x of item i becomes x − means[i].
// With `sequence`, the side holds only its `count` items, item k being the table's item
// sequence[k] (so that pairs come out by position in that sequence).
CSideValues NumericalSide(const CMatrix& table, bool byColumns, const std::vector<double>* means,
                          const int* sequence = nullptr, int count = 0);

// The profiles of a contingency table: the count over the item's total, and per position the
// position's total over the grand total as divisor. Every total must be positive. `sequence`
// and `count` as above.
CSideValues ChiSquareSide(const CData_ContingencyTable& table, bool byColumns,
                          const int* sequence = nullptr, int count = 0);

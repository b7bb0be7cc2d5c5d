// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Data.h"

#include <new>

#include "base/Failure.h"
#include "data/TextScan.h"

double CData::ParseCell(std::string_view& line, bool blankIsDelimiter) const {
  return AcceptCell(ParseValueCell(line, blankIsDelimiter));
}

void CData::Prepare() {
  try {
    columnWeights.assign(static_cast<size_t>(columnCount), 1.0 / columnCount);
    rowWeights.assign(static_cast<size_t>(rowCount), 1.0 / rowCount);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
}

double CData::RowWeight(int i) const {
  // Prepare sets every weight to this same quotient; rows that summarise others carry their own.
  if (rowWeights.size() == static_cast<size_t>(rowCount)) return rowWeights[static_cast<size_t>(i)];
  return 1.0 / rowCount;
}

double CData::ColumnWeight(int) const {
  return 1.0 / columnCount;
}

int CData::MinCode(int) const {
  return 0;
}

int CData::MaxCode(int) const {
  return 0;
}

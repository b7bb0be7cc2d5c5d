// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CellFailure.h"

#include "base/Failure.h"
#include "base/Text.h"
#include "data/Data.h"

namespace {

std::string LabelOf(const std::vector<std::string>& labels, int index) {
  if (index < 0 || static_cast<size_t>(index) >= labels.size()) return {};
  return labels[static_cast<size_t>(index)];
}

}  // namespace

std::string DescribeItem(const CData& data, bool row, int index) {
  const std::string label = LabelOf(row ? data.rowLabels : data.columnLabels, index);
  return Format("%s %d (label '%s')", row ? "row" : "column", index + 1, label.c_str());
}

void ThrowCellFailure(const CError& error, const CData& data, std::string_view fileName, int line,
                      int row, int column) {
  const CWarning& warning = error.Warning();
  std::string detail(fileName);
  if (line > 0) detail += Format(", line %d", line);
  detail += ": " + DescribeItem(data, true, row) + ", " + DescribeItem(data, false, column);
  switch (warning.code) {
    case 10:
      detail +=
          " is empty. Fill it, or read the table as numerical data, where an empty cell is a "
          "missing value.";
      break;
    case 11:
      detail += " holds a negative count. The counts of a contingency table are 0 or more.";
      break;
    default:
      detail += ".";
      break;
  }
  throw CError(warning.code, warning.rows, warning.columns, detail);
}

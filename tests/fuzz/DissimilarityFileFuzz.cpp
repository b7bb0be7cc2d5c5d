// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the dissimilarity-file reader as the file of one side of a table of
// 1 to 64 items (the first byte), through the load step that reads it: a file it accepts must
// give dissimilarities within their bound and finite sums, R and S.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

#include "FuzzFile.h"
#include "base/Failure.h"
#include "data/DataNumerical.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/Objective.h"
#include "dissimilarity/SideDistances.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size < 1) return 0;
  const int items = 1 + bytes[0] % 64;
  CData_Numerical table;
  table.Allocate(items, 1);
  const CDissimilarityOptions options{
      EDissimilarity::kFromFiles, FuzzFilePath(bytes + 1, size - 1), {}};
  CDistance matrix;
  try {
    if (!ComputeSideDistances(table, false, options, matrix, nullptr).empty()) return 0;
  } catch (const CError&) {
    return 0;
  }
  Check(matrix.size == items);
  for (const double d : matrix.values)
    Check(std::fabs(d) <= kLargestMagnitude);
  for (const double sum : matrix.rowSums)
    Check(std::isfinite(sum));
  Check(std::isfinite(matrix.mean));
  std::vector<int> order(static_cast<size_t>(items));
  std::iota(order.begin(), order.end(), 0);
  Check(std::isfinite(ObjectiveR(order.data(), items, matrix, nullptr)));
  const CPathLength path = ObjectiveS(order.data(), items, matrix, nullptr);
  Check(std::isfinite(path.s) && std::isfinite(path.s2));
  return 0;
}

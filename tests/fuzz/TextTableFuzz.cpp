// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the text table reader as a data file and loads the table as a
// document would: the first byte chooses the data type, the representation, the measure and the
// layout options; then the reader, the preparation, both dissimilarity matrices, R and S and the
// final representation. Every table that loads must give finite values, distances within their
// bound and consistent contingency totals.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

#include "FuzzFile.h"
#include "base/Failure.h"
#include "base/Missing.h"
#include "data/DataContingency.h"
#include "data/DataFactory.h"
#include "data/TextTableReader.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/Objective.h"
#include "dissimilarity/SideDistances.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckMatrix(const CDistance& matrix) {
  for (const double d : matrix.values)
    Check(std::fabs(d) <= kLargestMagnitude);
  Check(std::isfinite(matrix.mean) && std::isfinite(matrix.max));
  for (const double sum : matrix.rankWeightedRowSums)
    Check(std::isfinite(sum));
  std::vector<int> order(static_cast<size_t>(matrix.size));
  std::iota(order.begin(), order.end(), 0);
  Check(std::isfinite(ObjectiveR(order.data(), matrix.size, matrix, nullptr)));
  const CPathLength path = ObjectiveS(order.data(), matrix.size, matrix, nullptr);
  Check(std::isfinite(path.s) && std::isfinite(path.s2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size < 2) return 0;
  const uint8_t choice = bytes[0];
  const auto type = ChoiceOf<EDataType>(choice & 3);
  const int representation = (choice >> 2) % 6;
  const auto measure = ChoiceOf<EDissimilarity>(1 + bytes[1] % 9);
  CReadOptions options;
  options.blankIsDelimiter = (choice & 0x40) != 0;
  options.titleCol = (choice & 0x80) == 0;
  options.titleRow = (bytes[1] & 0x80) == 0;

  std::unique_ptr<CData> data = CreateDataTable(type);
  data->fileName = FuzzFilePath(bytes + 2, size - 2);
  data->representation = type == EDataType::kContingency ? representation % 5 : representation;
  CReadContext context;
  context.confirmLargeTable = [](int) { return CLargeTableAnswer{}; };
  try {
    const CReadOutcome outcome = ReadTextTable(*data, options, context);
    if (outcome.code != kReadOk) return 0;
    Check(data->rowCount > 0 && data->columnCount > 0);
    Check(static_cast<int>(data->rowLabels.size()) == data->rowCount);
    Check(static_cast<int>(data->columnLabels.size()) == data->columnCount);
    data->Prepare();
    data->ComputeValueRange();
    Check(std::isfinite(data->minValue) && std::isfinite(data->maxValue));
    CDistance matrices[2];
    for (const bool byColumns : {false, true}) {
      CDistance& matrix = matrices[byColumns ? 1 : 0];
      if (!ComputeSideDistances(*data, byColumns, {measure, {}, {}}, matrix, nullptr).empty()) {
        return 0;
      }
      CheckMatrix(matrix);
    }
    data->FinishLoad();
    const size_t cells = static_cast<size_t>(data->rowCount) * data->columnCount;
    for (size_t k = 0; k < cells; ++k)
      Check(std::isfinite(data->Block()[k]));
    if (type == EDataType::kContingency) {
      const auto& table = static_cast<const CData_ContingencyTable&>(*data);
      int64_t grand = 0;
      for (const int64_t total : table.rowTotals) {
        Check(total >= 0);
        grand += total;
      }
      Check(grand == table.grandTotal);
    }
  } catch (const CError&) {
  } catch (const CProgramExit&) {
  }
  return 0;
}

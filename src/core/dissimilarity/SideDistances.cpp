#include "dissimilarity/SideDistances.h"

#include <algorithm>
#include <memory>

#include "base/Progress.h"
#include "base/Text.h"
#include "data/DataContingency.h"
#include "dissimilarity/DissimilarityFileReader.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/MeasureRegistry.h"
#include "settings/TreatmentSettings.h"

namespace {

// The chi-square terms divide by every row and column total: an empty row or column is refused
// before any value is computed.
std::string EmptyLineOfContingencyTable(const CData_ContingencyTable& data) {
  for (size_t i = 0; i < data.rowTotals.size(); ++i) {
    if (data.rowTotals[i] <= 0) {
      return Format(
          "STOP !\tRow %d of your contingency table has a total of 0 !\n\tThe Chi-square "
          "distance cannot be calculated.\t",
          static_cast<int>(i) + 1);
    }
  }
  for (size_t j = 0; j < data.columnTotals.size(); ++j) {
    if (data.columnTotals[j] <= 0) {
      return Format(
          "STOP !\tColumn %d of your contingency table has a total of 0 !\n\tThe Chi-square "
          "distance cannot be calculated.\t",
          static_cast<int>(j) + 1);
    }
  }
  return {};
}

// The matrix was sized without clearing its pairs: whatever leaves them unwritten clears them.
void ClearPairs(CDistance& matrix) {
  std::fill(matrix.values.begin(), matrix.values.end(), 0.0);
}

std::string ComputeMeasure(CData& data, bool byColumns, EDissimilarity measure, CDistance& matrix,
                           CProgressReporter* reporter) {
  const EDataType type = data.DataType();
  data.Validate();
  if (type == EDataType::kContingency) {
    const std::string empty =
        EmptyLineOfContingencyTable(static_cast<const CData_ContingencyTable&>(data));
    if (!empty.empty()) {
      ClearPairs(matrix);
      return empty;
    }
  }
  const MeasureKernel kernel = SideKernel(data, measure);
  if (kernel == nullptr) {
    ClearPairs(matrix);
    return {};
  }
  const int n = byColumns ? data.columnCount : data.rowCount;
  std::unique_ptr<CProgress> progress =
      OpenItemProgress(reporter, "Computing distances matrix.", n);
  if (!kernel(data, byColumns, matrix, progress.get(), nullptr)) return kTooManyMissingMessage;
  return {};
}

}  // namespace

MeasureKernel SideKernel(const CData& data, EDissimilarity measure) {
  const EDataType type = data.DataType();
  // A table of counts has one measure.
  if (type == EDataType::kContingency) measure = EDissimilarity::kChiSquare;
  const CMeasureRow* row = FindMeasure(measure);
  return row ? row->For(type) : nullptr;
}

CDissimilarityOptions DissimilarityOptionsOf(const TreatmentSettings& settings) {
  return {settings.Dissimilarity, settings.RowDissimilarityFileName,
          settings.ColDissimilarityFileName};
}

std::string ComputeSideDistances(CData& data, bool byColumns, const CDissimilarityOptions& options,
                                 CDistance& matrix, CProgressReporter* progress) {
  // Every pair is written by the measure or the file, or cleared.
  matrix.AllocateForOverwrite(byColumns ? data.columnCount : data.rowCount);
  std::string failure;
  if (options.measure == EDissimilarity::kFromFiles) {
    failure = ReadDissimilarityFile(
        matrix, byColumns ? options.columnFileName : options.rowFileName, progress);
    if (!failure.empty()) ClearPairs(matrix);
  } else {
    failure = ComputeMeasure(data, byColumns, options.measure, matrix, progress);
  }
  if (!failure.empty()) return failure;
  matrix.SumByRows(progress);
  return {};
}

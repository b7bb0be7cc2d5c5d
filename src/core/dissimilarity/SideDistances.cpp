#include "dissimilarity/SideDistances.h"

#include <cmath>
#include <memory>

#include "base/Progress.h"
#include "base/Text.h"
#include "data/DataContingency.h"
#include "dissimilarity/DissimilarityFileReader.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/MeasureRegistry.h"
#include "settings/TreatmentSettings.h"

namespace {

// A table whose totals left the 64-bit range has neither profiles nor chi-square terms.
std::string OverflowingTotalOfContingencyTable(const CData_ContingencyTable& data) {
  constexpr char kConsequence[] =
      "\n\tThe profiles and the Chi-square distance cannot be calculated.\t";
  if (data.rowTotalOverflow >= 0) {
    return Format("STOP !\tRow %d of your contingency table has a total beyond 9.2e18 !",
                  data.rowTotalOverflow + 1) +
           kConsequence;
  }
  if (data.columnTotalOverflow >= 0) {
    return Format("STOP !\tColumn %d of your contingency table has a total beyond 9.2e18 !",
                  data.columnTotalOverflow + 1) +
           kConsequence;
  }
  if (data.grandTotalOverflow) {
    return std::string("STOP !\tThe grand total of your contingency table is beyond 9.2e18 !") +
           kConsequence;
  }
  return {};
}

// True when every value lies within ±kLargestMagnitude (NaN does not).
bool WithinMagnitude(const double* values, size_t count) {
  bool within = true;
  for (size_t k = 0; k < count; ++k)
    within &= std::fabs(values[k]) <= kLargestMagnitude;
  return within;
}

std::string TooLargeForMeasure(EDissimilarity measure) {
  return Format(
      "STOP !\tYour dataset holds values too large for the %s !\n\tValues and dissimilarities "
      "must stay within 1e100: divide your values by a power of ten.\t",
      DissimilarityLabel(measure));
}

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

std::string ComputeMeasure(CData& data, bool byColumns, EDissimilarity measure, CDistance& matrix,
                           CProgressReporter* reporter) {
  const EDataType type = data.DataType();
  // A table of counts has one measure.
  if (type == EDataType::kContingency) measure = EDissimilarity::kChiSquare;
  data.Validate();
  if (type == EDataType::kContingency) {
    const std::string empty =
        EmptyLineOfContingencyTable(static_cast<const CData_ContingencyTable&>(data));
    if (!empty.empty()) return empty;
  }
  const CMeasureRow* row = FindMeasure(measure);
  const MeasureKernel kernel = row ? row->For(type) : nullptr;
  if (kernel == nullptr) return {};
  // The numerical measures square, multiply and add the values themselves.
  if (type == EDataType::kNumerical &&
      !WithinMagnitude(data.Block(), static_cast<size_t>(data.rowCount) *
                                         static_cast<size_t>(data.columnCount))) {
    return TooLargeForMeasure(measure);
  }
  const int n = byColumns ? data.columnCount : data.rowCount;
  std::unique_ptr<CProgress> progress =
      OpenItemProgress(reporter, "Computing distances matrix.", n);
  if (!kernel(data, byColumns, matrix, progress.get())) return kTooManyMissingMessage;
  if (!WithinMagnitude(matrix.values.data(), matrix.values.size())) {
    return TooLargeForMeasure(measure);
  }
  return {};
}

}  // namespace

CDissimilarityOptions DissimilarityOptionsOf(const TreatmentSettings& settings) {
  return {settings.Dissimilarity, settings.RowDissimilarityFileName,
          settings.ColDissimilarityFileName};
}

std::string ComputeSideDistances(CData& data, bool byColumns, const CDissimilarityOptions& options,
                                 CDistance& matrix, CProgressReporter* progress) {
  matrix.Allocate(byColumns ? data.columnCount : data.rowCount);
  std::string failure;
  if (data.DataType() == EDataType::kContingency) {
    failure = OverflowingTotalOfContingencyTable(static_cast<const CData_ContingencyTable&>(data));
    if (!failure.empty()) return failure;
  }
  if (options.measure == EDissimilarity::kFromFiles) {
    const std::string& fileName = byColumns ? options.columnFileName : options.rowFileName;
    failure = ReadDissimilarityFile(matrix, fileName, progress);
    if (failure.empty() && !WithinMagnitude(matrix.values.data(), matrix.values.size())) {
      failure = "Reading:\t" + fileName +
                "\t\n\nSTOP !\tThis file holds a dissimilarity beyond 1e100 !\t";
    }
  } else {
    failure = ComputeMeasure(data, byColumns, options.measure, matrix, progress);
  }
  if (!failure.empty()) return failure;
  matrix.SumByRows(progress);
  return {};
}

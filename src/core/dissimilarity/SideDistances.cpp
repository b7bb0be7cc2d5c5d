// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/SideDistances.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/Missing.h"
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

bool Present(const CData& data, bool byColumns, int item, int position) {
  return !IsMissing(byColumns ? data.At(position, item) : data.At(item, position));
}

std::string ItemText(const CData& data, bool byColumns, int item) {
  const std::vector<std::string>& labels = byColumns ? data.columnLabels : data.rowLabels;
  const std::string label =
      static_cast<size_t>(item) < labels.size() ? labels[static_cast<size_t>(item)] : "";
  return Format("%s %d (label '%s')", byColumns ? "column" : "row", item + 1, label.c_str());
}

// Which item of the side stops the measure: one without any value, else the first pair with no
// position where both have one, else (the values themselves defeat the measure) none.
std::string MissingDataDetail(const CData& data, bool byColumns) {
  const int items = byColumns ? data.columnCount : data.rowCount;
  const int positions = byColumns ? data.rowCount : data.columnCount;
  const char* side = byColumns ? "columns" : "rows";
  for (int a = 0; a < items; ++a) {
    bool any = false;
    for (int p = 0; p < positions && !any; ++p)
      any = Present(data, byColumns, a, p);
    if (!any) {
      return Format("Between %s: ", side) + ItemText(data, byColumns, a) +
             " has no value: remove it or fill it.";
    }
  }
  for (int a = 0; a < items; ++a) {
    for (int b = a + 1; b < items; ++b) {
      bool common = false;
      for (int p = 0; p < positions && !common; ++p)
        common = Present(data, byColumns, a, p) && Present(data, byColumns, b, p);
      if (!common) {
        return Format("Between %s: ", side) + ItemText(data, byColumns, a) + " and " +
               ItemText(data, byColumns, b) +
               " have no value in the same place: fill one of them, or remove one.";
      }
    }
  }
  return Format(
      "Between %s: the measure cannot compare two of them with these values (two rows "
      "or columns of zeros under a binary measure, for instance): choose another "
      "measure.",
      side);
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
  // The numerical measures square, multiply and add the values themselves.
  if (type == EDataType::kNumerical &&
      !WithinMagnitude(data.Block(), static_cast<size_t>(data.rowCount) *
                                         static_cast<size_t>(data.columnCount))) {
    return TooLargeForMeasure(MeasureInForce(type, measure));
  }
  const int n = byColumns ? data.columnCount : data.rowCount;
  std::unique_ptr<CProgress> progress =
      OpenItemProgress(reporter, "Computing distances matrix.", n);
  if (!kernel(data, byColumns, matrix, progress.get(), nullptr)) {
    progress.reset();
    return std::string(kTooManyMissingMessage) + "\n" + MissingDataDetail(data, byColumns);
  }
  if (!WithinMagnitude(matrix.values.data(), matrix.values.size())) {
    return TooLargeForMeasure(MeasureInForce(type, measure));
  }
  return {};
}

std::string ReadSideFile(const std::string& fileName, CDistance& matrix,
                         CProgressReporter* progress) {
  std::string failure = ReadDissimilarityFile(matrix, fileName, progress);
  if (failure.empty() && !WithinMagnitude(matrix.values.data(), matrix.values.size())) {
    failure =
        "Reading:\t" + fileName + "\t\n\nSTOP !\tThis file holds a dissimilarity beyond 1e100 !\t";
  }
  if (!failure.empty()) ClearPairs(matrix);
  return failure;
}

}  // namespace

EDissimilarity MeasureInForce(EDataType type, EDissimilarity chosen) {
  if (type == EDataType::kContingency && chosen != EDissimilarity::kFromFiles) {
    return EDissimilarity::kChiSquare;
  }
  return chosen;
}

MeasureKernel SideKernel(const CData& data, EDissimilarity measure) {
  const EDataType type = data.DataType();
  const CMeasureRow* row = FindMeasure(MeasureInForce(type, measure));
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
  std::string failure =
      data.DataType() == EDataType::kContingency
          ? OverflowingTotalOfContingencyTable(static_cast<const CData_ContingencyTable&>(data))
          : std::string();
  if (!failure.empty()) ClearPairs(matrix);
  if (failure.empty()) {
    failure = options.measure == EDissimilarity::kFromFiles
                  ? ReadSideFile(byColumns ? options.columnFileName : options.rowFileName, matrix,
                                 progress)
                  : ComputeMeasure(data, byColumns, options.measure, matrix, progress);
  }
  if (!failure.empty()) return failure;
  matrix.SumByRows(progress);
  return {};
}

#include "dissimilarity/StandardMeasures.h"

#include <algorithm>

#include "base/Failure.h"
#include "base/Services.h"
#include "base/Text.h"
#include "data/DataBinary.h"
#include "data/DataContingency.h"
#include "data/DataNominal.h"
#include "data/DataNumerical.h"
#include "dissimilarity/BinaryMeasures.h"
#include "dissimilarity/PositionMeasures.h"
#include "dissimilarity/SideValues.h"
#include "settings/DocumentContext.h"

namespace {

// The matrix of the side, bound to the table and sized for its items (a matrix of another size
// is allocated afresh, so that no pair is written outside it).
CDistance& SideMatrix(CData& data, bool byColumns) {
  CDistance& matrix = byColumns ? data.columnDistances : data.rowDistances;
  const int n = byColumns ? data.columnCount : data.rowCount;
  if (matrix.size != n ||
      matrix.values.size() != static_cast<size_t>(n) * (static_cast<size_t>(n) + 1) / 2) {
    matrix.Allocate(n);
  }
  if (matrix.data == nullptr) matrix.data = &data;
  if (matrix.document == nullptr) matrix.document = data.document;
  return matrix;
}

// A code the table's type does not implement: every dissimilarity is 0.
int LeaveAtZero(CDistance& matrix) {
  std::fill(matrix.values.begin(), matrix.values.end(), 0.0);
  return 1;
}

int Finished(const CData& data, bool completed) {
  if (completed) return 1;
  if (data.document != nullptr) data.document->Services().ShowMessageBox(kTooManyMissingMessage);
  return 0;
}

// The chi-square terms divide by every row and column total: an empty row or column is refused
// before any value is computed.
void RefuseEmptyLines(const CData_ContingencyTable& data) {
  const char* text = nullptr;
  int line = 0;
  for (size_t i = 0; i < data.rowTotals.size() && text == nullptr; ++i) {
    if (data.rowTotals[i] <= 0) {
      text =
          "STOP !\tRow %d of your contingency table has a total of 0 !\n\tThe Chi-square "
          "distance cannot be calculated.\t";
      line = static_cast<int>(i) + 1;
    }
  }
  for (size_t j = 0; j < data.columnTotals.size() && text == nullptr; ++j) {
    if (data.columnTotals[j] <= 0) {
      text =
          "STOP !\tColumn %d of your contingency table has a total of 0 !\n\tThe Chi-square "
          "distance cannot be calculated.\t";
      line = static_cast<int>(j) + 1;
    }
  }
  if (text == nullptr) return;
  if (data.document != nullptr) data.document->Services().ShowMessageBox(Format(text, line));
  throw CProgramExit(1);
}

}  // namespace

int CStandardMeasures::Numerical(CData_Numerical& data, bool byColumns, CProgress* progress) const {
  CDistance& matrix = SideMatrix(data, byColumns);
  EPositionMeasure measure;
  switch (data.Settings().Dissimilarity) {
    case kDissimilarityEuclidean:
      measure = EPositionMeasure::kEuclidean;
      break;
    case kDissimilarityPearson:
      measure = EPositionMeasure::kPearson;
      break;
    case kDissimilaritySquaredPearson:
      measure = EPositionMeasure::kSquaredPearson;
      break;
    case kDissimilarityManhattan:
      measure = EPositionMeasure::kManhattan;
      break;
    case kDissimilarityChebyshev:
      measure = EPositionMeasure::kChebyshev;
      break;
    default:
      return LeaveAtZero(matrix);
  }
  const bool pearson =
      measure == EPositionMeasure::kPearson || measure == EPositionMeasure::kSquaredPearson;
  const std::vector<double>& means = byColumns ? data.columnMeans : data.rowMeans;
  CSideValues side = NumericalSide(data, byColumns, pearson ? &means : nullptr);
  if (pearson) {
    // Padded with zeros to whole panels; statistics not computed (an unprepared table) count
    // as 0, so the correlation is then 0.
    side.deviations = byColumns ? data.columnDeviations : data.rowDeviations;
    side.deviations.resize(static_cast<size_t>(side.PanelCount()) * CSideValues::kPanelWidth, 0.0);
  }
  return Finished(data, ComputePositionMeasure(measure, side, matrix, progress));
}

int CStandardMeasures::Binary(CData_Binary& data, bool byColumns, CProgress* progress) const {
  CDistance& matrix = SideMatrix(data, byColumns);
  const int code = data.Settings().Dissimilarity;
  switch (code) {
    case kDissimilarityEuclidean:
    case kDissimilarityJaccard:
    case kDissimilarityDice:
    case kDissimilarityManhattan:
      return Finished(data, ComputeBinaryMeasure(code, data, byColumns, matrix, progress));
    default:
      return LeaveAtZero(matrix);
  }
}

int CStandardMeasures::Nominal(CData_Nominal& data, bool byColumns, CProgress* progress) const {
  CDistance& matrix = SideMatrix(data, byColumns);
  if (data.Settings().Dissimilarity != kDissimilarityHamming) return LeaveAtZero(matrix);
  // Validated codes are integers, so comparing the cells compares the codes.
  const CSideValues side = NumericalSide(data, byColumns, nullptr);
  return Finished(data, ComputePositionMeasure(EPositionMeasure::kHamming, side, matrix, progress));
}

int CStandardMeasures::Contingency(CData_ContingencyTable& data, bool byColumns,
                                   CProgress* progress) const {
  CDistance& matrix = SideMatrix(data, byColumns);
  if (data.Settings().Dissimilarity == kDissimilarityReadFromFiles) return LeaveAtZero(matrix);
  RefuseEmptyLines(data);
  const CSideValues side = ChiSquareSide(data, byColumns);
  return Finished(data,
                  ComputePositionMeasure(EPositionMeasure::kChiSquare, side, matrix, progress));
}

const CDistanceMeasures& StandardMeasures() {
  static const CStandardMeasures measures;
  return measures;
}

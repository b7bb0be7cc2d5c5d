// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/MeasureRegistry.h"

#include <array>

#include "data/DataContingency.h"
#include "data/DataNumerical.h"
#include "dissimilarity/BinaryMeasures.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/PositionMeasures.h"
#include "dissimilarity/SideValues.h"

namespace {

// The measures that walk the positions of the values as they are (after centring for Pearson).
template <EPositionMeasure Measure>
bool NumericalMeasure(const CData& data, bool byColumns, CDistance& matrix, CProgress* progress,
                      const int* sequence) {
  const auto& table = static_cast<const CData_Numerical&>(data);
  constexpr bool pearson =
      Measure == EPositionMeasure::kPearson || Measure == EPositionMeasure::kSquaredPearson;
  const std::vector<double>& means = byColumns ? table.columnMeans : table.rowMeans;
  CSideValues side =
      NumericalSide(table, byColumns, pearson ? &means : nullptr, sequence, matrix.size);
  if constexpr (pearson) {
    // Padded with zeros to whole panels; statistics not computed (an unprepared table) count
    // as 0, so the correlation is then 0.
    const std::vector<double>& deviations =
        byColumns ? table.columnDeviations : table.rowDeviations;
    if (sequence == nullptr) {
      side.deviations = deviations;
    } else {
      side.deviations.assign(static_cast<size_t>(matrix.size), 0.0);
      for (int k = 0; k < matrix.size; ++k) {
        const size_t item = static_cast<size_t>(sequence[k]);
        if (item < deviations.size()) side.deviations[static_cast<size_t>(k)] = deviations[item];
      }
    }
    side.deviations.resize(static_cast<size_t>(side.PanelCount()) * CSideValues::kPanelWidth, 0.0);
  }
  return ComputePositionMeasure(Measure, side, matrix, progress);
}

// Validated codes are integers, so comparing the cells compares the codes.
bool Hamming(const CData& data, bool byColumns, CDistance& matrix, CProgress* progress,
             const int* sequence) {
  const CSideValues side = NumericalSide(data, byColumns, nullptr, sequence, matrix.size);
  return ComputePositionMeasure(EPositionMeasure::kHamming, side, matrix, progress);
}

bool ChiSquare(const CData& data, bool byColumns, CDistance& matrix, CProgress* progress,
               const int* sequence) {
  const auto& table = static_cast<const CData_ContingencyTable&>(data);
  const CSideValues side = ChiSquareSide(table, byColumns, sequence, matrix.size);
  return ComputePositionMeasure(EPositionMeasure::kChiSquare, side, matrix, progress);
}

template <bool (*Binary)(const CMatrix&, bool, CDistance&, CProgress*, const int*)>
bool BinaryMeasure(const CData& data, bool byColumns, CDistance& matrix, CProgress* progress,
                   const int* sequence) {
  return Binary(data, byColumns, matrix, progress, sequence);
}

using enum EDissimilarity;
using P = EPositionMeasure;
constexpr std::array kMeasures{
    CMeasureRow{kEuclidean, NumericalMeasure<P::kEuclidean>, BinaryMeasure<ComputeBinaryEuclidean>},
    CMeasureRow{kPearson, NumericalMeasure<P::kPearson>},
    CMeasureRow{kSquaredPearson, NumericalMeasure<P::kSquaredPearson>},
    CMeasureRow{kJaccard, nullptr, BinaryMeasure<ComputeBinaryJaccard>},
    CMeasureRow{kDice, nullptr, BinaryMeasure<ComputeBinaryDice>},
    CMeasureRow{kHamming, nullptr, nullptr, Hamming},
    CMeasureRow{kManhattan, NumericalMeasure<P::kManhattan>, BinaryMeasure<ComputeBinaryManhattan>},
    CMeasureRow{kChebyshev, NumericalMeasure<P::kChebyshev>},
    CMeasureRow{kChiSquare, nullptr, nullptr, nullptr, ChiSquare},
};

}  // namespace

MeasureKernel CMeasureRow::For(EDataType type) const {
  switch (type) {
    case EDataType::kNumerical:
      return numerical;
    case EDataType::kBinary:
      return binary;
    case EDataType::kNominal:
      return nominal;
    case EDataType::kContingency:
      return contingency;
  }
  return nullptr;
}

std::span<const CMeasureRow> MeasureRows() {
  return kMeasures;
}

const CMeasureRow* FindMeasure(EDissimilarity code) {
  for (const CMeasureRow& row : kMeasures) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

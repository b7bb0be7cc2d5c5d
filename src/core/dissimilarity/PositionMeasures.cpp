// SPDX-License-Identifier: GPL-3.0-or-later
// Dissimilarities that sum one term per complete position of a pair.
//
// Inputs: the side's values (rows in position order and panels of 16 partners, NaN for a
// missing cell), the measure, the matrix to fill. For every pair i < j the terms are taken in
// position order and the result is bit for bit that of a plain loop over the positions that
// skips incomplete ones: incomplete positions add +0.0 (the sums never hold −0.0, so this
// changes nothing) and the largest difference is replaced only by a strictly greater value.
// Speed comes from computing the 16 partners of a panel at once, one SIMD lane per pair, each
// lane keeping its own position order; AVX2 is used when the processor has it, with the same
// lane arithmetic (no fused multiply-add). Tables without missing cells skip the mask work.
//
// Cost: time O(n² · positions / 2), memory O(n · positions) for the side's two copies.
#include "dissimilarity/PositionMeasures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "dissimilarity/Distance.h"
#include "dissimilarity/PairWalk.h"
#include "dissimilarity/SideValues.h"

namespace {

constexpr int kWidth = CSideValues::kPanelWidth;
constexpr int kLanes = 4;
constexpr int kVectors = kWidth / kLanes;
// Items per tile: a panel is reused by this many items while it sits in the cache.
constexpr int kTileItems = 16;

typedef double VecD __attribute__((vector_size(kLanes * sizeof(double))));
typedef int64_t VecI __attribute__((vector_size(kLanes * sizeof(double))));

constexpr int64_t kAbsoluteBits = INT64_MAX;      // every bit but the sign
constexpr int64_t kOneBits = 0x3FF0000000000000;  // the bits of 1.0

// Sums of item `x` with the kWidth partners of `panel`, and the numbers of complete positions
// (counted in doubles, exact far beyond any table).
template <EPositionMeasure kMeasure, bool kWithMissing>
inline __attribute__((always_inline)) void PanelSums(const double* x, const double* panel,
                                                     int positions, const double* divisors,
                                                     VecD (&sums)[kVectors],
                                                     VecD (&counts)[kVectors]) {
  VecD accumulated[kVectors] = {};
  VecD complete[kVectors] = {};
  for (int p = 0; p < positions; ++p) {
    const double a = x[p];
    if constexpr (kWithMissing) {
      if (a != a) continue;  // incomplete for every partner
    }
    const VecD va = {a, a, a, a};
    VecD divisor = {};
    if constexpr (kMeasure == EPositionMeasure::kChiSquare) {
      const double w = divisors[p];
      divisor = VecD{w, w, w, w};
    }
    const double* block = panel + static_cast<size_t>(p) * kWidth;
    // Unrolled, so that the accumulators stay in registers.
#pragma GCC unroll 4
    for (int v = 0; v < kVectors; ++v) {
      VecD b;
      std::memcpy(&b, block + v * kLanes, sizeof b);
      VecD term;
      if constexpr (kMeasure == EPositionMeasure::kEuclidean) {
        const VecD difference = va - b;
        term = difference * difference;
      } else if constexpr (kMeasure == EPositionMeasure::kManhattan ||
                           kMeasure == EPositionMeasure::kChebyshev) {
        term = (VecD)((VecI)(va - b) & kAbsoluteBits);
      } else if constexpr (kMeasure == EPositionMeasure::kPearson ||
                           kMeasure == EPositionMeasure::kSquaredPearson) {
        term = va * b;
      } else if constexpr (kMeasure == EPositionMeasure::kHamming) {
        term = (VecD)((va != b) & kOneBits);
      } else {
        const VecD difference = va - b;
        term = (difference * difference) / divisor;
      }
      if constexpr (kWithMissing) {
        const VecI present = b == b;
        term = (VecD)((VecI)term & present);
        complete[v] += (VecD)(present & kOneBits);
      }
      if constexpr (kMeasure == EPositionMeasure::kChebyshev) {
        accumulated[v] = term > accumulated[v] ? term : accumulated[v];
      } else {
        accumulated[v] += term;
      }
    }
  }
  for (int v = 0; v < kVectors; ++v) {
    sums[v] = accumulated[v];
    const double all = static_cast<double>(positions);
    counts[v] = kWithMissing ? complete[v] : VecD{all, all, all, all};
  }
}

// The dissimilarities of the kWidth pairs from their sums S over k complete positions, lane by
// lane with the operations of the scalar formulas. `deviationI` and `deviations` (the panel's)
// serve the Pearson measures, whose denominator multiplies the deviations in the table's order
// of the pair's two items: `sourceI` and `sources` (the panel's) give it when the side holds a
// sequence of the table's items (null otherwise: the row item comes first).
template <EPositionMeasure kMeasure>
inline __attribute__((always_inline)) void PanelValues(const VecD (&sums)[kVectors],
                                                       const VecD (&counts)[kVectors],
                                                       int positions, double deviationI,
                                                       const double* deviations, int sourceI,
                                                       const int* sources, double* values) {
  const double all = static_cast<double>(positions);
  const VecD n = {all, all, all, all};
  const VecD di = {deviationI, deviationI, deviationI, deviationI};
  for (int v = 0; v < kVectors; ++v) {
    const VecD s = sums[v];
    const VecD k = counts[v];
    VecD value;
    if constexpr (kMeasure == EPositionMeasure::kEuclidean) {
      const VecD scaled = s * n / k;
      for (int lane = 0; lane < kLanes; ++lane)
        value[lane] = std::sqrt(scaled[lane]);
    } else if constexpr (kMeasure == EPositionMeasure::kManhattan) {
      value = s * n / k;
    } else if constexpr (kMeasure == EPositionMeasure::kPearson ||
                         kMeasure == EPositionMeasure::kSquaredPearson) {
      // With one complete position or a constant item the correlation is undefined: it counts
      // as 0, so the pair is as dissimilar as uncorrelated items.
      VecD deviationJ;
      std::memcpy(&deviationJ, deviations + v * kLanes, sizeof deviationJ);
      VecD denominator = (k - 1.0) * di * deviationJ;
      if (sources != nullptr) {
        const VecD swapped = (k - 1.0) * deviationJ * di;
        VecI later = {};
        for (int lane = 0; lane < kLanes; ++lane)
          later[lane] = sources[v * kLanes + lane] < sourceI ? -1 : 0;
        denominator = (VecD)(((VecI)swapped & later) | ((VecI)denominator & ~later));
      }
      VecD r = s / denominator;
      const VecI defined = (denominator != 0.0) & (r - r == 0.0);  // and r finite
      r = (VecD)((VecI)r & defined);
      value = kMeasure == EPositionMeasure::kPearson ? 1.0 - r : 1.0 - r * r;
    } else {
      value = s;
    }
    std::memcpy(values + v * kLanes, &value, sizeof value);
  }
}

struct CTileJob {
  const CSideValues* side;
  CDistance* matrix;
};

template <EPositionMeasure kMeasure>
inline __attribute__((always_inline)) void TileBody(const CTileJob& job, int first, int last,
                                                    CPairStop& stop) {
  const CSideValues& side = *job.side;
  const int n = side.items;
  const int positions = side.positions;
  const double* divisors = side.divisors.empty() ? nullptr : side.divisors.data();
  constexpr bool kPearson =
      kMeasure == EPositionMeasure::kPearson || kMeasure == EPositionMeasure::kSquaredPearson;
  VecD sums[kVectors];
  VecD counts[kVectors];
  double values[kWidth];
  double completeCounts[kWidth];
  for (int g = (first + 1) / kWidth; g < side.PanelCount(); ++g) {
    const int panelStart = g * kWidth;
    const int panelEnd = std::min(n, panelStart + kWidth);
    const double* panel = side.Panel(g);
    const bool panelMissing = side.panelHasMissing[static_cast<size_t>(g)] != 0;
    for (int i = first; i < last; ++i) {
      const int j0 = std::max(i + 1, panelStart);
      if (j0 >= panelEnd || stop.Passed(i, j0)) continue;
      const bool missing = panelMissing || side.itemHasMissing[static_cast<size_t>(i)] != 0;
      if (missing) {
        PanelSums<kMeasure, true>(side.Row(i), panel, positions, divisors, sums, counts);
      } else {
        PanelSums<kMeasure, false>(side.Row(i), panel, positions, divisors, sums, counts);
      }
      const bool sourced = kPearson && !side.sourceItems.empty();
      PanelValues<kMeasure>(sums, counts, positions,
                            kPearson ? side.deviations[static_cast<size_t>(i)] : 0.0,
                            kPearson ? side.deviations.data() + panelStart : nullptr,
                            sourced ? side.sourceItems[static_cast<size_t>(i)] : 0,
                            sourced ? side.sourceItems.data() + panelStart : nullptr, values);
      double* out = job.matrix->Row(i);
      if (!missing && positions > 0) {
        std::memcpy(out + j0, values + (j0 - panelStart), sizeof(double) * (panelEnd - j0));
        continue;
      }
      std::memcpy(completeCounts, counts, sizeof completeCounts);
      for (int j = j0; j < panelEnd; ++j) {
        const int lane = j - panelStart;
        if (completeCounts[lane] == 0.0) {
          stop.Report(i, j);
          break;
        }
        out[j] = values[lane];
      }
    }
  }
}

template <EPositionMeasure kMeasure>
__attribute__((target("avx2"))) void TileAvx2(const CTileJob& job, int first, int last,
                                              CPairStop& stop) {
  TileBody<kMeasure>(job, first, last, stop);
}

template <EPositionMeasure kMeasure>
void TileBaseline(const CTileJob& job, int first, int last, CPairStop& stop) {
  TileBody<kMeasure>(job, first, last, stop);
}

template <EPositionMeasure kMeasure>
bool Walk(const CTileJob& job, CProgress* progress) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return WalkPairs(*job.matrix, kTileItems, std::max(1, job.side->positions), progress,
                   [&](int first, int last, CPairStop& stop) {
                     if (avx2) {
                       TileAvx2<kMeasure>(job, first, last, stop);
                     } else {
                       TileBaseline<kMeasure>(job, first, last, stop);
                     }
                   });
}

}  // namespace

bool ComputePositionMeasure(EPositionMeasure measure, const CSideValues& side, CDistance& matrix,
                            CProgress* progress) {
  const CTileJob job{&side, &matrix};
  switch (measure) {
    case EPositionMeasure::kEuclidean:
      return Walk<EPositionMeasure::kEuclidean>(job, progress);
    case EPositionMeasure::kManhattan:
      return Walk<EPositionMeasure::kManhattan>(job, progress);
    case EPositionMeasure::kChebyshev:
      return Walk<EPositionMeasure::kChebyshev>(job, progress);
    case EPositionMeasure::kPearson:
      return Walk<EPositionMeasure::kPearson>(job, progress);
    case EPositionMeasure::kSquaredPearson:
      return Walk<EPositionMeasure::kSquaredPearson>(job, progress);
    case EPositionMeasure::kHamming:
      return Walk<EPositionMeasure::kHamming>(job, progress);
    case EPositionMeasure::kChiSquare:
      return Walk<EPositionMeasure::kChiSquare>(job, progress);
  }
  return true;
}

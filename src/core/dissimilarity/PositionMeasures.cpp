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

#include "data/Distance.h"
#include "dissimilarity/PairWalk.h"
#include "dissimilarity/SideValues.h"

namespace {

// What one complete position contributes and how contributions combine.
enum class ETerm { kSquare, kAbsolute, kLargest, kProduct, kMismatch, kWeightedSquare };

constexpr int kWidth = CSideValues::kPanelWidth;
constexpr int kLanes = 4;
constexpr int kVectors = kWidth / kLanes;
// Items per tile: a panel is reused by this many items while it sits in the cache.
constexpr int kTileItems = 16;

typedef double VecD __attribute__((vector_size(kLanes * sizeof(double))));
typedef int64_t VecI __attribute__((vector_size(kLanes * sizeof(double))));

constexpr int64_t kAbsoluteBits = INT64_MAX;      // every bit but the sign
constexpr int64_t kOneBits = 0x3FF0000000000000;  // the bits of 1.0

// The sums (and numbers of complete positions) of item `x` with the kWidth partners of `panel`.
template <ETerm kTerm, bool kWithMissing>
inline __attribute__((always_inline)) void PanelSums(const double* x, const double* panel,
                                                     int positions, const double* divisors,
                                                     double* sums, int64_t* counts) {
  VecD accumulated[kVectors] = {};
  VecI complete[kVectors] = {};
  for (int p = 0; p < positions; ++p) {
    const double a = x[p];
    if constexpr (kWithMissing) {
      if (a != a) continue;  // incomplete for every partner
    }
    const VecD va = {a, a, a, a};
    VecD divisor = {};
    if constexpr (kTerm == ETerm::kWeightedSquare) {
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
      if constexpr (kTerm == ETerm::kSquare) {
        const VecD difference = va - b;
        term = difference * difference;
      } else if constexpr (kTerm == ETerm::kAbsolute || kTerm == ETerm::kLargest) {
        term = (VecD)((VecI)(va - b) & kAbsoluteBits);
      } else if constexpr (kTerm == ETerm::kProduct) {
        term = va * b;
      } else if constexpr (kTerm == ETerm::kMismatch) {
        term = (VecD)((va != b) & kOneBits);
      } else {
        const VecD difference = va - b;
        term = (difference * difference) / divisor;
      }
      if constexpr (kWithMissing) {
        const VecI present = b == b;
        term = (VecD)((VecI)term & present);
        complete[v] -= present;
      }
      if constexpr (kTerm == ETerm::kLargest) {
        accumulated[v] = term > accumulated[v] ? term : accumulated[v];
      } else {
        accumulated[v] += term;
      }
    }
  }
  std::memcpy(sums, accumulated, sizeof accumulated);
  if constexpr (kWithMissing) {
    std::memcpy(counts, complete, sizeof complete);
  } else {
    std::fill(counts, counts + kWidth, static_cast<int64_t>(positions));
  }
}

// The dissimilarity of a pair from its sum S over k complete positions.
inline double Finish(EPositionMeasure measure, double s, int64_t k, const CSideValues& side, int i,
                     int j) {
  const double positions = static_cast<double>(side.positions);
  switch (measure) {
    case EPositionMeasure::kEuclidean:
      return std::sqrt(s * positions / static_cast<double>(k));
    case EPositionMeasure::kManhattan:
      return s * positions / static_cast<double>(k);
    case EPositionMeasure::kPearson:
    case EPositionMeasure::kSquaredPearson: {
      // With one complete position or a constant item the correlation is undefined: it counts
      // as 0, so the pair is as dissimilar as uncorrelated items.
      const double denominator = static_cast<double>(k - 1) *
                                 side.deviations[static_cast<size_t>(i)] *
                                 side.deviations[static_cast<size_t>(j)];
      double r = denominator != 0.0 ? s / denominator : 0.0;
      if (!std::isfinite(r)) r = 0.0;
      return measure == EPositionMeasure::kPearson ? 1.0 - r : 1.0 - r * r;
    }
    default:
      return s;
  }
}

struct CTileJob {
  EPositionMeasure measure;
  const CSideValues* side;
  CDistance* matrix;
};

template <ETerm kTerm>
inline __attribute__((always_inline)) void TileBody(const CTileJob& job, int first, int last,
                                                    CPairStop& stop) {
  const CSideValues& side = *job.side;
  const int n = side.items;
  const int positions = side.positions;
  const double* divisors = side.divisors.empty() ? nullptr : side.divisors.data();
  double sums[kWidth];
  int64_t counts[kWidth];
  for (int g = (first + 1) / kWidth; g < side.PanelCount(); ++g) {
    const int panelStart = g * kWidth;
    const int panelEnd = std::min(n, panelStart + kWidth);
    const double* panel = side.Panel(g);
    const bool panelMissing = side.panelHasMissing[static_cast<size_t>(g)] != 0;
    for (int i = first; i < last; ++i) {
      const int j0 = std::max(i + 1, panelStart);
      if (j0 >= panelEnd || stop.Passed(i, j0)) continue;
      if (panelMissing || side.itemHasMissing[static_cast<size_t>(i)] != 0) {
        PanelSums<kTerm, true>(side.Row(i), panel, positions, divisors, sums, counts);
      } else {
        PanelSums<kTerm, false>(side.Row(i), panel, positions, divisors, sums, counts);
      }
      double* out = job.matrix->Row(i);
      for (int j = j0; j < panelEnd; ++j) {
        const int lane = j - panelStart;
        if (counts[lane] == 0) {
          stop.Report(i, j);
          break;
        }
        out[j] = Finish(job.measure, sums[lane], counts[lane], side, i, j);
      }
    }
  }
}

template <ETerm kTerm>
__attribute__((target("avx2"))) void TileAvx2(const CTileJob& job, int first, int last,
                                              CPairStop& stop) {
  TileBody<kTerm>(job, first, last, stop);
}

template <ETerm kTerm>
void TileBaseline(const CTileJob& job, int first, int last, CPairStop& stop) {
  TileBody<kTerm>(job, first, last, stop);
}

template <ETerm kTerm>
bool Walk(const CTileJob& job, CProgress* progress) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return WalkPairs(*job.matrix, kTileItems, progress, [&](int first, int last, CPairStop& stop) {
    if (avx2) {
      TileAvx2<kTerm>(job, first, last, stop);
    } else {
      TileBaseline<kTerm>(job, first, last, stop);
    }
  });
}

}  // namespace

bool ComputePositionMeasure(EPositionMeasure measure, const CSideValues& side, CDistance& matrix,
                            CProgress* progress) {
  const CTileJob job{measure, &side, &matrix};
  switch (measure) {
    case EPositionMeasure::kEuclidean:
      return Walk<ETerm::kSquare>(job, progress);
    case EPositionMeasure::kManhattan:
      return Walk<ETerm::kAbsolute>(job, progress);
    case EPositionMeasure::kChebyshev:
      return Walk<ETerm::kLargest>(job, progress);
    case EPositionMeasure::kPearson:
    case EPositionMeasure::kSquaredPearson:
      return Walk<ETerm::kProduct>(job, progress);
    case EPositionMeasure::kHamming:
      return Walk<ETerm::kMismatch>(job, progress);
    case EPositionMeasure::kChiSquare:
      return Walk<ETerm::kWeightedSquare>(job, progress);
  }
  return true;
}

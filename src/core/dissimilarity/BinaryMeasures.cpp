// SPDX-License-Identifier: GPL-3.0-or-later
// Binary dissimilarities from the match counts of a pair.
//
// Inputs: a table of 0, 1 and missing cells (cells read as integers, truncated), the side, the
// measure code. Over the complete positions of a pair: a = (1, 1), b = (1, 0), c = (0, 1),
// d = (0, 0), k = a + b + c + d. The pair cannot be formed when k = 0 or when d equals the number
// of positions. Values: Euclidean sqrt(b + c), Manhattan b + c, Jaccard 1 − a/(a + b + c) (0 when
// a + b + c = 0: the items agree wherever both are known), Dice 1 − (2a + d)/(2a + b + c + d).
// Each item is packed into bit sets of its ones and of its known positions, so a pair costs a
// few population counts per 64 positions; counts are exact, so no order matters.
//
// Cost: time O(n² · positions / 128), memory O(n · positions / 32) bytes.
#include "dissimilarity/BinaryMeasures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

#include "base/Failure.h"
#include "base/Missing.h"
#include "data/Integers.h"
#include "data/Matrix.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/PairWalk.h"

namespace {

constexpr int kTileItems = 32;

struct CBitSide {
  int items = 0;
  int positions = 0;
  int words = 0;
  std::vector<uint64_t> ones;   // items × words
  std::vector<uint64_t> known;  // items × words
  std::vector<int64_t> oneCount;
  std::vector<unsigned char> hasMissing;

  const uint64_t* Ones(int i) const { return ones.data() + static_cast<size_t>(i) * words; }
  const uint64_t* Known(int i) const { return known.data() + static_cast<size_t>(i) * words; }
};

CBitSide Pack(const CMatrix& table, bool byColumns, const int* sequence, int sequenceLength) {
  CBitSide side;
  side.items = sequence ? sequenceLength : byColumns ? table.columnCount : table.rowCount;
  side.positions = byColumns ? table.rowCount : table.columnCount;
  side.words = (side.positions + 63) / 64;
  const size_t count = static_cast<size_t>(side.items) * static_cast<size_t>(side.words);
  try {
    side.ones.assign(count, 0);
    side.known.assign(count, 0);
    side.oneCount.assign(static_cast<size_t>(side.items), 0);
    side.hasMissing.assign(static_cast<size_t>(side.items), 0);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
  for (int i = 0; i < side.items; ++i) {
    uint64_t* ones = side.ones.data() + static_cast<size_t>(i) * side.words;
    uint64_t* known = side.known.data() + static_cast<size_t>(i) * side.words;
    const int item = sequence ? sequence[i] : i;
    int64_t ones64 = 0;
    bool missing = false;
    for (int p = 0; p < side.positions; ++p) {
      const double x = byColumns ? table.At(p, item) : table.At(item, p);
      const uint64_t bit = uint64_t{1} << (p % 64);
      if (IsMissing(x)) {
        missing = true;
        continue;
      }
      known[p / 64] |= bit;
      if (TruncateToInt(x) != 0) {
        ones[p / 64] |= bit;
        ++ones64;
      }
    }
    side.oneCount[static_cast<size_t>(i)] = ones64;
    side.hasMissing[static_cast<size_t>(i)] = missing;
  }
  return side;
}

struct CBinaryJob {
  const CBitSide* side;
  CDistance* matrix;
};

template <BinaryFormula Formula>
inline __attribute__((always_inline)) void TileBody(const CBinaryJob& job, int first, int last,
                                                    CPairStop& stop) {
  const CBitSide& side = *job.side;
  const int n = side.items;
  const int words = side.words;
  const int64_t positions = side.positions;
  for (int i = first; i < last; ++i) {
    if (stop.Passed(i, i + 1)) return;
    const uint64_t* onesI = side.Ones(i);
    const uint64_t* knownI = side.Known(i);
    const bool missingI = side.hasMissing[static_cast<size_t>(i)] != 0;
    double* out = job.matrix->Row(i);
    for (int j = i + 1; j < n; ++j) {
      const uint64_t* onesJ = side.Ones(j);
      int64_t a = 0, b = 0, c = 0, k = 0;
      if (!missingI && side.hasMissing[static_cast<size_t>(j)] == 0) {
        for (int w = 0; w < words; ++w)
          a += __builtin_popcountll(onesI[w] & onesJ[w]);
        b = side.oneCount[static_cast<size_t>(i)] - a;
        c = side.oneCount[static_cast<size_t>(j)] - a;
        k = positions;
      } else {
        const uint64_t* knownJ = side.Known(j);
        int64_t onesOfIKnownByJ = 0, onesOfJKnownByI = 0;
        for (int w = 0; w < words; ++w) {
          a += __builtin_popcountll(onesI[w] & onesJ[w]);
          onesOfIKnownByJ += __builtin_popcountll(onesI[w] & knownJ[w]);
          onesOfJKnownByI += __builtin_popcountll(onesJ[w] & knownI[w]);
          k += __builtin_popcountll(knownI[w] & knownJ[w]);
        }
        b = onesOfIKnownByJ - a;
        c = onesOfJKnownByI - a;
      }
      const int64_t d = k - a - b - c;
      if (k == 0 || d == positions) {
        stop.Report(i, j);
        break;
      }
      out[j] = Formula(a, b, c, d);
    }
  }
}

template <BinaryFormula Formula>
__attribute__((target("popcnt"))) void TilePopcnt(const CBinaryJob& job, int first, int last,
                                                  CPairStop& stop) {
  TileBody<Formula>(job, first, last, stop);
}

template <BinaryFormula Formula>
void TileBaseline(const CBinaryJob& job, int first, int last, CPairStop& stop) {
  TileBody<Formula>(job, first, last, stop);
}

template <BinaryFormula Formula>
bool ComputeBinary(const CMatrix& table, bool byColumns, CDistance& matrix, CProgress* progress,
                   const int* sequence) {
  const CBitSide side = Pack(table, byColumns, sequence, matrix.size);
  const CBinaryJob job{&side, &matrix};
  static const bool popcnt = __builtin_cpu_supports("popcnt");
  return WalkPairs(matrix, kTileItems, std::max(1, side.words), progress,
                   [&](int first, int last, CPairStop& stop) {
                     if (popcnt) {
                       TilePopcnt<Formula>(job, first, last, stop);
                     } else {
                       TileBaseline<Formula>(job, first, last, stop);
                     }
                   });
}

double EuclideanOfCounts(int64_t, int64_t b, int64_t c, int64_t) {
  return std::sqrt(static_cast<double>(b + c));
}

double ManhattanOfCounts(int64_t, int64_t b, int64_t c, int64_t) {
  return static_cast<double>(b + c);
}

// The items agree wherever both are known when a + b + c = 0.
double JaccardOfCounts(int64_t a, int64_t b, int64_t c, int64_t) {
  return a + b + c == 0 ? 0.0 : 1.0 - static_cast<double>(a) / static_cast<double>(a + b + c);
}

double DiceOfCounts(int64_t a, int64_t b, int64_t c, int64_t d) {
  return 1.0 - static_cast<double>(2 * a + d) / static_cast<double>(2 * a + b + c + d);
}

}  // namespace

bool ComputeBinaryEuclidean(const CMatrix& table, bool byColumns, CDistance& matrix,
                            CProgress* progress, const int* sequence) {
  return ComputeBinary<EuclideanOfCounts>(table, byColumns, matrix, progress, sequence);
}

bool ComputeBinaryManhattan(const CMatrix& table, bool byColumns, CDistance& matrix,
                            CProgress* progress, const int* sequence) {
  return ComputeBinary<ManhattanOfCounts>(table, byColumns, matrix, progress, sequence);
}

bool ComputeBinaryJaccard(const CMatrix& table, bool byColumns, CDistance& matrix,
                          CProgress* progress, const int* sequence) {
  return ComputeBinary<JaccardOfCounts>(table, byColumns, matrix, progress, sequence);
}

bool ComputeBinaryDice(const CMatrix& table, bool byColumns, CDistance& matrix, CProgress* progress,
                       const int* sequence) {
  return ComputeBinary<DiceOfCounts>(table, byColumns, matrix, progress, sequence);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The (min, +) product of two matrices, the inner step of the optimal leaf order.
//
// Inputs: a (rows × depth) and b (depth × columns) as strided views, which may be blocks of one
// larger matrix or transposed blocks; the result r must not overlap them. Each entry is the
// smallest of the sums a(i, k) + b(k, j); a sum replaces the running minimum only when strictly
// smaller, so NaN sums never enter and an entry with no sum that is a number is +infinity. The
// minimum of a set of sums does not depend on the order in which they are compared, so the
// blocking, the kernels and the threads below change no bit of the result.
// Cost: rows·columns·depth additions and comparisons. Memory: a packed copy of a and one packed
// panel of b (about 1 MB). The product with a vector, below, follows the same rule.
#include "tree/MinPlusProduct.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#include "base/Parallel.h"

namespace {

// Columns of b are taken in panels of about this size, so that a panel stays in the core's cache
// while every row tile of a passes over it.
constexpr size_t kPanelBytes = size_t{1} << 20;
// Row tiles handed to one thread at a time.
constexpr int kTilesPerTask = 8;
// Below this many sums plain loops are faster than packing; from this many per panel the row
// tiles are shared among threads.
constexpr double kSmallProduct = 16384.0;
constexpr double kParallelPanel = 2.0e6;
// The same for the product with a vector, whose steps are cheaper per thread started.
constexpr double kParallelVector = 5.0e5;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// tile(i, j) = min over k of a[k][i] + b[k][j] for a tile of kRows × (kVectors vectors) entries;
// a is depth × kRows and b depth × kColumns, both stored k by k. The loops over the tile are
// unrolled and nothing takes the address of the running minima, so that they stay in registers.
// Always inlined, so that each caller below compiles it for its own instruction set.
template <typename Vector, int kRows, int kVectors>
[[gnu::always_inline]] inline void KernelBody(int depth, const double* a, const double* b,
                                              double* tile) {
  constexpr int kLanes = static_cast<int>(sizeof(Vector) / sizeof(double));
  constexpr int kColumns = kLanes * kVectors;
  Vector best[kRows][kVectors];
#pragma GCC unroll 16
  for (int i = 0; i < kRows; ++i) {
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) {
#pragma GCC unroll 16
      for (int lane = 0; lane < kLanes; ++lane)
        best[i][v][lane] = kInfinity;
    }
  }
  for (int k = 0; k < depth; ++k) {
    Vector right[kVectors];
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) {
      Vector loaded;
      std::memcpy(&loaded, b + static_cast<size_t>(k) * kColumns + v * kLanes, sizeof loaded);
      right[v] = loaded;
    }
    const double* left = a + static_cast<size_t>(k) * kRows;
#pragma GCC unroll 16
    for (int i = 0; i < kRows; ++i) {
      Vector value;
#pragma GCC unroll 16
      for (int lane = 0; lane < kLanes; ++lane)
        value[lane] = left[i];
#pragma GCC unroll 16
      for (int v = 0; v < kVectors; ++v) {
        const Vector sum = value + right[v];
        best[i][v] = sum < best[i][v] ? sum : best[i][v];
      }
    }
  }
#pragma GCC unroll 16
  for (int i = 0; i < kRows; ++i) {
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) {
      const Vector value = best[i][v];
      std::memcpy(tile + i * kColumns + v * kLanes, &value, sizeof value);
    }
  }
}

using Vector2 = double __attribute__((vector_size(16)));

// Two lanes, the width of every x86-64 processor (and of other 64-bit ones).
void KernelTwoLanes(int depth, const double* a, const double* b, double* tile) {
  KernelBody<Vector2, 4, 2>(depth, a, b, tile);
}

// The kernel and its tile: the packing follows the tile of the kernel in use.
struct CKernel {
  int rows;
  int columns;
  void (*run)(int depth, const double* a, const double* b, double* tile);
};

#if defined(__x86_64__) && defined(__GNUC__)
#define QUORVEL_WIDE_KERNELS 1
using Vector4 = double __attribute__((vector_size(32)));
using Vector8 = double __attribute__((vector_size(64)));

[[gnu::target("avx2")]] void KernelFourLanes(int depth, const double* a, const double* b,
                                             double* tile) {
  KernelBody<Vector4, 6, 2>(depth, a, b, tile);
}

[[gnu::target("avx512f")]] void KernelEightLanes(int depth, const double* a, const double* b,
                                                 double* tile) {
  KernelBody<Vector8, 8, 2>(depth, a, b, tile);
}
#endif

// The widest kernel the processor runs, or the one of `lanes` when it runs that one. Every kernel
// gives the same bits: each sum is one IEEE addition and the minimum of a set does not depend on
// how it is gathered.
CKernel ChooseKernel(int lanes) {
#ifdef QUORVEL_WIDE_KERNELS
  static const bool hasEight = (__builtin_cpu_init(), __builtin_cpu_supports("avx512f"));
  static const bool hasFour = __builtin_cpu_supports("avx2");
  const CKernel eight{8, 16, KernelEightLanes};
  const CKernel four{6, 8, KernelFourLanes};
  if (lanes == 2) return {4, 4, KernelTwoLanes};
  if (lanes == 4 && hasFour) return four;
  if (hasEight) return eight;
  if (hasFour) return four;
#else
  (void)lanes;
#endif
  return {4, 4, KernelTwoLanes};
}

// b's columns j0 … j0 + width − 1, in strips of `stripColumns`, each strip depth × stripColumns
// stored k by k; columns past the end are +infinity.
void PackPanel(const CStridedView& b, int depth, int j0, int width, int stripColumns,
               double* panel) {
  const bool byColumn = std::abs(b.rowStride) <= std::abs(b.columnStride);
  const int strips = (width + stripColumns - 1) / stripColumns;
  for (int s = 0; s < strips; ++s) {
    double* out = panel + static_cast<size_t>(s) * depth * stripColumns;
    const int present = std::min(stripColumns, width - s * stripColumns);
    const int column = j0 + s * stripColumns;
    if (byColumn) {
      for (int jj = 0; jj < stripColumns; ++jj) {
        for (int k = 0; k < depth; ++k) {
          out[static_cast<size_t>(k) * stripColumns + jj] =
              jj < present ? b.At(k, column + jj) : kInfinity;
        }
      }
    } else {
      for (int k = 0; k < depth; ++k) {
        for (int jj = 0; jj < stripColumns; ++jj) {
          out[static_cast<size_t>(k) * stripColumns + jj] =
              jj < present ? b.At(k, column + jj) : kInfinity;
        }
      }
    }
  }
}

// a's rows i0 … i0 + height − 1 as depth × tileRows stored k by k; rows past the end are
// +infinity.
void PackRows(const CStridedView& a, int depth, int i0, int height, int tileRows, double* out) {
  if (std::abs(a.columnStride) <= std::abs(a.rowStride)) {
    for (int ii = 0; ii < tileRows; ++ii) {
      for (int k = 0; k < depth; ++k) {
        out[static_cast<size_t>(k) * tileRows + ii] = ii < height ? a.At(i0 + ii, k) : kInfinity;
      }
    }
  } else {
    for (int k = 0; k < depth; ++k) {
      for (int ii = 0; ii < tileRows; ++ii) {
        out[static_cast<size_t>(k) * tileRows + ii] = ii < height ? a.At(i0 + ii, k) : kInfinity;
      }
    }
  }
}

// y(i) = min over k of row_i[k] + x[k] for one row, in lanes of partial minima.
double RowMinimum(const double* row, const double* x, int depth) {
  constexpr int kLanes = 2;
  constexpr int kVectors = 4;
  Vector2 best[kVectors];
#pragma GCC unroll 4
  for (int v = 0; v < kVectors; ++v)
    best[v] = Vector2{kInfinity, kInfinity};
  int k = 0;
  for (; k + kLanes * kVectors <= depth; k += kLanes * kVectors) {
#pragma GCC unroll 4
    for (int v = 0; v < kVectors; ++v) {
      Vector2 left, right;
      std::memcpy(&left, row + k + v * kLanes, sizeof left);
      std::memcpy(&right, x + k + v * kLanes, sizeof right);
      const Vector2 sum = left + right;
      best[v] = sum < best[v] ? sum : best[v];
    }
  }
  double result = kInfinity;
  for (int v = 0; v < kVectors; ++v) {
    for (int lane = 0; lane < kLanes; ++lane) {
      if (best[v][lane] < result) result = best[v][lane];
    }
  }
  for (; k < depth; ++k) {
    const double sum = row[k] + x[k];
    if (sum < result) result = sum;
  }
  return result;
}

// y[i] = min(y[i], column[i] + value) for i < rows.
void LowerByColumn(const double* column, double value, int rows, double* y) {
  constexpr int kLanes = 2;
  const Vector2 add{value, value};
  int i = 0;
  for (; i + kLanes <= rows; i += kLanes) {
    Vector2 left, current;
    std::memcpy(&left, column + i, sizeof left);
    std::memcpy(&current, y + i, sizeof current);
    const Vector2 sum = left + add;
    current = sum < current ? sum : current;
    std::memcpy(y + i, &current, sizeof current);
  }
  for (; i < rows; ++i) {
    const double sum = column[i] + value;
    if (sum < y[i]) y[i] = sum;
  }
}

void DirectProduct(int rows, int columns, int depth, const CStridedView& a, const CStridedView& b,
                   const CStridedTarget& r) {
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      double best = kInfinity;
      for (int k = 0; k < depth; ++k) {
        const double sum = a.At(i, k) + b.At(k, j);
        if (sum < best) best = sum;
      }
      r.At(i, j) = best;
    }
  }
}

}  // namespace

void MinPlusProduct(int rows, int columns, int depth, CStridedView a, CStridedView b,
                    CStridedTarget r, int lanes) {
  if (rows <= 0 || columns <= 0) return;
  const double sums = static_cast<double>(rows) * columns * std::max(depth, 0);
  if (depth <= 0 || sums < kSmallProduct) {
    DirectProduct(rows, columns, std::max(depth, 0), a, b, r);
    return;
  }
  const CKernel kernel = ChooseKernel(lanes);
  const int tileRows = kernel.rows;
  const int tileColumns = kernel.columns;
  const size_t panelLimit = kPanelBytes / (sizeof(double) * static_cast<size_t>(depth));
  const int paddedColumns = (columns + tileColumns - 1) / tileColumns * tileColumns;
  const int panelColumns = static_cast<int>(
      std::clamp<size_t>(panelLimit / static_cast<size_t>(tileColumns) * tileColumns,
                         static_cast<size_t>(tileColumns), static_cast<size_t>(paddedColumns)));
  std::vector<double> panel(static_cast<size_t>(depth) * static_cast<size_t>(panelColumns));
  const int tiles = (rows + tileRows - 1) / tileRows;
  const int tasks = (tiles + kTilesPerTask - 1) / kTilesPerTask;
  const bool parallel = sums >= kParallelPanel && tasks > 1;
  auto forEachTask = [&](const std::function<void(int)>& work) {
    if (parallel) {
      ParallelFor(0, tasks, 1, work);
    } else {
      for (int index = 0; index < tasks; ++index)
        work(index);
    }
  };

  // All of a is packed once: its blocks are often read across rows of a large matrix, which
  // costs a cache miss per row; packed, every panel reads it in sequence.
  const size_t tileSize = static_cast<size_t>(depth) * static_cast<size_t>(tileRows);
  std::vector<double> packed(tileSize * static_cast<size_t>(tiles));
  forEachTask([&](int index) {
    const int lastTile = std::min(tiles, (index + 1) * kTilesPerTask);
    for (int t = index * kTilesPerTask; t < lastTile; ++t) {
      const int i0 = t * tileRows;
      PackRows(a, depth, i0, std::min(tileRows, rows - i0), tileRows,
               packed.data() + tileSize * static_cast<size_t>(t));
    }
  });

  for (int j0 = 0; j0 < columns; j0 += panelColumns) {
    const int width = std::min(panelColumns, columns - j0);
    PackPanel(b, depth, j0, width, tileColumns, panel.data());
    const int strips = (width + tileColumns - 1) / tileColumns;
    forEachTask([&](int index) {
      std::vector<double> tile(static_cast<size_t>(tileRows) * static_cast<size_t>(tileColumns));
      const int lastTile = std::min(tiles, (index + 1) * kTilesPerTask);
      for (int t = index * kTilesPerTask; t < lastTile; ++t) {
        const int i0 = t * tileRows;
        const int height = std::min(tileRows, rows - i0);
        for (int s = 0; s < strips; ++s) {
          kernel.run(depth, packed.data() + tileSize * static_cast<size_t>(t),
                     panel.data() + static_cast<size_t>(s) * depth * tileColumns, tile.data());
          const int column = j0 + s * tileColumns;
          const int present = std::min(tileColumns, columns - column);
          for (int ii = 0; ii < height; ++ii) {
            for (int jj = 0; jj < present; ++jj) {
              r.At(i0 + ii, column + jj) = tile[static_cast<size_t>(ii * tileColumns + jj)];
            }
          }
        }
      }
    });
  }
}

void MinPlusVector(int rows, int depth, CStridedView a, const double* x, double* y) {
  if (rows <= 0) return;
  // Rows in chunks, each chunk done by one thread over every k: the minima do not depend on it.
  constexpr int kChunk = 256;
  const int chunks = (rows + kChunk - 1) / kChunk;
  auto chunk = [&](int index) {
    const int begin = index * kChunk;
    const int end = std::min(rows, begin + kChunk);
    if (a.columnStride == 1) {
      for (int i = begin; i < end; ++i)
        y[i] = RowMinimum(a.data + i * a.rowStride, x, depth);
    } else if (a.rowStride == 1) {
      std::fill(y + begin, y + end, kInfinity);
      for (int k = 0; k < depth; ++k) {
        LowerByColumn(a.data + begin + k * a.columnStride, x[k], end - begin, y + begin);
      }
    } else {
      for (int i = begin; i < end; ++i) {
        double best = kInfinity;
        for (int k = 0; k < depth; ++k) {
          const double sum = a.At(i, k) + x[k];
          if (sum < best) best = sum;
        }
        y[i] = best;
      }
    }
  };
  if (static_cast<double>(rows) * depth >= kParallelVector && chunks > 1) {
    ParallelFor(0, chunks, 1, chunk);
  } else {
    for (int index = 0; index < chunks; ++index)
      chunk(index);
  }
}

void MinPlusVectorPacked(const double* triangle, int n, int r0, int rows, int c0, int depth,
                         const double* x, double* y) {
  if (rows <= 0) return;
  auto rowStart = [&](int p) {
    const size_t row = static_cast<size_t>(p);
    return triangle + (row * static_cast<size_t>(n) - row * (row + 1) / 2);
  };
  // The chunks, kernels and order of MinPlusVector: rows of the triangle are read like rows of
  // a matrix stored by rows, its columns like those of a matrix stored by columns.
  constexpr int kChunk = 256;
  const int chunks = (rows + kChunk - 1) / kChunk;
  const bool right = r0 + rows <= c0;
  auto chunk = [&](int index) {
    const int begin = index * kChunk;
    const int end = std::min(rows, begin + kChunk);
    if (right) {
      for (int i = begin; i < end; ++i)
        y[i] = RowMinimum(rowStart(r0 + i) + c0, x, depth);
    } else {
      std::fill(y + begin, y + end, kInfinity);
      for (int k = 0; k < depth; ++k)
        LowerByColumn(rowStart(c0 + k) + r0 + begin, x[k], end - begin, y + begin);
    }
  };
  if (static_cast<double>(rows) * depth >= kParallelVector && chunks > 1) {
    ParallelFor(0, chunks, 1, chunk);
  } else {
    for (int index = 0; index < chunks; ++index)
      chunk(index);
  }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/MinPlusProduct.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

double Reference(int depth, const CStridedView& a, const CStridedView& b, int i, int j) {
  double best = kInfinity;
  for (int k = 0; k < depth; ++k) {
    const double sum = a.At(i, k) + b.At(k, j);
    if (sum < best) best = sum;
  }
  return best;
}

}  // namespace

TEST(MinPlusProduct, EveryKernelMatchesPlainLoopsOnEveryShapeAndLayout) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> small(0, 50);
  std::uniform_real_distribution<double> real(0.0, 100.0);
  struct Size {
    int rows, columns, depth;
  };
  // Small products take the plain loops; the others cross tile edges, several panels (large
  // depth, narrow panels) and the threaded path (130³ sums).
  const Size sizes[] = {{1, 1, 1},    {3, 5, 2},    {4, 8, 700},   {5, 9, 700},    {37, 61, 29},
                        {1, 300, 90}, {300, 1, 90}, {9, 200, 800}, {130, 130, 130}};
  for (const Size& size : sizes) {
    for (int layout = 0; layout < 4; ++layout) {
      const bool integers = layout % 2 == 0;
      auto draw = [&] { return integers ? small(random) : real(random); };
      // One storage per operand, read either as stored or transposed.
      const ptrdiff_t lead = size.depth + 3;
      std::vector<double> aStore(static_cast<size_t>(std::max(size.rows, size.depth) * lead));
      std::vector<double> bStore(
          static_cast<size_t>(std::max(size.columns, size.depth) * (size.columns + size.depth)));
      for (double& x : aStore)
        x = draw();
      for (double& x : bStore)
        x = draw();
      aStore[0] = kInfinity;
      if (aStore.size() > 5) aStore[5] = std::nan("");
      const ptrdiff_t bLead = size.columns + size.depth;
      const CStridedView a = (layout & 1) ? CStridedView{aStore.data(), 1, lead}
                                          : CStridedView{aStore.data(), lead, 1};
      const CStridedView b = (layout & 2) ? CStridedView{bStore.data(), 1, bLead}
                                          : CStridedView{bStore.data(), bLead, 1};
      std::vector<double> expected;
      for (int i = 0; i < size.rows; ++i) {
        for (int j = 0; j < size.columns; ++j)
          expected.push_back(Reference(size.depth, a, b, i, j));
      }
      // Lanes 2, 4 and 8 force the narrower kernels where the processor has the wider ones.
      for (const int lanes : {0, 2, 4, 8}) {
        SCOPED_TRACE(testing::Message() << size.rows << "x" << size.columns << "x" << size.depth
                                        << ", layout " << layout << ", lanes " << lanes);
        // The result is written transposed into a larger block, whose margins must stay.
        const ptrdiff_t rLead = size.rows + 2;
        std::vector<double> result(static_cast<size_t>((size.columns + 1) * rLead), -1.0);
        MinPlusProduct(size.rows, size.columns, size.depth, a, b, {result.data(), 1, rLead}, lanes);
        int mismatches = 0;
        for (int i = 0; i < size.rows; ++i) {
          for (int j = 0; j < size.columns; ++j) {
            if (result[static_cast<size_t>(j * rLead + i)] !=
                expected[static_cast<size_t>(i * size.columns + j)]) {
              ++mismatches;
            }
          }
        }
        EXPECT_EQ(mismatches, 0);
        int touched = 0;
        for (ptrdiff_t j = 0; j <= size.columns; ++j) {
          for (ptrdiff_t i = j < size.columns ? size.rows : 0; i < rLead; ++i) {
            if (result[static_cast<size_t>(j * rLead + i)] != -1.0) ++touched;
          }
        }
        EXPECT_EQ(touched, 0);
      }
    }
  }
}

TEST(MinPlusProduct, VectorProductMatchesPlainLoops) {
  std::mt19937 random(12);
  std::uniform_real_distribution<double> real(0.0, 100.0);
  // Rows crossing the chunks of one thread, depths crossing the unrolled blocks, and a product
  // large enough to be threaded.
  for (const auto& [rows, depth] : {std::pair{1, 1}, {3, 7}, {5, 9}, {300, 17}, {700, 800}}) {
    const ptrdiff_t lead = std::max(rows, depth) + 1;
    std::vector<double> store(static_cast<size_t>(lead * lead));
    for (double& x : store)
      x = real(random);
    std::vector<double> x(static_cast<size_t>(depth));
    for (double& value : x)
      value = real(random);
    x[0] = std::nan("");
    store[1] = kInfinity;
    const CStridedView layouts[] = {
        {store.data(), lead, 1}, {store.data(), 1, lead}, {store.data(), lead, 2}};
    for (const CStridedView& a : layouts) {
      SCOPED_TRACE(testing::Message() << rows << "x" << depth << ", strides " << a.rowStride << ", "
                                      << a.columnStride);
      if ((rows - 1) * a.rowStride + (depth - 1) * a.columnStride >= lead * lead) continue;
      std::vector<double> y(static_cast<size_t>(rows), -1.0);
      MinPlusVector(rows, depth, a, x.data(), y.data());
      int mismatches = 0;
      for (int i = 0; i < rows; ++i) {
        double expected = kInfinity;
        for (int k = 0; k < depth; ++k) {
          const double sum = a.At(i, k) + x[static_cast<size_t>(k)];
          if (sum < expected) expected = sum;
        }
        if (y[static_cast<size_t>(i)] != expected) ++mismatches;
      }
      EXPECT_EQ(mismatches, 0);
    }
  }
}

TEST(MinPlusProduct, EmptyDepthGivesInfinity) {
  std::vector<double> result(6, 0.0);
  const double none = 0.0;
  MinPlusProduct(2, 3, 0, {&none, 0, 0}, {&none, 0, 0}, {result.data(), 3, 1});
  for (double x : result)
    EXPECT_EQ(x, kInfinity);
}

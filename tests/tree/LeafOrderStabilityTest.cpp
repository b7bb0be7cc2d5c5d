// SPDX-License-Identifier: GPL-3.0-or-later
// The optimal leaf order picks one of several equally short orders by its scan order. That
// choice reaches the user (the order of the picture, the tree written), so it must not change
// when the solver's storage or threading changes: these cases pin it by a hash of the orders.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "dissimilarity/Distance.h"
#include "tree/OptimalLeafOrder.h"

namespace {

struct CRandom {
  uint64_t state;
  uint64_t Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
};

// Random joins (shape 0), a chain (1) or pairs level by level (2), over a shuffled item order.
CBinaryTree MakeTree(int n, int shape, CRandom& random) {
  CBinaryTree tree;
  tree.item.resize(static_cast<size_t>(n));
  std::iota(tree.item.begin(), tree.item.end(), 0);
  for (int i = n - 1; i > 0; --i)
    std::swap(tree.item[static_cast<size_t>(i)],
              tree.item[static_cast<size_t>(random.Below(i + 1))]);
  tree.left.assign(static_cast<size_t>(n), -1);
  tree.right.assign(static_cast<size_t>(n), -1);
  auto join = [&](int a, int b) {
    tree.left.push_back(a);
    tree.right.push_back(b);
    tree.item.push_back(-1);
    return static_cast<int>(tree.left.size()) - 1;
  };
  std::vector<int> roots(static_cast<size_t>(n));
  std::iota(roots.begin(), roots.end(), 0);
  while (roots.size() > 1) {
    if (shape == 0) {
      const size_t i = static_cast<size_t>(random.Below(static_cast<int>(roots.size())));
      const int a = roots[i];
      roots.erase(roots.begin() + static_cast<ptrdiff_t>(i));
      const size_t j = static_cast<size_t>(random.Below(static_cast<int>(roots.size())));
      roots[j] = join(a, roots[j]);
    } else if (shape == 1) {
      const int next = roots.back();
      roots.pop_back();
      roots.back() = join(roots.back(), next);
    } else {
      std::vector<int> joined;
      for (size_t i = 0; i + 1 < roots.size(); i += 2)
        joined.push_back(join(roots[i], roots[i + 1]));
      if (roots.size() % 2) joined.push_back(roots.back());
      roots = joined;
    }
  }
  tree.root = roots.front();
  return tree;
}

// Integers 0 … 3 (many ties, exact sums) or distances of points on a coarse grid in 3
// dimensions (ties between equal steps, inexact sums).
CDistance MakeDistance(int n, bool integers, CRandom& random) {
  CDistance d;
  d.Allocate(n);
  std::vector<int> grid(static_cast<size_t>(3 * n));
  for (int& x : grid)
    x = random.Below(5);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      if (integers) {
        d.Set(i, j, random.Below(4));
      } else {
        double sum = 0.0;
        for (int k = 0; k < 3; ++k) {
          const double step =
              grid[static_cast<size_t>(3 * i + k)] - grid[static_cast<size_t>(3 * j + k)];
          sum += step * step;
        }
        d.Set(i, j, std::sqrt(sum));
      }
    }
  }
  return d;
}

uint64_t Hash(uint64_t hash, const std::vector<int>& items) {
  for (const int item : items) {
    hash ^= static_cast<uint64_t>(item) + 1;
    hash *= 0x100000001B3ull;
  }
  return hash;
}

}  // namespace

TEST(LeafOrderStability, TheChoiceAmongEqualOrdersStaysTheSame) {
  // Sizes from a few leaves to several hundred (where the tables run on several threads), every
  // shape, tables chosen by the plan and forced from depths 1 and 3.
  const uint64_t expected[2][4] = {
      {0xa4ac041936b4b526, 0x2357583588144035, 0x4b38bed79b86584d, 0x30b40d20cd01dd49},
      {0xe7630c944f973052, 0xc475c568e327ca01, 0xf73f45026f02292d, 0xb4cab8d677554a6b}};
  for (int kind = 0; kind < 2; ++kind) {
    const int sizes[4] = {9, 60, 300, 700};
    for (int s = 0; s < 4; ++s) {
      uint64_t hash = 0xCBF29CE484222325ull;
      for (int shape = 0; shape < 3; ++shape) {
        CRandom random{static_cast<uint64_t>(1000 * kind + 10 * s + shape)};
        const int n = sizes[s];
        const CBinaryTree tree = MakeTree(n, shape, random);
        const CDistance d = MakeDistance(n, kind == 0, random);
        for (const int depth : {0, 1, 3})
          hash = Hash(hash, OptimalLeafOrder(tree, d, depth).items);
      }
      EXPECT_EQ(hash, expected[kind][s]) << (kind == 0 ? "integers" : "grid points") << ", n "
                                         << sizes[s] << ": 0x" << std::hex << hash;
    }
  }
}

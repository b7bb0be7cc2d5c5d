// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/FarthestPair.h"

#include <vector>

#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/WorkArray.h"

CItemPair FindFarthestPair(const CElements& elements) {
  const std::vector<int>& order = elements.order;
  const int n = static_cast<int>(order.size());
  if (n == 0) return {};
  if (n == 1) return {order[0], order[0]};
  const CDistance& distance = *elements.distance;

  // The largest dissimilarity above 0 and how many pairs reach it, in item order. Dissimilarities
  // that compare false (NaN) are skipped exactly as the scan in position order skips them.
  double largest = 0.0;
  int ties = 0;
  int bestA = -1;
  int bestB = -1;
  for (int a = 0; a < n; ++a) {
    const double* row = distance.Row(a);
    for (int b = a + 1; b < n; ++b) {
      const double d = row[b];
      if (d > largest) {
        largest = d;
        ties = 1;
        bestA = a;
        bestB = b;
      } else if (d == largest && ties > 0) {
        ++ties;
      }
    }
  }
  if (ties == 0) return {order[0], order[1]};
  if (ties == 1) {
    int positionA = 0;
    int positionB = 0;
    for (int p = 0; p < n; ++p) {
      if (order[static_cast<size_t>(p)] == bestA) positionA = p;
      if (order[static_cast<size_t>(p)] == bestB) positionB = p;
    }
    return positionA < positionB ? CItemPair{bestA, bestB} : CItemPair{bestB, bestA};
  }
  // Several pairs share the largest value: the first of them in position order wins.
  for (int p = 0; p < n; ++p) {
    const int a = order[static_cast<size_t>(p)];
    for (int q = p + 1; q < n; ++q) {
      const int b = order[static_cast<size_t>(q)];
      if (distance.At(a, b) == largest) return {a, b};
    }
  }
  return {order[0], order[1]};
}

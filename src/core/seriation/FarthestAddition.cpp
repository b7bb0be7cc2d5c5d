// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/FarthestAddition.h"

#include <limits>
#include <vector>

#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/Extract.h"
#include "seriation/WorkArray.h"

namespace {

// Row c of the packed matrix, d(c, x) for every position x, into `row`.
void CopyRow(const CDistance& d, int c, std::vector<double>& row) {
  const int m = d.size;
  for (int x = 0; x < c; ++x)
    row[static_cast<size_t>(x)] = d.Row(x)[c];
  const double* own = d.Row(c);
  for (int x = c; x < m; ++x)
    row[static_cast<size_t>(x)] = own[x];
}

}  // namespace

void SeriateByFA(CElements& elements, int* sequence, int m) {
  if (m < 2) return;
  const CDistance d = Extract(*elements.distance, sequence, m);

  // Start pair: the first pair in scan order with the largest dissimilarity above 0.
  int a = 0;
  int b = 1;
  double farthest = 0.0;
  for (int i = 0; i < m - 1; ++i) {
    const double* row = d.Row(i);
    for (int j = i + 1; j < m; ++j) {
      if (row[j] > farthest) {
        farthest = row[j];
        a = i;
        b = j;
      }
    }
  }

  // The tour as node positions with the length of the edge leaving each node; the last node
  // repeats the first and has no edge.
  std::vector<int> tour;
  std::vector<double> edge;
  tour.reserve(static_cast<size_t>(m) + 1);
  edge.reserve(static_cast<size_t>(m) + 1);
  tour = {a, b, a};
  edge = {d.At(a, b), d.At(b, a), 0.0};

  std::vector<int> candidates;
  candidates.reserve(static_cast<size_t>(m));
  for (int c = 0; c < m; ++c) {
    if (c != a && c != b) candidates.push_back(c);
  }
  std::vector<double> toTour =
      WorkArray<double>(static_cast<size_t>(m), std::numeric_limits<double>::infinity());
  std::vector<double> row = WorkArray<double>(static_cast<size_t>(m));
  for (const int node : {a, b}) {
    CopyRow(d, node, row);
    for (const int c : candidates) {
      if (row[static_cast<size_t>(c)] < toTour[static_cast<size_t>(c)]) {
        toTour[static_cast<size_t>(c)] = row[static_cast<size_t>(c)];
      }
    }
  }

  while (!candidates.empty()) {
    // The candidate farthest from the tour: the first, then strictly greater above 0.
    size_t chosen = 0;
    double chosenDist = 0.0;
    for (size_t k = 0; k < candidates.size(); ++k) {
      const double v = toTour[static_cast<size_t>(candidates[k])];
      if (v > chosenDist) {
        chosen = k;
        chosenDist = v;
      }
    }
    const int c = candidates[chosen];
    candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(chosen));
    CopyRow(d, c, row);

    // Cheapest edge, the closing one excluded: the first edge, then strictly smaller.
    const size_t edges = tour.size() - 2;
    size_t place = 0;
    double cheapest = 0.0;
    for (size_t k = 0; k < edges; ++k) {
      const double cost =
          row[static_cast<size_t>(tour[k])] + row[static_cast<size_t>(tour[k + 1])] - edge[k];
      if (k == 0 || cost < cheapest) {
        place = k;
        cheapest = cost;
      }
    }
    const double toNext = row[static_cast<size_t>(tour[place + 1])];
    edge[place] = row[static_cast<size_t>(tour[place])];
    tour.insert(tour.begin() + static_cast<std::ptrdiff_t>(place + 1), c);
    edge.insert(edge.begin() + static_cast<std::ptrdiff_t>(place + 1), toNext);

    for (const int x : candidates) {
      if (row[static_cast<size_t>(x)] < toTour[static_cast<size_t>(x)]) {
        toTour[static_cast<size_t>(x)] = row[static_cast<size_t>(x)];
      }
    }
  }

  // Open at the longest edge, the closing one included: the first edge, then strictly greater.
  const size_t edges = tour.size() - 1;
  size_t cut = 0;
  for (size_t k = 1; k < edges; ++k) {
    if (edge[k] > edge[cut]) cut = k;
  }
  std::vector<int> path;
  path.reserve(static_cast<size_t>(m));
  for (size_t k = cut + 1; k + 1 < tour.size(); ++k)
    path.push_back(tour[k]);
  for (size_t k = 0; k <= cut; ++k)
    path.push_back(tour[k]);
  ApplyLocalOrder(sequence, path);
}

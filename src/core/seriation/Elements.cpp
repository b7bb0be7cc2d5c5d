// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/Elements.h"

#include <memory>
#include <numeric>

#include "base/Progress.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/Objective.h"

void CElements::Initialize(int n, CDistance* sideDistance,
                           const std::vector<std::string>* sideLabels,
                           const std::vector<double>& weights) {
  count = n;
  distance = sideDistance;
  labels = sideLabels;
  elements.assign(static_cast<size_t>(n), CElement{});
  for (int k = 0; k < n; ++k) {
    elements[static_cast<size_t>(k)].weight =
        static_cast<size_t>(k) < weights.size() ? weights[static_cast<size_t>(k)] : 1.0 / n;
  }
  marks.assign(static_cast<size_t>(n), 0);
  order.resize(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  selectionStart = 0;
  selectionLength = n;
  selectionShown = false;
  objectiveR = objectiveS = objectiveS2 = 0.0;
  objectiveRKnown = false;
}

void ComputeObjectives(CElements& elements, bool computeR, CProgressReporter* progress) {
  if (elements.distance == nullptr) return;
  const int n = elements.count;
  if (computeR) {
    auto window = OpenItemProgress(progress, "Computing objective function R.", n);
    elements.objectiveR = ObjectiveR(elements.order.data(), n, *elements.distance, window.get());
  }
  elements.objectiveRKnown = computeR;
  auto window = OpenItemProgress(progress, "Computing objective function S.", n);
  const CPathLength path = ObjectiveS(elements.order.data(), n, *elements.distance, window.get());
  elements.objectiveS = path.s;
  elements.objectiveS2 = path.s2;
}

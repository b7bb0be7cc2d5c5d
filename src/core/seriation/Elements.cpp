#include "seriation/Elements.h"

#include <memory>
#include <numeric>

#include "base/Services.h"
#include "data/Distance.h"
#include "dissimilarity/Objective.h"
#include "settings/DocumentContext.h"

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
}

namespace {

std::unique_ptr<CProgress> ProgressFor(CElements& elements, const char* caption) {
  if (elements.count <= 1000 || elements.document == nullptr) return nullptr;
  return elements.document->Services().OpenProgress(caption, elements.count, false);
}

}  // namespace

void ComputeObjectiveR(CElements& elements) {
  if (elements.distance == nullptr) return;
  if (elements.document != nullptr && !elements.document->display.m_bShowObjectiveFunctionsValue) {
    return;
  }
  auto progress = ProgressFor(elements, "Computing objective function R.");
  elements.objectiveR =
      ObjectiveR(elements.order.data(), elements.count, *elements.distance, progress.get());
}

void ComputeObjectiveS(CElements& elements) {
  if (elements.distance == nullptr) return;
  auto progress = ProgressFor(elements, "Computing objective function S.");
  const CPathLength path =
      ObjectiveS(elements.order.data(), elements.count, *elements.distance, progress.get());
  elements.objectiveS = path.s;
  elements.objectiveS2 = path.s2;
}

void ComputeObjectives(CElements& elements) {
  ComputeObjectiveR(elements);
  ComputeObjectiveS(elements);
}

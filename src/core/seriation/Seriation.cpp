// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/Seriation.h"

#include <array>

#include "seriation/Bipolarization.h"
#include "seriation/CentroidSeriation.h"
#include "seriation/DiscreteScaling.h"
#include "seriation/Elements.h"
#include "seriation/FarthestAddition.h"
#include "seriation/MultipleFragment.h"
#include "seriation/NumericScaling.h"
#include "seriation/TwoOpt.h"

namespace {

ESeriationOutcome MultipleFragment(CElements& elements, int* sequence, int m,
                                   const CSeriationOptions& options, const CSeriationRun& run) {
  SeriateByMF(elements, sequence, m);
  if (options.improve) ImproveBy2Opt(elements, sequence, m, run);
  return ESeriationOutcome::kDone;
}

ESeriationOutcome Scaling(CElements& elements, int* sequence, int m,
                          const CSeriationOptions& options, const CSeriationRun& run) {
  if (options.optimisation == EOptimisation::kNumeric) {
    SeriateNumeric(elements, sequence, m, options.rule);
    return ESeriationOutcome::kDone;
  }
  return SeriateDiscrete(elements, sequence, m, options.rule, run);
}

ESeriationOutcome Bipolarization(CElements& elements, int* sequence, int m,
                                 const CSeriationOptions&, const CSeriationRun&) {
  SeriateByBipolarization(elements, sequence, m);
  return ESeriationOutcome::kDone;
}

ESeriationOutcome Centroid(CElements& elements, int* sequence, int m, const CSeriationOptions&,
                           const CSeriationRun& run) {
  SeriateByCentroid(elements, sequence, m, run.observer);
  return ESeriationOutcome::kDone;
}

ESeriationOutcome FarthestAddition(CElements& elements, int* sequence, int m,
                                   const CSeriationOptions& options, const CSeriationRun& run) {
  SeriateByFA(elements, sequence, m);
  if (options.improve) ImproveBy2Opt(elements, sequence, m, run);
  return ESeriationOutcome::kDone;
}

constexpr std::array kMethods{
    CSeriationMethodRow{ESeriation::kMultipleFragment, MultipleFragment},
    CSeriationMethodRow{ESeriation::kScaling, Scaling},
    CSeriationMethodRow{ESeriation::kInertia, Scaling},
    CSeriationMethodRow{ESeriation::kBipolarization, Bipolarization},
    CSeriationMethodRow{ESeriation::kCentroid, Centroid},
    CSeriationMethodRow{ESeriation::kFarthestAddition, FarthestAddition},
};

}  // namespace

std::span<const CSeriationMethodRow> SeriationMethods() {
  return kMethods;
}

ESeriationOutcome SeriateSequence(int* sequence, int m, CElements& elements,
                                  const CSeriationOptions& options, const CSeriationRun& run) {
  if (sequence == nullptr || m < 1 || elements.distance == nullptr) {
    return ESeriationOutcome::kDone;
  }
  for (const CSeriationMethodRow& method : kMethods) {
    if (method.code == options.rule) return method.seriate(elements, sequence, m, options, run);
  }
  return ESeriationOutcome::kDone;
}

ESeriationOutcome Seriate(CElements& elements, const CSeriationOptions& options,
                          const CSeriationRun& run) {
  const int start = elements.selectionStart;
  const int length = elements.selectionLength;
  if (start < 0 || length < 0 || start + length > static_cast<int>(elements.order.size())) {
    return ESeriationOutcome::kDone;
  }
  return SeriateSequence(elements.Sequence(), length, elements, options, run);
}

#include "seriation/Seriation.h"

#include "seriation/Bipolarization.h"
#include "seriation/CentroidSeriation.h"
#include "seriation/DiscreteScaling.h"
#include "seriation/Elements.h"
#include "seriation/FarthestAddition.h"
#include "seriation/MultipleFragment.h"
#include "seriation/NumericScaling.h"
#include "seriation/TwoOpt.h"
#include "settings/TreatmentSettings.h"

void Seriate(CElements& elements) {
  const int start = elements.selectionStart;
  const int length = elements.selectionLength;
  if (start >= 0 && length >= 0 && start + length <= static_cast<int>(elements.order.size())) {
    SeriateSequence(elements.Sequence(), length, elements);
  }
  ComputeObjectives(elements);
}

void SeriateSequence(int* sequence, int m, CElements& elements) {
  if (sequence == nullptr || m < 1 || elements.settings == nullptr ||
      elements.distance == nullptr) {
    return;
  }
  const TreatmentSettings& settings = *elements.settings;
  switch (settings.SetSeriationCriterion) {
    case 0:
      SeriateByMF(elements, sequence, m);
      if (settings.Improve != 0) ImproveBy2Opt(elements, sequence, m);
      break;
    case 1:
    case 2:
      if (settings.SeriationOptimMethode == 0) {
        SeriateNumeric(elements, sequence, m);
      } else {
        SeriateDiscrete(elements, sequence, m);
      }
      break;
    case 3:
      SeriateByBipolarization(elements, sequence, m);
      break;
    case 5:
      SeriateByCentroid(elements, sequence, m);
      break;
    case 6:
      SeriateByFA(elements, sequence, m);
      if (settings.Improve != 0) ImproveBy2Opt(elements, sequence, m);
      break;
    default:
      break;
  }
}

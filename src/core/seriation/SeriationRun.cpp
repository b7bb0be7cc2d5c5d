// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/SeriationRun.h"

#include "settings/TreatmentSettings.h"

CSeriationOptions SeriationOptionsOf(const TreatmentSettings& settings) {
  return {settings.SetSeriationCriterion, settings.Improve != 0, settings.SeriationOptimMethode};
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/ReadContext.h"

#include "settings/TreatmentSettings.h"

CReadOptions ReadOptionsOf(const TreatmentSettings& settings) {
  return {settings.SeparateurBlanc != 0, settings.TitleCol != 0, settings.TitleRow != 0};
}

int ConfirmRowsToRead(int rows, const CReadContext& context, CReadOutcome& outcome) {
  if (rows < kLargeTableRows || !context.confirmLargeTable) return rows;
  const CLargeTableAnswer answer = context.confirmLargeTable(rows);
  if (!answer.confirmed) return 0;
  outcome.computeObjectiveR = !answer.skipObjectiveR;
  switch (answer.choice) {
    case CLargeTableAnswer::kContinue:
      return rows;
    case CLargeTableAnswer::kRestrict:
      return kLargeTableRows;
    default:
      return 0;
  }
}

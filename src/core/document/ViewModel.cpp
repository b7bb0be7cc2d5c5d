// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ViewModel.h"

#include <atomic>

#include "base/Services.h"
#include "base/StepTimer.h"
#include "document/QuorvelDoc.h"
#include "seriation/Elements.h"

namespace {
std::atomic<int> openViews{0};
}

CViewModel::CViewModel(CQuorvelDoc& document) : document_(&document) {
  ++openViews;
}

CViewModel::~CViewModel() {
  --openViews;
}

int CViewModel::OpenCount() {
  return openViews.load();
}

void CViewModel::ComputeObjectives() {
  ComputeObjectivesOf(true);
  ComputeObjectivesOf(false);
}

void CViewModel::ComputeObjectivesOf(bool rows) {
  CStepTimer timer("R and S");
  ::ComputeObjectives(Side(rows), document_->ComputesObjectiveR(), &document_->Services());
}

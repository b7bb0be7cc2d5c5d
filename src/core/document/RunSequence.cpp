// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/RunSequence.h"

#include "document/Pipeline.h"
#include "document/QuorvelDoc.h"

bool OpenWithFirstWindow(CQuorvelDoc& document, const std::string& path, int* failureCode,
                         const std::function<void(CQuorvelDoc&)>& opened) {
  if (!document.OpenDocument(path, failureCode)) return false;
  if (opened) opened(document);
  document.CreateView();
  return true;
}

void RunPendingAutomation(CQuorvelDoc& document) {
  if (!document.automationPending || document.currentView == nullptr) return;
  RunAutomation(document, true, true);
  document.automationPending = false;
}

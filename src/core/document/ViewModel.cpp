#include "document/ViewModel.h"

#include <atomic>

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
  ::ComputeObjectives(rowTree);
  ::ComputeObjectives(columnTree);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class CDistance;
class CProgressReporter;

// One item of a side.
struct CElement {
  double weight = 0.0;
};

// The order of one side of a window (rows or columns): a permutation of the item indices, the
// per-item weights and cluster marks, the side's dissimilarities, the selection to work on and
// the objective values of the order. Copies are deep except for the shared matrix and labels.
class CElements {
 public:
  CElements() = default;
  virtual ~CElements() = default;
  CElements(const CElements&) = default;
  CElements& operator=(const CElements&) = default;

  // Binds the side to its matrix and labels and starts it as the identity order of n items,
  // all selected, without user selection; weights come from `weights` (or 1/n when empty).
  void Initialize(int n, CDistance* sideDistance, const std::vector<std::string>* sideLabels,
                  const std::vector<double>& weights);

  // The sequence a seriation works on: selectionLength entries of `order` from selectionStart.
  int* Sequence() { return order.data() + selectionStart; }

  std::vector<CElement> elements;
  std::vector<int> marks;  // per item: 0 unmarked, else the mark's colour (red in the low byte)
  int count = 0;
  const std::vector<std::string>* labels = nullptr;
  std::vector<int> order;
  int selectionStart = 0;
  CDistance* distance = nullptr;
  bool byRows = true;
  int selectionLength = 0;
  bool selectionShown = false;
  double objectiveR = 0.0;
  // objectiveR belongs to the current order (it is not computed while the objective functions
  // are hidden, nor after the large-table question declined it).
  bool objectiveRKnown = false;
  double objectiveS = 0.0;
  double objectiveS2 = 0.0;
};

// Recomputes R then S and S2 of the side's order, as after every change of order. R only when
// `computeR` (the objective functions are shown); otherwise it keeps its last value. Progress
// windows above 1000 items.
void ComputeObjectives(CElements& elements, bool computeR, CProgressReporter* progress);

#pragma once

#include <string>
#include <vector>

class CDistance;
class CDocumentContext;
struct TreatmentSettings;

// One item of a side. The two integers are not used by seriation.
struct CElement {
  int first = 0;
  int second = 0;
  double weight = 0.0;
};

// Watches a seriation that shows its steps (centroid seriation, the improvement loops): the
// view repaints and shows the segment being worked on. A batch run has none.
class CSeriationObserver {
 public:
  virtual ~CSeriationObserver() = default;
  virtual void Repaint() = 0;
  // Selects `length` positions of the side's order from `start` (centroid seriation).
  virtual void SelectSegment(int start, int length) = 0;
};

// The order of one side of a window (rows or columns): a permutation of the item indices, the
// per-item weights and cluster marks, the side's dissimilarities, the selection to work on and
// the objective values of the order. Copies are deep except for the shared matrix, labels,
// settings and document.
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
  TreatmentSettings* settings = nullptr;
  CDocumentContext* document = nullptr;
  bool byRows = true;
  int selectionLength = 0;
  bool selectionShown = false;
  double objectiveR = 0.0;
  double objectiveS = 0.0;
  double objectiveS2 = 0.0;
  CSeriationObserver* observer = nullptr;
};

// Recomputes R, only while the document shows the objective functions (otherwise R keeps its
// last value); progress above 1000 items.
void ComputeObjectiveR(CElements& elements);
// Recomputes S and S2; progress above 1000 items.
void ComputeObjectiveS(CElements& elements);
// R then S, as after every change of order.
void ComputeObjectives(CElements& elements);

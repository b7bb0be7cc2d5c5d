#pragma once

class CElements;

// Seriates the sequence of `elements` (selectionLength entries of `order` from selectionStart)
// with the rule SetSeriationCriterion, then recomputes the objective functions (R only while they
// are shown, S always). A selection that does not lie inside the order changes nothing.
void Seriate(CElements& elements);

// Rewrites the m item indices of `sequence` with a permutation of the same items, by the rule
// SetSeriationCriterion of elements.settings:
//   0 multiple fragment, then 2-opt when Improve is non-zero;
//   1, 2 UDS or inertia, numeric when SeriationOptimMethode is 0, discrete otherwise;
//   3 bipolarization; 5 centroid seriation;
//   6 farthest addition, then 2-opt when Improve is non-zero;
//   any other code nothing.
// The dissimilarities are those of elements.distance; `sequence` need not lie in the order
// (tree seriation passes the item list of a node).
void SeriateSequence(int* sequence, int m, CElements& elements);

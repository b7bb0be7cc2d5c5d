// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

#include "seriation/SeriationRun.h"

class CElements;

// A plain seriation method: rewrites the m item indices of `sequence` with a permutation of the
// same items, by the dissimilarities of elements.distance; `sequence` need not lie in the order
// (tree seriation passes the item list of a node).
using SeriationMethod = ESeriationOutcome (*)(CElements& elements, int* sequence, int m,
                                              const CSeriationOptions& options,
                                              const CSeriationRun& run);

// One row per plain seriation rule:
//   multiple fragment, then 2-opt when `improve`;
//   UDS and inertia, numeric or discrete by `optimisation`;
//   bipolarization; centroid seriation;
//   farthest addition, then 2-opt when `improve`.
struct CSeriationMethodRow {
  ESeriation code;
  SeriationMethod seriate;
};
std::span<const CSeriationMethodRow> SeriationMethods();

// Seriates `sequence` by the method of options.rule; a rule without a method changes nothing.
ESeriationOutcome SeriateSequence(int* sequence, int m, CElements& elements,
                                  const CSeriationOptions& options, const CSeriationRun& run);

// Seriates the selection of `elements` (selectionLength entries of `order` from selectionStart);
// a selection that does not lie inside the order changes nothing. The caller recomputes the
// objective functions.
ESeriationOutcome Seriate(CElements& elements, const CSeriationOptions& options,
                          const CSeriationRun& run);

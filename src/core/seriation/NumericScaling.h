// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "settings/Choices.h"

class CDistance;
class CElements;

// The m × m matrix (row after row) whose dominant eigenvector orders the items of a scaling
// seriation, from the dissimilarities d' of the sequence by position, with r_i = Σ_{j≠i} d'(i, j)²
// (j ascending) and T = Σ r_i:
// - UDS (kScaling), the double-centred squared dissimilarities:
//   M_ij = −½ · (d'(i, j)² − (r_i + r_j)/m + T/m²), with m² rounded to single precision;
// - inertia (kInertia): M_ij = −d'(i, j)² off the diagonal, M_ii = r_i.
// Time and memory O(m²).
std::vector<double> ScalingMatrix(const CDistance& positional, ESeriation criterion);

// Numeric UDS or inertia (`criterion` kScaling or kInertia; nothing for another): sorts the
// sequence by the components of the dominant eigenvector of ScalingMatrix, ascending, with the
// selection sort that exchanges position p with every later position holding a strictly smaller
// value. The eigenvector's component at position 1 is made positive, which fixes the direction of
// the result. Time O(m²) per power-iteration step, memory m² doubles.
void SeriateNumeric(CElements& elements, int* sequence, int m, ESeriation criterion);

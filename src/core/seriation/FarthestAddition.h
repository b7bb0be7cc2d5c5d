// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CElements;

// Seriation by the farthest-addition heuristic: a closed tour starts from the two positions
// farthest apart (a, b, a); the candidate farthest from the tour (its distance to the tour being
// its smallest dissimilarity to a tour node) is inserted where it lengthens the tour least, never
// on the closing edge back to the start; the finished tour is opened at its longest edge and the
// sequence rewritten in the order of the path.
//
// Ties: the first pair in scan order (first position ascending, then second), the first
// candidate in position order, the first edge along the tour; a best value is replaced only by a
// strictly better one. With every dissimilarity 0 the start is positions 0 and 1 and the first
// candidate is taken. Two items come back in reverse order (both edges of a, b, a are equally
// long and the first is cut).
//
// The candidates' distances to the tour are kept up to date as nodes are inserted (they only
// decrease), with the same values and ties as a fresh scan. Time O(m²), memory m(m+1)/2 doubles.
void SeriateByFA(CElements& elements, int* sequence, int m);

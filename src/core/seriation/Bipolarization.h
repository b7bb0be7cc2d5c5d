// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CElements;

// Seriation by bipolarization: the poles P1, P2 are the farthest pair of the whole side
// (FindFarthestPair); the sequence is filled from both ends at once, the front slot i with the
// unused item farthest from P1, the back slot m − 1 − i with the unused item farthest from P2,
// for i = 0 … ⌈m/2⌉ − 1 (an odd middle slot comes from the P1 side). The result runs from P2's
// side to P1's side.
//
// Ties: the two lists of (dissimilarity to the pole, position) are sorted ascending by a stable
// insertion sort, and each end takes the unused entry nearest the end of its list, so among equal
// dissimilarities the later position is taken first. Time O(m²) for the sorts in the worst case
// (O(n²) for the poles), memory O(m).
void SeriateByBipolarization(CElements& elements, int* sequence, int m);

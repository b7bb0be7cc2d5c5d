// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CElements;
struct CSeriationRun;

// Improves the open path of the sequence by 2-opt: each pass finds the reversal of an inner
// segment s_{i+1} … s_{j−1} that shortens the path most, its gain being
// d(s_i, s_{i+1}) + d(s_{j−1}, s_j) − d(s_i, s_{j−1}) − d(s_{i+1}, s_j), and applies it; passes
// go on while a pass gained more than 0.00001 and the stop button was not pressed. The first and
// the last item of the sequence never move.
//
// Ties: i ascending, then j ascending, a strictly larger gain replaces the best, so the first best
// reversal wins. Reversals of a single item change nothing and are not candidates (their gain is
// 0, or a rounding residue that would repeat the same empty move for ever).
//
// The progress window "2-Opt local search heuristic. Improving the solution." (range 50, with a
// stop button) is open for the whole run when the run has a reporter; the observer repaints after
// every pass.
//
// The dissimilarities are copied by current position (each gain reads two contiguous rows), and
// every row keeps its best reversal, so a pass recomputes only the gains the last reversal
// changed: O(m·L) for a reversed segment of L items instead of O(m²), with the same move as a
// full scan. Memory m² doubles.
void ImproveBy2Opt(CElements& elements, int* sequence, int m, const CSeriationRun& run);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CElements;
class CSeriationObserver;

// Centroid seriation: the sequence becomes a list whose ends (the anchors) are the two items
// farthest apart, and each segment A … B of the list is split around its medoid s: the nodes
// between A and s that lie relatively nearer B (f(x) = d(x, A)² − d(x, B)² above f(s)) move just
// after s, then the nodes that were between s and B and lie relatively nearer A (f below f(s)) move
// just before s, and both halves A … s and s … B are split in turn. A segment of at most two inner
// nodes stays as it is. A segment that starts at the front anchor (ends at the back anchor) first
// lets any inner node farther from the other end than the anchor replace the anchor.
//
// The medoid of the whole list is the inner node with the smallest row sum over the side; the
// medoid of a part is the inner node with the smallest sum of dissimilarities to the nodes from A
// up to, not including, B. f(x) of a candidate is rounded to single precision before it is
// compared with f(s). Ties: the first in list order; bests are replaced only by strictly better
// values.
//
// After each split the observer (when there is one) selects the segment in the side's
// order and repaints. Time O(m²) per level of splitting, memory O(m).
void SeriateByCentroid(CElements& elements, int* sequence, int m, CSeriationObserver* observer);

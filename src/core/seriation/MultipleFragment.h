// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CElements;

// Seriation by the multiple-fragment heuristic: the sequence's m items start as m path fragments,
// and the two fragments whose nearest ends are closest are joined until one path remains; the
// sequence is rewritten in the order of that path, head first (no normalisation of direction).
//
// Ties: each fragment keeps its nearest partner among the active fragments of larger index
// (smallest index wins), the pair to join is the fragment of smallest index among equally near
// ones, and the ends are matched in a fixed order (tail–head, head–head, head–tail, tail–tail).
// A nearest entry is recomputed only when its partner was joined. Distances of any size, infinite
// ones included, take part in the searches.
//
// The distance of two fragments is always the smallest of their four end dissimilarities, so it
// is read from the ends rather than stored. Time O(m²) plus O(m) per recomputed nearest entry;
// memory m² doubles (the sequence's dissimilarities by position).
void SeriateByMF(CElements& elements, int* sequence, int m);

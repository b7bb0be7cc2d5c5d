// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CElements;

struct CItemPair {
  int first = -1;
  int second = -1;
};

// The two items of the side farthest apart. Pairs of entries of `order` (the whole side,
// whatever the selection) are taken first entry ascending, then second entry ascending; a pair
// replaces the best only with a strictly larger dissimilarity, starting from 0, so the first pair
// in that order wins ties; every dissimilarity 0 gives the first two entries. The items come back
// in the order of their positions. A side of one item gives that item twice, an empty side -1.
//
// The largest value is found by streaming the packed triangle; only when several pairs share it
// is the order scanned for the first of them. Time O(n²), memory O(n).
CItemPair FindFarthestPair(const CElements& elements);

#pragma once

#include "data/Distance.h"

// The dissimilarities of the m items of `sequence` by position: d'(i, j) = d(sequence[i],
// sequence[j]). The result shares the data table and the document of `distance`; its sums,
// mean and maximum stay 0 until SumByRows is called. Time O(m²), memory m(m+1)/2 doubles.
CDistance Extract(const CDistance& distance, const int* sequence, int m);

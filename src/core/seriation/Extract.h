// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dissimilarity/Distance.h"

// The dissimilarities of the m items of `sequence` by position: d'(i, j) = d(sequence[i],
// sequence[j]). Its sums, mean and maximum stay 0 until SumByRows is called. Time O(m²), memory
// m(m+1)/2 doubles.
CDistance Extract(const CDistance& distance, const int* sequence, int m);

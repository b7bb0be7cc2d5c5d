// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class CDistance;

// The dissimilarities of the m items of `sequence` as a full square matrix by position, row
// after row: entry x·m + y is d(sequence[x], sequence[y]). Every row can then be read from left
// to right, which the seriation searches need. Built in 64 × 64 tiles across threads (plain
// copies, so the result never depends on them). Time O(m²), memory m² doubles.
std::vector<double> SquareByPosition(const CDistance& distance, const int* sequence, int m);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class CDistance;
class CMatrix;
class CProgress;

// The value of a binary measure from the match counts of a pair over its complete positions:
// a = (1, 1), b = (1, 0), c = (0, 1), d = (0, 0).
using BinaryFormula = double (*)(int64_t a, int64_t b, int64_t c, int64_t d);

// Fill the pairs i < j of `matrix` with a binary measure between the rows (byColumns false) or
// the columns of a 0/1 table: Euclidean sqrt(b + c), Manhattan b + c, Jaccard 1 − a/(a + b + c),
// Dice 1 − (2a + d)/(2a + b + c + d). Each returns false when a pair has no complete position or
// only 0–0 matches over every position: the walk stops at the first such pair in scan order and
// the entries from it on are 0. With `sequence` (null: every item in index order), the
// matrix's item k is the side's item sequence[k], for the matrix's size.
bool ComputeBinaryEuclidean(const CMatrix& table, bool byColumns, CDistance& matrix,
                            CProgress* progress, const int* sequence = nullptr);
bool ComputeBinaryManhattan(const CMatrix& table, bool byColumns, CDistance& matrix,
                            CProgress* progress, const int* sequence = nullptr);
bool ComputeBinaryJaccard(const CMatrix& table, bool byColumns, CDistance& matrix,
                          CProgress* progress, const int* sequence = nullptr);
bool ComputeBinaryDice(const CMatrix& table, bool byColumns, CDistance& matrix, CProgress* progress,
                       const int* sequence = nullptr);

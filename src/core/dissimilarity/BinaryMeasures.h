#pragma once

class CDistance;
class CMatrix;
class CProgress;

// Fills the pairs i < j of `matrix` with the binary measure `code` (1 Euclidean, 4 Jaccard,
// 5 Dice, 7 Manhattan) between the rows (byColumns false) or the columns of a 0/1 table. Returns
// false when a pair has no complete position or only 0–0 matches over every position: the walk
// stops at the first such pair in scan order and the entries from it on are 0.
bool ComputeBinaryMeasure(int code, const CMatrix& table, bool byColumns, CDistance& matrix,
                          CProgress* progress);

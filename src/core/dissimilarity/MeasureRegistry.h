// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

#include "settings/Choices.h"

class CData;
class CDistance;
class CProgress;

// How a measure fills the pairs i < j of a side's matrix (allocated for the side, its diagonal
// 0) for one data type. False when a pair has no complete position: the walk stops at the first
// such pair in scan order and the entries from it on are 0. With `sequence` (null: every item of
// the side in index order), the matrix holds the side's items sequence[0 … matrix.size − 1] by
// position: matrix(p, q) = d(sequence[p], sequence[q]), bit for bit the side's own value.
using MeasureKernel = bool (*)(const CData& data, bool byColumns, CDistance& matrix,
                               CProgress* progress, const int* sequence);

// One row per measure: its kernel for each data type that implements it (null for the others,
// whose matrices stay at 0). The rows of the choice registry say which types a measure applies
// to; both agree.
struct CMeasureRow {
  EDissimilarity code;
  MeasureKernel numerical = nullptr;
  MeasureKernel binary = nullptr;
  MeasureKernel nominal = nullptr;
  MeasureKernel contingency = nullptr;

  MeasureKernel For(EDataType type) const;
};

std::span<const CMeasureRow> MeasureRows();
const CMeasureRow* FindMeasure(EDissimilarity code);

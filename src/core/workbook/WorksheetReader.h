// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class CSharedStrings;
class CWorksheet;

// Reads the worksheet substream that starts at `offset` of the workbook stream into `sheet`.
// At most `budget` bytes of records are walked (the rest of the sheet is left out) and the bytes
// walked are subtracted, so sheets that claim overlapping substreams cannot multiply the work.
void ReadWorksheet(std::span<const uint8_t> stream, size_t offset, const CSharedStrings& strings,
                   size_t& budget, CWorksheet& sheet);

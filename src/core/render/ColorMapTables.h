// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// Published colour maps of 256 entries, 0xRRGGBB each, from the low end to the high end.
const std::array<std::uint32_t, 256>& ViridisTable();
const std::array<std::uint32_t, 256>& CividisTable();

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "workbook/WorkbookCell.h"

// Decodes the 32-bit RK form of a number: an integer or a real cell.
CWorkbookCell DecodeRk(uint32_t rk);

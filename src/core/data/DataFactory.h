// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "data/Data.h"

// The data table of a data type (any other code gives the numerical table).
std::unique_ptr<CData> CreateDataTable(EDataType dataType);

#pragma once

#include <memory>

#include "data/Data.h"

// The data table of a DataType code: 0 numerical, 1 binary, 2 nominal, 3 contingency table
// (any other code gives the numerical table).
std::unique_ptr<CData> CreateDataTable(int dataType);

#pragma once

#include "data/ReadContext.h"

class CData;

// Reads the text table `data.fileName` into `data` (counts, labels, title, values) and returns
// its result code, with the system's reason for code 9.
CReadOutcome ReadTextTable(CData& data, const CReadOptions& options, const CReadContext& context);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string_view>

// The filter of the data-file open dialog is DataFileFilter() of data/TableFileReader.h, made
// from the formats the readers know.

// Converts a filter of the program's form, pairs of name and patterns separated by "|" and
// ended by "||" ("Text|*.txt|All|*.*||"), into Qt's form ("Text (*.txt);;All (*)"). Qt reads
// the patterns from the parentheses of each name, blank-separated, so a name's own parenthesised
// pattern list is replaced by the pair's patterns.
QString QtFileFilter(std::string_view filter);

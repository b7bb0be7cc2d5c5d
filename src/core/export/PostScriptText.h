// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// A label as the body of a PostScript string: decoded like every label (UTF-8 when valid, else
// Latin-1), the accented letters é, è, ê, ë, à, ù and ç replaced by their base letter, any other
// character outside Latin-1 replaced by "?", written as Latin-1 bytes, with parentheses and
// backslashes escaped so that no label can end the string early.
std::string PostScriptString(std::string_view label);

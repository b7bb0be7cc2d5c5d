// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Labels come from files in any encoding: text that is valid UTF-8 is read as UTF-8, anything
// else byte by byte as Latin-1. Returns the characters as code points.
std::u32string DecodeLabel(std::string_view text);

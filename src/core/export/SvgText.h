// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// A label as the text of an SVG element or attribute: decoded like every label (UTF-8 when
// valid, else Latin-1), written as UTF-8 with &, <, >, " and ' escaped. Characters that XML 1.0
// does not allow (control characters other than tab, line feed and carriage return, lone
// surrogates, U+FFFE and U+FFFF) become U+FFFD, so any label keeps the file well-formed and
// still shows that something was there.
std::string SvgText(std::string_view label);

// Appends SvgText(label) to `out`.
void AppendSvgText(std::string& out, std::string_view label);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// `value` with `precision` decimals and a point, right-aligned in `width` characters: the text
// of printf("%*.*f") in the C locale, whatever locale the process runs in (the platform's
// application object adopts the user's locale, which may write decimal commas).
std::string FixedText(double value, int precision, int width = 0);

// An integer in decimal, as "%d" writes it.
std::string IntegerText(long long value);

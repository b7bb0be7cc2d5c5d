// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// UTF-16 code units as UTF-8. Surrogate pairs join into one character; a lone surrogate becomes
// U+FFFD, so the result is always valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 (as expat delivers it, always well-formed) as UTF-16 code units; a malformed sequence
// becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// printf-style formatting into a std::string (C locale for numbers is the caller's concern:
// the program never changes the C locale, so "%f" writes a point).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Number of characters of a label: code points when the bytes are valid UTF-8, else bytes
// (single-byte text).
int CharacterCount(std::string_view text);

// True when `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// ASCII lower case; bytes above 127 are kept.
std::string ToLowerAscii(std::string_view text);

// Case-insensitive ASCII comparison.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Appends the UTF-8 bytes of the code point `code` (at most 0x10FFFF; surrogates are the
// caller's concern).
void AppendUtf8(std::string& out, char32_t code);

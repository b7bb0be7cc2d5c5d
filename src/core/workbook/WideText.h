#pragma once

#include <string>
#include <string_view>

// UTF-16 code units as UTF-8. Surrogate pairs join into one character; a lone surrogate becomes
// U+FFFD, so the result is always valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view text);

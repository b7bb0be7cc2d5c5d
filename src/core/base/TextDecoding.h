// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// How the bytes of a text file were turned into UTF-8.
enum class ETextEncoding {
  kUtf8,          // valid UTF-8 (plain ASCII included), no byte-order mark
  kUtf8WithMark,  // valid UTF-8 after a byte-order mark, which was dropped
  kUtf16LE,       // UTF-16 little-endian with its mark
  kUtf16BE,       // UTF-16 big-endian with its mark
  kWindows1252,   // not valid UTF-8: read as Windows-1252 (Latin-1 with the C1 punctuation)
};

struct CDecodedText {
  std::string text;  // UTF-8
  ETextEncoding encoding = ETextEncoding::kUtf8;
};

// Decodes the bytes of a text file: a UTF-8 mark is dropped, UTF-16 with its mark is converted
// (a lone surrogate or a trailing odd byte becomes U+FFFD), valid UTF-8 is kept as it is and
// anything else is read as Windows-1252. Plain UTF-8 and ASCII come back unchanged (moved, not
// copied). Cost: one pass over the bytes, plus the converted copy when there is one.
CDecodedText DecodeText(std::string bytes);

// Windows-1252 bytes as UTF-8 (the five undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep
// their Latin-1 code points, so nothing is lost).
std::string Windows1252ToUtf8(std::string_view bytes);

// The notice a reader gives for a file read as Windows-1252; empty for the lossless decodings
// (UTF-8 with or without its mark, UTF-16).
std::string EncodingNotice(ETextEncoding encoding, std::string_view fileName);

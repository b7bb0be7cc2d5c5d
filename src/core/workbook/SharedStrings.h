// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The shared string table of a workbook: every string as UTF-16 code units with the width the
// file stored it in (8-bit strings hold Latin-1, one byte per code unit).
class CSharedStrings {
 public:
  // Reads the table from the SST record body followed by its CONTINUE bodies. Keeps the strings
  // read before the data runs out or turns out malformed.
  void Read(std::span<const std::span<const uint8_t>> segments);

  // Appends a string (the shared and inline strings of XML workbooks) and returns its index.
  uint32_t Add(std::u16string_view text, bool wide);

  size_t Count() const { return strings_.size(); }
  std::u16string_view Text(size_t index) const;
  // True when the string's header says 16-bit characters.
  bool IsWide(size_t index) const { return strings_[index].wide; }

 private:
  struct Entry {
    size_t offset = 0;
    size_t length = 0;
    bool wide = false;
  };
  std::u16string pool_;
  std::vector<Entry> strings_;
};

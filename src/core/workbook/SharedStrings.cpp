// SPDX-License-Identifier: GPL-3.0-or-later
// Shared string table (SST) of a BIFF8 workbook. After the total and unique counts, each string
// is a 16-bit character count, an option byte (bit 0: 16-bit characters, bit 2: extended data
// follows with a 32-bit size, bit 3: rich-text runs follow with a 16-bit count), the characters,
// 4 bytes per run and the extended data. A string's characters may continue in the next CONTINUE
// record, which then opens with a fresh option byte giving the width of the rest; headers, runs
// and extended data continue without one. The unique count is only an upper bound: reading stops
// where the data ends. Cost: time and memory linear in the record bytes.
#include "workbook/SharedStrings.h"

#include <algorithm>

#include "workbook/LittleEndian.h"

namespace {

// Reads across the record and its CONTINUE bodies as one sequence of bytes, except that the
// caller decides what happens at a segment boundary inside characters.
class CSegmentReader {
 public:
  explicit CSegmentReader(std::span<const std::span<const uint8_t>> segments)
      : segments_(segments) {
    for (const auto& segment : segments)
      remaining_ += segment.size();
  }

  uint64_t Remaining() const { return remaining_; }
  size_t LeftInSegment() const {
    return index_ < segments_.size() ? segments_[index_].size() - position_ : 0;
  }
  // Moves to the start of the next non-exhausted segment; false when none is left.
  bool NextSegment() {
    if (index_ >= segments_.size()) return false;
    remaining_ -= LeftInSegment();
    ++index_;
    position_ = 0;
    return index_ < segments_.size();
  }
  bool Byte(uint8_t& value) {
    while (LeftInSegment() == 0) {
      if (!NextSegment()) return false;
    }
    value = segments_[index_][position_++];
    --remaining_;
    return true;
  }
  bool U16(uint16_t& value) {
    uint8_t low, high;
    if (!Byte(low) || !Byte(high)) return false;
    value = static_cast<uint16_t>(low | (high << 8));
    return true;
  }
  bool U32(uint32_t& value) {
    uint16_t low, high;
    if (!U16(low) || !U16(high)) return false;
    value = low | (static_cast<uint32_t>(high) << 16);
    return true;
  }
  bool Skip(uint64_t count) {
    if (count > remaining_) return false;
    while (count > 0) {
      while (LeftInSegment() == 0)
        NextSegment();
      const size_t step = static_cast<size_t>(std::min<uint64_t>(count, LeftInSegment()));
      position_ += step;
      remaining_ -= step;
      count -= step;
    }
    return true;
  }
  // Appends up to `count` characters of the given width from the current segment only.
  size_t Characters(size_t count, bool wide, std::u16string& out) {
    const size_t unit = wide ? 2 : 1;
    const size_t n = std::min(count, LeftInSegment() / unit);
    const std::span<const uint8_t> bytes = segments_[index_].subspan(position_, n * unit);
    for (size_t i = 0; i < n; ++i) {
      out.push_back(wide ? static_cast<char16_t>(ReadU16(bytes, 2 * i))
                         : static_cast<char16_t>(bytes[i]));
    }
    position_ += n * unit;
    remaining_ -= n * unit;
    return n;
  }

 private:
  std::span<const std::span<const uint8_t>> segments_;
  size_t index_ = 0;
  size_t position_ = 0;
  uint64_t remaining_ = 0;
};

}  // namespace

std::u16string_view CSharedStrings::Text(size_t index) const {
  const Entry& entry = strings_[index];
  return std::u16string_view(pool_).substr(entry.offset, entry.length);
}

void CSharedStrings::Read(std::span<const std::span<const uint8_t>> segments) {
  pool_.clear();
  strings_.clear();
  CSegmentReader reader(segments);
  uint32_t total, unique;
  if (!reader.U32(total) || !reader.U32(unique)) return;
  // Each string takes at least three bytes, which bounds what a false count may reserve.
  strings_.reserve(static_cast<size_t>(std::min<uint64_t>(unique, reader.Remaining() / 3)));
  for (uint32_t s = 0; s < unique; ++s) {
    uint16_t count;
    uint8_t options;
    if (!reader.U16(count) || !reader.Byte(options)) return;
    uint16_t runs = 0;
    uint32_t extended = 0;
    if ((options & 0x08) && !reader.U16(runs)) return;
    if ((options & 0x04) && !reader.U32(extended)) return;
    Entry entry{pool_.size(), count, (options & 0x01) != 0};
    bool wide = entry.wide;
    for (size_t left = count; left > 0;) {
      if (reader.LeftInSegment() == 0) {
        // The characters go on in the next CONTINUE record, which restates the width.
        uint8_t width;
        if (!reader.NextSegment() || !reader.Byte(width)) {
          pool_.resize(entry.offset);
          return;
        }
        wide = (width & 0x01) != 0;
        continue;
      }
      const size_t got = reader.Characters(left, wide, pool_);
      if (got == 0) {  // half a 16-bit character at the end of a record
        pool_.resize(entry.offset);
        return;
      }
      left -= got;
    }
    if (!reader.Skip(4ull * runs + extended)) {
      pool_.resize(entry.offset);
      return;
    }
    strings_.push_back(entry);
  }
}

uint32_t CSharedStrings::Add(std::u16string_view text, bool wide) {
  strings_.push_back({pool_.size(), text.size(), wide});
  pool_.append(text);
  return static_cast<uint32_t>(strings_.size() - 1);
}

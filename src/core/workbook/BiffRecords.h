// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Record types of the BIFF8 workbook stream that the reader interprets.
namespace biff {
inline constexpr uint16_t kBof = 0x0809;
inline constexpr uint16_t kEof = 0x000A;
inline constexpr uint16_t kContinue = 0x003C;
inline constexpr uint16_t kBoundSheet = 0x0085;
inline constexpr uint16_t kSharedStrings = 0x00FC;
inline constexpr uint16_t kDimensions = 0x0200;
inline constexpr uint16_t kNumber = 0x0203;
inline constexpr uint16_t kRk = 0x027E;
inline constexpr uint16_t kMulRk = 0x00BD;
inline constexpr uint16_t kLabelSst = 0x00FD;
inline constexpr uint16_t kBoolErr = 0x0205;
}  // namespace biff

struct CBiffRecord {
  uint16_t type = 0;
  size_t offset = 0;  // of the record header in the stream
  std::span<const uint8_t> body;
};

// Walks the records of a BIFF stream: a 16-bit type, a 16-bit length and the body. A record
// whose body would run past the end of the stream ends the walk.
class CBiffRecordCursor {
 public:
  CBiffRecordCursor(std::span<const uint8_t> stream, size_t offset)
      : stream_(stream), position_(offset) {}

  // The next record; false at the end of the stream or at a truncated record.
  bool Next(CBiffRecord& record);
  // Appends the bodies of the CONTINUE records that follow the last record and moves past them.
  void TakeContinues(std::vector<std::span<const uint8_t>>& segments);
  // Bytes walked so far (headers and bodies).
  size_t Walked() const { return walked_; }

 private:
  bool Peek(CBiffRecord& record) const;

  std::span<const uint8_t> stream_;
  size_t position_;
  size_t walked_ = 0;
};

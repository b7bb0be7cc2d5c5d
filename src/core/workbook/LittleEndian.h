// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

// Little-endian fields of the workbook formats. The caller checks that the bytes exist.
inline uint16_t ReadU16(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline uint32_t ReadU32(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
         (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

inline uint64_t ReadU64(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint64_t>(ReadU32(bytes, offset)) |
         (static_cast<uint64_t>(ReadU32(bytes, offset + 4)) << 32);
}

inline double ReadDouble(std::span<const uint8_t> bytes, size_t offset) {
  const uint64_t bits = ReadU64(bytes, offset);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// True when `count` bytes from `offset` lie inside `bytes` (no overflow on huge offsets).
inline bool HasBytes(std::span<const uint8_t> bytes, uint64_t offset, uint64_t count) {
  return offset <= bytes.size() && count <= bytes.size() - offset;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

// The members of a zip archive held in memory (the container of .xlsx and .ods workbooks), read
// with minizip. Nothing is written.
class CZipArchive {
 public:
  // At most this many bytes are inflated from one member: a member claiming more (a zip bomb,
  // a damaged file) ends its reading there as a failure.
  static constexpr uint64_t kMaxMemberBytes = uint64_t{1} << 30;

  CZipArchive() = default;
  ~CZipArchive();
  CZipArchive(const CZipArchive&) = delete;
  CZipArchive& operator=(const CZipArchive&) = delete;

  // Opens the archive whose bytes are `bytes` (they must outlive the archive). False when they
  // are no zip archive.
  bool Open(std::span<const uint8_t> bytes);

  bool Has(const std::string& member);
  // Hands the inflated bytes of `member` to `consume` piece by piece; `consume` returns false to
  // stop. False when the member is missing, damaged, or larger than kMaxMemberBytes (pieces handed
  // out before the failure are not taken back).
  bool Read(const std::string& member, const std::function<bool(std::string_view)>& consume);
  // The whole member, at most `limit` bytes; false as Read, or when it is larger.
  bool ReadAll(const std::string& member, std::string& content, size_t limit = 64u << 20);

  struct CMemory {
    std::span<const uint8_t> bytes;
    uint64_t position = 0;
  };

 private:
  CMemory memory_;
  void* zip_ = nullptr;
};

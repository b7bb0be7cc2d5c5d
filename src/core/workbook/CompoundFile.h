// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The streams of a compound file (OLE2 structured storage) held in memory. Every number read
// from the file is checked before use: a malformed file fails to open or yields no stream, it
// never reads outside the bytes it was given.
class CCompoundFile {
 public:
  // Reads the header, the sector allocation table, the directory and the short-sector table of
  // `file`, which must outlive this object. False when `file` is not a usable compound file.
  bool Open(std::span<const uint8_t> file);

  // The contents of the stream named `name` (ASCII, compared ignoring case as the format does)
  // directly in the root storage; false when there is none or its sectors cannot be followed.
  bool ReadRootStream(std::string_view name, std::vector<uint8_t>& stream) const;

  size_t SectorSize() const { return sectorSize_; }

 private:
  struct Entry {
    std::u16string name;
    uint8_t type = 0;
    uint32_t left = 0;
    uint32_t right = 0;
    uint32_t child = 0;
    uint32_t start = 0;
    uint64_t size = 0;
  };

  bool ReadSector(uint32_t sector, size_t count, std::vector<uint8_t>& out) const;
  bool AppendSector(uint32_t sector, size_t count, std::vector<uint8_t>& out) const;
  bool ReadFatChain(uint32_t start, uint64_t size, std::vector<uint8_t>& out) const;
  bool ReadWholeFatChain(uint32_t start, std::vector<uint8_t>& out) const;
  bool ReadMiniChain(uint32_t start, uint64_t size, std::vector<uint8_t>& out) const;
  bool ReadFatSectorList(std::vector<uint32_t>& fatSectors) const;
  Entry EntryAt(uint32_t index) const;

  std::span<const uint8_t> file_;
  size_t sectorSize_ = 512;
  uint32_t sectorCount_ = 0;  // sectors that start inside the file
  uint32_t miniCutoff_ = 4096;
  std::vector<uint32_t> fat_;
  std::vector<uint32_t> miniFat_;
  std::vector<uint8_t> directory_;
  std::vector<uint8_t> miniStream_;
};

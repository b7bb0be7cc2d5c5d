// SPDX-License-Identifier: GPL-3.0-or-later
// Compound file (OLE2 structured storage) reader. Reads the 512-byte header, collects the sector
// allocation table (FAT) from the header's list of FAT sectors and the chain of further list
// sectors, reads the directory and the short-sector table (mini FAT) by their chains, and the
// short-stream container (the root entry's stream). A stream is read by its chain in the FAT, or
// in the mini FAT below the header's cut-off size. Chains are followed with a visited mark per
// sector, so a loop fails instead of hanging; every sector number is checked against the table
// and the file, and no stream is longer than the bytes that could hold it.
// Cost: time and memory linear in the file size.
#include "workbook/CompoundFile.h"

#include <algorithm>
#include <array>

#include "workbook/LittleEndian.h"

namespace {

constexpr std::array<uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kHeaderListEntries = 109;
constexpr size_t kMiniSectorSize = 64;
constexpr size_t kEntrySize = 128;
constexpr uint8_t kStreamEntry = 2;
constexpr uint8_t kRootEntry = 5;

char16_t UpperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool NameEquals(std::u16string_view stored, std::string_view wanted) {
  if (stored.size() != wanted.size()) return false;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (UpperAscii(stored[i]) != UpperAscii(static_cast<unsigned char>(wanted[i]))) return false;
  }
  return true;
}

std::vector<uint32_t> ToEntries(const std::vector<uint8_t>& bytes) {
  std::vector<uint32_t> entries(bytes.size() / 4);
  for (size_t i = 0; i < entries.size(); ++i)
    entries[i] = ReadU32(bytes, i * 4);
  return entries;
}

}  // namespace

bool CCompoundFile::Open(std::span<const uint8_t> file) {
  *this = CCompoundFile();
  file_ = file;
  if (file.size() < 512 || !std::equal(kSignature.begin(), kSignature.end(), file.begin())) {
    return false;
  }
  const uint16_t sectorShift = ReadU16(file, 0x1E);
  const uint16_t miniShift = ReadU16(file, 0x20);
  if ((sectorShift != 9 && sectorShift != 12) || miniShift != 6) return false;
  sectorSize_ = size_t{1} << sectorShift;
  if (file.size() <= sectorSize_) return false;
  const uint64_t sectors = (file.size() - sectorSize_ + sectorSize_ - 1) / sectorSize_;
  sectorCount_ = static_cast<uint32_t>(std::min<uint64_t>(sectors, kMaxRegularSector));
  miniCutoff_ = ReadU32(file, 0x38);

  std::vector<uint32_t> fatSectors;
  if (!ReadFatSectorList(fatSectors)) return false;
  fat_.reserve(fatSectors.size() * (sectorSize_ / 4));
  std::vector<uint8_t> sector;
  for (const uint32_t s : fatSectors) {
    if (!ReadSector(s, sectorSize_, sector)) return false;
    for (size_t i = 0; i < sectorSize_; i += 4)
      fat_.push_back(ReadU32(sector, i));
  }

  if (!ReadWholeFatChain(ReadU32(file, 0x30), directory_)) return false;
  if (directory_.size() < kEntrySize) return false;
  const Entry root = EntryAt(0);
  if (root.type != kRootEntry) return false;

  const uint32_t miniFatStart = ReadU32(file, 0x3C);
  if (miniFatStart != kEndOfChain && miniFatStart != kFreeSector) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFatChain(miniFatStart, bytes)) return false;
    miniFat_ = ToEntries(bytes);
  }
  // The short-stream container; a file without short streams may leave it empty.
  if (root.size > 0 && root.start <= kMaxRegularSector &&
      !ReadFatChain(root.start, root.size, miniStream_)) {
    miniStream_.clear();
  }
  return true;
}

bool CCompoundFile::ReadFatSectorList(std::vector<uint32_t>& fatSectors) const {
  const uint32_t fatCount = ReadU32(file_, 0x2C);
  // Every FAT sector lies in the file, so a larger count is a damaged header.
  if (fatCount > sectorCount_) return false;
  fatSectors.reserve(fatCount);
  for (size_t i = 0; i < kHeaderListEntries && fatSectors.size() < fatCount; ++i) {
    const uint32_t s = ReadU32(file_, 0x4C + 4 * i);
    if (s > kMaxRegularSector) return !fatSectors.empty();
    fatSectors.push_back(s);
  }
  // Further list sectors: each holds sector-size/4 − 1 entries and the number of the next one.
  uint32_t listSector = ReadU32(file_, 0x44);
  std::vector<bool> visited(sectorCount_, false);
  std::vector<uint8_t> sector;
  while (fatSectors.size() < fatCount && listSector <= kMaxRegularSector) {
    if (listSector >= sectorCount_ || visited[listSector]) return false;
    visited[listSector] = true;
    if (!ReadSector(listSector, sectorSize_, sector)) return false;
    const size_t perSector = sectorSize_ / 4 - 1;
    for (size_t i = 0; i < perSector && fatSectors.size() < fatCount; ++i) {
      const uint32_t s = ReadU32(sector, 4 * i);
      if (s > kMaxRegularSector) return !fatSectors.empty();
      fatSectors.push_back(s);
    }
    listSector = ReadU32(sector, sectorSize_ - 4);
  }
  return !fatSectors.empty();
}

bool CCompoundFile::ReadSector(uint32_t sector, size_t count, std::vector<uint8_t>& out) const {
  out.clear();
  return AppendSector(sector, count, out);
}

bool CCompoundFile::AppendSector(uint32_t sector, size_t count, std::vector<uint8_t>& out) const {
  const uint64_t offset = (static_cast<uint64_t>(sector) + 1) * sectorSize_;
  if (!HasBytes(file_, offset, count)) return false;
  out.insert(out.end(), file_.begin() + static_cast<ptrdiff_t>(offset),
             file_.begin() + static_cast<ptrdiff_t>(offset + count));
  return true;
}

bool CCompoundFile::ReadFatChain(uint32_t start, uint64_t size, std::vector<uint8_t>& out) const {
  out.clear();
  if (size > static_cast<uint64_t>(sectorCount_) * sectorSize_) return false;
  out.reserve(static_cast<size_t>(size));
  std::vector<bool> visited(fat_.size(), false);
  for (uint32_t s = start; out.size() < size; s = fat_[s]) {
    if (s >= fat_.size() || visited[s]) return false;
    visited[s] = true;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(sectorSize_, size - out.size()));
    if (!AppendSector(s, count, out)) return false;
  }
  return true;
}

bool CCompoundFile::ReadWholeFatChain(uint32_t start, std::vector<uint8_t>& out) const {
  out.clear();
  std::vector<bool> visited(fat_.size(), false);
  for (uint32_t s = start; s != kEndOfChain; s = fat_[s]) {
    if (s >= fat_.size() || visited[s]) return false;
    visited[s] = true;
    if (!AppendSector(s, sectorSize_, out)) return false;
  }
  return true;
}

bool CCompoundFile::ReadMiniChain(uint32_t start, uint64_t size, std::vector<uint8_t>& out) const {
  out.clear();
  if (size > miniStream_.size()) return false;
  out.reserve(static_cast<size_t>(size));
  std::vector<bool> visited(miniFat_.size(), false);
  for (uint32_t s = start; out.size() < size; s = miniFat_[s]) {
    if (s >= miniFat_.size() || visited[s]) return false;
    visited[s] = true;
    const uint64_t offset = static_cast<uint64_t>(s) * kMiniSectorSize;
    const size_t count =
        static_cast<size_t>(std::min<uint64_t>(kMiniSectorSize, size - out.size()));
    if (!HasBytes(miniStream_, offset, count)) return false;
    out.insert(out.end(), miniStream_.begin() + static_cast<ptrdiff_t>(offset),
               miniStream_.begin() + static_cast<ptrdiff_t>(offset + count));
  }
  return true;
}

CCompoundFile::Entry CCompoundFile::EntryAt(uint32_t index) const {
  Entry entry;
  const size_t base = static_cast<size_t>(index) * kEntrySize;
  const std::span<const uint8_t> bytes(directory_.data() + base, kEntrySize);
  // The name length counts bytes with the terminating zero; 32 characters at most.
  const uint16_t nameBytes = ReadU16(bytes, 0x40);
  const size_t length = nameBytes >= 2 && nameBytes <= 64 ? nameBytes / 2 - 1 : 0;
  for (size_t i = 0; i < length; ++i)
    entry.name.push_back(static_cast<char16_t>(ReadU16(bytes, 2 * i)));
  entry.type = bytes[0x42];
  entry.left = ReadU32(bytes, 0x44);
  entry.right = ReadU32(bytes, 0x48);
  entry.child = ReadU32(bytes, 0x4C);
  entry.start = ReadU32(bytes, 0x74);
  // Files of 512-byte sectors keep only the low 32 bits; some writers leave junk in the others.
  entry.size = sectorSize_ == 512 ? ReadU32(bytes, 0x78) : ReadU64(bytes, 0x78);
  return entry;
}

bool CCompoundFile::ReadRootStream(std::string_view name, std::vector<uint8_t>& stream) const {
  stream.clear();
  if (directory_.size() < kEntrySize) return false;
  const uint32_t entryCount = static_cast<uint32_t>(directory_.size() / kEntrySize);
  // The root's children form a tree through their left and right links; walk all of it.
  std::vector<bool> visited(entryCount, false);
  std::vector<uint32_t> pending{EntryAt(0).child};
  while (!pending.empty()) {
    const uint32_t index = pending.back();
    pending.pop_back();
    if (index == kNoStream || index >= entryCount || visited[index]) continue;
    visited[index] = true;
    const Entry entry = EntryAt(index);
    if (entry.type == kStreamEntry && NameEquals(entry.name, name)) {
      if (entry.size < miniCutoff_) return ReadMiniChain(entry.start, entry.size, stream);
      return ReadFatChain(entry.start, entry.size, stream);
    }
    pending.push_back(entry.left);
    pending.push_back(entry.right);
  }
  return false;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Zip members through minizip over bytes in memory: minizip's file functions are replaced by
// reads from the buffer. Members are inflated in pieces of 64 KiB. Cost: time linear in the bytes
// inflated; memory of one piece (ReadAll: of the member).
#include "workbook/ZipArchive.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using CMemory = CZipArchive::CMemory;

voidpf OpenMemory(voidpf opaque, const void*, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_WRITE) != 0) return nullptr;
  return opaque;
}

uLong ReadMemory(voidpf, voidpf stream, void* buffer, uLong size) {
  auto* memory = static_cast<CMemory*>(stream);
  const uint64_t left =
      memory->bytes.size() - std::min<uint64_t>(memory->position, memory->bytes.size());
  const uLong count = static_cast<uLong>(std::min<uint64_t>(left, size));
  if (count > 0) std::memcpy(buffer, memory->bytes.data() + memory->position, count);
  memory->position += count;
  return count;
}

uLong WriteMemory(voidpf, voidpf, const void*, uLong) {
  return 0;
}

ZPOS64_T TellMemory(voidpf, voidpf stream) {
  return static_cast<CMemory*>(stream)->position;
}

long SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* memory = static_cast<CMemory*>(stream);
  const uint64_t size = memory->bytes.size();
  uint64_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      base = 0;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      base = memory->position;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      base = size;
      break;
    default:
      return -1;
  }
  if (offset > size || base > size - offset) return -1;
  memory->position = base + offset;
  return 0;
}

int CloseMemory(voidpf, voidpf) {
  return 0;
}

int MemoryError(voidpf, voidpf) {
  return 0;
}

}  // namespace

CZipArchive::~CZipArchive() {
  if (zip_) unzClose(static_cast<unzFile>(zip_));
}

bool CZipArchive::Open(std::span<const uint8_t> bytes) {
  if (zip_) {
    unzClose(static_cast<unzFile>(zip_));
    zip_ = nullptr;
  }
  memory_ = CMemory{bytes, 0};
  zlib_filefunc64_def functions{};
  functions.zopen64_file = OpenMemory;
  functions.zread_file = ReadMemory;
  functions.zwrite_file = WriteMemory;
  functions.ztell64_file = TellMemory;
  functions.zseek64_file = SeekMemory;
  functions.zclose_file = CloseMemory;
  functions.zerror_file = MemoryError;
  functions.opaque = &memory_;
  zip_ = unzOpen2_64("", &functions);
  return zip_ != nullptr;
}

bool CZipArchive::Has(const std::string& member) {
  return zip_ && unzLocateFile(static_cast<unzFile>(zip_), member.c_str(), 1) == UNZ_OK;
}

bool CZipArchive::Read(const std::string& member,
                       const std::function<bool(std::string_view)>& consume) {
  if (!Has(member)) return false;
  const auto zip = static_cast<unzFile>(zip_);
  if (unzOpenCurrentFile(zip) != UNZ_OK) return false;
  std::vector<char> piece(1 << 16);
  uint64_t total = 0;
  bool ok = true;
  for (;;) {
    const int got = unzReadCurrentFile(zip, piece.data(), static_cast<unsigned>(piece.size()));
    if (got < 0) {
      ok = false;
      break;
    }
    if (got == 0) break;
    total += static_cast<uint64_t>(got);
    if (total > kMaxMemberBytes ||
        !consume(std::string_view(piece.data(), static_cast<size_t>(got)))) {
      ok = false;
      break;
    }
  }
  // The check of the member's CRC comes with its closing.
  if (unzCloseCurrentFile(zip) != UNZ_OK) ok = false;
  return ok;
}

bool CZipArchive::ReadAll(const std::string& member, std::string& content, size_t limit) {
  content.clear();
  return Read(member, [&](std::string_view piece) {
    if (content.size() + piece.size() > limit) return false;
    content.append(piece);
    return true;
  });
}

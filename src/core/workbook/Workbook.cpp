// SPDX-License-Identifier: GPL-3.0-or-later
// Workbook globals of a BIFF8 stream: from the first BOF to its EOF, the BOUNDSHEET records give
// each sheet's substream offset and name and the SST record with its CONTINUE records gives the
// shared strings; every other record is passed over. Then each sheet is read from its offset.
// Cost: time and memory linear in the stream (sheets share one walking budget of the stream's
// size, so sheets claiming overlapping substreams cannot multiply the work).
#include "workbook/Workbook.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/Memory.h"
#include "workbook/BiffRecords.h"
#include "workbook/CompoundFile.h"
#include "workbook/LittleEndian.h"
#include "workbook/WorksheetReader.h"
#include "workbook/XmlWorkbooks.h"
#include "workbook/ZipArchive.h"

namespace {

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      !CanReserve(static_cast<size_t>(info.st_size))) {
    ::close(fd);
    return false;
  }
  bytes.reserve(static_cast<size_t>(info.st_size));
  uint8_t buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  ::close(fd);
  return true;
}

// The name of a BOUNDSHEET record: an 8-bit length, an option byte, then the characters.
std::u16string SheetName(std::span<const uint8_t> body) {
  std::u16string name;
  if (body.size() < 8) return name;
  const size_t count = body[6];
  const bool wide = (body[7] & 0x01) != 0;
  const size_t unit = wide ? 2 : 1;
  for (size_t i = 0; i < count && 8 + (i + 1) * unit <= body.size(); ++i) {
    name.push_back(wide ? static_cast<char16_t>(ReadU16(body, 8 + 2 * i))
                        : static_cast<char16_t>(body[8 + i]));
  }
  return name;
}

}  // namespace

bool CWorkbook::LoadWorkbook(const std::string& path) {
  strings_ = CSharedStrings();
  sheets_.clear();
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  return LoadWorkbookBytes(bytes);
}

bool CWorkbook::LoadAnyWorkbook(const std::string& path, std::string* failure) {
  strings_ = CSharedStrings();
  sheets_.clear();
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) {
    if (failure) *failure = "the file cannot be read";
    return false;
  }
  return LoadAnyWorkbookBytes(bytes, failure);
}

bool CWorkbook::LoadAnyWorkbookBytes(std::span<const uint8_t> file, std::string* failure,
                                     size_t maxXmlCells) {
  strings_ = CSharedStrings();
  sheets_.clear();
  static constexpr uint8_t kCompound[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  static constexpr uint8_t kZip[] = {'P', 'K', 0x03, 0x04};
  if (file.size() >= sizeof kCompound && std::equal(kCompound, kCompound + 8, file.begin())) {
    if (LoadWorkbookBytes(file)) return true;
    if (failure) *failure = "the Excel 97-2003 workbook is damaged";
    return false;
  }
  if (file.size() < sizeof kZip || !std::equal(kZip, kZip + 4, file.begin())) {
    if (failure) *failure = "the file is no workbook (neither .xls, .xlsx nor .ods)";
    return false;
  }
  CZipArchive zip;
  if (!zip.Open(file)) {
    if (failure) *failure = "the zip package of the workbook is damaged";
    return false;
  }
  std::string error;
  bool loaded = false;
  if (zip.Has("content.xml") && !zip.Has("xl/workbook.xml")) {
    loaded = LoadOpenDocument(zip, *this, maxXmlCells, &error);
  } else if (zip.Has("_rels/.rels") || zip.Has("xl/workbook.xml")) {
    loaded = LoadOfficeOpenXml(zip, *this, maxXmlCells, &error);
  } else {
    error = "the zip package holds neither an Excel workbook nor an OpenDocument spreadsheet";
  }
  if (!loaded) {
    strings_ = CSharedStrings();
    sheets_.clear();
    if (failure) *failure = error;
  }
  return loaded;
}

bool CWorkbook::LoadWorkbookBytes(std::span<const uint8_t> file) {
  strings_ = CSharedStrings();
  sheets_.clear();
  CCompoundFile compound;
  if (!compound.Open(file)) return false;
  std::vector<uint8_t> stream;
  if (compound.ReadRootStream("Workbook", stream)) ReadStream(stream);
  return true;
}

void CWorkbook::ReadStream(std::span<const uint8_t> stream) {
  CBiffRecordCursor cursor(stream, 0);
  CBiffRecord record;
  if (!cursor.Next(record) || record.type != biff::kBof) return;
  std::vector<uint32_t> offsets;
  while (cursor.Next(record) && record.type != biff::kEof) {
    if (record.type == biff::kBoundSheet && record.body.size() >= 6) {
      offsets.push_back(ReadU32(record.body, 0));
      sheets_.emplace_back().name = SheetName(record.body);
    } else if (record.type == biff::kSharedStrings) {
      std::vector<std::span<const uint8_t>> segments{record.body};
      cursor.TakeContinues(segments);
      strings_.Read(segments);
    }
  }
  size_t budget = stream.size();
  for (size_t i = 0; i < sheets_.size(); ++i) {
    ReadWorksheet(stream, offsets[i], strings_, budget, sheets_[i]);
  }
}

CWorkbookCell CWorkbook::CellAt(int sheet, int row, int column) const {
  CWorkbookCell cell;
  const CWorksheet::StoredCell* stored = Sheet(sheet).Find(row, column);
  if (!stored) return cell;
  cell.kind = stored->kind;
  if (cell.kind == CellKind::kText || cell.kind == CellKind::kWideText) {
    cell.text = strings_.Text(stored->string);
  } else {
    cell.number = stored->number;
  }
  return cell;
}

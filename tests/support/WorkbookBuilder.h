// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Byte-level builders for malformed and unusual workbooks that no ordinary writer makes: BIFF
// records and a compound file around a stream, with access to the sector tables to damage them.

using Bytes = std::vector<uint8_t>;

void PutU16(Bytes& out, uint16_t value);
void PutU32(Bytes& out, uint32_t value);
void PutDouble(Bytes& out, double value);
Bytes Record(uint16_t type, const Bytes& body);
Bytes Join(std::initializer_list<Bytes> parts);

// Body of a cell record: row, column, format index 0, then `tail`.
Bytes CellBody(uint16_t row, uint16_t column, const Bytes& tail);
Bytes NumberRecord(uint16_t row, uint16_t column, double value);
Bytes RkRecord(uint16_t row, uint16_t column, uint32_t rk);
Bytes LabelSstRecord(uint16_t row, uint16_t column, uint32_t index);
Bytes DimensionsRecord(uint32_t rows, uint16_t columns);
Bytes BofRecord(uint16_t kind);
Bytes EofRecord();

// A workbook stream: globals (BOF, `globals`, one BOUNDSHEET per sheet, EOF) followed by each
// sheet's records between a BOF and an EOF.
Bytes WorkbookStream(const Bytes& globals, const std::vector<Bytes>& sheets);

struct CompoundOptions {
  int sectorShift = 9;
  uint32_t miniCutoff = 4096;
  uint32_t fatSectorCount = 0;  // at least as many as needed; more force further list sectors
  std::string streamName = "Workbook";
};

// A compound file holding one stream in its root storage.
class CCompoundBuilder {
 public:
  CCompoundBuilder(std::span<const uint8_t> stream, const CompoundOptions& options = {});
  Bytes bytes;
  size_t sectorSize = 512;
  uint32_t directorySector = 0;
  uint32_t miniFatSector = 0xFFFFFFFE;
  uint32_t dataStart = 0;  // first sector of the stream, or of the short-stream container
  uint32_t dataSectors = 0;
  bool shortStream = false;
  std::vector<uint32_t> fatSectors;

  uint32_t Fat(uint32_t index) const;
  void SetFat(uint32_t index, uint32_t value);
  size_t SectorOffset(uint32_t sector) const { return (sector + 1) * sectorSize; }
  // The offset of a field of the directory entry `entry` (0 root, 1 the stream).
  size_t EntryOffset(uint32_t entry, size_t field) const {
    return SectorOffset(directorySector) + 128 * entry + field;
  }
  void Put32(size_t offset, uint32_t value);
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbookBuilder.h"

#include <cstring>
#include <stdexcept>

void PutU16(Bytes& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(Bytes& out, uint32_t value) {
  PutU16(out, static_cast<uint16_t>(value));
  PutU16(out, static_cast<uint16_t>(value >> 16));
}

void PutDouble(Bytes& out, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(out, static_cast<uint32_t>(bits));
  PutU32(out, static_cast<uint32_t>(bits >> 32));
}

Bytes Record(uint16_t type, const Bytes& body) {
  Bytes out;
  PutU16(out, type);
  PutU16(out, static_cast<uint16_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts)
    out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes CellBody(uint16_t row, uint16_t column, const Bytes& tail) {
  Bytes body;
  PutU16(body, row);
  PutU16(body, column);
  PutU16(body, 0);
  body.insert(body.end(), tail.begin(), tail.end());
  return body;
}

Bytes NumberRecord(uint16_t row, uint16_t column, double value) {
  Bytes tail;
  PutDouble(tail, value);
  return Record(0x0203, CellBody(row, column, tail));
}

Bytes RkRecord(uint16_t row, uint16_t column, uint32_t rk) {
  Bytes tail;
  PutU32(tail, rk);
  return Record(0x027E, CellBody(row, column, tail));
}

Bytes LabelSstRecord(uint16_t row, uint16_t column, uint32_t index) {
  Bytes tail;
  PutU32(tail, index);
  return Record(0x00FD, CellBody(row, column, tail));
}

Bytes DimensionsRecord(uint32_t rows, uint16_t columns) {
  Bytes body;
  PutU32(body, 0);
  PutU32(body, rows);
  PutU16(body, 0);
  PutU16(body, columns);
  PutU16(body, 0);
  return Record(0x0200, body);
}

Bytes BofRecord(uint16_t kind) {
  Bytes body;
  PutU16(body, 0x0600);
  PutU16(body, kind);
  for (int i = 0; i < 12; ++i)
    body.push_back(0);
  return Record(0x0809, body);
}

Bytes EofRecord() {
  return Record(0x000A, {});
}

Bytes WorkbookStream(const Bytes& globals, const std::vector<Bytes>& sheets) {
  Bytes out = Join({BofRecord(0x0005), globals});
  std::vector<size_t> offsetFields;
  for (size_t i = 0; i < sheets.size(); ++i) {
    const std::string name = "Sheet" + std::to_string(i + 1);
    Bytes body;
    PutU32(body, 0);
    body.push_back(0);
    body.push_back(0);
    body.push_back(static_cast<uint8_t>(name.size()));
    body.push_back(0);
    body.insert(body.end(), name.begin(), name.end());
    offsetFields.push_back(out.size() + 4);
    const Bytes record = Record(0x0085, body);
    out.insert(out.end(), record.begin(), record.end());
  }
  const Bytes eof = EofRecord();
  out.insert(out.end(), eof.begin(), eof.end());
  for (size_t i = 0; i < sheets.size(); ++i) {
    const uint32_t offset = static_cast<uint32_t>(out.size());
    for (int k = 0; k < 4; ++k)
      out[offsetFields[i] + k] = static_cast<uint8_t>(offset >> (8 * k));
    const Bytes sheet = Join({BofRecord(0x0010), sheets[i], EofRecord()});
    out.insert(out.end(), sheet.begin(), sheet.end());
  }
  return out;
}

namespace {
constexpr uint32_t kEnd = 0xFFFFFFFE;
constexpr uint32_t kFree = 0xFFFFFFFF;
constexpr uint32_t kFatMark = 0xFFFFFFFD;
constexpr uint32_t kListMark = 0xFFFFFFFC;
}  // namespace

uint32_t CCompoundBuilder::Fat(uint32_t index) const {
  const size_t perSector = sectorSize / 4;
  const size_t at = SectorOffset(fatSectors.at(index / perSector)) + 4 * (index % perSector);
  uint32_t value = 0;
  for (int k = 0; k < 4; ++k)
    value |= static_cast<uint32_t>(bytes[at + k]) << (8 * k);
  return value;
}

void CCompoundBuilder::Put32(size_t offset, uint32_t value) {
  for (int k = 0; k < 4; ++k)
    bytes.at(offset + k) = static_cast<uint8_t>(value >> (8 * k));
}

void CCompoundBuilder::SetFat(uint32_t index, uint32_t value) {
  const size_t perSector = sectorSize / 4;
  Put32(SectorOffset(fatSectors.at(index / perSector)) + 4 * (index % perSector), value);
}

CCompoundBuilder::CCompoundBuilder(std::span<const uint8_t> stream,
                                   const CompoundOptions& options) {
  sectorSize = size_t{1} << options.sectorShift;
  const size_t perSector = sectorSize / 4;
  shortStream = stream.size() < options.miniCutoff;
  const size_t miniSectors = (stream.size() + 63) / 64;
  const size_t payload = shortStream ? miniSectors * 64 : stream.size();
  dataSectors = static_cast<uint32_t>((payload + sectorSize - 1) / sectorSize);
  const uint32_t fixedSectors = 1 + (shortStream ? 1 : 0) + dataSectors;
  // FAT sectors, list sectors for those beyond the header's 109, directory, mini FAT, data.
  uint32_t fatCount = 1;
  uint32_t listCount = 0;
  for (;;) {
    fatCount = std::max(fatCount, options.fatSectorCount);
    listCount = fatCount > 109
                    ? static_cast<uint32_t>((fatCount - 109 + perSector - 2) / (perSector - 1))
                    : 0;
    if (fatCount * perSector >= fatCount + listCount + fixedSectors) break;
    ++fatCount;
  }
  const uint32_t total = fatCount + listCount + fixedSectors;
  for (uint32_t i = 0; i < fatCount; ++i)
    fatSectors.push_back(i);
  directorySector = fatCount + listCount;
  if (shortStream) miniFatSector = directorySector + 1;
  dataStart = directorySector + 1 + (shortStream ? 1 : 0);

  bytes.assign((total + 1) * sectorSize, 0);
  // Header.
  const uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::memcpy(bytes.data(), signature, 8);
  const auto put16 = [&](size_t at, uint16_t v) {
    bytes[at] = static_cast<uint8_t>(v);
    bytes[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  put16(0x18, 0x3E);
  put16(0x1A, options.sectorShift == 12 ? 4 : 3);
  put16(0x1C, 0xFFFE);
  put16(0x1E, static_cast<uint16_t>(options.sectorShift));
  put16(0x20, 6);
  if (options.sectorShift == 12) Put32(0x28, 1);
  Put32(0x2C, fatCount);
  Put32(0x30, directorySector);
  Put32(0x38, options.miniCutoff);
  Put32(0x3C, shortStream ? miniFatSector : kEnd);
  Put32(0x40, shortStream ? 1 : 0);
  Put32(0x44, listCount ? fatCount : kEnd);
  Put32(0x48, listCount);
  for (uint32_t i = 0; i < 109; ++i)
    Put32(0x4C + 4 * i, i < fatCount ? i : kFree);
  for (uint32_t l = 0; l < listCount; ++l) {
    const size_t base = SectorOffset(fatCount + l);
    for (size_t k = 0; k < perSector - 1; ++k) {
      const size_t index = 109 + l * (perSector - 1) + k;
      Put32(base + 4 * k, index < fatCount ? static_cast<uint32_t>(index) : kFree);
    }
    Put32(base + sectorSize - 4, l + 1 < listCount ? fatCount + l + 1 : kEnd);
  }
  // FAT.
  for (uint32_t i = 0; i < fatCount * perSector; ++i)
    SetFat(i, kFree);
  for (uint32_t i = 0; i < fatCount; ++i)
    SetFat(i, kFatMark);
  for (uint32_t l = 0; l < listCount; ++l)
    SetFat(fatCount + l, kListMark);
  SetFat(directorySector, kEnd);
  if (shortStream) SetFat(miniFatSector, kEnd);
  for (uint32_t s = 0; s < dataSectors; ++s) {
    SetFat(dataStart + s, s + 1 < dataSectors ? dataStart + s + 1 : kEnd);
  }
  // Directory: the root, then the stream; empty entries after them.
  const auto putName = [&](uint32_t entry, const std::string& name) {
    for (size_t i = 0; i < name.size(); ++i)
      put16(EntryOffset(entry, 2 * i), name[i]);
    put16(EntryOffset(entry, 0x40), static_cast<uint16_t>(2 * (name.size() + 1)));
  };
  for (uint32_t e = 0; e < sectorSize / 128; ++e) {
    Put32(EntryOffset(e, 0x44), kFree);
    Put32(EntryOffset(e, 0x48), kFree);
    Put32(EntryOffset(e, 0x4C), kFree);
  }
  putName(0, "Root Entry");
  bytes[EntryOffset(0, 0x42)] = 5;
  Put32(EntryOffset(0, 0x4C), 1);
  Put32(EntryOffset(0, 0x74), shortStream ? dataStart : kEnd);
  Put32(EntryOffset(0, 0x78), shortStream ? static_cast<uint32_t>(miniSectors * 64) : 0);
  putName(1, options.streamName);
  bytes[EntryOffset(1, 0x42)] = 2;
  Put32(EntryOffset(1, 0x74), shortStream ? 0 : (dataSectors ? dataStart : kEnd));
  Put32(EntryOffset(1, 0x78), static_cast<uint32_t>(stream.size()));
  // Mini FAT: one chain through the container.
  if (shortStream) {
    if (miniSectors > perSector) throw std::logic_error("short stream too long for the builder");
    for (size_t k = 0; k < perSector; ++k) {
      Put32(SectorOffset(miniFatSector) + 4 * k,
            k + 1 < miniSectors ? static_cast<uint32_t>(k + 1) : (k < miniSectors ? kEnd : kFree));
    }
  }
  if (!stream.empty()) {
    std::memcpy(bytes.data() + SectorOffset(dataStart), stream.data(), stream.size());
  }
}

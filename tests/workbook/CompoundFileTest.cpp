// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <numeric>

#include "WorkbookBuilder.h"
#include "workbook/CompoundFile.h"

namespace {

Bytes Pattern(size_t size) {
  Bytes stream(size);
  for (size_t i = 0; i < size; ++i)
    stream[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return stream;
}

bool ReadsBack(const CCompoundBuilder& file, const Bytes& expected) {
  CCompoundFile compound;
  Bytes stream;
  return compound.Open(file.bytes) && compound.ReadRootStream("Workbook", stream) &&
         stream == expected;
}

bool YieldsNoStream(const Bytes& bytes) {
  CCompoundFile compound;
  Bytes stream;
  return !compound.Open(bytes) || !compound.ReadRootStream("Workbook", stream);
}

}  // namespace

TEST(CompoundFile, StreamsThroughBothTablesAndBothSectorSizes) {
  for (const int shift : {9, 12}) {
    for (const size_t size : {size_t{0}, size_t{1}, size_t{63}, size_t{64}, size_t{4095},
                              size_t{4096}, size_t{4097}, size_t{20000}}) {
      const Bytes stream = Pattern(size);
      const CCompoundBuilder file(stream, {.sectorShift = shift});
      EXPECT_EQ(file.shortStream, size < 4096);
      EXPECT_TRUE(ReadsBack(file, stream)) << shift << " " << size;
    }
  }
  // The cut-off comes from the header.
  const Bytes stream = Pattern(3000);
  const CCompoundBuilder regular(stream, {.miniCutoff = 1000});
  EXPECT_FALSE(regular.shortStream);
  EXPECT_TRUE(ReadsBack(regular, stream));
}

TEST(CompoundFile, FatListGoesOnInFurtherListSectors) {
  const Bytes stream = Pattern(9000);
  for (const uint32_t fatSectors : {109u, 110u, 240u}) {
    const CCompoundBuilder file(stream, {.fatSectorCount = fatSectors});
    EXPECT_TRUE(ReadsBack(file, stream)) << fatSectors;
  }
  // A list sector pointing back to itself cannot make the reader go round.
  CCompoundBuilder looping(stream, {.fatSectorCount = 400});
  const uint32_t list = looping.fatSectors.size();
  looping.Put32(looping.SectorOffset(list) + looping.sectorSize - 4, list);
  EXPECT_TRUE(YieldsNoStream(looping.bytes));
}

TEST(CompoundFile, NameIsComparedIgnoringCaseAndOtherNamesAreNotFound) {
  const Bytes stream = Pattern(5000);
  const CCompoundBuilder upper(stream, {.streamName = "WORKBOOK"});
  EXPECT_TRUE(ReadsBack(upper, stream));
  const CCompoundBuilder older(stream, {.streamName = "Book"});
  EXPECT_TRUE(YieldsNoStream(older.bytes));
  CCompoundFile compound;
  Bytes found;
  ASSERT_TRUE(compound.Open(older.bytes));
  EXPECT_TRUE(compound.ReadRootStream("book", found));
}

TEST(CompoundFile, RefusesHeadersItCannotTrust) {
  const Bytes stream = Pattern(5000);
  const CCompoundBuilder good(stream);
  ASSERT_TRUE(ReadsBack(good, stream));
  for (const uint16_t shift : {uint16_t{8}, uint16_t{10}, uint16_t{13}, uint16_t{0xFFFF}}) {
    Bytes bytes = good.bytes;
    bytes[0x1E] = static_cast<uint8_t>(shift);
    bytes[0x1F] = static_cast<uint8_t>(shift >> 8);
    EXPECT_TRUE(YieldsNoStream(bytes)) << shift;
  }
  Bytes signature = good.bytes;
  signature[3] ^= 1;
  EXPECT_TRUE(YieldsNoStream(signature));
  CCompoundBuilder fatCount(stream);
  fatCount.Put32(0x2C, 0x7FFFFFFF);  // more FAT sectors than the file has sectors
  EXPECT_TRUE(YieldsNoStream(fatCount.bytes));
  CCompoundBuilder fatOutside(stream);
  fatOutside.Put32(0x4C, 100000);
  EXPECT_TRUE(YieldsNoStream(fatOutside.bytes));
  EXPECT_TRUE(YieldsNoStream(Bytes(good.bytes.begin(), good.bytes.begin() + 511)));
  EXPECT_TRUE(YieldsNoStream(Bytes(good.bytes.begin(), good.bytes.begin() + 512)));
}

TEST(CompoundFile, ChainsThatLoopOrLeaveTheFileFail) {
  const Bytes stream = Pattern(9000);
  CCompoundBuilder loop(stream);
  loop.SetFat(loop.dataStart + 5, loop.dataStart + 1);
  EXPECT_TRUE(YieldsNoStream(loop.bytes));

  CCompoundBuilder outside(stream);
  outside.SetFat(outside.dataStart + 2, 1000000);
  EXPECT_TRUE(YieldsNoStream(outside.bytes));

  CCompoundBuilder early(stream);
  early.SetFat(early.dataStart + 2, 0xFFFFFFFE);
  EXPECT_TRUE(YieldsNoStream(early.bytes));

  CCompoundBuilder free(stream);
  free.SetFat(free.dataStart + 2, 0xFFFFFFFF);
  EXPECT_TRUE(YieldsNoStream(free.bytes));

  CCompoundBuilder directoryLoop(stream);
  directoryLoop.SetFat(directoryLoop.directorySector, directoryLoop.directorySector);
  EXPECT_TRUE(YieldsNoStream(directoryLoop.bytes));

  // The file ends inside the stream's last sectors.
  CCompoundBuilder cut(stream);
  cut.bytes.resize(cut.bytes.size() - 1500);
  EXPECT_TRUE(YieldsNoStream(cut.bytes));

  // A stream that claims more bytes than the file holds.
  for (const uint32_t size : {20000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    CCompoundBuilder huge(stream);
    huge.Put32(huge.EntryOffset(1, 0x78), size);
    EXPECT_TRUE(YieldsNoStream(huge.bytes)) << size;
  }
}

TEST(CompoundFile, ShortStreamChainsAreCheckedToo) {
  const Bytes stream = Pattern(1000);
  const CCompoundBuilder good(stream);
  ASSERT_TRUE(good.shortStream);
  ASSERT_TRUE(ReadsBack(good, stream));
  const size_t miniFat = good.SectorOffset(good.miniFatSector);

  CCompoundBuilder loop = good;
  loop.Put32(miniFat + 4 * 3, 1);
  EXPECT_TRUE(YieldsNoStream(loop.bytes));

  CCompoundBuilder beyond = good;
  beyond.Put32(miniFat + 4 * 3, 200);  // past the mini FAT
  EXPECT_TRUE(YieldsNoStream(beyond.bytes));

  CCompoundBuilder outsideContainer = good;
  outsideContainer.Put32(miniFat + 4 * 3, 100);  // in the mini FAT, past the container
  EXPECT_TRUE(YieldsNoStream(outsideContainer.bytes));

  CCompoundBuilder longer = good;
  longer.Put32(longer.EntryOffset(1, 0x78), 3000);  // more than the container holds
  EXPECT_TRUE(YieldsNoStream(longer.bytes));

  CCompoundBuilder noContainer = good;
  noContainer.Put32(noContainer.EntryOffset(0, 0x74), 0xFFFFFFFE);
  EXPECT_TRUE(YieldsNoStream(noContainer.bytes));
}

TEST(CompoundFile, DirectoryTreeIsWalkedOnceWhateverItsLinks) {
  const Bytes stream = Pattern(5000);
  // The stream's entry points to itself and the root on both sides: found all the same.
  CCompoundBuilder cyclic(stream);
  cyclic.Put32(cyclic.EntryOffset(1, 0x44), 1);
  cyclic.Put32(cyclic.EntryOffset(1, 0x48), 0);
  EXPECT_TRUE(ReadsBack(cyclic, stream));
  // A stream hidden behind a cycle of other entries is not found, and the walk ends.
  CCompoundBuilder hidden(stream);
  hidden.Put32(hidden.EntryOffset(0, 0x4C), 2);
  hidden.bytes[hidden.EntryOffset(2, 0x42)] = 1;
  hidden.Put32(hidden.EntryOffset(2, 0x44), 3);
  hidden.bytes[hidden.EntryOffset(3, 0x42)] = 1;
  hidden.Put32(hidden.EntryOffset(3, 0x48), 2);
  EXPECT_TRUE(YieldsNoStream(hidden.bytes));
  // A child link far outside the directory.
  CCompoundBuilder far(stream);
  far.Put32(far.EntryOffset(0, 0x4C), 0x7FFFFFF0);
  EXPECT_TRUE(YieldsNoStream(far.bytes));
  // A name length beyond the 32 characters of the field.
  CCompoundBuilder longName(stream);
  longName.bytes[longName.EntryOffset(1, 0x40)] = 200;
  EXPECT_TRUE(YieldsNoStream(longName.bytes));
}

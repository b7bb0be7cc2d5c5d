// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "WorkbookBuilder.h"
#include "workbook/Workbook.h"

namespace {

CWorkbook Load(const Bytes& stream) {
  CWorkbook workbook;
  EXPECT_TRUE(workbook.LoadWorkbookBytes(CCompoundBuilder(stream).bytes));
  return workbook;
}

CWorkbook LoadSheet(const Bytes& records, const Bytes& globals = {}) {
  return Load(WorkbookStream(globals, {records}));
}

// An SST record followed by CONTINUE records, one per given body; the first body starts after
// the two counts.
Bytes Sst(uint32_t unique, const std::vector<Bytes>& bodies) {
  Bytes first;
  PutU32(first, unique);
  PutU32(first, unique);
  first.insert(first.end(), bodies[0].begin(), bodies[0].end());
  Bytes out = Record(0x00FC, first);
  for (size_t i = 1; i < bodies.size(); ++i) {
    const Bytes next = Record(0x003C, bodies[i]);
    out.insert(out.end(), next.begin(), next.end());
  }
  return out;
}

Bytes Narrow(const std::string& text, uint8_t options = 0) {
  Bytes out;
  PutU16(out, static_cast<uint16_t>(text.size()));
  out.push_back(options);
  out.insert(out.end(), text.begin(), text.end());
  return out;
}

Bytes Wide(const std::u16string& text) {
  Bytes out;
  PutU16(out, static_cast<uint16_t>(text.size()));
  out.push_back(1);
  for (const char16_t c : text)
    PutU16(out, c);
  return out;
}

Bytes Raw(std::initializer_list<int> values) {
  Bytes out;
  for (const int v : values)
    out.push_back(static_cast<uint8_t>(v));
  return out;
}

}  // namespace

TEST(BiffReader, CellRecordsGiveTheirKindsAndBlanksFormulasAndErrorsStayEmpty) {
  Bytes formula;
  PutDouble(formula, 42.0);
  for (int i = 0; i < 8; ++i)
    formula.push_back(0);
  Bytes mulRk = CellBody(2, 0, {});
  mulRk.resize(4);
  for (const uint32_t rk : {(3u << 2) | 2u, 0x3FF80000u}) {
    PutU16(mulRk, 0);
    PutU32(mulRk, rk);
  }
  PutU16(mulRk, 1);
  const CWorkbook workbook = LoadSheet(Join({
      DimensionsRecord(4, 3),
      NumberRecord(0, 0, 1.5),
      RkRecord(0, 1, (25u << 2) | 2u),
      RkRecord(1, 0, (25u << 2) | 3u),
      NumberRecord(0, 0, 2.5),                      // a later record for the same place wins
      Record(0x0205, CellBody(1, 1, Raw({1, 0}))),  // TRUE
      Record(0x0205, CellBody(1, 2, Raw({7, 1}))),  // #DIV/0!
      Record(0x0201, CellBody(3, 0, {})),           // BLANK
      Record(0x0006, CellBody(3, 1, formula)),      // FORMULA with its result
      Record(0x0207, Narrow("result")),             // STRING after a formula
      Record(0x00BD, mulRk),
  }));
  ASSERT_EQ(workbook.SheetCount(), 1);
  EXPECT_EQ(workbook.Rows(0), 4);
  EXPECT_EQ(workbook.Columns(0), 3);
  EXPECT_EQ(workbook.CellAt(0, 0, 0).kind, CellKind::kReal);
  EXPECT_EQ(workbook.CellAt(0, 0, 0).Number(), 2.5);
  EXPECT_EQ(workbook.CellAt(0, 0, 1).kind, CellKind::kInteger);
  EXPECT_EQ(workbook.CellAt(0, 0, 1).Integer(), 25);
  EXPECT_EQ(workbook.CellAt(0, 1, 0).kind, CellKind::kReal);
  EXPECT_EQ(workbook.CellAt(0, 1, 0).Number(), 0.25);
  EXPECT_EQ(workbook.CellAt(0, 1, 1).kind, CellKind::kInteger);
  EXPECT_EQ(workbook.CellAt(0, 1, 1).Integer(), 1);
  EXPECT_EQ(workbook.CellAt(0, 1, 2).kind, CellKind::kEmpty);
  EXPECT_EQ(workbook.CellAt(0, 3, 0).kind, CellKind::kEmpty);
  EXPECT_EQ(workbook.CellAt(0, 3, 1).kind, CellKind::kEmpty);
  EXPECT_EQ(workbook.CellAt(0, 2, 0).Integer(), 3);
  EXPECT_EQ(workbook.CellAt(0, 2, 1).Number(), 1.5);
  EXPECT_EQ(workbook.CellAt(0, 2, 2).kind, CellKind::kEmpty);
  EXPECT_EQ(workbook.CellAt(0, 3, 2).kind, CellKind::kEmpty);
}

TEST(BiffReader, HugeDimensionsWithFewCellsStaySmall) {
  const CWorkbook workbook =
      LoadSheet(Join({DimensionsRecord(0xFFFFFFFFu, 0xFFFF), RkRecord(65535, 255, 6u)}));
  EXPECT_EQ(workbook.Rows(0), 65536);
  EXPECT_EQ(workbook.Columns(0), 256);
  EXPECT_EQ(workbook.Sheet(0).CellCount(), 1u);
  EXPECT_EQ(workbook.CellAt(0, 65535, 255).Integer(), 1);
  EXPECT_EQ(workbook.CellAt(0, 65536, 0).kind, CellKind::kEmpty);
  EXPECT_EQ(workbook.CellAt(0, -1, 0).kind, CellKind::kEmpty);
  EXPECT_EQ(workbook.CellAt(0, 0, 256).kind, CellKind::kEmpty);
  EXPECT_EQ(workbook.CellAt(0, 0, -1).kind, CellKind::kEmpty);
  // A dimensions record of 3 × 2 keeps its size though cells are missing.
  const CWorkbook sparse = LoadSheet(Join({DimensionsRecord(3, 2), RkRecord(0, 0, 6u)}));
  EXPECT_EQ(sparse.Rows(0), 3);
  EXPECT_EQ(sparse.Columns(0), 2);
}

TEST(BiffReader, ColumnsBeyondTheLimitAndShortRecordsAreLeftOut) {
  const auto mulRk = [](uint16_t first, uint16_t last, int cells) {
    Bytes body;
    PutU16(body, 0);
    PutU16(body, first);
    for (int k = 0; k < cells; ++k) {
      PutU16(body, 0);
      PutU32(body, static_cast<uint32_t>((first + k) << 2) | 2u);
    }
    PutU16(body, last);
    return Record(0x00BD, body);
  };
  const CWorkbook workbook = LoadSheet(Join({
      DimensionsRecord(5, 256), RkRecord(1, 256, 6u), mulRk(254, 257, 4),
      mulRk(10, 5, 3),                                 // last before first
      mulRk(20, 30, 2),                                // claims more columns than it holds
      Record(0x0203, CellBody(2, 0, Raw({1, 2, 3}))),  // NUMBER too short
      Record(0x027E, Raw({3, 0})),                     // RK too short
      Record(0x00FD, CellBody(2, 1, Raw({0}))),        // LABELSST too short
  }));
  const CWorksheet& sheet = workbook.Sheet(0);
  EXPECT_EQ(sheet.CellCount(), 4u);
  EXPECT_EQ(workbook.CellAt(0, 0, 254).Integer(), 254);
  EXPECT_EQ(workbook.CellAt(0, 0, 255).Integer(), 255);
  EXPECT_EQ(workbook.CellAt(0, 0, 20).Integer(), 20);
  EXPECT_EQ(workbook.CellAt(0, 0, 21).Integer(), 21);
  EXPECT_EQ(workbook.CellAt(0, 0, 22).kind, CellKind::kEmpty);
}

TEST(BiffReader, SharedStringsGoOnAcrossContinueRecords) {
  // 0: 8-bit; 1: 16-bit; 2: starts 8-bit, goes on 16-bit after a CONTINUE that restates the
  // width; 3: rich text whose runs are split by a CONTINUE (no width byte there); 4: extended
  // data; 5: starts at the front of a CONTINUE (no width byte either).
  Bytes part1 = Join({Narrow("abc"), Wide(u"\u03A9x")});
  Bytes split = Narrow("hello");
  split[0] = 8;  // 8 characters, 5 here
  part1.insert(part1.end(), split.begin(), split.end());
  Bytes part2 = Raw({1});
  for (const char16_t c : std::u16string(u"\u00E9\u4E1C!"))
    PutU16(part2, c);
  Bytes rich;
  PutU16(rich, 2);
  rich.push_back(0x08);
  PutU16(rich, 2);  // two runs
  rich.insert(rich.end(), {'r', 't'});
  rich.insert(rich.end(), {0, 0, 0, 0, 1, 0});  // run one and half of run two
  part2.insert(part2.end(), rich.begin(), rich.end());
  Bytes part3 = Raw({1, 0});  // the rest of run two
  Bytes extended;
  PutU16(extended, 1);
  extended.push_back(0x04);
  PutU32(extended, 3);
  extended.push_back('e');
  extended.insert(extended.end(), {9, 9, 9});
  part3.insert(part3.end(), extended.begin(), extended.end());
  const Bytes part4 = Narrow("fresh");
  const Bytes globals = Sst(6, {part1, part2, part3, part4});

  Bytes cells = DimensionsRecord(6, 1);
  for (uint16_t i = 0; i < 6; ++i) {
    const Bytes label = LabelSstRecord(i, 0, i);
    cells.insert(cells.end(), label.begin(), label.end());
  }
  const CWorkbook workbook = LoadSheet(cells, globals);
  const std::u16string expected[] = {u"abc", u"\u03A9x", u"hello\u00E9\u4E1C!",
                                     u"rt",  u"e",       u"fresh"};
  const CellKind kinds[] = {CellKind::kText, CellKind::kWideText, CellKind::kText,
                            CellKind::kText, CellKind::kText,     CellKind::kText};
  for (int i = 0; i < 6; ++i) {
    const CWorkbookCell cell = workbook.CellAt(0, i, 0);
    EXPECT_EQ(cell.kind, kinds[i]) << i;
    EXPECT_EQ(std::u16string(cell.text), expected[i]) << i;
    EXPECT_EQ(cell.Number(), 0.0);
  }
}

TEST(BiffReader, SharedStringCountsAndLengthsBeyondTheDataAreCut) {
  const auto sheetOfLabels = [](int count) {
    Bytes cells = DimensionsRecord(static_cast<uint32_t>(count), 1);
    for (int i = 0; i < count; ++i) {
      const Bytes label = LabelSstRecord(static_cast<uint16_t>(i), 0, static_cast<uint32_t>(i));
      cells.insert(cells.end(), label.begin(), label.end());
    }
    return cells;
  };
  // The table claims a billion strings and holds two.
  const CWorkbook many =
      LoadSheet(sheetOfLabels(3), Sst(1000000000u, {Join({Narrow("a"), Narrow("b")})}));
  EXPECT_EQ(std::u16string(many.CellAt(0, 1, 0).text), u"b");
  EXPECT_EQ(many.CellAt(0, 2, 0).kind, CellKind::kEmpty);
  // A string longer than all the data, half a 16-bit character, runs and extended data beyond
  // the end: each is dropped with what follows.
  Bytes longString = Narrow("xy");
  longString[0] = 0x60;
  longString[1] = 0xEA;
  const CWorkbook cut = LoadSheet(sheetOfLabels(2), Sst(2, {Join({Narrow("ok"), longString})}));
  EXPECT_EQ(std::u16string(cut.CellAt(0, 0, 0).text), u"ok");
  EXPECT_EQ(cut.CellAt(0, 1, 0).kind, CellKind::kEmpty);
  Bytes halfWide = Wide(u"ab");
  halfWide.pop_back();
  const CWorkbook half = LoadSheet(sheetOfLabels(2), Sst(2, {halfWide, Narrow("z")}));
  EXPECT_EQ(half.CellAt(0, 0, 0).kind, CellKind::kEmpty);
  Bytes runs = Narrow("r", 0x08);
  runs.insert(runs.begin() + 3, {0xFF, 0xFF});
  const CWorkbook runsBeyond = LoadSheet(sheetOfLabels(1), Sst(1, {runs}));
  EXPECT_EQ(runsBeyond.CellAt(0, 0, 0).kind, CellKind::kEmpty);
  Bytes extended = Narrow("e", 0x04);
  extended.insert(extended.begin() + 3, {0xFF, 0xFF, 0xFF, 0xFF});
  const CWorkbook extendedBeyond = LoadSheet(sheetOfLabels(1), Sst(1, {extended}));
  EXPECT_EQ(extendedBeyond.CellAt(0, 0, 0).kind, CellKind::kEmpty);
}

TEST(BiffReader, StreamsThatEndEarlyOrPointElsewhere) {
  const Bytes sheet = Join({DimensionsRecord(2, 2), RkRecord(0, 0, 6u), RkRecord(1, 1, 10u)});
  Bytes stream = WorkbookStream({}, {sheet});
  // Cut inside the last cell record: the cells before it stay.
  Bytes cut(stream.begin(), stream.end() - 4 - 6);
  CWorkbook truncated = Load(cut);
  ASSERT_EQ(truncated.SheetCount(), 1);
  EXPECT_EQ(truncated.Sheet(0).CellCount(), 1u);
  // A record length beyond the stream ends the walk there.
  Bytes longRecord = stream;
  const size_t lastCell = stream.size() - 4 - 14;
  longRecord[lastCell + 2] = 0xFF;
  longRecord[lastCell + 3] = 0xFF;
  EXPECT_EQ(Load(longRecord).Sheet(0).CellCount(), 1u);
  // Sheet offsets past the stream or onto something other than a BOF: empty sheets.
  for (const uint32_t offset : {0xFFFFFFF0u, static_cast<uint32_t>(stream.size()),
                                static_cast<uint32_t>(stream.size() - 2), 4u}) {
    Bytes moved = stream;
    const size_t field = 20 + 4;  // the first BOUNDSHEET follows the 20-byte BOF
    for (int k = 0; k < 4; ++k)
      moved[field + k] = static_cast<uint8_t>(offset >> (8 * k));
    const CWorkbook workbook = Load(moved);
    ASSERT_EQ(workbook.SheetCount(), 1);
    EXPECT_EQ(workbook.Rows(0), 0) << offset;
  }
  // A stream that does not open with a BOF has no sheet.
  Bytes noBof = stream;
  noBof[0] = 0x09;
  noBof[1] = 0x04;
  EXPECT_EQ(Load(noBof).SheetCount(), 0);
  EXPECT_EQ(Load({}).SheetCount(), 0);
}

TEST(BiffReader, ManySheetsOverOneSubstreamCostOneWalk) {
  Bytes cells = DimensionsRecord(2000, 1);
  for (uint16_t i = 0; i < 2000; ++i) {
    const Bytes rk = RkRecord(i, 0, (static_cast<uint32_t>(i) << 2) | 2u);
    cells.insert(cells.end(), rk.begin(), rk.end());
  }
  Bytes stream = WorkbookStream({}, {cells});
  // 20,000 sheet records that all name the one sheet.
  const size_t sheetRecord = 20;
  const Bytes boundSheet(stream.begin() + sheetRecord, stream.begin() + sheetRecord + 4 + 14);
  Bytes copies;
  for (int i = 0; i < 20000; ++i)
    copies.insert(copies.end(), boundSheet.begin(), boundSheet.end());
  stream.insert(stream.begin() + sheetRecord, copies.begin(), copies.end());
  // Every copy (and the original) must point past the inserted bytes.
  for (size_t i = 0; i <= 20000; ++i) {
    const size_t field = sheetRecord + i * boundSheet.size() + 4;
    uint32_t value = 0;
    for (int k = 0; k < 4; ++k)
      value |= static_cast<uint32_t>(stream[field + k]) << (8 * k);
    value += static_cast<uint32_t>(copies.size());
    for (int k = 0; k < 4; ++k)
      stream[field + k] = static_cast<uint8_t>(value >> (8 * k));
  }
  const CWorkbook workbook = Load(stream);
  ASSERT_EQ(workbook.SheetCount(), 20001);
  EXPECT_EQ(workbook.Sheet(0).CellCount(), 2000u);
  EXPECT_EQ(workbook.CellAt(0, 1999, 0).Integer(), 1999);
}

TEST(BiffReader, EmbeddedChartSubstreamIsPassedOver) {
  const CWorkbook workbook = LoadSheet(Join({
      DimensionsRecord(3, 1),
      RkRecord(0, 0, 6u),
      BofRecord(0x0020),
      NumberRecord(1, 0, 9.0),
      DimensionsRecord(500, 50),
      EofRecord(),
      RkRecord(2, 0, 10u),
  }));
  EXPECT_EQ(workbook.Rows(0), 3);
  EXPECT_EQ(workbook.Columns(0), 1);
  EXPECT_EQ(workbook.CellAt(0, 1, 0).kind, CellKind::kEmpty);
  EXPECT_EQ(workbook.CellAt(0, 2, 0).Integer(), 2);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheet substream of a BIFF8 workbook: from the BOF at the sheet's offset to its EOF (the
// BOF/EOF pairs of embedded charts nested inside are passed over). DIMENSIONS gives the size
// (last used row plus one as 32 bits, last used column plus one as 16 bits); NUMBER, RK, MULRK,
// LABELSST and BOOLERR give cells in record order. Blanks, formulas with the records after them
// and error values leave their cells empty; cells beyond 256 columns and short records are left
// out. Cost: time linear in the substream, memory linear in the cells found.
#include "workbook/WorksheetReader.h"

#include "workbook/BiffRecords.h"
#include "workbook/LittleEndian.h"
#include "workbook/RkValue.h"
#include "workbook/SharedStrings.h"
#include "workbook/Worksheet.h"

namespace {

void AddNumber(CWorksheet& sheet, uint16_t row, uint16_t column, const CWorkbookCell& value) {
  if (column >= CWorksheet::kMaxColumns) return;
  sheet.Add({row, column, value.kind, 0, value.number});
}

void ReadCell(const CBiffRecord& record, const CSharedStrings& strings, CWorksheet& sheet) {
  const std::span<const uint8_t> body = record.body;
  if (body.size() < 6) return;
  const uint16_t row = ReadU16(body, 0);
  const uint16_t column = ReadU16(body, 2);
  switch (record.type) {
    case biff::kNumber:
      if (body.size() >= 14) {
        AddNumber(sheet, row, column, {CellKind::kReal, ReadDouble(body, 6), {}});
      }
      break;
    case biff::kRk:
      if (body.size() >= 10) AddNumber(sheet, row, column, DecodeRk(ReadU32(body, 6)));
      break;
    case biff::kMulRk: {
      // Row, first column, (format, RK) per column, last column.
      if (body.size() < 6) break;
      const uint16_t last = ReadU16(body, body.size() - 2);
      const size_t fit = (body.size() - 6) / 6;
      for (size_t k = 0; k < fit && column + k <= last; ++k) {
        const auto c = static_cast<uint16_t>(column + k);
        AddNumber(sheet, row, c, DecodeRk(ReadU32(body, 4 + 6 * k + 2)));
      }
      break;
    }
    case biff::kLabelSst:
      if (body.size() >= 10 && column < CWorksheet::kMaxColumns) {
        const uint32_t index = ReadU32(body, 6);
        // A string index beyond the table names nothing: the cell stays empty.
        if (index < strings.Count()) {
          const CellKind kind = strings.IsWide(index) ? CellKind::kWideText : CellKind::kText;
          sheet.Add({row, column, kind, index, 0.0});
        }
      }
      break;
    case biff::kBoolErr:
      // Value byte, then 0 for a boolean or 1 for an error code.
      if (body.size() >= 8 && body[7] == 0) {
        AddNumber(sheet, row, column, {CellKind::kInteger, body[6] ? 1.0 : 0.0, {}});
      }
      break;
    default:
      break;
  }
}

}  // namespace

void ReadWorksheet(std::span<const uint8_t> stream, size_t offset, const CSharedStrings& strings,
                   size_t& budget, CWorksheet& sheet) {
  CBiffRecordCursor cursor(stream, offset);
  CBiffRecord record;
  if (!cursor.Next(record) || record.type != biff::kBof) {
    budget -= std::min(budget, cursor.Walked());
    sheet.Finish();
    return;
  }
  int depth = 1;
  while (depth > 0 && cursor.Walked() <= budget && cursor.Next(record)) {
    switch (record.type) {
      case biff::kBof:
        ++depth;
        break;
      case biff::kEof:
        --depth;
        break;
      case biff::kDimensions:
        if (depth == 1 && record.body.size() >= 12) {
          sheet.SetSize(ReadU32(record.body, 4), ReadU16(record.body, 10));
        }
        break;
      default:
        if (depth == 1) ReadCell(record, strings, sheet);
        break;
    }
  }
  budget -= std::min(budget, cursor.Walked());
  sheet.Finish();
}

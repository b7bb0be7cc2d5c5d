// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "workbook/SharedStrings.h"
#include "workbook/WorkbookCell.h"
#include "workbook/Worksheet.h"

// A workbook in the binary format of Excel 97 to 2003 (.xls): the stream "Workbook" of a compound
// file, read far enough to give the cell grids of its worksheets. Nothing is written back.
class CWorkbook {
 public:
  // Opens the compound file at `path` and reads its workbook stream. False when the file cannot
  // be read or is not a compound file; a compound file without a usable workbook stream loads
  // with no sheet.
  bool LoadWorkbook(const std::string& path);
  // The same from the file's bytes.
  bool LoadWorkbookBytes(std::span<const uint8_t> file);

  // More cells than this in the sheet of an XML workbook are refused (repeated rows and cells
  // can claim many more than a file holds).
  static constexpr size_t kMaxXmlCells = size_t{1} << 25;
  // Reads the workbook at `path` in the format its bytes show: a compound file (.xls), a zip
  // package holding an Office Open XML workbook (.xlsx) or an OpenDocument spreadsheet (.ods;
  // of the XML formats only the first sheet is read). False with what went wrong when the file
  // cannot be read, is none of these or is damaged.
  bool LoadAnyWorkbook(const std::string& path, std::string* failure);
  bool LoadAnyWorkbookBytes(std::span<const uint8_t> file, std::string* failure,
                            size_t maxXmlCells = kMaxXmlCells);

  // For the readers of the XML formats.
  CSharedStrings& MutableStrings() { return strings_; }
  CWorksheet& AddSheet() { return sheets_.emplace_back(); }

  // Worksheets in the order of their sheet records, the first at index 0.
  int SheetCount() const { return static_cast<int>(sheets_.size()); }
  const CWorksheet& Sheet(int index) const { return sheets_[static_cast<size_t>(index)]; }
  // The sheet's size from its dimensions record.
  int Rows(int sheet) const { return Sheet(sheet).Rows(); }
  int Columns(int sheet) const { return Sheet(sheet).Columns(); }
  // The cell at (row, column) counted from 0; an empty cell where there is none or outside
  // 65,536 rows and 256 columns. Text views live as long as the workbook.
  CWorkbookCell CellAt(int sheet, int row, int column) const;

 private:
  void ReadStream(std::span<const uint8_t> stream);

  CSharedStrings strings_;
  std::vector<CWorksheet> sheets_;
};

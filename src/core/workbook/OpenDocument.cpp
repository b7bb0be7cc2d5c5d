// SPDX-License-Identifier: GPL-3.0-or-later
// The first table of an OpenDocument spreadsheet (.ods): content.xml, office:spreadsheet, the
// first table:table. Rows and cells repeat by their number-rows-repeated and
// number-columns-repeated counts (covered cells hold a place too); only repeats of cells that
// hold something are stored, so the padding rows a writer puts up to the sheet's end cost
// nothing. Values by office:value-type: float, percentage and currency give office:value; date
// the serial number of office:date-value; time the fraction of a day of office:time-value;
// boolean 1 or 0; string the text of the cell's paragraphs (joined by line breaks, text:s,
// text:tab and text:line-break expanded; annotations left out). Formula cells give their cached
// value. Cost: one streamed parse of content.xml.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "workbook/SheetBuilder.h"
#include "workbook/WideText.h"
#include "workbook/Workbook.h"
#include "workbook/XmlStream.h"
#include "workbook/XmlWorkbooks.h"
#include "workbook/ZipArchive.h"

namespace {

int64_t RepeatOf(const char** attributes, std::string_view name) {
  const char* text = XmlAttribute(attributes, name);
  double value = 0.0;
  if (!text || !XmlNumber(text, value) || value < 1) return 1;
  return value > 1e8 ? 100000000 : static_cast<int64_t>(value);
}

class CContentHandler : public CXmlHandler {
 public:
  CContentHandler(CWorkbook& workbook, size_t maxCells)
      : workbook_(workbook), maxCells_(maxCells) {}

  void Start(std::string_view name, const char** attributes) override {
    if (depthInTable_ == 0) {
      if (name == "table" && !builder_) {
        CWorksheet& sheet = workbook_.AddSheet();
        if (const char* sheetName = XmlAttribute(attributes, "name")) {
          sheet.name = Utf8ToUtf16(sheetName);
        }
        builder_.emplace(sheet, workbook_.MutableStrings(), maxCells_);
        depthInTable_ = 1;
      }
      return;
    }
    ++depthInTable_;
    if (annotation_ > 0) {
      ++annotation_;
      return;
    }
    if (name == "table") {
      // A table inside a cell (a nested table) is no part of the sheet's grid.
      ++nestedTables_;
    } else if (nestedTables_ > 0) {
      return;
    } else if (name == "table-row") {
      rowRepeat_ = RepeatOf(attributes, "number-rows-repeated");
      column_ = 0;
      rowHasContent_ = false;
      rowCells_.clear();
    } else if (name == "table-cell" || name == "covered-table-cell") {
      StartCell(attributes);
    } else if (name == "annotation") {
      annotation_ = 1;
    } else if (inCell_) {
      if (name == "p") {
        if (paragraphs_++ > 0) text_ += '\n';
        ++inParagraph_;
      } else if (name == "s") {
        const int64_t count = RepeatOf(attributes, "c");
        text_.append(static_cast<size_t>(std::min<int64_t>(count, 1024)), ' ');
      } else if (name == "tab") {
        text_ += '\t';
      } else if (name == "line-break") {
        text_ += '\n';
      }
    }
  }

  void End(std::string_view name) override {
    if (depthInTable_ == 0) return;
    --depthInTable_;
    if (depthInTable_ == 0) {
      done = true;
      return;
    }
    if (annotation_ > 0) {
      --annotation_;
      return;
    }
    if (name == "table") {
      if (nestedTables_ > 0) --nestedTables_;
    } else if (nestedTables_ > 0) {
      return;
    } else if (name == "table-cell" || name == "covered-table-cell") {
      EndCell();
    } else if (name == "table-row") {
      EndRow();
    } else if (name == "p" && inParagraph_ > 0) {
      --inParagraph_;
    }
  }

  void Text(std::string_view text) override {
    if (inCell_ && annotation_ == 0 && nestedTables_ == 0 && inParagraph_ > 0) text_ += text;
  }

  bool TooLarge() const { return builder_ && builder_->TooLarge(); }
  void Finish() {
    if (builder_) builder_->Finish();
  }

 private:
  struct CPendingCell {
    int64_t column;
    int64_t repeat;
    int kind;  // 0 number, 1 boolean, 2 text
    double number;
    std::string text;
  };

  void StartCell(const char** attributes) {
    inCell_ = true;
    paragraphs_ = 0;
    inParagraph_ = 0;
    text_.clear();
    cellRepeat_ = RepeatOf(attributes, "number-columns-repeated");
    kind_ = -1;
    const char* type = XmlAttribute(attributes, "value-type");
    if (!type) return;
    const std::string_view valueType(type);
    double number = 0.0;
    if (valueType == "float" || valueType == "percentage" || valueType == "currency") {
      const char* value = XmlAttribute(attributes, "value");
      if (value && XmlNumber(value, number)) {
        kind_ = 0;
        number_ = number;
      }
    } else if (valueType == "date") {
      const char* value = XmlAttribute(attributes, "date-value");
      if (value && DateSerial(value, number)) {
        kind_ = 0;
        number_ = number;
      }
    } else if (valueType == "time") {
      const char* value = XmlAttribute(attributes, "time-value");
      if (value && DurationDays(value, number)) {
        kind_ = 0;
        number_ = number;
      }
    } else if (valueType == "boolean") {
      const char* value = XmlAttribute(attributes, "boolean-value");
      if (value) {
        kind_ = 1;
        number_ = std::string_view(value) == "true" ? 1.0 : 0.0;
      }
    } else if (valueType == "string") {
      kind_ = 2;
      if (const char* value = XmlAttribute(attributes, "string-value")) {
        stringValue_ = value;
        hasStringValue_ = true;
      } else {
        hasStringValue_ = false;
      }
    }
  }

  void EndCell() {
    inCell_ = false;
    if (kind_ >= 0) {
      CPendingCell cell{column_, cellRepeat_, kind_, number_, {}};
      if (kind_ == 2) cell.text = hasStringValue_ ? stringValue_ : text_;
      if (kind_ != 2 || !cell.text.empty()) {
        rowCells_.push_back(std::move(cell));
        rowHasContent_ = true;
      }
    }
    column_ += cellRepeat_;
  }

  void EndRow() {
    if (rowHasContent_) {
      for (int64_t r = 0; r < rowRepeat_ && !builder_->TooLarge(); ++r) {
        if (row_ + r >= CWorksheet::kMaxXmlRows) break;
        for (const CPendingCell& cell : rowCells_) {
          for (int64_t c = 0; c < cell.repeat && cell.column + c < CWorksheet::kMaxXmlColumns;
               ++c) {
            if (builder_->TooLarge()) break;
            if (cell.kind == 2) {
              builder_->AddText(row_ + r, cell.column + c, cell.text);
            } else {
              builder_->AddNumber(row_ + r, cell.column + c, cell.number,
                                  cell.kind == 1 ? CellKind::kInteger : CellKind::kReal);
            }
          }
        }
      }
    }
    row_ += rowRepeat_;
    rowCells_.clear();
  }

  CWorkbook& workbook_;
  size_t maxCells_;
  std::optional<CSheetBuilder> builder_;
  int depthInTable_ = 0;
  int annotation_ = 0;
  int nestedTables_ = 0;
  int64_t row_ = 0;
  int64_t rowRepeat_ = 1;
  int64_t column_ = 0;
  int64_t cellRepeat_ = 1;
  bool rowHasContent_ = false;
  std::vector<CPendingCell> rowCells_;
  bool inCell_ = false;
  int paragraphs_ = 0;
  int inParagraph_ = 0;
  std::string text_;
  int kind_ = -1;
  double number_ = 0.0;
  std::string stringValue_;
  bool hasStringValue_ = false;
};

}  // namespace

bool LoadOpenDocument(CZipArchive& zip, CWorkbook& workbook, size_t maxCells, std::string* error) {
  CContentHandler content(workbook, maxCells);
  const bool read = ParseXmlMember(zip, "content.xml", content, error);
  content.Finish();
  if (content.TooLarge()) {
    if (error) *error = "the first sheet holds more cells than can be read";
    return false;
  }
  return read;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The first worksheet of an Office Open XML workbook (.xlsx): the package relationships name the
// workbook part, the workbook's first <sheet> names (through the workbook's relationships) the
// sheet part, and the shared strings part gives the strings. Cells: numbers (t absent or "n"),
// shared strings ("s"), inline strings ("inlineStr"), cached formula results ("str" for text, a
// number otherwise: the <v> a formula cell carries), booleans ("b", as the integers 0 and 1),
// ISO dates ("d", as serial numbers); errors ("e") and cells without value are empty. Dates
// stored as numbers with a date style stay numbers. Cost: one streamed parse of each part read.
#include <string>
#include <unordered_map>

#include "workbook/SheetBuilder.h"
#include "workbook/WideText.h"
#include "workbook/Workbook.h"
#include "workbook/XmlStream.h"
#include "workbook/XmlWorkbooks.h"
#include "workbook/ZipArchive.h"

namespace {

// The folder part of a member name, with its slash ("xl/" of "xl/workbook.xml").
std::string FolderOf(const std::string& member) {
  const size_t slash = member.rfind('/');
  return slash == std::string::npos ? std::string() : member.substr(0, slash + 1);
}

// A relationship target resolved against the folder of the part that names it.
std::string Resolve(const std::string& folder, std::string target) {
  if (!target.empty() && target[0] == '/') return target.substr(1);
  std::string path = folder;
  while (target.starts_with("../")) {
    target.erase(0, 3);
    if (!path.empty()) path.pop_back();
    const size_t slash = path.rfind('/');
    path = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  }
  if (target.starts_with("./")) target.erase(0, 2);
  return path + target;
}

struct CRelationship {
  std::string type;
  std::string target;
};

class CRelationshipsHandler : public CXmlHandler {
 public:
  std::unordered_map<std::string, CRelationship> byId;
  std::string officeDocument;
  std::string sharedStrings;

  void Start(std::string_view name, const char** attributes) override {
    if (name != "Relationship") return;
    const char* id = XmlAttribute(attributes, "Id");
    const char* type = XmlAttribute(attributes, "Type");
    const char* target = XmlAttribute(attributes, "Target");
    if (!type || !target) return;
    const std::string_view kind(type);
    if (kind.ends_with("/officeDocument")) officeDocument = target;
    if (kind.ends_with("/sharedStrings")) sharedStrings = target;
    if (id) byId[id] = {type, target};
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}
};

class CWorkbookPartHandler : public CXmlHandler {
 public:
  std::string firstSheetId;
  std::string firstSheetName;

  void Start(std::string_view name, const char** attributes) override {
    if (name != "sheet") return;
    if (const char* id = XmlAttribute(attributes, "id")) firstSheetId = id;
    if (const char* sheetName = XmlAttribute(attributes, "name")) firstSheetName = sheetName;
    done = true;
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}
};

// <si> holds <t> directly or in rich-text runs <r>; phonetic runs <rPh> are no part of the text.
class CSharedStringsHandler : public CXmlHandler {
 public:
  explicit CSharedStringsHandler(CSharedStrings& strings) : strings_(strings) {}

  void Start(std::string_view name, const char**) override {
    if (name == "si") {
      text_.clear();
      inItem_ = true;
    } else if (name == "rPh") {
      ++phonetic_;
    } else if (name == "t" && inItem_ && phonetic_ == 0) {
      inText_ = true;
    }
  }
  void End(std::string_view name) override {
    if (name == "si") {
      const std::u16string text = Utf8ToUtf16(text_);
      bool wide = false;
      for (const char16_t c : text)
        wide |= c > 0xFF;
      strings_.Add(text, wide);
      inItem_ = false;
    } else if (name == "rPh") {
      --phonetic_;
    } else if (name == "t") {
      inText_ = false;
    }
  }
  void Text(std::string_view text) override {
    if (inText_) text_ += text;
  }

 private:
  CSharedStrings& strings_;
  std::string text_;
  bool inItem_ = false;
  bool inText_ = false;
  int phonetic_ = 0;
};

// "BC12" as (row 11, column 54); false for anything else. A missing row part keeps `row`.
bool ParseReference(std::string_view reference, int64_t& row, int64_t& column) {
  size_t k = 0;
  int64_t letters = 0;
  while (k < reference.size() && k < 4) {
    char c = reference[k];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') break;
    letters = letters * 26 + (c - 'A' + 1);
    ++k;
  }
  if (k == 0) return false;
  int64_t number = 0;
  size_t digits = 0;
  for (; k < reference.size() && digits < 8; ++k, ++digits) {
    if (reference[k] < '0' || reference[k] > '9') return false;
    number = number * 10 + (reference[k] - '0');
  }
  if (k != reference.size()) return false;
  column = letters - 1;
  if (digits > 0) {
    if (number == 0) return false;
    row = number - 1;
  }
  return true;
}

class CSheetHandler : public CXmlHandler {
 public:
  explicit CSheetHandler(CSheetBuilder& builder) : builder_(builder) {}

  void Start(std::string_view name, const char** attributes) override {
    if (name == "row") {
      const char* number = XmlAttribute(attributes, "r");
      double value = 0.0;
      row_ = number && XmlNumber(number, value) && value >= 1 && value <= 1e7
                 ? static_cast<int64_t>(value) - 1
                 : row_ + 1;
      column_ = -1;
    } else if (name == "c") {
      ++column_;
      if (const char* reference = XmlAttribute(attributes, "r")) {
        int64_t row = row_;
        int64_t column = column_;
        if (ParseReference(reference, row, column)) {
          row_ = row;
          column_ = column;
        }
      }
      const char* type = XmlAttribute(attributes, "t");
      type_ = type ? type : "n";
      value_.clear();
      hasValue_ = false;
    } else if (name == "v") {
      inValue_ = true;
      hasValue_ = true;
    } else if (name == "is") {
      inInline_ = true;
    } else if (name == "rPh") {
      ++phonetic_;
    } else if (name == "t" && inInline_ && phonetic_ == 0) {
      inValue_ = true;
      hasValue_ = true;
    }
  }

  void End(std::string_view name) override {
    if (name == "v" || name == "t") {
      inValue_ = false;
    } else if (name == "is") {
      inInline_ = false;
    } else if (name == "rPh") {
      --phonetic_;
    } else if (name == "c") {
      if (hasValue_) AddCell();
    } else if (name == "sheetData") {
      done = true;
    }
  }

  void Text(std::string_view text) override {
    if (inValue_) value_ += text;
  }

 private:
  void AddCell() {
    double number = 0.0;
    if (type_ == "s") {
      if (XmlNumber(value_, number) && number >= 0 && number < 4294967295.0) {
        builder_.AddString(row_, column_, static_cast<uint32_t>(number));
      }
    } else if (type_ == "inlineStr" || type_ == "str") {
      builder_.AddText(row_, column_, value_);
    } else if (type_ == "b") {
      if (value_ == "1" || value_ == "0") {
        builder_.AddNumber(row_, column_, value_ == "1" ? 1.0 : 0.0, CellKind::kInteger);
      }
    } else if (type_ == "d") {
      if (DateSerial(value_, number)) builder_.AddNumber(row_, column_, number);
    } else if (type_ == "n") {
      if (XmlNumber(value_, number)) builder_.AddNumber(row_, column_, number);
    }
  }

  CSheetBuilder& builder_;
  int64_t row_ = -1;
  int64_t column_ = -1;
  std::string type_;
  std::string value_;
  bool hasValue_ = false;
  bool inValue_ = false;
  bool inInline_ = false;
  int phonetic_ = 0;
};

}  // namespace

bool LoadOfficeOpenXml(CZipArchive& zip, CWorkbook& workbook, size_t maxCells, std::string* error) {
  CRelationshipsHandler package;
  std::string workbookPart = "xl/workbook.xml";
  if (zip.Has("_rels/.rels") && ParseXmlMember(zip, "_rels/.rels", package, nullptr) &&
      !package.officeDocument.empty()) {
    workbookPart = Resolve("", package.officeDocument);
  }
  CWorkbookPartHandler parts;
  if (!ParseXmlMember(zip, workbookPart, parts, error)) return false;
  const std::string folder = FolderOf(workbookPart);
  CRelationshipsHandler relationships;
  const std::string relationshipsPart =
      folder + "_rels/" + workbookPart.substr(folder.size()) + ".rels";
  if (!ParseXmlMember(zip, relationshipsPart, relationships, error)) return false;
  if (parts.firstSheetId.empty()) return true;  // a workbook without sheets
  const auto sheet = relationships.byId.find(parts.firstSheetId);
  if (sheet == relationships.byId.end()) {
    if (error) *error = "the first sheet of " + workbookPart + " has no part";
    return false;
  }

  CSharedStrings& strings = workbook.MutableStrings();
  if (!relationships.sharedStrings.empty()) {
    CSharedStringsHandler stringsHandler(strings);
    if (!ParseXmlMember(zip, Resolve(folder, relationships.sharedStrings), stringsHandler, error)) {
      return false;
    }
  }
  CWorksheet& worksheet = workbook.AddSheet();
  worksheet.name = Utf8ToUtf16(parts.firstSheetName);
  CSheetBuilder builder(worksheet, strings, maxCells);
  CSheetHandler cells(builder);
  // A chart sheet or another kind of first sheet has no cells: the sheet stays empty.
  const bool isWorksheet = sheet->second.type.ends_with("/worksheet");
  const bool read =
      !isWorksheet || ParseXmlMember(zip, Resolve(folder, sheet->second.target), cells, error);
  builder.Finish();
  if (builder.TooLarge()) {
    if (error) *error = "the first sheet holds more cells than can be read";
    return false;
  }
  return read;
}

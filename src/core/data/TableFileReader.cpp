// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TableFileReader.h"

#include "base/Text.h"
#include "data/Data.h"
#include "data/DelimitedTableReader.h"
#include "data/TextTableReader.h"
#include "data/WorkbookTableReader.h"

namespace {

CReadOutcome ReadCommaSeparated(CData& data, const CReadOptions& options,
                                const CReadContext& context) {
  return ReadDelimitedTable(data, 0, options, context);
}

CReadOutcome ReadTabSeparated(CData& data, const CReadOptions& options,
                              const CReadContext& context) {
  return ReadDelimitedTable(data, '\t', options, context);
}

const std::vector<CTableFormat>& Formats() {
  static const std::vector<CTableFormat> formats = {
      {"Excel Files", "Excel 97-2003 workbooks", {"xls"}, ReadWorkbookTable},
      {"Excel Workbooks", "Excel workbooks", {"xlsx"}, ReadWorkbookTable},
      {"OpenDocument Spreadsheets", "OpenDocument spreadsheets", {"ods"}, ReadWorkbookTable},
      {"Comma-separated values", "comma-separated values", {"csv"}, ReadCommaSeparated},
      {"Tab-separated values", "tab-separated values", {"tsv"}, ReadTabSeparated},
      {"Text Files", "text tables", {"txt", "prn"}, ReadTextTable},
  };
  return formats;
}

bool EndsWithExtension(std::string_view path, std::string_view extension) {
  if (path.size() <= extension.size()) return false;
  const std::string_view tail = path.substr(path.size() - extension.size() - 1);
  return tail[0] == '.' && EqualsIgnoringCase(tail.substr(1), extension);
}

std::string Patterns(const CTableFormat& format, std::string_view separator) {
  std::string patterns;
  for (const std::string_view extension : format.extensions) {
    if (!patterns.empty()) patterns += separator;
    patterns += "*." + std::string(extension);
  }
  return patterns;
}

}  // namespace

std::span<const CTableFormat> TableFormats() {
  return Formats();
}

const CTableFormat& TableFormatOf(std::string_view path) {
  const std::vector<CTableFormat>& formats = Formats();
  // The binary workbook keeps its historical test: the last three characters, case-sensitive.
  if (path.size() >= 3 && path.substr(path.size() - 3) == "xls") return formats[0];
  for (size_t k = 1; k + 1 < formats.size(); ++k) {
    for (const std::string_view extension : formats[k].extensions) {
      if (EndsWithExtension(path, extension)) return formats[k];
    }
  }
  return formats.back();
}

CReadOutcome ReadTableFile(CData& data, const CReadOptions& options, const CReadContext& context) {
  return TableFormatOf(data.fileName).read(data, options, context);
}

std::string DataFileFilter() {
  std::string all;
  std::string entries;
  for (const CTableFormat& format : Formats()) {
    if (!all.empty()) all += "; ";
    all += Patterns(format, "; ");
    entries += std::string(format.caption) + " (" + Patterns(format, ";") + ")|" +
               Patterns(format, "; ") + "|";
  }
  return "Data Files (*.txt;*.csv;*.xls;*.xlsx;*.ods)|" + all + "|" + entries +
         "All Files (*.*)|*.*||";
}

std::string SupportedFormatsText() {
  std::string text;
  for (const CTableFormat& format : Formats()) {
    if (!text.empty()) text += ", ";
    text += std::string(format.name) + " (";
    for (size_t k = 0; k < format.extensions.size(); ++k) {
      text += (k ? ", ." : ".") + std::string(format.extensions[k]);
    }
    text += ")";
  }
  return text;
}

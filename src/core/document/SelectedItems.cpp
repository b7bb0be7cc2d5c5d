#include "document/SelectedItems.h"

#include <charconv>
#include <cmath>

#include "base/FileNames.h"
#include "base/Text.h"
#include "data/Data.h"
#include "seriation/Elements.h"

namespace {

// "%g" without the locale: six significant digits, exponent for very large or small numbers.
void AppendValue(std::string& text, double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  text.append(buffer, result.ptr);
}

std::string FormatBlock(const CData& data, const CElements& rows, int rowStart, int rowCount,
                        const CElements& columns, int columnStart, int columnCount) {
  std::string text;
  text += data.title;
  text += '\t';
  for (int p = columnStart; p < columnStart + columnCount; ++p) {
    text += data.columnLabels[static_cast<size_t>(columns.order[static_cast<size_t>(p)])];
    text += '\t';
  }
  text += "\r\n";
  for (int r = rowStart; r < rowStart + rowCount; ++r) {
    const int row = rows.order[static_cast<size_t>(r)];
    text += data.rowLabels[static_cast<size_t>(row)];
    text += '\t';
    const double* cells = data.Row(row);
    for (int p = columnStart; p < columnStart + columnCount; ++p) {
      AppendValue(text, cells[columns.order[static_cast<size_t>(p)]]);
      text += '\t';
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace

std::string FormatSelectedItems(const CData& data, const CElements& rows,
                                const CElements& columns) {
  return FormatBlock(data, rows, rows.selectionStart, rows.selectionLength, columns,
                     columns.selectionStart, columns.selectionLength);
}

std::string FormatOrderedTable(const CData& data, const CElements& rows, const CElements& columns) {
  return FormatBlock(data, rows, 0, rows.count, columns, 0, columns.count);
}

std::string ProposedSaveName(const std::string& saveName, const std::string& dataPath) {
  return saveName.empty() ? WithExtension(dataPath, ".txt") : saveName;
}

std::string CompletedSaveName(const std::string& chosen) {
  return HasExtension(chosen) ? chosen : chosen + ".txt";
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/SelectedItems.h"

#include <charconv>
#include <cmath>
#include <filesystem>

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

bool NamesOneOf(const std::string& path, const std::vector<std::string>& files) {
  namespace fs = std::filesystem;
  if (path.empty()) return false;
  std::error_code error;
  const fs::path wanted = fs::absolute(fs::path(path), error).lexically_normal();
  for (const std::string& file : files) {
    if (file.empty()) continue;
    if (fs::equivalent(fs::path(path), fs::path(file), error) && !error) return true;
    const fs::path other = fs::absolute(fs::path(file), error).lexically_normal();
    if (!error && other == wanted) return true;
  }
  return false;
}

std::string ProposedSaveName(const std::string& saveName, const std::string& dataPath,
                             const std::vector<std::string>& openDataFiles) {
  std::vector<std::string> avoided = openDataFiles;
  avoided.push_back(dataPath);
  const std::string proposed = saveName.empty() ? WithExtension(dataPath, ".txt") : saveName;
  if (!NamesOneOf(proposed, avoided)) return proposed;
  const std::string stem = CutAtFirstDot(proposed) + "-selection";
  std::string candidate = stem + ".txt";
  for (int k = 2; NamesOneOf(candidate, avoided); ++k)
    candidate = stem + "-" + std::to_string(k) + ".txt";
  return candidate;
}

std::string CompletedSaveName(const std::string& chosen) {
  return HasExtension(chosen) ? chosen : chosen + ".txt";
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/AnalystFiles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>
#include <string_view>

#include "base/Missing.h"
#include "data/Data.h"
#include "seriation/Elements.h"
#include "tree/Tree.h"
#include "tree/TreeCut.h"

namespace {

// The words pandas reads as a missing value by default (R reads only "NA" so).
constexpr std::array<std::string_view, 19> kMissingWords{
    "",     "#N/A", "#N/A N/A", "#NA",  "-1.#IND", "-1.#QNAN", "-NaN", "-nan", "1.#IND", "1.#QNAN",
    "<NA>", "N/A",  "NA",       "NULL", "NaN",     "None",     "n/a",  "nan",  "null"};

std::string WithoutLineBreaks(const std::string& label) {
  std::string text = label;
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return text;
}

bool HasLineBreak(const std::string& label) {
  return label.find_first_of("\t\r\n") != std::string::npos;
}

void AppendValue(std::string& text, double value) {
  if (IsMissing(value)) return;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  text.append(buffer, result.ptr);
}

const std::string& LabelOf(const std::vector<std::string>& labels, int item) {
  static const std::string kNone;
  return item >= 0 && static_cast<size_t>(item) < labels.size() ? labels[static_cast<size_t>(item)]
                                                                : kNone;
}

// The first label found twice, or nothing.
const std::string* FirstRepeated(const std::vector<const std::string*>& labels) {
  std::set<std::string_view> seen;
  for (const std::string* label : labels) {
    if (!seen.insert(*label).second) return label;
  }
  return nullptr;
}

}  // namespace

std::string TsvLabel(const std::string& label) {
  const std::string text = WithoutLineBreaks(label);
  const bool quoted = text.find('"') != std::string::npos ||
                      (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quoted) return text;
  std::string field = "\"";
  for (char c : text) {
    field += c;
    if (c == '"') field += '"';
  }
  return field + "\"";
}

std::string FormatTsvTable(const CData& data, const CElements& rows, const CElements& columns,
                           std::vector<std::string>* notices) {
  std::vector<const std::string*> rowLabels;
  std::vector<const std::string*> columnLabels;
  for (int p = 0; p < rows.count; ++p)
    rowLabels.push_back(&LabelOf(data.rowLabels, rows.order[static_cast<size_t>(p)]));
  for (int p = 0; p < columns.count; ++p)
    columnLabels.push_back(&LabelOf(data.columnLabels, columns.order[static_cast<size_t>(p)]));

  std::string text = TsvLabel(data.title);
  for (const std::string* label : columnLabels)
    text += '\t' + TsvLabel(*label);
  text += '\n';
  for (int p = 0; p < rows.count; ++p) {
    text += TsvLabel(*rowLabels[static_cast<size_t>(p)]);
    const double* cells = data.Row(rows.order[static_cast<size_t>(p)]);
    for (int q = 0; q < columns.count; ++q) {
      text += '\t';
      AppendValue(text, cells[columns.order[static_cast<size_t>(q)]]);
    }
    text += '\n';
  }

  if (notices != nullptr) {
    const auto broken = [](const std::vector<const std::string*>& labels) {
      return std::any_of(labels.begin(), labels.end(),
                         [](const std::string* label) { return HasLineBreak(*label); });
    };
    if (HasLineBreak(data.title) || broken(rowLabels) || broken(columnLabels)) {
      notices->push_back("tabs and line breaks inside labels are written as blanks");
    }
    for (const std::string* label : rowLabels) {
      if (std::find(kMissingWords.begin(), kMissingWords.end(), *label) != kMissingWords.end()) {
        notices->push_back("the row label \"" + *label +
                           "\" is read as a missing value by pandas (and R for NA or empty)");
        break;
      }
    }
    if (const std::string* repeated = FirstRepeated(rowLabels)) {
      notices->push_back("the row label \"" + WithoutLineBreaks(*repeated) +
                         "\" appears more than once: R refuses repeated row names");
    }
    if (const std::string* repeated = FirstRepeated(columnLabels)) {
      notices->push_back("the column label \"" + WithoutLineBreaks(*repeated) +
                         "\" appears more than once: pandas renames the repeats");
    }
    if (std::any_of(columnLabels.begin(), columnLabels.end(),
                    [](const std::string* label) { return label->empty(); })) {
      notices->push_back("an empty column label: pandas names it \"Unnamed: N\"");
    }
  }
  return text;
}

std::string FormatClusterMemberships(const CTree& side) {
  if (!HasCut(side) || side.labels == nullptr) return {};
  const std::vector<int> clusters = ClustersInDisplayOrder(side, side.cutClusters);
  std::string text = "label\tcluster\n";
  for (const int item : side.order) {
    text += TsvLabel(LabelOf(*side.labels, item));
    text += '\t';
    text += std::to_string(clusters[static_cast<size_t>(item)]);
    text += '\n';
  }
  return text;
}

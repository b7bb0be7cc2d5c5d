// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the text readers as a document's load would: decoded, then read as a
// historical text table (with and without the blank as a delimiter, with the fallbacks that may
// hand it to the delimited reader) and as comma-, semicolon- and tab-separated values, into a
// numerical and a contingency table (whose cell checks throw). Every table read must have labels
// for its rows and columns. The same text is read as an annotation file too and matched to a few
// labels: every track must then hold one entry per item.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "base/TextDecoding.h"
#include "data/Annotations.h"
#include "data/DataFactory.h"
#include "data/DelimitedTableReader.h"
#include "data/TextTableReader.h"

namespace {

void Check(const CData& data, const CReadOutcome& outcome) {
  if (outcome.code != kReadOk) return;
  if (data.rowCount < 2 || data.columnCount < 1 ||
      data.rowLabels.size() != static_cast<size_t>(data.rowCount) ||
      data.columnLabels.size() != static_cast<size_t>(data.columnCount)) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size > (1 << 16)) return 0;
  const CDecodedText decoded = DecodeText(std::string(reinterpret_cast<const char*>(bytes), size));
  const uint8_t flags = size > 0 ? bytes[0] : 0;
  CReadOptions options;
  options.titleCol = (flags & 1) == 0;
  options.titleRow = (flags & 2) == 0;
  CReadContext context;
  for (const EDataType type : {EDataType::kNumerical, EDataType::kContingency}) {
    for (const bool blank : {true, false}) {
      options.blankIsDelimiter = blank;
      auto data = CreateDataTable(type);
      data->fileName = "fuzz.txt";
      try {
        Check(*data, ReadTextTableText(*data, decoded.text, options, context));
      } catch (const CError&) {
      }
    }
    for (const char delimiter : {',', ';', '\t'}) {
      auto data = CreateDataTable(type);
      data->fileName = "fuzz.csv";
      try {
        Check(*data, ReadDelimitedText(*data, decoded.text, delimiter, options, context));
      } catch (const CError&) {
      }
    }
  }
  CAnnotationTable table;
  if (ParseAnnotationText(decoded.text, "fuzz.txt", table).empty()) {
    const std::vector<std::string> items{"a", "b", "", "1", "\xc3\xa9"};
    const CSideAnnotations side = MatchAnnotations(table, items);
    for (const CAnnotationTrack& track : side.tracks) {
      if (track.hasValue.size() != items.size() || track.categoryOf.size() != items.size()) {
        __builtin_trap();
      }
      for (const int category : track.categoryOf) {
        if (category != kNoAnnotation && static_cast<size_t>(category) >= track.categories.size())
          __builtin_trap();
      }
    }
    AnnotationNotice(side, "rows");
  }
  return 0;
}

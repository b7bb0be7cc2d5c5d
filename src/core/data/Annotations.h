// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// What an analyst knows about the items of one side (groups, batches, ages), read from an
// annotation file and shown as coloured tracks beside the heat map. An annotation file is a
// delimited text (tab, comma or semicolon; quoted fields allowed): a header line naming the
// label column and then each annotation column, then one line per item, its label first.

// The file as read: one column of names per annotation, one record per labelled line.
struct CAnnotationTable {
  std::string fileName;
  std::vector<std::string> names;  // the annotation columns' names (the header without its first)
  std::vector<std::string> labels;
  std::vector<std::vector<std::string>> cells;  // per record, one cell per name ("" when absent)
  std::vector<int> lines;                       // the line of each record, from 1
};

// Splits decoded text into a table. Returns "" or the message that says what is wrong, naming
// `fileName` and the line. Blank lines are skipped; a short line leaves its last annotations
// without a value, a line with more cells than the header has names is refused.
std::string ParseAnnotationText(std::string_view text, const std::string& fileName,
                                CAnnotationTable& table);

// Reads and decodes the file (UTF-8, UTF-16 with its mark, or Windows-1252), then parses it.
// Returns "" or the message.
std::string ReadAnnotationFile(const std::string& path, CAnnotationTable& table);

enum class EAnnotationKind { kCategories, kNumbers };

// One annotation column matched to the items of a side: a category index or a number per item
// (in the side's item order, so that every reordering carries it along).
struct CAnnotationTrack {
  std::string name;
  EAnnotationKind kind = EAnnotationKind::kCategories;
  std::vector<std::string> categories;  // in order of first appearance in the file
  std::vector<int> categoryOf;          // per item; kNoAnnotation when it has none
  std::vector<double> valueOf;          // per item (numbers); meaningful where hasValue
  std::vector<bool> hasValue;           // per item
  double minimum = 0.0;                 // over the items' values (numbers)
  double maximum = 0.0;
  bool anyMissing = false;  // some item of the side has no value
};

inline constexpr int kNoAnnotation = -1;

// Beyond these the file's extra columns, or the legend's extra categories, are left out.
inline constexpr size_t kMaximumAnnotationTracks = 16;

// The tracks of one side, with what the match left over.
struct CSideAnnotations {
  std::string fileName;
  std::vector<CAnnotationTrack> tracks;
  int matchedItems = 0;        // items of the side that found their label in the file
  int unmatchedLabels = 0;     // records of the file whose label names no item
  std::string firstUnmatched;  // the first such label, for the notice
  int repeatedLabels = 0;      // records whose label an earlier record already gave
  size_t columnsLeftOut = 0;   // annotation columns beyond kMaximumAnnotationTracks
  bool Shown() const { return !tracks.empty() && matchedItems > 0; }
};

// Matches the records to the items by their labels (compared exactly, blanks around dropped;
// the first record of a label wins). A column whose every value reads as a decimal number is a
// numeric track, any other a track of categories. The cells "", "NA", "N/A" and "NaN" have no
// value.
CSideAnnotations MatchAnnotations(const CAnnotationTable& table,
                                  std::span<const std::string> itemLabels);

// The notice that says what did not match, or "" when everything did. `items` names the side
// ("rows", "columns").
std::string AnnotationNotice(const CSideAnnotations& annotations, std::string_view items);

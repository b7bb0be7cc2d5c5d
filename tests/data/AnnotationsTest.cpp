// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Annotations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFiles.h"

namespace {

CAnnotationTable Parsed(const std::string& text) {
  CAnnotationTable table;
  const std::string failure = ParseAnnotationText(text, "notes.txt", table);
  EXPECT_EQ(failure, "");
  return table;
}

std::string FailureOf(const std::string& text) {
  CAnnotationTable table;
  return ParseAnnotationText(text, "notes.txt", table);
}

const std::vector<std::string> kItems{"Alabama", "Alaska", "Arizona", "Arkansas"};

}  // namespace

TEST(AnnotationFile, TabCommaAndSemicolonFilesGiveTheSameTable) {
  for (const std::string text : {"state\tregion\tarea\nAlaska\tWest\t1.5\nAlabama\tSouth\t2\n",
                                 "state,region,area\nAlaska,West,1.5\n\"Alabama\",South,2\n",
                                 "state;region;area\r\nAlaska;West;1,5\r\nAlabama;South;2\r\n"}) {
    const CAnnotationTable table = Parsed(text);
    ASSERT_EQ(table.names, (std::vector<std::string>{"region", "area"})) << text;
    ASSERT_EQ(table.labels, (std::vector<std::string>{"Alaska", "Alabama"}));
    EXPECT_EQ(table.cells[1], (std::vector<std::string>{"South", "2"}));
    const CSideAnnotations side = MatchAnnotations(table, kItems);
    ASSERT_EQ(side.tracks.size(), 2u);
    EXPECT_EQ(side.tracks[1].kind, EAnnotationKind::kNumbers) << text;
    EXPECT_DOUBLE_EQ(side.tracks[1].valueOf[1], 1.5);
  }
}

TEST(AnnotationFile, QuotedCellsKeepTheirDelimitersAndAHeaderWithoutCornerIsRead) {
  const CAnnotationTable quoted = Parsed("id,city\nAlaska,\"Juneau, AK\"\n");
  EXPECT_EQ(quoted.cells[0][0], "Juneau, AK");
  // As R writes it: the header has no name for the label column.
  const CAnnotationTable r = Parsed("\"region\"\t\"area\"\n\"Alaska\"\t\"West\"\t3\n");
  EXPECT_EQ(r.names, (std::vector<std::string>{"region", "area"}));
  EXPECT_EQ(r.labels[0], "Alaska");
  EXPECT_EQ(r.cells[0][1], "3");
}

TEST(AnnotationFile, ShortLinesLackValuesAndBlankLinesAroundAreSkipped) {
  const CAnnotationTable table = Parsed("\n\nlabel\ta\tb\nAlaska\tx\n\n\n");
  ASSERT_EQ(table.labels.size(), 1u);
  EXPECT_EQ(table.cells[0], (std::vector<std::string>{"x", ""}));
}

TEST(AnnotationFile, WhatCannotBeReadIsSaidWithTheLine) {
  EXPECT_NE(FailureOf("").find("empty"), std::string::npos);
  EXPECT_NE(FailureOf("label only\nAlaska\n").find("line 1"), std::string::npos);
  EXPECT_NE(FailureOf("label\tgroup\n").find("no item follows"), std::string::npos);
  const std::string wide = FailureOf("label\tgroup\nAlaska\tx\nAlabama\ty\tz\n");
  EXPECT_NE(wide.find("notes.txt, line 3: 3 cells"), std::string::npos) << wide;
  const std::string gap = FailureOf("label\tgroup\nAlaska\tx\n\nAlabama\ty\n");
  EXPECT_NE(gap.find("line 4"), std::string::npos) << gap;
}

TEST(AnnotationFile, ReadFromDiskInEveryEncodingTheReadersKnow) {
  CTempDir folder;
  const std::string bom =
      folder.Write("bom.txt", "\xEF\xBB\xBFlabel\tgroup\nS\xC3\xA3o Paulo\ta\n");
  const std::string latin = folder.Write("latin.txt", "label\tgroup\nS\xE3o Paulo\ta\n");
  for (const std::string& path : {bom, latin}) {
    CAnnotationTable table;
    ASSERT_EQ(ReadAnnotationFile(path, table), "");
    EXPECT_EQ(table.labels[0], "S\xC3\xA3o Paulo") << path;
    EXPECT_EQ(table.names[0], "group");
  }
  CAnnotationTable table;
  const std::string missing = ReadAnnotationFile(folder.Path().string() + "/none.txt", table);
  EXPECT_NE(missing.find("none.txt could not be read"), std::string::npos) << missing;
}

TEST(AnnotationMatch, ItemsTakeTheirRecordsValuesAndCategoriesInFileOrder) {
  const CAnnotationTable table = Parsed(
      "label\tregion\tpopulation\n"
      "Arizona\tWest\t7.2\n"
      "Alabama\tSouth\tNA\n"
      " Alaska \tWest\t0.7\n"
      "Texas\tSouth\t29\n"
      "Alabama\tNorth\t1\n");
  const CSideAnnotations side = MatchAnnotations(table, kItems);
  EXPECT_EQ(side.matchedItems, 3);
  EXPECT_EQ(side.unmatchedLabels, 1);
  EXPECT_EQ(side.firstUnmatched, "Texas");
  EXPECT_EQ(side.repeatedLabels, 1);
  const CAnnotationTrack& region = side.tracks[0];
  EXPECT_EQ(region.kind, EAnnotationKind::kCategories);
  // Categories in the order the file first names them; "North" only on the repeated line.
  EXPECT_EQ(region.categories, (std::vector<std::string>{"West", "South", "North"}));
  EXPECT_EQ(region.categoryOf, (std::vector<int>{1, 0, 0, kNoAnnotation}));
  EXPECT_TRUE(region.anyMissing);  // Arkansas
  const CAnnotationTrack& population = side.tracks[1];
  EXPECT_EQ(population.kind, EAnnotationKind::kNumbers);
  EXPECT_EQ(population.hasValue, (std::vector<bool>{false, true, true, false}));
  EXPECT_DOUBLE_EQ(population.minimum, 0.7);
  EXPECT_DOUBLE_EQ(population.maximum, 7.2) << "Texas names no item: its 29 is not in range";
}

TEST(AnnotationMatch, AColumnWithOneWordIsCategoriesAndManyColumnsAreCapped) {
  std::string header = "label";
  std::string line = "Alaska";
  for (size_t c = 0; c < kMaximumAnnotationTracks + 3; ++c) {
    header += "\tc" + std::to_string(c);
    line += c == 0 ? "\tlow" : "\t5";
  }
  const CSideAnnotations side =
      MatchAnnotations(Parsed(header + "\n" + line + "\nAlabama\t3\t4\n"), kItems);
  EXPECT_EQ(side.tracks.size(), kMaximumAnnotationTracks);
  EXPECT_EQ(side.columnsLeftOut, 3u);
  EXPECT_EQ(side.tracks[0].kind, EAnnotationKind::kCategories);
  EXPECT_EQ(side.tracks[0].categories, (std::vector<std::string>{"low", "3"}));
  EXPECT_EQ(side.tracks[1].kind, EAnnotationKind::kNumbers);
}

TEST(AnnotationMatch, TheNoticeCountsWhatDidNotMatch) {
  const CSideAnnotations none = MatchAnnotations(Parsed("l\tg\nParis\ta\n"), kItems);
  EXPECT_FALSE(none.Shown());
  EXPECT_NE(AnnotationNotice(none, "rows").find("no label of the file names one of the rows"),
            std::string::npos);
  const CSideAnnotations all = MatchAnnotations(Parsed("l\tg\nAlaska\ta\n"), kItems);
  EXPECT_TRUE(all.Shown());
  EXPECT_EQ(AnnotationNotice(all, "rows"), "");
  const CSideAnnotations some =
      MatchAnnotations(Parsed("l\tg\nAlaska\ta\nParis\tb\nRome\tc\n"), kItems);
  EXPECT_NE(AnnotationNotice(some, "columns")
                .find("2 labels of the file name none of the columns (the first: \"Paris\")"),
            std::string::npos)
      << AnnotationNotice(some, "columns");
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "QuorvelRun.h"
#include "TestFiles.h"

// Annotation files in a batch run: the strips and the legend in the picture file, the notice of
// labels that name no item, and a file that cannot be used.

namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

}  // namespace

TEST(AnnotationsRun, BothSidesShowTheirStripsAndLegendsInTheSvgFile) {
  CTempDir folder;
  const std::string columns =
      folder.Write("measures.csv",
                   "measure,kind\nMurder,crime\nAssault,crime\nRape,crime\nUrbanPop,people\n"
                   "Arson,crime\n");
  const std::string svg = (folder.Path() / "states.svg").string();
  const CRun run = RunQuorvel(
      folder, {ExamplePath("usarrests_numeric.txt"), "-Euclidian", "-Ward", "-AutomationRow",
               "-AutomationCol", "-RowAnnotations", ExamplePath("usarrests_regions.txt"),
               "-ColumnAnnotations", columns, "-ExportScreenInSvgFile", svg, "-Exit"});
  ASSERT_EQ(run.status, 0) << run.output;
  // The column file names one column the table does not have.
  EXPECT_NE(run.output.find("1 label of the file names none of the columns (the first: "
                            "\"Arson\")"),
            std::string::npos)
      << run.output;
  const std::string text = ReadFileText(svg);
  for (const char* legend : {"Row annotations, left to right:", "Region:", "Northeast", "South",
                             "North Central", "West", "Area_sq_mi:", "1214", "589757",
                             "Column annotations, top to bottom:", "kind:", "crime", "people"}) {
    EXPECT_NE(text.find(std::string(">") + legend + "<"), std::string::npos) << legend;
  }
  // The regions' colours: Okabe-Ito orange, sky blue, bluish green, yellow.
  for (const char* color : {"#e69f00", "#56b4e9", "#009e73", "#f0e442"}) {
    EXPECT_GT(Count(text, color), 1u) << color;
  }
}

TEST(AnnotationsRun, AFileThatCannotBeUsedIsSaidAndTheRunStillWritesItsOutputs) {
  CTempDir folder;
  const std::string bad =
      folder.Write("bad.txt", "State\tRegion\nAlabama\tSouth\nAlaska\tWest\textra\n");
  const std::string table = (folder.Path() / "table.txt").string();
  const CRun run =
      RunQuorvel(folder, {ExamplePath("usarrests_numeric.txt"), "-Ward", "-AutomationRow",
                          "-RowAnnotations", bad, "-ExportTableInTextFile", table, "-Exit"});
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("bad.txt, line 3: 3 cells where the header names 2"), std::string::npos)
      << run.output;
  EXPECT_TRUE(std::filesystem::exists(table));

  const CRun missing = RunQuorvel(
      folder, {ExamplePath("usarrests_numeric.txt"), "-RowAnnotations",
               (folder.Path() / "none.txt").string(), "-ExportTableInTextFile", table, "-Exit"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("none.txt could not be read"), std::string::npos) << missing.output;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "QuorvelRun.h"
#include "TestFiles.h"

// The outputs analysts take to other tools, checked against what R computes and what pandas, R
// and Bio.Phylo read. The expected files in tests/e2e/expected were made by the scripts beside
// them (see its README.md), so that these tests need none of those tools.

namespace {

std::string Expected(const std::string& name) {
  return SourcePath("tests/e2e/expected/" + name);
}

std::vector<std::vector<std::string>> TabLines(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;) {
      const size_t tab = line.find('\t', start);
      cells.push_back(line.substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    lines.push_back(cells);
  }
  return lines;
}

// Two labellings of the same items are the same partition when the labels map one to one.
bool SamePartition(const std::map<std::string, std::string>& a,
                   const std::map<std::string, std::string>& b) {
  if (a.size() != b.size()) return false;
  std::map<std::string, std::string> forward, backward;
  for (const auto& [item, label] : a) {
    const auto other = b.find(item);
    if (other == b.end()) return false;
    if (forward.emplace(label, other->second).first->second != other->second) return false;
    if (backward.emplace(other->second, label).first->second != label) return false;
  }
  return true;
}

// A Newick tree with exact lengths, read back: its leaves in text order and the height of each
// merge (the longest way down to a leaf), with the worst disagreement between the two ways down
// of a merge.
struct CReadTree {
  std::vector<std::string> leaves;
  std::vector<double> heights;
  double worstSpread = 0.0;
};

double ReadNode(const std::string& text, size_t& k, CReadTree& tree) {
  if (text[k] != '(') {
    const size_t end = text.find_first_of(":,);", k);
    tree.leaves.push_back(text.substr(k, end - k));
    k = end;
    return 0.0;
  }
  ++k;
  std::vector<double> ways;
  for (;;) {
    const double below = ReadNode(text, k, tree);
    char* after = nullptr;
    const double length = std::strtod(text.c_str() + k + 1, &after);  // text[k] is ':'
    k = static_cast<size_t>(after - text.c_str());
    ways.push_back(below + length);
    if (text[k++] == ')') break;
  }
  const auto [low, high] = std::minmax_element(ways.begin(), ways.end());
  tree.worstSpread = std::max(tree.worstSpread, *high - *low);
  tree.heights.push_back(*high);
  return *high;
}

CReadTree ReadTree(const std::string& text) {
  CReadTree tree;
  size_t k = 0;
  ReadNode(text, k, tree);
  std::sort(tree.heights.begin(), tree.heights.end());
  return tree;
}

std::vector<double> ReadHeights(const std::string& path) {
  std::vector<double> heights;
  std::istringstream in(ReadFileText(path));
  std::string line;
  while (std::getline(in, line))
    heights.push_back(std::strtod(line.c_str(), nullptr));
  return heights;
}

struct CWardCase {
  const char* table;
  const char* expected;  // NAME_ward_SIDE of the expected files
  bool rows;
};

constexpr CWardCase kWardCases[] = {
    {"usarrests_numeric.txt", "usarrests_ward_rows", true},
    {"iris_numeric.txt", "iris_ward_rows", true},
    {"mtcars_numeric.txt", "mtcars_ward_rows", true},
    {"mtcars_numeric.txt", "mtcars_ward_columns", false},
    {"airquality_missing_numeric.txt", "airquality_ward_rows", true},
};

// A Python that has pandas and Bio.Phylo, or "".
std::string ReaderPython() {
  for (const char* python : {"python3", "/usr/bin/python3"}) {
    const std::string probe =
        std::string(python) + " -c 'import pandas, Bio.Phylo' >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return python;
  }
  return "";
}

}  // namespace

TEST(AnalystOutputs, WardCutsAreTheClustersOfRsCutree) {
  CTempDir folder;
  const std::string clusters = (folder.Path() / "clusters.txt").string();
  const std::string newick = (folder.Path() / "tree.nwk").string();
  for (const CWardCase& c : kWardCases) {
    const auto expected = TabLines(ReadFileText(Expected(std::string(c.expected) + ".txt")));
    ASSERT_GT(expected.size(), 2u) << c.expected;
    const std::vector<std::string>& header = expected[0];
    for (size_t column = 1; column < header.size(); ++column) {
      const std::string k = header[column].substr(1);  // "k4" → "4"
      const CRun run = RunQuorvel(
          folder,
          {ExamplePath(c.table), "-Ward",
           c.rows ? "-ClusteringAutomationRow" : "-ClusteringAutomationCol",
           c.rows ? "-CutRowTree" : "-CutColumnTree", k,
           c.rows ? "-ExportRowClustersInTextFile" : "-ExportColumnClustersInTextFile", clusters,
           "-ExactNewick", c.rows ? "-ExportRowTreeInNewickFile" : "-ExportColumnTreeInNewickFile",
           newick, "-Exit"});
      ASSERT_EQ(run.status, 0) << run.output;
      const auto ours = TabLines(ReadFileText(clusters));
      ASSERT_EQ(ours.size(), expected.size()) << c.expected;
      EXPECT_EQ(ours[0], (std::vector<std::string>{"label", "cluster"}));
      std::map<std::string, std::string> ourClusters, theirClusters;
      std::vector<std::string> labels;
      int highest = 0;
      for (size_t line = 1; line < ours.size(); ++line) {
        ourClusters[ours[line][0]] = ours[line][1];
        labels.push_back(ours[line][0]);
        // Numbered by first appearance: each new cluster is the next number.
        const int number = std::stoi(ours[line][1]);
        EXPECT_LE(number, highest + 1) << c.expected << " k" << k;
        highest = std::max(highest, number);
        theirClusters[expected[line][0]] = expected[line][column];
      }
      EXPECT_EQ(highest, std::stoi(k));
      EXPECT_TRUE(SamePartition(ourClusters, theirClusters)) << c.expected << " k" << k;
      // The lines follow the display order: the leaves of the tree.
      const CReadTree tree = ReadTree(ReadFileText(newick));
      EXPECT_EQ(tree.leaves, labels) << c.expected;
    }
  }
}

TEST(AnalystOutputs, ExactNewickGivesRsWardHeightsAndAnUltrametricTree) {
  CTempDir folder;
  const std::string newick = (folder.Path() / "tree.nwk").string();
  const std::string fixed = (folder.Path() / "fixed.nwk").string();
  for (const CWardCase& c : kWardCases) {
    const char* keyword = c.rows ? "-ExportRowTreeInNewickFile" : "-ExportColumnTreeInNewickFile";
    const char* automation = c.rows ? "-AutomationRow" : "-AutomationCol";
    ASSERT_EQ(RunQuorvel(folder, {ExamplePath(c.table), "-Ward", automation, "-ExactNewick",
                                  keyword, newick, "-Exit"})
                  .status,
              0);
    const std::vector<double> expected =
        ReadHeights(Expected(std::string(c.expected) + "_heights.txt"));
    const CReadTree tree = ReadTree(ReadFileText(newick));
    ASSERT_EQ(tree.heights.size(), expected.size()) << c.expected;
    const double top = expected.back();
    EXPECT_LE(tree.worstSpread, 1e-9 * top) << c.expected;
    for (size_t k = 0; k < expected.size(); ++k)
      EXPECT_NEAR(tree.heights[k], expected[k], 1e-9 * top) << c.expected << " merge " << k;
    // The fixed decimals of the default format are not enough for that.
    ASSERT_EQ(
        RunQuorvel(folder, {ExamplePath(c.table), "-Ward", automation, keyword, fixed, "-Exit"})
            .status,
        0);
    EXPECT_GT(ReadTree(ReadFileText(fixed)).worstSpread, 1e-6) << c.expected;
  }
}

TEST(AnalystOutputs, TheTsvTableOfAwkwardLabelsIsTheFileTheReadersWereCheckedOn) {
  CTempDir folder;
  const std::string tsv = (folder.Path() / "labels.tsv").string();
  const CRun run = RunQuorvel(folder, {Expected("tsv_labels.txt"), "-BlancIsNotSeparator",
                                       "-ExportTableInTsvFile", tsv, "-Exit"});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ReadFileText(tsv), ReadFileText(Expected("tsv_labels.tsv")));
}

TEST(AnalystOutputs, PandasRAndBioPhyloReadTheFilesBack) {
  const std::string python = ReaderPython();
  if (python.empty()) GTEST_SKIP() << "no Python with pandas and Bio.Phylo";
  CTempDir folder;
  const std::string tsv = (folder.Path() / "table.tsv").string();
  const std::string newick = (folder.Path() / "rows.nwk").string();
  // Seriated and clustered: the display order differs from the file's.
  ASSERT_EQ(RunQuorvel(folder, {ExamplePath("airquality_missing_numeric.txt"), "-Ward",
                                "-AutomationRow", "-AutomationCol", "-ExportTableInTsvFile", tsv,
                                "-ExactNewick", "-ExportRowTreeInNewickFile", newick, "-Exit"})
                .status,
            0);
  const std::string scripts = Expected("");
  const auto check = [&](const std::string& arguments) {
    return std::system((python + " " + arguments + " 2>&1").c_str());
  };
  EXPECT_EQ(check(scripts + "readback_tsv.py '" + ExamplePath("airquality_missing_numeric.txt") +
                  "' '" + tsv + "'"),
            0);
  EXPECT_EQ(check(scripts + "readback_tsv.py '" + Expected("tsv_labels.txt") + "' '" +
                  Expected("tsv_labels.tsv") + "'"),
            0);
  EXPECT_EQ(check(scripts + "readback_newick.py '" + newick + "' '" +
                  Expected("airquality_ward_rows_heights.txt") + "'"),
            0);
}

TEST(AnalystOutputs, EveryPictureKeywordWritesItsFileAndThePictureShowsTheCut) {
  CTempDir folder;
  const auto at = [&](const char* name) { return (folder.Path() / name).string(); };
  const CRun run = RunQuorvel(
      folder, {ExamplePath("usarrests_numeric.txt"), "-Ward", "-AutomationRow", "-CutRowTree", "3",
               "-ExportScreenInJpegFile", at("a.first"), "-ExportScreenInPngFile", at("b.v1.png"),
               "-ExportScreenInSvgFile", at("c.svg"), "-ExportScreenInBmpFile", at("d"), "-Exit"});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ReadFileText(at("a.jpg")).substr(0, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(ReadFileText(at("b.v1.png")).substr(0, 4), "\x89PNG");
  EXPECT_EQ(ReadFileText(at("d.bmp")).substr(0, 2), "BM");
  const std::string svg = ReadFileText(at("c.svg"));
  // The three clusters' colours in the mark strip of the rows.
  for (const char* color : {"fill=\"#e69f00\"", "fill=\"#56b4e9\"", "fill=\"#009e73\""})
    EXPECT_NE(svg.find(color), std::string::npos) << color;
  EXPECT_EQ(svg.find("fill=\"#f0e442\""), std::string::npos) << "no fourth cluster colour";
}

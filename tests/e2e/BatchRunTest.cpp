// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "QuorvelRun.h"
#include "ScriptedServices.h"
#include "SvgReader.h"
#include "TestFiles.h"
#include "data/DataFactory.h"
#include "data/TextTableReader.h"
#include "settings/Keywords.h"

namespace {

// A small Newick reader: the leaf labels in text order.
std::vector<std::string> NewickLeaves(const std::string& text) {
  std::vector<std::string> leaves;
  std::string label;
  bool inLength = false;
  for (char c : text) {
    if (c == ':') {
      if (!label.empty()) leaves.push_back(label);
      label.clear();
      inLength = true;
    } else if (c == ',' || c == ')' || c == '(' || c == ';') {
      if (!label.empty() && !inLength) leaves.push_back(label);
      label.clear();
      inLength = false;
    } else if (!inLength && c != ' ') {
      label += c;
    }
  }
  return leaves;
}

std::vector<std::string> TableRowLabels(const std::string& path) {
  auto data = CreateDataTable(EDataType::kNumerical);
  data->fileName = path;
  EXPECT_EQ(ReadTextTable(*data, CReadOptions{}, {}).code, 0);
  return data->rowLabels;
}

}  // namespace

TEST(BatchRun, FullTreatmentWritesResultsThatAgree) {
  CTempDir folder;
  const auto out = [&](const char* name) { return (folder.Path() / name).string(); };
  const CRun run = RunQuorvel(
      folder, {ExamplePath("usarrests_numeric.txt"), "-Ward", "-TreeSeriationByTSP",
               "-AutomationRow", "-AutomationCol", "-ExportTableInTextFile", out("Table.TXT"),
               "-ExportRowTreeInNewickFile", out("rows.phy"), "-ExportColumnTreeInNewickFile",
               out("cols.phy"), "-ExportReportInTextFile", out("report.txt"), "-Exit"});
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<std::string> rows = TableRowLabels(out("Table.TXT"));
  ASSERT_EQ(rows.size(), 50u);
  EXPECT_EQ(NewickLeaves(ReadFileText(out("rows.phy"))), rows);
  EXPECT_EQ(NewickLeaves(ReadFileText(out("cols.phy"))).size(), 4u);
  const std::string report = ReadFileText(out("report.txt"));
  EXPECT_NE(report.find("linkage=Ward's criteria"), std::string::npos);
  EXPECT_NE(report.find("size=50x4"), std::string::npos);
}

TEST(BatchRun, ExitStatusesOfDataFailures) {
  CTempDir folder;
  struct Case {
    const char* content;
    const char* keyword;
    int status;
  };
  for (const Case& c : {
           Case{"T\ta\tb\nr1\t1\t\nr2\t\t1\n", "-Numeric", 1},
           Case{"T\ta\tb\nr1\t1\t\nr2\t0\t1\n", "-Binary", 10},
           Case{"T\ta\tb\nr1\t1\t1\nr2\t0\t1\n", "-NormalizeRows", 12},
           Case{"T\ta\tb\nr1\t0\t1.5\nr2\t1\t0\n", "-Nominal", 13},
           Case{"T\ta\tb\nr1\t0\t2\nr2\t1\t3\n", "-Nominal", 14},
           Case{"T\ta\nr1\t1\n", "-Numeric", 1},
           Case{"", "-Numeric", 4},
       }) {
    const std::string file = folder.Write("case.txt", c.content);
    const CRun run = RunQuorvel(folder, {file, c.keyword, "-Exit"});
    EXPECT_EQ(run.status, c.status) << c.content << run.output;
  }
  // Status 11 needs a contingency table, which the command line cannot choose: the store can.
  std::filesystem::create_directories(folder.Path() / "Velmora");
  folder.Write("Velmora/Quorvel.conf", "[Settings]\nTreatement\\DataType=3\n");
  const std::string file = folder.Write("counts.txt", "T\ta\tb\nr1\t1\t-2\nr2\t0\t1\n");
  EXPECT_EQ(RunQuorvel(folder, {file, "-Exit"}).status, 11);
}

TEST(BatchRun, MissingFileAndNoFile) {
  CTempDir folder;
  EXPECT_EQ(RunQuorvel(folder, {(folder.Path() / "absent.txt").string(), "-Exit"}).status, 8);
  // A status no message number uses: 2 is the memory failure's.
  const CRun none = RunQuorvel(folder, {"-Ward", "-Exit"});
  EXPECT_EQ(none.status, kExitNoDataFile);
  EXPECT_NE(none.output.find("no data file"), std::string::npos);
  const CRun help = RunQuorvel(folder, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("-ExportScreenInPostScriptFile FILE"), std::string::npos);
}

TEST(BatchRun, EverySampleTableRuns) {
  CTempDir folder;
  struct Sample {
    const char* name;
    const char* type;
  };
  for (const Sample& s :
       {Sample{"iris_numeric.txt", "-Numeric"}, Sample{"munsingen_binary.txt", "-Binary"},
        Sample{"townships_binary.txt", "-Binary"}, Sample{"mtcars_nominal.txt", "-Nominal"},
        Sample{"zoo_numeric.txt", "-Numeric"}, Sample{"wood_expression_numeric.txt", "-Numeric"}}) {
    const CRun run = RunQuorvel(
        folder, {ExamplePath(s.name), s.type, "-AutomationRow", "-AutomationCol", "-Exit"});
    EXPECT_EQ(run.status, 0) << s.name << run.output;
  }
}

namespace {

// Width and height from the header of a PNG file.
std::pair<unsigned, unsigned> PngSize(const std::string& png) {
  const auto word = [&](size_t at) {
    unsigned value = 0;
    for (size_t k = 0; k < 4; ++k)
      value = value << 8 | static_cast<unsigned char>(png.at(at + k));
    return value;
  };
  return {word(16), word(20)};
}

}  // namespace

TEST(BatchRun, PictureKeywordsGiveALargerBitmapAndATitledTurnedPicture) {
  CTempDir folder;
  const auto run = [&](const std::string& name, std::vector<std::string> extra) {
    std::vector<std::string> arguments{ExamplePath("usarrests_numeric.txt"), "-Ward",
                                       "-AutomationRow", "-AutomationCol"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    arguments.insert(arguments.end(),
                     {"-ExportScreenInPngFile", (folder.Path() / name).string(), "-Exit"});
    const CRun result = RunQuorvel(folder, arguments);
    EXPECT_EQ(result.status, 0) << result.output;
    return ReadFileText((folder.Path() / name).string());
  };
  const auto [width, height] = PngSize(run("plain.png", {}));
  const auto [wide, tall] = PngSize(run("dpi.png", {"-Dpi", "192"}));
  EXPECT_EQ(wide, 2 * width);
  EXPECT_EQ(tall, 2 * height);
  // A title adds a line above the picture; every new keyword together still draws. (Turned
  // labels need less height than stacked letters: the title is compared with the same labels.)
  const auto [turnedWidth, turnedHeight] =
      PngSize(run("turned.png", {"-ColorScale", "viridis", "-RotatedColumnLabels"}));
  const auto [titledWidth, titledHeight] =
      PngSize(run("titled.png", {"-Title", "Arrests by state", "-ColorScale", "viridis",
                                 "-RotatedColumnLabels"}));
  EXPECT_GE(titledWidth, turnedWidth);
  EXPECT_GT(titledHeight, turnedHeight);
  EXPECT_GT(turnedHeight, 0u);
}

TEST(BatchRun, PictureExportWritesAValidFileOfEachFormat) {
  CTempDir folder;
  struct Format {
    const char* keyword;
    const char* asked;
    const char* name;
    std::string magic;
  };
  // The older formats cut the name at its first point and give it their extension; the added
  // ones keep it whole.
  const Format formats[] = {
      {"-ExportScreenInPostScriptFile", "picture.x.old", "picture.ps",
       "%!PS-Adobe-3.0\n%%Creator: Quorvel\n"},
      {"-ExportScreenInJpegFile", "picture.x.old", "picture.jpg", "\xFF\xD8\xFF"},
      {"-ExportScreenInBmpFile", "picture.x.old", "picture.bmp", "BM"},
      {"-ExportScreenInPngFile", "picture.png.old", "picture.png.old", "\x89PNG"},
      {"-ExportScreenInPdfFile", "picture.pdf.old", "picture.pdf.old", "%PDF"},
  };
  for (const Format& format : formats) {
    const std::string asked = (folder.Path() / format.asked).string();
    const CRun run =
        RunQuorvel(folder, {ExamplePath("usarrests_numeric.txt"), "-Ward", "-AutomationRow",
                            "-AutomationCol", format.keyword, asked, "-Exit"});
    EXPECT_EQ(run.status, 0) << format.keyword << run.output;
    const std::string written = ReadFileText((folder.Path() / format.name).string());
    EXPECT_EQ(written.substr(0, format.magic.size()), format.magic) << format.keyword;
    EXPECT_GT(written.size(), 1000u) << format.keyword;
  }
  const std::string bmp = ReadFileText((folder.Path() / "picture.bmp").string());
  ASSERT_GE(bmp.size(), 54u);
  const auto word = [&](size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(bmp[at])) |
           static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 1])) << 8 |
           static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 2])) << 16 |
           static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 3])) << 24;
  };
  EXPECT_EQ(word(2), bmp.size());
  EXPECT_EQ(word(10), 54u);
}

TEST(BatchRun, SvgExportWritesAWellFormedPictureUnderExactlyTheNameGiven) {
  CTempDir folder;
  // Unlike the older formats, the name is kept whole: points and all.
  const std::string asked = (folder.Path() / "picture.v2.svg").string();
  const CRun run = RunQuorvel(folder, {ExamplePath("usarrests_numeric.txt"), "-Ward",
                                       "-AutomationRow", "-ExportScreenInSvgFile", asked, "-Exit"});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "picture.svg"));
  const CSvgReading svg = ReadSvg(ReadFileText(asked));
  ASSERT_TRUE(svg.wellFormed) << svg.error;
  ASSERT_FALSE(svg.elements.empty());
  EXPECT_EQ(svg.elements.front().Attribute("xmlns"), "http://www.w3.org/2000/svg");
  // 50 states by 4 crimes, each cell its own rectangle; the state names are written.
  EXPECT_EQ(svg.CountInGroup("rect", "cells"), 50 * 4);
  const std::vector<std::string> texts = svg.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Alabama"), texts.end());
  EXPECT_GT(svg.Count("line"), 49 * 2) << "the row dendrogram (without its zero-length branches)";
}

TEST(BatchRun, PictureExportToAnUnwritableFolderFails) {
  CTempDir folder;
  const CRun run =
      RunQuorvel(folder, {ExamplePath("iris_numeric.txt"), "-Ward", "-AutomationRow",
                          "-ExportScreenInBmpFile", "/nonexistent-folder/x.bmp", "-Exit"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("/nonexistent-folder/x.bmp"), std::string::npos) << run.output;
}

TEST(BatchRun, OutputsGoThroughToStandardOutputAndFollowLinks) {
  CTempDir folder;
  // As root a broken build would replace the machine's /dev/stdout: root uses another name.
  const std::string standardOutput = ::geteuid() == 0 ? "/dev/fd/1" : "/dev/stdout";
  // The picture keyword adds ".ps" to the name cut at its first point: a link so named leads
  // it to the standard output too.
  const std::filesystem::path screen = folder.Path() / "screen.ps";
  std::filesystem::create_symlink(standardOutput, screen);
  std::filesystem::create_directory(folder.Path() / "trees");
  const std::filesystem::path rows = folder.Path() / "rows.phy";
  std::filesystem::create_symlink("trees/rows.phy", rows);
  const CRun run =
      RunQuorvel(folder, {ExamplePath("iris_numeric.txt"), "-Ward", "-AutomationRow",
                          "-ExportTableInTextFile", standardOutput, "-ExportScreenInPostScriptFile",
                          screen.string(), "-ExportRowTreeInNewickFile", rows.string(), "-Exit"});
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Flower\tSepal.Length"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("%!PS-Adobe-3.0\n"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_symlink(screen));
  EXPECT_TRUE(std::filesystem::is_symlink(rows));
  EXPECT_EQ(NewickLeaves(ReadFileText((folder.Path() / "trees" / "rows.phy").string())).size(),
            150u);
}

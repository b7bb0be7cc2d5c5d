// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "QuorvelRun.h"
#include "TestFiles.h"

namespace {

void WriteSettings(const CTempDir& folder, const std::string& lines) {
  std::filesystem::create_directories(folder.Path() / "Velmora");
  std::ofstream(folder.Path() / "Velmora" / "Quorvel.conf") << "[Settings]\n" << lines;
}

const std::vector<std::string> kOutputs = {"-ExportTableInTextFile",
                                           "table.txt",
                                           "-ExportRowTreeInNewickFile",
                                           "rows.phy",
                                           "-ExportColumnTreeInNewickFile",
                                           "cols.phy",
                                           "-ExportReportInTextFile",
                                           "report.txt",
                                           "-ExportScreenInPostScriptFile",
                                           "pic.ps",
                                           "-Exit"};

std::vector<std::string> Arguments(const std::string& file, std::vector<std::string> keywords) {
  keywords.insert(keywords.begin(), file);
  keywords.insert(keywords.end(), kOutputs.begin(), kOutputs.end());
  return keywords;
}

bool AnyOutputWritten(const CTempDir& folder) {
  for (const char* name : {"table.txt", "rows.phy", "cols.phy", "report.txt", "pic.ps"}) {
    if (std::filesystem::exists(folder.Path() / name)) return true;
  }
  return false;
}

}  // namespace

TEST(HostileInput, ValuesWhoseSquaresOverflowStopTheRunNamingTheMeasure) {
  CTempDir folder;
  const std::string table =
      folder.Write("huge.dat", "T\ta\tb\nr1\t1e155\t2\nr2\t3e155\t1\nr3\t-2e155\t5\n");
  const CRun run = RunQuorvelInFolder(
      folder,
      Arguments(table, {"-Ward", "-TreeSeriationByTSP", "-AutomationRow", "-AutomationCol"}));
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("too large for the Euclidean distance"), std::string::npos)
      << run.output;
  EXPECT_FALSE(AnyOutputWritten(folder));

  // Normalised first, the same values are ordinary Z-scores: every output is written, without
  // a single inf or nan.
  const CRun normalised = RunQuorvelInFolder(
      folder, Arguments(table, {"-NormalizeColums", "-Ward", "-TreeSeriationByTSP",
                                "-AutomationRow", "-AutomationCol"}));
  EXPECT_EQ(normalised.status, 0) << normalised.output;
  for (const char* name : {"table.txt", "rows.phy", "cols.phy", "report.txt", "pic.ps"}) {
    const std::string text = ReadFileText((folder.Path() / name).string());
    EXPECT_FALSE(text.empty()) << name;
    EXPECT_EQ(text.find("inf"), std::string::npos) << name;
    EXPECT_EQ(text.find("nan"), std::string::npos) << name;
  }
}

TEST(HostileInput, ContingencyTotalsBeyondTheCountRangeStopTheRun) {
  CTempDir folder;
  WriteSettings(folder, "Treatement\\DataType=3\nTreatement\\Dissimilarity=9\n");
  const std::string table = folder.Write("counts.dat", "T\ta\tb\nr1\t1\t2\nr2\t9e18\t9e18\n");
  const CRun run = RunQuorvelInFolder(folder, Arguments(table, {"-Ward", "-AutomationRow"}));
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("Row 2 of your contingency table has a total beyond 9.2e18"),
            std::string::npos)
      << run.output;
  EXPECT_FALSE(AnyOutputWritten(folder));
}

TEST(HostileInput, StoredCellAndTreeSizesOfAnyValueGiveAPictureOfSaneSize) {
  CTempDir folder;
  WriteSettings(folder,
                "Display\\hx=2147483647\nDisplay\\hy=-5\n"
                "Display\\m_intRowsTreeSize=100000\nDisplay\\m_intColumnsTreeSize=2000000000\n");
  const std::string table =
      folder.Write("small.dat", "T\ta\tb\tc\nr1\t1\t2\t3\nr2\t4\t2\t1\nr3\t5\t0\t2\nr4\t1\t1\t1\n");
  const CRun run = RunQuorvelInFolder(folder, {table, "-AutomationRow", "-AutomationCol",
                                               "-ExportScreenInBmpFile", "picture.bmp", "-Exit"});
  EXPECT_EQ(run.status, 0) << run.output;
  const auto bmp = folder.Path() / "picture.bmp";
  ASSERT_TRUE(std::filesystem::exists(bmp));
  // Columns of 500 units, rows of 1 and trees of 1030: about 2 700 by 1 200 pixels.
  EXPECT_LT(std::filesystem::file_size(bmp), 32u << 20);
}

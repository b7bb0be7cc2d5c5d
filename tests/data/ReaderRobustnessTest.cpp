// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "TableFixture.h"
#include "base/Failure.h"
#include "base/Missing.h"

namespace {

// Reads `content` as every data type with and without the blank delimiter; the reader may
// return a code or end with a data failure, nothing else.
void ReadsWithoutHarm(const std::string& content) {
  for (int type = 0; type < 4; ++type) {
    for (int blank = 0; blank < 2; ++blank) {
      CTableFixture f;
      f.settings.SeparateurBlanc = blank;
      try {
        const int code = f.Load(content, type);
        EXPECT_TRUE(code == 0 || code == 1 || code == 4) << code;
        if (code == 0) {
          EXPECT_GE(f.data->rowCount, 2);
          EXPECT_EQ(f.data->rowLabels.size(), static_cast<size_t>(f.data->rowCount));
          EXPECT_EQ(f.data->columnLabels.size(), static_cast<size_t>(f.data->columnCount));
        }
      } catch (const CError& error) {
        EXPECT_GE(error.ExitStatus(), 10);
      }
    }
  }
}

}  // namespace

TEST(ReaderRobustness, EmptyAndNearlyEmptyFilesGetTheirCodes) {
  CTableFixture f;
  EXPECT_EQ(f.Read(""), 4);
  EXPECT_EQ(f.Read("\n\n\n"), 4);
  EXPECT_EQ(f.Read("Title only\n"), 4);
  EXPECT_EQ(f.Read("T\ta\n"), 4);
  EXPECT_EQ(f.Read("T\ta\n\nr1\t1\nr2\t2\n"), 4);
  EXPECT_EQ(f.Read("T\ta"), 4);
  EXPECT_EQ(f.Read("T\ta\nr1\t1\nr2"), 0);  // last line without line end
  EXPECT_EQ(f.Cell(1, 0), kMissing);
}

TEST(ReaderRobustness, MissingFileDirectoryAndUnreadableFile) {
  CTableFixture f;
  f.data = nullptr;
  {
    CTableFixture g;
    EXPECT_EQ(g.ReadFile((g.folder.Path() / "absent.txt").string()), 8);
    EXPECT_EQ(g.ReadFile((g.folder.Path() / "absent" / "x.txt").string()), 8);
    EXPECT_EQ(g.ReadFile(g.folder.Path().string()), 9);
    EXPECT_FALSE(g.reason.empty());
  }
  if (::geteuid() != 0) {
    CTableFixture g;
    const std::string path = g.folder.Write("locked.txt", "T\ta\nr1\t1\nr2\t2\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_EQ(g.ReadFile(path), 9);
    EXPECT_EQ(g.reason, "Permission denied");
  }
}

TEST(ReaderRobustness, FileRemovedBetweenCountingAndReadingIsReadWhole) {
  CTableFixture f;
  std::string text = "T\ta\tb\n";
  for (int i = 0; i < 1200; ++i)
    text += "r" + std::to_string(i) + "\t1\t2\n";
  const std::string path = f.folder.Write("vanishing.txt", text);
  f.services.onLargeTable = [&] { std::filesystem::remove(path); };
  ASSERT_EQ(f.ReadFile(path), 0);
  EXPECT_EQ(f.data->rowCount, 1200);
  EXPECT_EQ(f.data->rowLabels.back(), "r1199");
}

TEST(ReaderRobustness, VeryLongLinesAndTruncatedLines) {
  std::string wide = "T";
  for (int j = 0; j < 300000; ++j)
    wide += "\tcol";
  wide += "\nr1\t1\t2\nr2";
  for (int j = 0; j < 300000; ++j)
    wide += "\t7";
  wide += "\n";
  ASSERT_GT(wide.find('\n'), 1000000u);
  CTableFixture f;
  ASSERT_EQ(f.Read(wide), 0);
  EXPECT_EQ(f.data->columnCount, 300000);
  EXPECT_EQ(f.Cell(0, 1), 2.0);
  EXPECT_EQ(f.Cell(0, 2), kMissing);
  EXPECT_EQ(f.Cell(1, 299999), 7.0);

  std::string longCell(1 << 20, '9');
  ReadsWithoutHarm("T\ta\tb\nr1\t" + longCell + "\t1\nr2\t1\t" + longCell + ".5e-3\n");
  ReadsWithoutHarm("T\ta\tb\tc\nr1\t1\nr2\nr3\t1\t2\t3\t4\t5\n");
}

TEST(ReaderRobustness, BinaryGarbageNeverCrashes) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 3000);
  const std::string alphabet = "0123456789.,;:\t \n\r-+eE";
  for (int trial = 0; trial < 60; ++trial) {
    std::string content(static_cast<size_t>(length(random)), '\0');
    for (char& c : content) {
      c = trial % 2 ? static_cast<char>(byte(random))
                    : alphabet[static_cast<size_t>(byte(random)) % alphabet.size()];
    }
    ReadsWithoutHarm(content);
  }
  ReadsWithoutHarm(std::string("T\ta\0b\nr\0\t1\t2\nq\t\0\t3\n", 18));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "base/FileNames.h"

TEST(FileNames, OnlyTheFileNameIsCutAtItsFirstPoint) {
  EXPECT_EQ(WithExtension("/data/sample.txt", ".phy"), "/data/sample.phy");
  EXPECT_EQ(WithExtension("my.data.txt", ".txt"), "my.txt");
  EXPECT_EQ(WithExtension("/home/a.b/data.txt", ".ps"), "/home/a.b/data.ps");
  EXPECT_EQ(WithExtension("./out/data.txt", ".jpg"), "./out/data.jpg");
  EXPECT_EQ(WithExtension("results", ".txt"), "results.txt");
  EXPECT_EQ(WithExtension("C:\\data\\sample.txt", ".phy"), "C:\\data\\sample.phy");
}

TEST(FileNames, ExtensionAndFileName) {
  EXPECT_TRUE(HasExtension("out/results.txt"));
  EXPECT_FALSE(HasExtension("out.d/results"));
  EXPECT_FALSE(HasExtension(".hidden"));
  EXPECT_EQ(FileNameOf("/a/b/table.txt"), "table.txt");
  EXPECT_EQ(FileNameOf("table.txt"), "table.txt");
}

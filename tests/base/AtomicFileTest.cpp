#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "base/AtomicFile.h"

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit) {
  CTempDir folder;
  const std::string path = folder.Write("out.txt", "old");
  {
    CAtomicFile file(path);
    ASSERT_TRUE(file.Write("new content"));
    EXPECT_EQ(ReadFileText(path), "old");  // nothing visible before the commit
  }
  EXPECT_EQ(ReadFileText(path), "old");  // dropped without commit: the old file stays
  ASSERT_TRUE(WriteFileAtomically(path, "new content", nullptr));
  EXPECT_EQ(ReadFileText(path), "new content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator{}),
            1);  // no temporary file left behind
}

TEST(AtomicFile, UnwritableFolderGivesTheSystemsReason) {
  CTempDir folder;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically((folder.Path() / "missing" / "x.txt").string(), "x", &error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

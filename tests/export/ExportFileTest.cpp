// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include "TestFiles.h"
#include "export/ExportFile.h"

TEST(ExportFile, FailuresNameTheFileAndTheSystemsReason) {
  CTempDir folder;
  std::string error;
  EXPECT_FALSE(SaveExportFile(folder.Path().string(), "bytes", &error));
  EXPECT_EQ(error, "Opening " + folder.Path().string() + " failed: Is a directory");
  // A device that takes nothing more fails while writing (not as root, who could spoil /dev
  // with a broken build).
  if (::geteuid() == 0) return;
  EXPECT_FALSE(SaveExportFile("/dev/full", "bytes", &error));
  EXPECT_EQ(error, "Writing /dev/full failed: write: No space left on device");
}

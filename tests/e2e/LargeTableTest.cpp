// SPDX-License-Identifier: GPL-3.0-or-later
// A table whose run cannot fit in the memory the program may take is refused at once with
// message 2, before its dissimilarities are computed.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "Sanitizers.h"
#include "TestFiles.h"

namespace {

struct CRun {
  int status = -1;
  std::string output;
  double seconds = 0.0;
};

// The program in a shell limited to `kilobytes` of address space (`ulimit -v`).
CRun RunLimited(const CTempDir& folder, long kilobytes, const std::string& arguments) {
  const std::string command = "ulimit -v " + std::to_string(kilobytes) +
                              "; env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME='" +
                              folder.Path().string() + "' '" + QUORVEL_BINARY + "' " + arguments +
                              " 2>&1";
  CRun run;
  const auto start = std::chrono::steady_clock::now();
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    run.output.append(buffer, got);
  const int status = pclose(pipe);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string WriteTable(const CTempDir& folder, int rows, int columns) {
  const std::string path = (folder.Path() / "large.txt").string();
  std::ofstream out(path);
  out << "T";
  for (int j = 0; j < columns; ++j)
    out << "\tc" << j;
  out << "\n";
  for (int i = 0; i < rows; ++i) {
    out << "r" << i;
    for (int j = 0; j < columns; ++j)
      out << "\t" << (i * 31 + j * 7) % 97;
    out << "\n";
  }
  return path;
}

}  // namespace

TEST(LargeTable, ARunTooLargeForTheAddressSpaceEndsWithMessageTwoAtOnce) {
  QUORVEL_SKIP_UNDER_ADDRESS_LIMIT_IF_SANITIZED();
  // 30,000 rows: a row triangle of 3.6 GB under a limit of 1.5 GB.
  CTempDir folder;
  const std::string table = WriteTable(folder, 30000, 4);
  const std::string out = (folder.Path() / "out.txt").string();
  const CRun run = RunLimited(folder, 1500 * 1024,
                              "'" + table +
                                  "' -Euclidian -Ward -TreeSeriationByTSP -AutomationRow "
                                  "-AutomationCol -ExportTableInTextFile '" +
                                  out + "' -Exit");
  EXPECT_EQ(run.status, 2) << run.output;
  EXPECT_NE(run.output.find("30000"), std::string::npos) << run.output;
  EXPECT_LT(run.seconds, 20.0);  // refused after the read, not after the distances
  EXPECT_FALSE(std::ifstream(out).good());

  // The same limit leaves room for 3,000 rows (72 MB).
  const std::string small = WriteTable(folder, 3000, 4);
  const CRun fits = RunLimited(folder, 1500 * 1024,
                               "'" + small +
                                   "' -Euclidian -Ward -TreeSeriationByTSP -AutomationRow "
                                   "-AutomationCol -ExportTableInTextFile '" +
                                   out + "' -Exit");
  EXPECT_EQ(fits.status, 0) << fits.output;
  EXPECT_TRUE(std::ifstream(out).good());
}

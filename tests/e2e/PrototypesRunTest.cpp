// SPDX-License-Identifier: GPL-3.0-or-later
// A batch run on the weighted prototypes of a table's rows.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace {

int RunQuorvel(const CTempDir& folder, const std::string& arguments) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME='" +
                              folder.Path().string() + "' '" + QUORVEL_BINARY + "' " + arguments +
                              " > /dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// 2,400 rows around six centres, in five columns.
std::string WriteTable(const CTempDir& folder) {
  std::ostringstream out;
  out << "T\ta\tb\tc\td\te\n";
  unsigned state = 12345;
  auto next = [&] { return (state = state * 1103515245u + 12345u) >> 16; };
  for (int i = 0; i < 2400; ++i) {
    const int centre = static_cast<int>(next() % 6);
    out << "r" << i;
    for (int j = 0; j < 5; ++j)
      out << "\t" << 20 * ((centre + j) % 6) + static_cast<int>(next() % 100) / 25.0;
    out << "\n";
  }
  return folder.Write("table.txt", out.str());
}

std::string Outputs(const CTempDir& folder, const std::string& tag) {
  const auto path = [&](const char* name) {
    return "'" + (folder.Path() / (tag + name)).string() + "'";
  };
  return "-Euclidian -Ward -TreeSeriationByTSP -AutomationRow -AutomationCol "
         "-ExportTableInTextFile " +
         path("table.txt") + " -ExportColumnTreeInNewickFile " + path("columns.phy") +
         " -ExportRowPrototypesInTextFile " + path("prototypes.txt") + " -Exit";
}

}  // namespace

TEST(PrototypesRun, RowsBecomeWeightedPrototypesAndColumnsStayThoseOfEveryRow) {
  CTempDir folder;
  const std::string table = "'" + WriteTable(folder) + "'";
  ASSERT_EQ(RunQuorvel(folder, table + " -Prototypes 40 " + Outputs(folder, "p_")), 0);
  ASSERT_EQ(RunQuorvel(folder, table + " " + Outputs(folder, "full_")), 0);
  const auto at = [&](const char* name) { return (folder.Path() / name).string(); };

  // The table holds the prototypes, labelled with their sizes.
  const std::vector<std::string> rows = Lines(at("p_table.txt"));
  ASSERT_GE(rows.size(), 7u);
  ASSERT_LE(rows.size(), 41u);
  std::set<std::string> labels;
  int total = 0;
  for (size_t k = 1; k < rows.size(); ++k) {
    const std::string label = rows[k].substr(0, rows[k].find('\t'));
    ASSERT_EQ(label[0], 'P') << label;
    total += std::stoi(label.substr(label.find("n=") + 2));
    labels.insert(label);
  }
  EXPECT_EQ(total, 2400);

  // Every row read is listed once, with a prototype of the table.
  const std::vector<std::string> list = Lines(at("p_prototypes.txt"));
  ASSERT_EQ(list.size(), 2400u);
  std::map<std::string, int> members;
  for (size_t i = 0; i < list.size(); ++i) {
    const size_t tab = list[i].find('\t');
    EXPECT_EQ(list[i].substr(0, tab), "r" + std::to_string(i));
    const std::string prototype = list[i].substr(tab + 1);
    EXPECT_TRUE(labels.count(prototype)) << prototype;
    ++members[prototype];
  }
  for (const auto& [label, count] : members)
    EXPECT_EQ(count, std::stoi(label.substr(label.find("n=") + 2))) << label;

  // The columns were compared over every row read: their tree is the one of the full run.
  EXPECT_EQ(ReadFileText(at("p_columns.phy")), ReadFileText(at("full_columns.phy")));
  // Without a summary every row is its own prototype.
  const std::vector<std::string> own = Lines(at("full_prototypes.txt"));
  ASSERT_EQ(own.size(), 2400u);
  EXPECT_EQ(own[7], "r7\tr7");
}

TEST(PrototypesRun, AsManyPrototypesAsRowsChangesNothing) {
  CTempDir folder;
  const std::string table = "'" + WriteTable(folder) + "'";
  ASSERT_EQ(RunQuorvel(folder, table + " -Prototypes 2400 " + Outputs(folder, "p_")), 0);
  ASSERT_EQ(RunQuorvel(folder, table + " " + Outputs(folder, "full_")), 0);
  const auto at = [&](const char* name) { return (folder.Path() / name).string(); };
  EXPECT_EQ(ReadFileText(at("p_table.txt")), ReadFileText(at("full_table.txt")));
  EXPECT_EQ(ReadFileText(at("p_prototypes.txt")), ReadFileText(at("full_prototypes.txt")));
}

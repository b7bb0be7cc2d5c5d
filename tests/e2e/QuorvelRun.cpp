// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuorvelRun.h"

#include <sys/wait.h>

#include <cstdio>

namespace {

CRun Run(const CTempDir& folder, const std::vector<std::string>& arguments, bool inFolder) {
  std::string command = (inFolder ? "cd '" + folder.Path().string() + "' && " : std::string()) +
                        "env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME='" +
                        folder.Path().string() + "' '" + QUORVEL_BINARY + "'";
  for (const std::string& argument : arguments)
    command += " '" + argument + "'";
  command += " 2>&1";
  CRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    run.output.append(buffer, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace

CRun RunQuorvel(const CTempDir& folder, const std::vector<std::string>& arguments) {
  return Run(folder, arguments, false);
}

CRun RunQuorvelInFolder(const CTempDir& folder, const std::vector<std::string>& arguments) {
  return Run(folder, arguments, true);
}

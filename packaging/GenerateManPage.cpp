// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time tool: writes the manual page quorvel(1) made from the program's --help text.
//   quorvel_manpage OUTPUT VERSION
#include <cstdio>
#include <string>

#include "base/AtomicFile.h"
#include "settings/Keywords.h"
#include "settings/ManPage.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: quorvel_manpage OUTPUT VERSION\n", stderr);
    return 2;
  }
  std::string error;
  if (!WriteFileAtomically(argv[1], ManPageText(UsageText(), argv[2]), &error)) {
    std::fprintf(stderr, "quorvel_manpage: cannot write %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  return 0;
}

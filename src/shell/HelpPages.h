// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The documentation shipped with the program: "index.html" (home page) and "guide.html" (the
// user's guide), looked for in the installed documentation folder (share/doc/quorvel beside the
// program's bin folder), next to the executable and in the source tree. An empty string when the
// page is not found.
QString HelpPagePath(const QString& page);
// The same search for a program in `programDir`.
QString HelpPagePath(const QString& page, const QString& programDir);
// Whether the desktop has a program for web pages: asking it to open one would otherwise fail
// without a word (the launcher starts, finds nothing and says nothing to the program).
bool DesktopOpensWebPages();

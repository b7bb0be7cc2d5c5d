#pragma once

#include <QString>

// The documentation shipped with the program: "index.html" (home page) and "guide.html" (the
// user's guide), looked for in the installed documentation folder (share/doc/quorvel beside the
// program's bin folder), next to the executable and in the source tree. An empty string when the
// page is not found.
QString HelpPagePath(const QString& page);
// The same search for a program in `programDir`.
QString HelpPagePath(const QString& page, const QString& programDir);
// Opens a page in the user's browser; false when it is missing.
bool OpenHelpPage(const QString& page);

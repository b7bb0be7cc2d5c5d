#pragma once

#include <QString>

// The documentation shipped with the program: "index.html" (home page) and "guide.html" (the
// user's guide), looked for next to the executable, in the installed share folder and in the
// source tree. An empty string when the page is not found.
QString HelpPagePath(const QString& page);
// Opens a page in the user's browser; false when it is missing.
bool OpenHelpPage(const QString& page);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string_view>

// The program's message texts lay themselves out with tabs and line feeds, the way a platform
// message box expands them: each line is a row and each tab starts the next column. This turns
// such a text into rich text with those rows and columns aligned.
QString MessageLayoutHtml(std::string_view text);

// The text as Qt's string (the program's texts are UTF-8).
QString ToQString(std::string_view text);

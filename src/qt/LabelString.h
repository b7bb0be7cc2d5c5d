// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string_view>

// A label for display: UTF-8 when the bytes are valid UTF-8, else Latin-1.
QString LabelString(std::string_view text);

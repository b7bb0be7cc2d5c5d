// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Default names of the files the program proposes (trees, saved items, exported pictures) are
// made from another path "cut at its first point". Only the file name is cut, never the folders:
// /home/a.b/data.txt gives /home/a.b/data.
std::string CutAtFirstDot(std::string_view path);

// `path` cut at its first point followed by `extension` (which includes its point).
std::string WithExtension(std::string_view path, std::string_view extension);

// The file name part of `path`: after its last '/' (or '\', for names written on other systems).
std::string FileNameOf(std::string_view path);

// True when the file name part of `path` holds a point after its first character.
bool HasExtension(std::string_view path);

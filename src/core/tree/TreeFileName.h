// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The name proposed for a tree file: the last tree file of the document when there is one,
// otherwise the data file's path with its file name cut at its first "." and ".phy" added. The
// folders are kept whole even when their names hold points.
std::string DefaultTreeFileName(std::string_view treeFileName, std::string_view dataFileName);

// The name chosen in the save dialog, with ".phy" added when its file name has no ".".
std::string ChosenTreeFileName(std::string_view chosen);

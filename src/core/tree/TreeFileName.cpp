// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/TreeFileName.h"

#include "base/FileNames.h"

std::string DefaultTreeFileName(std::string_view treeFileName, std::string_view dataFileName) {
  if (!treeFileName.empty()) return std::string(treeFileName);
  return WithExtension(dataFileName, ".phy");
}

std::string ChosenTreeFileName(std::string_view chosen) {
  // Only a name without any point in its file name gets the extension.
  const std::string name = FileNameOf(chosen);
  if (name.find('.') != std::string::npos) return std::string(chosen);
  return std::string(chosen) + ".phy";
}

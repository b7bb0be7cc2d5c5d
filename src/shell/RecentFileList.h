// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class CSettingsStore;

// The ten most recently opened files, most recent first, kept in the settings store's section
// "Recent File List" as "File1" … "File10" (an empty value is an empty place).
class CRecentFileList {
 public:
  static constexpr int kSize = 10;
  static constexpr const char* kSection = "Recent File List";

  explicit CRecentFileList(CSettingsStore& store);

  const std::vector<std::string>& Files() const { return files_; }
  // Puts `path` first (moving it there when listed already) and writes the list. The path is
  // kept absolute and canonical: a relative one is taken from the working folder.
  void Add(const std::string& path);
  // Takes the file off the list, named as listed or as it would be listed.
  void Remove(const std::string& path);

 private:
  void Write();
  CSettingsStore& store_;
  std::vector<std::string> files_;
};

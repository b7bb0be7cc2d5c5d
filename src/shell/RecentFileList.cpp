// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RecentFileList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/Text.h"
#include "settings/SettingsStore.h"

namespace {

// The file as the list keeps it: absolute, without "." and "..", through its links where they
// exist, so that the list opens the same file from any working folder and names it once.
std::string ListedPath(const std::string& path) {
  std::error_code failure;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failure);
  if (failure) return path;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, failure);
  return (failure ? absolute.lexically_normal() : canonical).string();
}

}  // namespace

CRecentFileList::CRecentFileList(CSettingsStore& store) : store_(store) {
  for (int k = 1; k <= kSize; ++k) {
    std::string path = store_.ReadString(kSection, Format("File%d", k), "");
    if (!path.empty() && std::find(files_.begin(), files_.end(), path) == files_.end()) {
      files_.push_back(std::move(path));
    }
  }
}

void CRecentFileList::Add(const std::string& typed) {
  if (typed.empty()) return;
  const std::string path = ListedPath(typed);
  std::erase(files_, path);
  files_.insert(files_.begin(), path);
  if (files_.size() > static_cast<size_t>(kSize)) files_.resize(kSize);
  Write();
}

void CRecentFileList::Remove(const std::string& path) {
  const size_t removed =
      std::erase(files_, path) + (path.empty() ? 0 : std::erase(files_, ListedPath(path)));
  if (removed > 0) Write();
}

void CRecentFileList::Write() {
  for (int k = 1; k <= kSize; ++k) {
    const size_t index = static_cast<size_t>(k - 1);
    store_.WriteString(kSection, Format("File%d", k), index < files_.size() ? files_[index] : "");
  }
}

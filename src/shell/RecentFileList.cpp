#include "shell/RecentFileList.h"

#include <algorithm>

#include "base/Text.h"
#include "settings/SettingsStore.h"

CRecentFileList::CRecentFileList(CSettingsStore& store) : store_(store) {
  for (int k = 1; k <= kSize; ++k) {
    std::string path = store_.ReadString(kSection, Format("File%d", k), "");
    if (!path.empty() && std::find(files_.begin(), files_.end(), path) == files_.end()) {
      files_.push_back(std::move(path));
    }
  }
}

void CRecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  std::erase(files_, path);
  files_.insert(files_.begin(), path);
  if (files_.size() > static_cast<size_t>(kSize)) files_.resize(kSize);
  Write();
}

void CRecentFileList::Remove(const std::string& path) {
  if (std::erase(files_, path) > 0) Write();
}

void CRecentFileList::Write() {
  for (int k = 1; k <= kSize; ++k) {
    const size_t index = static_cast<size_t>(k - 1);
    store_.WriteString(kSection, Format("File%d", k), index < files_.size() ? files_[index] : "");
  }
}

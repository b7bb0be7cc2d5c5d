// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStore.h"

std::string CMemorySettingsStore::Key(std::string_view section, std::string_view name) {
  std::string key(section);
  key += '\n';
  key += name;
  return key;
}

int CMemorySettingsStore::ReadInt(std::string_view section, std::string_view name,
                                  int defaultValue) {
  const auto found = ints_.find(Key(section, name));
  return found == ints_.end() ? defaultValue : found->second;
}

std::string CMemorySettingsStore::ReadString(std::string_view section, std::string_view name,
                                             const std::string& defaultValue) {
  const auto found = strings_.find(Key(section, name));
  return found == strings_.end() ? defaultValue : found->second;
}

void CMemorySettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
  ints_[Key(section, name)] = value;
  ++writes_;
}

void CMemorySettingsStore::WriteString(std::string_view section, std::string_view name,
                                       const std::string& value) {
  strings_[Key(section, name)] = value;
  ++writes_;
}

bool CMemorySettingsStore::Contains(std::string_view section, std::string_view name) const {
  const std::string key = Key(section, name);
  return ints_.count(key) > 0 || strings_.count(key) > 0;
}

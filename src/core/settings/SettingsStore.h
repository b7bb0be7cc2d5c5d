// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>

// The per-user settings store: integers and strings under a section and a name.
class CSettingsStore {
 public:
  virtual ~CSettingsStore() = default;
  virtual int ReadInt(std::string_view section, std::string_view name, int defaultValue) = 0;
  virtual std::string ReadString(std::string_view section, std::string_view name,
                                 const std::string& defaultValue) = 0;
  virtual void WriteInt(std::string_view section, std::string_view name, int value) = 0;
  virtual void WriteString(std::string_view section, std::string_view name,
                           const std::string& value) = 0;
};

// A store kept in memory, for tests and for runs that must not touch the user's store.
class CMemorySettingsStore final : public CSettingsStore {
 public:
  int ReadInt(std::string_view section, std::string_view name, int defaultValue) override;
  std::string ReadString(std::string_view section, std::string_view name,
                         const std::string& defaultValue) override;
  void WriteInt(std::string_view section, std::string_view name, int value) override;
  void WriteString(std::string_view section, std::string_view name,
                   const std::string& value) override;

  bool Contains(std::string_view section, std::string_view name) const;
  size_t Size() const { return ints_.size() + strings_.size(); }
  int WriteCount() const { return writes_; }

 private:
  static std::string Key(std::string_view section, std::string_view name);
  std::map<std::string, int> ints_;
  std::map<std::string, std::string> strings_;
  int writes_ = 0;
};

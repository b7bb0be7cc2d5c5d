// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <memory>

#include "settings/SettingsStore.h"

// The per-user store of the platform through QSettings (organisation "Velmora", application
// "Quorvel"). A section such as "Settings\Treatement" becomes the group "Settings/Treatement".
class CQtSettingsStore final : public CSettingsStore {
 public:
  CQtSettingsStore();
  // A store in a given file (INI format), for tests and portable installations.
  explicit CQtSettingsStore(const QString& iniFile);

  int ReadInt(std::string_view section, std::string_view name, int defaultValue) override;
  std::string ReadString(std::string_view section, std::string_view name,
                         const std::string& defaultValue) override;
  void WriteInt(std::string_view section, std::string_view name, int value) override;
  void WriteString(std::string_view section, std::string_view name,
                   const std::string& value) override;
  void Sync() { settings_->sync(); }

 private:
  static QString Key(std::string_view section, std::string_view name);
  std::unique_ptr<QSettings> settings_;
};

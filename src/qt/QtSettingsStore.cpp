// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/QtSettingsStore.h"

#include <QString>

CQtSettingsStore::CQtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            "Velmora", "Quorvel")) {}

CQtSettingsStore::CQtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QString CQtSettingsStore::Key(std::string_view section, std::string_view name) {
  QString key = QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size()));
  key.replace('\\', '/');
  key += '/';
  key += QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  return key;
}

int CQtSettingsStore::ReadInt(std::string_view section, std::string_view name, int defaultValue) {
  const QVariant value = settings_->value(Key(section, name));
  if (!value.isValid()) return defaultValue;
  bool ok = false;
  const int number = value.toInt(&ok);
  return ok ? number : defaultValue;
}

std::string CQtSettingsStore::ReadString(std::string_view section, std::string_view name,
                                         const std::string& defaultValue) {
  const QVariant value = settings_->value(Key(section, name));
  if (!value.isValid()) return defaultValue;
  return value.toString().toStdString();
}

void CQtSettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
  settings_->setValue(Key(section, name), value);
}

void CQtSettingsStore::WriteString(std::string_view section, std::string_view name,
                                   const std::string& value) {
  settings_->setValue(Key(section, name), QString::fromStdString(value));
}

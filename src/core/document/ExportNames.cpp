// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ExportNames.h"

#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/FileNames.h"
#include "settings/Choices.h"

namespace {

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

// The extension of the file name part, point included, in lower case; "" without one.
std::string LastExtension(const std::string& path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return "";
  return Lowered(std::string_view(name).substr(dot));
}

// Whether the save filter of a format lists `extension` ("*.ps; *.eps" lists ".eps"). The
// catch-all "*.*" names no format.
bool FilterLists(std::string_view filter, const std::string& extension) {
  for (size_t at = filter.find("*."); at != std::string_view::npos;
       at = filter.find("*.", at + 2)) {
    size_t end = at + 1;
    while (end < filter.size() && (std::isalnum(static_cast<unsigned char>(filter[end])) ||
                                   (end == at + 1 && filter[end] == '.'))) {
      ++end;
    }
    const std::string listed = Lowered(filter.substr(at + 1, end - at - 1));
    if (listed.size() > 1 && listed == extension) return true;
  }
  return false;
}

}  // namespace

std::string CompletedExportName(const std::string& chosen, const CExportFormat& format) {
  if (chosen.empty() || HasExtension(chosen)) return chosen;
  return chosen + format.extension;
}

const CExportFormat* ExportFormatNamedBy(const std::string& path) {
  const std::string extension = LastExtension(path);
  if (extension.size() < 2) return nullptr;
  for (const CExportFormat& format : ExportFormats()) {
    if (*format.extension == '\0') continue;
    if (Lowered(format.extension) == extension || FilterLists(format.filter, extension)) {
      return &format;
    }
  }
  return nullptr;
}

std::string InLastExportFolder(const std::string& proposed, const std::string& folder) {
  if (folder.empty()) return proposed;
  std::error_code failure;
  if (!std::filesystem::is_directory(folder, failure) || failure) return proposed;
  const std::string name = FileNameOf(proposed);
  if (name.empty()) return proposed;
  return (std::filesystem::path(folder) / name).string();
}

std::string ExportFolderOf(const std::string& path) {
  std::error_code failure;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failure);
  if (failure) return "";
  return absolute.parent_path().string();
}

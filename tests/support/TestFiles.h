// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A folder of its own for one test, removed afterwards.
class CTempDir {
 public:
  CTempDir();
  ~CTempDir();
  CTempDir(const CTempDir&) = delete;
  CTempDir& operator=(const CTempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  // Writes `content` to `name` inside the folder and returns the full path.
  std::string Write(std::string_view name, std::string_view content) const;

 private:
  std::filesystem::path path_;
};

std::string ReadFileText(const std::string& path);
// The sample tables shipped in examples/.
std::string ExamplePath(std::string_view name);
// The root of the source tree.
std::string SourcePath(std::string_view relative);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

CTempDir::CTempDir() {
  std::random_device device;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("quorvel-test-" + std::to_string(::getpid()) + "-" +
                    std::to_string(device() % 1000000000u));
    if (std::filesystem::create_directory(path_)) break;
  }
}

CTempDir::~CTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string CTempDir::Write(std::string_view name, std::string_view content) const {
  const auto file = path_ / std::string(name);
  std::ofstream out(file, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return file.string();
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string SourcePath(std::string_view relative) {
  const char* root = std::getenv("QUORVEL_SOURCE_DIR");
  std::string path = root ? root : QUORVEL_SOURCE_DIR_DEFAULT;
  path += '/';
  path += relative;
  return path;
}

std::string ExamplePath(std::string_view name) {
  return SourcePath(std::string("examples/") + std::string(name));
}

#pragma once

#include <string>
#include <string_view>

// Writes a file completely or not at all: the bytes go to a temporary file beside the target,
// which replaces the target only once everything was written and flushed. A failure leaves the
// old file (or none) and a reason.
class CAtomicFile {
 public:
  explicit CAtomicFile(std::string path);
  ~CAtomicFile();  // discards the temporary file unless committed
  CAtomicFile(const CAtomicFile&) = delete;
  CAtomicFile& operator=(const CAtomicFile&) = delete;

  bool Write(std::string_view bytes);
  // Flushes, syncs and renames into place; false on any failure (see Error()).
  bool Commit();
  const std::string& Error() const { return error_; }
  const std::string& Path() const { return path_; }

 private:
  bool Fail(const char* what);
  std::string path_;
  std::string temporary_;
  int fd_ = -1;
  std::string error_;
};

// Writes `bytes` to `path` through a CAtomicFile; on failure returns false and sets `error` to
// the system's reason.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error);

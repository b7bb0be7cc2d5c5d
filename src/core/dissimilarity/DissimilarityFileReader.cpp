// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/DissimilarityFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <memory>
#include <string_view>

#include "base/DescriptorRead.h"
#include "base/Missing.h"
#include "base/Progress.h"
#include "data/TextScan.h"
#include "dissimilarity/Distance.h"

namespace {

constexpr char kEmptyName[] =
    "STOP !\tFile name is empty!\n\nPLease, use the button \"Browse...\" to access to the file "
    "manager.";
constexpr char kNotFound[] = "STOP !\tThis file could not be located !\t";
constexpr char kLocked[] = "STOP !\tThis file was locked by an other program !\t";
constexpr char kNotAccessible[] = "ERROR:\tThe file could not be accessed !\t";
constexpr char kDiagonal[] =
    "STOP !\tAt least one of the diagonal's elements is not equal to zero !!!\t";

const char* CauseOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
      return kLocked;
    default:
      return kNotAccessible;
  }
}

// Opens the file for reading; on failure returns -1 and sets `failure` to the message box text.
int OpenForReading(const std::string& fileName, std::string& failure) {
  if (fileName.empty()) {
    failure = kEmptyName;
    return -1;
  }
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    failure = fileName + "\t\n\n" + CauseOf(errno);
    return -1;
  }
  // A folder opens, but cannot be read as a file.
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    failure = fileName + "\t\n\n" + kNotAccessible;
    return -1;
  }
  return fd;
}

// Reads the whole file through one handle; on failure returns the message box text.
std::string ReadAll(const std::string& fileName, std::string& content) {
  std::string failure;
  const int fd = OpenForReading(fileName, failure);
  if (fd < 0) return failure;
  if (ReadWholeDescriptor(fd, content) != 0) return fileName + "\t\n\n" + kNotAccessible;
  return {};
}

// A value in single precision; beyond the float range it is an infinity of its sign.
float ToSingle(double value) {
  if (value > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
  if (value < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

// The next line of `text` from `position`, without its line feed and carriage return; an empty
// line once the text is used up.
std::string_view NextLine(std::string_view text, size_t& position) {
  if (position >= text.size()) return {};
  const size_t end = text.find('\n', position);
  const size_t stop = end == std::string_view::npos ? text.size() : end;
  std::string_view line = text.substr(position, stop - position);
  position = end == std::string_view::npos ? text.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The value of one field: the decimal number at its start, a comma read as the point.
double FieldValue(std::string_view field) {
  if (field.empty()) return kMissing;
  double value = 0.0;
  if (field.find(',') == std::string_view::npos) {
    return ParseDecimalPrefix(field, value) > 0 ? value : 0.0;
  }
  std::string text(field);
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  return ParseDecimalPrefix(text, value) > 0 ? value : 0.0;
}

}  // namespace

std::string FileAccessFailureText(const std::string& fileName) {
  std::string failure;
  const int fd = OpenForReading(fileName, failure);
  if (fd >= 0) ::close(fd);
  return failure;
}

std::string ReadDissimilarityFile(CDistance& distance, const std::string& fileName,
                                  CProgressReporter* reporter) {
  std::string content;
  if (std::string failure = ReadAll(fileName, content); !failure.empty()) return failure;
  const int n = distance.size;
  std::unique_ptr<CProgress> progress =
      OpenItemProgress(reporter, "Is reading dissimilarity values.", n);
  // The diagonal is summed as the file gives it, in single precision.
  float diagonal = 0.0f;
  size_t position = 0;
  for (int i = 0; i < n; ++i) {
    if (progress) progress->Step();
    std::string_view line = NextLine(content, position);
    for (int j = 0; j <= i; ++j) {
      const double value = FieldValue(TakeCell(line, true));
      SkipSeparators(line);
      if (j == i) {
        diagonal += ToSingle(value);
      } else {
        distance.Row(j)[i] = value;
      }
    }
  }
  if (diagonal != 0.0f) return "Reading:\t" + fileName + "\t\n\n" + kDiagonal;
  return {};
}

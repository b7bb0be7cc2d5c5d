// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <functional>
#include <string>

class CServices;

// A numbered report of the message table: the code, the two numbers of its texts and the three
// lines of the warning window. Code 0 means nothing to report.
struct CWarning {
  int code = 0;
  int rows = 0;
  int columns = 0;
  std::string heading;
  std::string line1;
  std::string line2;
  // What exactly went wrong and what to do (file, line, row or column), shown after the three
  // lines of the table; empty when nothing more is known. Code 9 carries its reason in line2.
  std::string detail;

  static CWarning FromTable(int code, int rows = 0, int columns = 0,
                            const std::string& detail = {});
};

// A failure of the data or of memory that ends the program: it travels up to the top of the
// program, which shows its warning and exits with the code as status.
class CError : public std::exception {
 public:
  explicit CError(int code, int rows = 0, int columns = 0, const std::string& detail = {});
  const CWarning& Warning() const { return warning_; }
  int ExitStatus() const { return warning_.code; }
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  CWarning warning_;
  std::string text_;
};

// Ends the program with `status` after its message was already shown where the failure arose
// (the message boxes of the dissimilarity computations and files).
class CProgramExit : public std::exception {
 public:
  explicit CProgramExit(int status) : status_(status) {}
  int ExitStatus() const { return status_; }
  const char* what() const noexcept override { return "program exit"; }

 private:
  int status_;
};

// Message 2 for a failed reservation of `rows` by `columns` (0 and 0 for work arrays).
[[noreturn]] void ThrowAllocationFailure(int rows = 0, int columns = 0);

// Runs `work` and turns the failures that end the program into their exit status after showing
// their warning through `services`; returns 0 when `work` returns normally.
int RunReportingFailures(CServices& services, const std::function<void()>& work);

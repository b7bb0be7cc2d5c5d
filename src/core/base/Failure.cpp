// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Failure.h"

#include <new>

#include "base/Messages.h"
#include "base/Services.h"

CWarning CWarning::FromTable(int code, int rows, int columns, const std::string& detail) {
  CWarning warning;
  warning.code = code;
  if (code == 0) return warning;
  warning.rows = rows;
  warning.columns = columns;
  CMessageTexts texts = MessageTexts(code, rows, columns, detail);
  warning.heading = std::move(texts.heading);
  warning.line1 = std::move(texts.line1);
  warning.line2 = std::move(texts.line2);
  if (code != 9) warning.detail = detail;
  return warning;
}

CError::CError(int code, int rows, int columns, const std::string& detail)
    : warning_(CWarning::FromTable(code, rows, columns, detail)) {
  text_ = warning_.heading + " " + warning_.line1;
  if (!warning_.line2.empty()) text_ += " " + warning_.line2;
  if (!warning_.detail.empty()) text_ += " " + warning_.detail;
}

void ThrowAllocationFailure(int rows, int columns) {
  throw CError(2, rows, columns);
}

int RunReportingFailures(CServices& services, const std::function<void()>& work) {
  try {
    work();
    return 0;
  } catch (const CError& error) {
    services.ShowWarning(error.Warning());
    return error.ExitStatus();
  } catch (const CProgramExit& exit) {
    return exit.ExitStatus();
  } catch (const std::bad_alloc&) {
    services.ShowWarning(CWarning::FromTable(2));
    return 2;
  }
}

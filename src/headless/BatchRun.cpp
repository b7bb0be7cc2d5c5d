// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/BatchRun.h"

#include <cstdio>

#include "base/Failure.h"
#include "document/QuorvelDoc.h"
#include "document/RunSequence.h"
#include "headless/BatchServices.h"
#include "qt/QtSettingsStore.h"

int RunBatch(const CCommandLine& commandLine, CPictureExporter* exporter) {
  if (commandLine.dataFile.empty()) {
    std::fputs("quorvel: no data file given (a batch run needs one; see quorvel --help)\n", stderr);
    return kExitNoDataFile;
  }
  CBatchServices services;
  CQtSettingsStore store;
  int status = 0;
  const int failure = RunReportingFailures(services, [&] {
    CQuorvelDoc document(services, store, commandLine, nullptr, exporter);
    int code = 0;
    if (!OpenWithFirstWindow(document, commandLine.dataFile, &code)) {
      status = code != 0 ? code : 1;
      return;
    }
    RunPendingAutomation(document);
    if (document.outputFailed) status = 1;
  });
  return failure != 0 ? failure : status;
}

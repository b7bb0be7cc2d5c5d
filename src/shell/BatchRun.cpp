#include "shell/BatchRun.h"

#include <cstdio>

#include "base/Failure.h"
#include "document/Pipeline.h"
#include "document/QuorvelDoc.h"
#include "qt/BatchServices.h"
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
    CQuorvelDoc document(services, store, commandLine, nullptr);
    document.exporter = exporter;
    int code = 0;
    if (!document.OpenDocument(commandLine.dataFile, &code)) {
      status = code != 0 ? code : 1;
      return;
    }
    document.CreateView();
    RunAutomation(document, true, true);
    document.automationPending = false;
    if (document.outputFailed) status = 1;
  });
  return failure != 0 ? failure : status;
}

// Quorvel: the program's entry point. Until the analysis pipeline exists, it loads the table
// named on the command line and reports its size, labels and value range.
#include <cstdio>
#include <cstring>
#include <string>

#include "base/Failure.h"
#include "base/Text.h"
#include "data/DataFactory.h"
#include "data/TextTableReader.h"
#include "qt/BatchServices.h"
#include "settings/DocumentContext.h"

namespace {

int DataTypeOf(const char* word) {
  if (EqualsIgnoringCase(word, "-binary")) return 1;
  if (EqualsIgnoringCase(word, "-nominal")) return 2;
  if (EqualsIgnoringCase(word, "-contingency")) return 3;
  if (EqualsIgnoringCase(word, "-numeric")) return 0;
  return -1;
}

void PrintLabels(const char* heading, const std::vector<std::string>& labels) {
  std::printf("%s:", heading);
  const size_t shown = std::min<size_t>(labels.size(), 8);
  for (size_t k = 0; k < shown; ++k)
    std::printf(" %s", labels[k].c_str());
  if (labels.size() > shown) std::printf(" … (%zu in all)", labels.size());
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  CBatchServices services;
  CDocumentContext document(services);
  std::string path;
  for (int k = 1; k < argc; ++k) {
    const int type = DataTypeOf(argv[k]);
    if (type >= 0) {
      document.settings.DataType = type;
    } else if (argv[k][0] != '-') {
      if (path.empty()) path = argv[k];
    }
  }
  if (path.empty()) {
    std::fprintf(stderr, "usage: quorvel [-Numeric|-Binary|-Nominal|-Contingency] FILE\n");
    return 2;
  }
  return RunReportingFailures(services, [&] {
    auto data = CreateDataTable(document.settings.DataType);
    data->document = &document;
    data->fileName = path;
    std::string reason;
    const int code = ReadTextTable(*data, document.settings, &reason);
    if (code != kReadOk) {
      services.ShowWarning(CWarning::FromTable(code, 0, 0, reason));
      throw CProgramExit(code);
    }
    data->Prepare();
    data->ComputeValueRange();
    data->FinishLoad();
    std::printf("%s: %d rows x %d columns", path.c_str(), data->rowCount, data->columnCount);
    if (!data->title.empty()) std::printf(", title \"%s\"", data->title.c_str());
    std::printf("\n");
    PrintLabels("rows", data->rowLabels);
    PrintLabels("columns", data->columnLabels);
    std::printf("value range: %g to %g\n", data->minValue, data->maxValue);
  });
}

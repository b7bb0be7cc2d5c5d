#include "dissimilarity/SideDistances.h"

#include <memory>

#include "base/Services.h"
#include "data/Data.h"
#include "dissimilarity/DissimilarityFileReader.h"
#include "dissimilarity/StandardMeasures.h"
#include "settings/DocumentContext.h"

namespace {

void Bind(CDistance& matrix, CData& data, int n) {
  matrix.data = &data;
  matrix.document = data.document;
  matrix.Allocate(n);
}

int ComputeSide(CData& data, bool byColumns) {
  CDistance& matrix = byColumns ? data.columnDistances : data.rowDistances;
  const TreatmentSettings& settings = data.Settings();
  if (settings.Dissimilarity == kDissimilarityReadFromFiles) {
    ReadDissimilarityFile(
        matrix, byColumns ? settings.ColDissimilarityFileName : settings.RowDissimilarityFileName);
  } else {
    const int n = byColumns ? data.columnCount : data.rowCount;
    std::unique_ptr<CProgress> progress;
    if (n >= 1001) {
      progress = data.document->Services().OpenProgress("Computing distances matrix.", n, false);
    }
    const int computed = data.ComputeDistances(byColumns, progress.get());
    progress.reset();
    if (computed == 0) return 0;
  }
  matrix.SumByRows();
  return 1;
}

}  // namespace

void PrepareDistanceMatrices(CData& data) {
  if (data.measures == nullptr) data.measures = &StandardMeasures();
  Bind(data.rowDistances, data, data.rowCount);
  Bind(data.columnDistances, data, data.columnCount);
}

int ComputeRowDistances(CData& data) {
  return ComputeSide(data, false);
}

int ComputeColumnDistances(CData& data) {
  return ComputeSide(data, true);
}

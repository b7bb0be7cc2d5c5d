#include "data/Data.h"

#include <new>

#include "base/Failure.h"
#include "data/TextScan.h"
#include "settings/DocumentContext.h"

const TreatmentSettings& CData::Settings() const {
  return document->settings;
}

bool CData::BlankIsDelimiter() const {
  return document->settings.SeparateurBlanc != 0;
}

double CData::ParseCell(std::string_view& line) const {
  return ParseValueCell(line, BlankIsDelimiter());
}

void CData::Prepare() {
  try {
    columnWeights.assign(static_cast<size_t>(columnCount), 1.0 / columnCount);
    rowWeights.assign(static_cast<size_t>(rowCount), 1.0 / rowCount);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
}

int CData::ComputeDistances(bool, CProgress*) {
  return 0;
}

double CData::RowWeight(int) const {
  return 1.0 / rowCount;
}

double CData::ColumnWeight(int) const {
  return 1.0 / columnCount;
}

int CData::MinCode(int) const {
  return 0;
}

int CData::MaxCode(int) const {
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableFixture.h"

#include "data/DataFactory.h"
#include "data/TableFileReader.h"
#include "data/TextTableReader.h"
#include "data/WorkbookTableReader.h"

void CTableFixture::MakeTable(const std::string& path, int dataType) {
  settings.DataType = ChoiceOf<EDataType>(dataType);
  data = CreateDataTable(settings.DataType);
  data->fileName = path;
  data->representation = settings.DataRepresentation;
}

CReadContext CTableFixture::Context() {
  CReadContext context;
  context.progress = &services;
  context.confirmLargeTable = [this](int rows) { return services.ConfirmLargeTable(rows); };
  return context;
}

int CTableFixture::Finish(const CReadOutcome& outcome) {
  if (outcome.computeObjectiveR) {
    display.m_bShowObjectiveFunctionsValue = *outcome.computeObjectiveR ? 1 : 0;
  }
  reason = outcome.reason;
  notices = outcome.notices;
  return outcome.code;
}

int CTableFixture::Read(const std::string& content, int dataType) {
  return ReadFile(folder.Write("table.txt", content), dataType);
}

int CTableFixture::ReadFile(const std::string& path, int dataType) {
  MakeTable(path, dataType);
  return Finish(ReadTextTable(*data, ReadOptionsOf(settings), Context()));
}

int CTableFixture::ReadWorkbook(const std::string& path, int dataType) {
  MakeTable(path, dataType);
  return Finish(ReadWorkbookTable(*data, ReadOptionsOf(settings), Context()));
}

int CTableFixture::ReadAny(const std::string& path, int dataType) {
  MakeTable(path, dataType);
  return Finish(ReadTableFile(*data, ReadOptionsOf(settings), Context()));
}

int CTableFixture::Load(const std::string& content, int dataType) {
  const int code = Read(content, dataType);
  if (code != 0) return code;
  data->Prepare();
  data->ComputeValueRange();
  return code;
}

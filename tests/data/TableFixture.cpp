#include "TableFixture.h"

#include "data/DataFactory.h"
#include "data/TextTableReader.h"
#include "data/WorkbookTableReader.h"

int CTableFixture::Read(const std::string& content, int dataType) {
  return ReadFile(folder.Write("table.txt", content), dataType);
}

int CTableFixture::ReadFile(const std::string& path, int dataType) {
  document.settings.DataType = dataType;
  data = CreateDataTable(dataType);
  data->document = &document;
  data->fileName = path;
  return ReadTextTable(*data, document.settings, &reason);
}

int CTableFixture::ReadWorkbook(const std::string& path, int dataType) {
  document.settings.DataType = dataType;
  data = CreateDataTable(dataType);
  data->document = &document;
  data->fileName = path;
  return ReadWorkbookTable(*data, document.settings);
}

int CTableFixture::Load(const std::string& content, int dataType) {
  const int code = Read(content, dataType);
  if (code != 0) return code;
  data->Prepare();
  data->ComputeValueRange();
  return code;
}

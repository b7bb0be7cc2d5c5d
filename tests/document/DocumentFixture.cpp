// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFixture.h"

#include <cmath>

bool CDocumentFixture::Open(const std::string& content, const std::vector<std::string>& keywords,
                            const std::string& fileName) {
  const std::string path = folder.Write(fileName, content);
  std::vector<std::string> arguments{path};
  arguments.insert(arguments.end(), keywords.begin(), keywords.end());
  document = std::make_unique<CQuorvelDoc>(services, store, ScanCommandLine(arguments), nullptr);
  if (!document->OpenDocument(path, &failure)) return false;
  document->CreateView();
  return true;
}

std::string NumericalTable(int rows, int columns) {
  std::string text = "T";
  for (int j = 0; j < columns; ++j)
    text += "\tc" + std::to_string(j);
  text += "\n";
  for (int i = 0; i < rows; ++i) {
    text += "r" + std::to_string(i);
    for (int j = 0; j < columns; ++j) {
      text += "\t" + std::to_string(std::sin(i * 1.7 + j * 0.3) * 10 + i % 7 + j);
    }
    text += "\n";
  }
  return text;
}

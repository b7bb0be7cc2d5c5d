// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

class CWorkbook;
class CZipArchive;

// Read the first worksheet of an XML workbook into `workbook` (as its only sheet), at most
// `maxCells` cells. False, with the reason, when a part is missing or malformed or the sheet is
// too large; a workbook without any sheet loads with none.
bool LoadOfficeOpenXml(CZipArchive& zip, CWorkbook& workbook, size_t maxCells, std::string* error);
bool LoadOpenDocument(CZipArchive& zip, CWorkbook& workbook, size_t maxCells, std::string* error);

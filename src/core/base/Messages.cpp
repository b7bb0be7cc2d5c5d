// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Messages.h"

#include "base/Text.h"

namespace {
const char* const kFileHeading = "PLEASE VERIFY YOUR DATA FILE !";
const char* const kDataHeading = "PLEASE VERIFY YOUR DATA !";
}  // namespace

CMessageTexts MessageTexts(int code, int rows, int columns, const std::string& detail) {
  switch (code) {
    case 1:
      return {kFileHeading, "The number of rows is insufficient !", Format("n = %d", rows + 1)};
    case 2:
      return {"ALLOCATION FAILURE!", "Insufficient memory. Dataset too large!",
              Format("Quorvel is trying to create a matrix with %d rows and %d columns!", rows,
                     columns)};
    case 3:
      return {"ALLOCATION FAILURE!", "Insufficient memory to create the bitmap!",
              "Active window will not be exported into a file."};
    case 4:
      return {kFileHeading, "This file contains invalid data and cannot be read",
              "Verify the data file format (ASCII raw text file) and the first line of your file "
              "..."};
    case 5:
      return {kFileHeading, "The Excel sheet is empty !",
              "Your dataset must be placed in the first sheet."};
    case 6:
      return {kFileHeading, "Your dataset must be placed in the top left corner of the sheet.", ""};
    case 7:
      return {kFileHeading, "The input data file is locked by an other program!", ""};
    case 8:
      return {kFileHeading, "The input data file does not exist!", ""};
    case 9:
      // The original table leaves this code blank; say what happened and why.
      return {kFileHeading, "The input data file could not be opened!", detail};
    case 10:
      return {kDataHeading, "An empty cell was found in your dataset !", ""};
    case 11:
      return {kDataHeading, "A negative value was found in your contingency table !", ""};
    case 12:
      return {kDataHeading, "Division by zero! Please check the first options dialog box. ",
              "A row, or a column, could be constant (standard deviation = 0)."};
    case 13:
      return {kDataHeading,
              "Nominal measurement must be coded with integer values. Ex: 0, 1, 2, 3, ...", ""};
    case 14:
      return {kDataHeading, "First code, of a nominal measurement, must be 0. Ex: 0, 1, 2, 3, ...",
              Format("The variable n\u00b0%d start with code %d !", rows, columns)};
    default:
      return {};
  }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CDistance;
class CProgressReporter;

// Fills `distance` (its size n already set) from a text
// file holding the lower triangle with the diagonal: line i holds d(i, 0) … d(i, i). Values are
// delimited by ';', ':', tab and the blank; a comma reads as the decimal point; a value is the
// number at the start of its field (0 when the field does not start with one); an empty or
// absent field is the missing-value marker, stored as it is. Values after the first i + 1 of
// line i and lines after the first n are ignored. The diagonal values are only checked (their
// sum in single precision must be exactly 0); the stored diagonal stays 0. Returns the text of the
// message box for a file that cannot be opened, an empty file name or a non-zero diagonal (the
// program then ends), empty when the file was read. Shows the progress window "Is reading
// dissimilarity values." above 1000 items.
std::string ReadDissimilarityFile(CDistance& distance, const std::string& fileName,
                                  CProgressReporter* progress);

// The message box text for a file that cannot be opened for reading: the empty-name text, or the
// path, "\t\n\n" and the cause. Empty when the file can be read.
std::string FileAccessFailureText(const std::string& fileName);

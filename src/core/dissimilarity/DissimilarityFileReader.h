#pragma once

#include <string>

class CDistance;

// Fills `distance` (its size n already set, its document bound for the messages) from a text
// file holding the lower triangle with the diagonal: line i holds d(i, 0) … d(i, i). Values are
// delimited by ';', ':', tab and the blank; a comma reads as the decimal point; a value is the
// number at the start of its field (0 when the field does not start with one); an empty or
// absent field is the missing-value marker, stored as it is. Values after the first i + 1 of
// line i and lines after the first n are ignored. The diagonal values are only checked (their
// sum in single precision must be exactly 0); the stored diagonal stays 0. A file that cannot be
// opened, an empty file name or a non-zero diagonal ends the program after a message box
// (CProgramExit 1). Shows the progress window "Is reading dissimilarity values." from 1001
// items on.
void ReadDissimilarityFile(CDistance& distance, const std::string& fileName);

// The message box text for a file that cannot be opened for reading: the empty-name text, or the
// path, "\t\n\n" and the cause. Empty when the file can be read.
std::string FileAccessFailureText(const std::string& fileName);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CQuorvelDoc;

// Which side an annotation file describes; kBestMatch takes the side whose labels it names
// more of (the rows when both fare alike).
enum class EAnnotatedSide { kRows, kColumns, kBestMatch };

// Reads the annotation file at `path`, matches its labels to the side's items and shows its
// tracks in every window of the document (replacing what that side showed). What did not match
// is said in a notice; a file that cannot be used is said in a message naming it and its line.
// False when nothing was attached.
bool AttachAnnotations(CQuorvelDoc& document, const std::string& path, EAnnotatedSide side);

// The annotation files the command line names, after the load. A file that cannot be used
// makes a batch run end with a failure status once it has written everything else.
void AttachAnnotationsOfSettings(CQuorvelDoc& document);

// File > Open annotations...: asks for the file, attaches it to the side it fits and repaints.
void OpenAnnotations(CQuorvelDoc& document);

// The filter of the file dialog for annotation files.
std::string AnnotationFileFilter();

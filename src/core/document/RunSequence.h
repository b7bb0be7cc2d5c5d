// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class CQuorvelDoc;

// The run of a document, the same for the desktop program and for the batch run: the file is
// opened with the document's settings (defaults, store, command line), its first window is
// created, and the automatic treatment runs once (at once in a batch run, at the first idle
// moment after the first window is shown in the desktop program).

// Opens `path` in `document` and creates its first window. `opened` runs between the two, once
// the file is loaded (the desktop program registers the document there). False when the
// document is abandoned (its message was shown); `failureCode` receives the message number.
bool OpenWithFirstWindow(CQuorvelDoc& document, const std::string& path, int* failureCode,
                         const std::function<void(CQuorvelDoc&)>& opened = {});

// Runs the automatic treatment if it has not run yet for this document, and marks it done.
void RunPendingAutomation(CQuorvelDoc& document);

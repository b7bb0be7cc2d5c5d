// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Keywords.h"

class CPictureExporter;

// A run without display and without user: opens the data file named on the command line, runs
// the automatic treatment, writes the files asked for and returns the exit status: 0, the
// number of the message of a file or data failure, 1 after a failed dissimilarity computation
// or when a file could not be written, kExitNoDataFile without a data file. Messages go to stderr.
int RunBatch(const CCommandLine& commandLine, CPictureExporter* exporter);

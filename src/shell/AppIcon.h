// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icon (a heat map under a dendrogram), built into the program, so that its
// windows show it whether the program is installed or not.
QIcon QuorvelIcon();

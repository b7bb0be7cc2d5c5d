// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AppIcon.h"

// The resource is compiled into the static library quorvel_shell, where nothing refers to it, so
// the linker would drop it unless it is registered by name (outside any namespace).
static void RegisterIconResource() {
  Q_INIT_RESOURCE(quorvel);
}

QIcon QuorvelIcon() {
  static const bool registered = (RegisterIconResource(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/quorvel/quorvel.png"));
}

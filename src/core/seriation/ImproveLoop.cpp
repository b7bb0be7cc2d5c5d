// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/ImproveLoop.h"

#include "base/Progress.h"
#include "seriation/Elements.h"
#include "seriation/SeriationRun.h"

void ImproveLoop(CImprovementMoves& moves, CProgress* progress, CSeriationObserver* observer) {
  for (;;) {
    const CMove best = moves.FindBestMove();
    if (best.gain > 0.0) {
      moves.Apply(best);
      if (observer != nullptr) moves.Publish();
    }
    bool stop = false;
    if (progress != nullptr) {
      progress->ClearStop();
      progress->Step();
      stop = progress->StopRequested();
    }
    if (observer != nullptr) observer->Repaint();
    if (stop || !(best.gain > kImprovementThreshold)) break;
  }
  moves.Publish();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedServices.h"

namespace {

class CRecordingProgress final : public CProgress {
 public:
  CRecordingProgress(CScriptedServices& owner, size_t index) : owner_(owner), index_(index) {}
  void Step() override {
    ++owner_.progresses[index_].steps;
    if (owner_.onStep) owner_.onStep();
  }
  bool StopRequested() override {
    const auto& record = owner_.progresses[index_];
    return record.withStopButton && owner_.stopAfterSteps >= 0 &&
           record.steps >= owner_.stopAfterSteps;
  }

 private:
  CScriptedServices& owner_;
  size_t index_;
};

}  // namespace

std::unique_ptr<CProgress> CScriptedServices::OpenProgress(std::string_view caption, int range,
                                                           bool withStopButton) {
  progresses.push_back(Progress{std::string(caption), range, withStopButton, 0});
  return std::make_unique<CRecordingProgress>(*this, progresses.size() - 1);
}

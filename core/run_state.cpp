// The run state as the controls show it.
#include "core/timing_engine.h"

namespace zantiro::core {

RunState TimingEngine::runState() const {
    if (c_.Command1.caption() == kStartCaption) {
        return c_.Command1.enabled() ? RunState::Ready : RunState::Stopped;
    }
    if (c_.Timer4.enabled()) {
        return RunState::Finished;
    }
    return c_.Command2.caption() == kPauseCaption ? RunState::Running : RunState::Paused;
}

}  // namespace zantiro::core

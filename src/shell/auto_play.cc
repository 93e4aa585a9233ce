#include "shell/auto_play.h"

#include "shell/command_ids.h"

namespace ravelin::shell {

void AutoPlay::Rename(const char* label) {
    for (std::string_view menu : kGameMenuNames) {
        menus_.SetItemLabel(menu, kCmdAutoPlay, label);
    }
}

void AutoPlay::Toggle(int intervalMs) {
    if (on_) {
        Stop();
        return;
    }
    commands_.StartTimer(kAutoPlayTimer, intervalMs);
    Rename(kStopAutoPlayLabel);
    on_ = true;
}

void AutoPlay::Stop() {
    if (!on_) {
        return;
    }
    commands_.KillTimer(kAutoPlayTimer);
    Rename(kAutoPlayLabel);
    on_ = false;
}

void AutoPlay::Tick() {
    if (!on_) {
        return;
    }
    // Without a game display there is nothing to step through.
    if (!nextPly || !nextPly()) {
        Stop();
    }
}

}  // namespace ravelin::shell

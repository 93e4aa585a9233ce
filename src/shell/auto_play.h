#pragma once

// Auto play: a timer steps the game display one move at a time, and the "Auto Play" item of the
// game context menus offers to stop it while it runs.

#include <functional>

#include "platform/command_queue.h"
#include "shell/menus.h"

namespace ravelin::shell {

inline constexpr char kAutoPlayLabel[] = "Auto Play";
inline constexpr char kStopAutoPlayLabel[] = "Stop Auto Play";

class AutoPlay {
  public:
    AutoPlay(platform::CommandQueue& commands, MenuSet& menus) : commands_(commands), menus_(menus) {}

    bool On() const { return on_; }
    // Starts with this interval when off, stops when on.
    void Toggle(int intervalMs);
    void Stop();
    // One timer tick: asks the game display for the next move; when there is none, auto play stops.
    void Tick();

    // Advances the game display by one ply; false at the end of the game. Set by the game display.
    std::function<bool()> nextPly;

  private:
    void Rename(const char* label);

    platform::CommandQueue& commands_;
    MenuSet& menus_;
    bool on_ = false;
};

}  // namespace ravelin::shell

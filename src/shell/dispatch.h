#pragma once

// The checks every command passes before its owner runs, and the table of owners' handlers.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "gamefile/background_operation.h"
#include "shell/command_table.h"

namespace ravelin::shell {

inline constexpr char kNotAvailableYet[] = "This command is not available in this version yet.";
inline constexpr char kOnlyGameOrVariation[] =
    "This function is only available in 'Game' or 'Variation' modes.";
inline constexpr char kOnlyVariationOrAnalyze[] = "Must be in 'Variation Edit' or 'Analyze' mode.";
inline constexpr char kNotWhileEngineOn[] = "This command is not allowed when Crafty is on.";
inline constexpr char kEngineOnMove[] = "Not valid when Crafty is on move.";
inline constexpr char kEngineOnMoveForce[] = "Not valid when Crafty is on move. Force a move first.";

// The engine as the dispatch sees it; the engine subsystem keeps it up to date.
struct EngineTurnState {
    bool running = false;  // the engine process is on
    bool playing = false;  // a game against the engine is under way
    bool onMove = false;   // the engine is thinking about its move
};

// Everything the checks look at.
struct DispatchContext {
    bool fileOpen = false;
    bool databaseOpen = false;
    int displayMode = 0;
    bool analysing = false;
    const gamefile::BackgroundOperation* background = nullptr;
    EngineTurnState engine;
};

// The refusal message of a command in this situation, or nothing when it may run.
std::optional<std::string> RefusalFor(const CommandInfo& command, const DispatchContext& context);
// The same for the engine's play-mode buttons, which are not in the table.
std::optional<std::string> EngineCommandRefusal(int commandId, const DispatchContext& context);

// The owners' handlers, keyed by command id. Subsystems register theirs when they are built; a
// command without a handler answers that it is not available yet.
class CommandHandlers {
  public:
    using Handler = std::function<void()>;
    void Set(int commandId, Handler handler) { handlers_[commandId] = std::move(handler); }
    void Remove(int commandId) { handlers_.erase(commandId); }
    bool Has(int commandId) const { return handlers_.count(commandId) != 0; }
    // The handler registered for the command (empty when none), for a subsystem that handles the
    // command in a state of its own and leaves the rest to it.
    Handler Get(int commandId) const {
        auto it = handlers_.find(commandId);
        return it == handlers_.end() ? Handler() : it->second;
    }
    // Runs the handler; false when there is none.
    bool Run(int commandId) const;

  private:
    std::map<int, Handler> handlers_;
};

}  // namespace ravelin::shell

#include "shell/dispatch.h"

#include "gamefile/game_file.h"
#include "shell/command_ids.h"
#include "shell/display_mode.h"

namespace ravelin::shell {

namespace {

std::optional<std::string> BusyRefusal(const DispatchContext& context) {
    const gamefile::BackgroundOperation* operation = context.background;
    if (operation == nullptr || !operation->IsRunning()) {
        return std::nullopt;
    }
    return std::string(gamefile::BackgroundRefusal(operation->Kind(), operation->IsMergeFile()));
}

}  // namespace

std::optional<std::string> RefusalFor(const CommandInfo& command, const DispatchContext& context) {
    // The worker owns the file, the index and the read buffer while it runs.
    if (!command.allowedWhileBusy) {
        if (auto busy = BusyRefusal(context)) {
            return busy;
        }
    }
    switch (command.guard) {
        case CommandGuard::kNone:
            break;
        case CommandGuard::kOpenFile:
            if (!context.fileOpen) {
                return std::string(gamefile::kMustOpenFile);
            }
            break;
        case CommandGuard::kOpenFileOrDatabase:
            if (!context.fileOpen && !context.databaseOpen) {
                return std::string(gamefile::kMustOpenFile);
            }
            break;
        case CommandGuard::kFileInGameOrVariation:
            if (!context.fileOpen) {
                return std::string(gamefile::kMustOpenFile);
            }
            if (context.displayMode != kModeGame && context.displayMode != kModeVariationEdit) {
                return std::string(kOnlyGameOrVariation);
            }
            break;
        case CommandGuard::kVariationOrAnalysis:
            if (context.displayMode != kModeVariationEdit && !context.analysing) {
                return std::string(kOnlyVariationOrAnalyze);
            }
            break;
        case CommandGuard::kEngineOff:
            if (context.engine.running) {
                return std::string(kNotWhileEngineOn);
            }
            break;
    }
    return std::nullopt;
}

std::optional<std::string> EngineCommandRefusal(int commandId, const DispatchContext& context) {
    if (!context.engine.playing || !context.engine.onMove) {
        return std::nullopt;
    }
    switch (commandId) {
        case kCmdEngineBack:
            return std::string(kEngineOnMoveForce);
        case kCmdEngineScore:
        case kCmdEngineNew:
            return std::string(kEngineOnMove);
        default:
            return std::nullopt;
    }
}

bool CommandHandlers::Run(int commandId) const {
    auto it = handlers_.find(commandId);
    if (it == handlers_.end() || !it->second) {
        return false;
    }
    // A copy: the handler may register or replace handlers while it runs.
    Handler handler = it->second;
    handler();
    return true;
}

}  // namespace ravelin::shell

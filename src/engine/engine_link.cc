#include "engine/engine_link.h"

#include "engine/engine_protocol.h"

namespace ravelin::engine {

namespace {

constexpr int kSettleMs = 50;

}  // namespace

bool EngineLink::Start(platform::ProcessLauncher& launcher, const std::string& program,
                       const std::string& directory, std::string& message) {
    Stop();
    std::string reason;
    process_ = launcher.Start(program, {"/xboard"}, directory, reason);
    if (!process_) {
        message = kCouldNotStart;
        return false;
    }
    banner_.clear();
    // The banner: at most the start-up wait, then the engine counts as not answering.
    if (process_->WaitForOutput(startupWaitMs)) {
        banner_ = ReadEngineOutput(ReadWait::kBriefly);
    }
    if (banner_.empty()) {
        message = process_->IsRunning() ? kEngineDoesNotAnswer : kCouldNotStart;
        Stop();
        return false;
    }
    return true;
}

void EngineLink::Stop() {
    if (process_) {
        process_->Terminate();
        process_.reset();
    }
    lines_ = EngineOutputLines();
    helpPending_ = false;
}

bool EngineLink::CheckAlive() {
    if (process_ && !process_->IsRunning()) {
        Stop();
        return false;
    }
    return process_ != nullptr;
}

bool EngineLink::SendEngineCommand(const std::string& command) {
    if (!process_) {
        return false;
    }
    if (!process_->Write(FrameEngineCommand(command))) {
        return false;
    }
    helpPending_ = IsHelpCommand(command);
    return true;
}

std::vector<std::string> EngineLink::ReadEngineOutput(ReadWait wait) {
    if (!process_) {
        return {};
    }
    if (wait == ReadWait::kBlock) {
        process_->WaitForOutput(kStartupWaitMs);
    } else if (wait == ReadWait::kBriefly) {
        process_->WaitForOutput(briefWaitMs);
    }
    std::string text = process_->ReadAvailable(kEngineOutputBufferSize);
    // An answer written in several pieces is taken whole: what follows at once is read as well, up
    // to the buffer's size.
    while (wait != ReadWait::kNoWait && !text.empty() && text.size() < kEngineOutputBufferSize &&
           process_->WaitForOutput(kSettleMs)) {
        const std::string more = process_->ReadAvailable(kEngineOutputBufferSize - text.size());
        if (more.empty()) {
            break;
        }
        text += more;
    }
    if (helpPending_ && !text.empty()) {
        helpPending_ = false;
        // A pager's prompt waits on an unfinished line; a text that ends its last line has none.
        if (text.back() != '\n' && text.back() != '\r') {
            text = CutHelpPrompt(std::move(text));
        }
    }
    return lines_.Take(text);
}

}  // namespace ravelin::engine

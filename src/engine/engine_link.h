#pragma once

// The running engine: its child process, the command framing and the bounded reads of what it
// prints. One instance belongs to the engine commands of the main window.

#include <memory>
#include <string>
#include <vector>

#include "engine/engine_output.h"
#include "platform/child_process.h"

namespace ravelin::engine {

inline constexpr char kCouldNotStart[] = "Could not start Crafty.";
inline constexpr char kEngineDoesNotAnswer[] = "Crafty does not answer.";
inline constexpr char kEngineEnded[] = "Crafty has ended.";
inline constexpr int kStartupWaitMs = 10000;

// How a read waits: block until the engine writes (bounded), wait a short while, or take only what
// is there.
enum class ReadWait { kBlock = 0, kBriefly = 1, kNoWait = 2 };

class EngineLink {
  public:
    // Starts the program with "/xboard" in the directory and waits for its banner; false with the
    // message to show when it could not start or did not answer.
    bool Start(platform::ProcessLauncher& launcher, const std::string& program, const std::string& directory,
               std::string& message);
    // Ends the engine without a word and reaps it.
    void Stop();
    bool IsRunning() const { return process_ != nullptr; }
    // False once the process has ended by itself (the link is then stopped).
    bool CheckAlive();
    // Writes one framed command; false when the engine no longer reads.
    bool SendEngineCommand(const std::string& command);
    // The lines the engine printed since the last read (at most the buffer's size of text).
    std::vector<std::string> ReadEngineOutput(ReadWait wait);
    // The lines the engine wrote at its start (its banner, or why it cannot work), taken once.
    std::vector<std::string> TakeBanner() { return std::move(banner_); }
    int briefWaitMs = 500;  // the wait of ReadWait::kBriefly
    int startupWaitMs = kStartupWaitMs;

  private:
    std::unique_ptr<platform::ChildProcess> process_;
    EngineOutputLines lines_;
    bool helpPending_ = false;
    std::vector<std::string> banner_;
};

}  // namespace ravelin::engine

#pragma once

#include <memory>
#include <string>
#include <vector>

namespace ravelin::platform {

// A program started by the core with its standard input and output connected through pipes (the
// chess engine). Reads never block: the window thread polls on a timer.
class ChildProcess {
public:
    virtual ~ChildProcess() = default;
    virtual bool IsRunning() = 0;
    // Writes the whole text to the program's standard input; false when the pipe is closed.
    virtual bool Write(const std::string& text) = 0;
    // Whatever the program has written since the last call (possibly nothing).
    virtual std::string ReadAvailable() = 0;
    // Ends the program and waits for it.
    virtual void Terminate() = 0;
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts the program with the arguments; null with a reason when it cannot be started.
    virtual std::unique_ptr<ChildProcess> Start(const std::string& program, const std::vector<std::string>& arguments,
                                                std::string& reason) = 0;
};

}  // namespace ravelin::platform

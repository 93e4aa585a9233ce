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
    // False once the program has ended (it is then reaped).
    virtual bool IsRunning() = 0;
    // Writes the whole text to the program's standard input; false when the pipe is closed.
    virtual bool Write(const std::string& text) = 0;
    // Whatever the program has written since the last call (possibly nothing), at most maxBytes.
    virtual std::string ReadAvailable(std::size_t maxBytes = 65536) = 0;
    // Waits at most timeoutMs for output (or the end of it); true when a read will find something.
    virtual bool WaitForOutput(int timeoutMs) = 0;
    // Ends the program and waits for it.
    virtual void Terminate() = 0;
};

class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // Starts the program with the arguments in the working directory (empty: this process's);
    // null with a reason when it cannot be started.
    virtual std::unique_ptr<ChildProcess> Start(const std::string& program,
                                                const std::vector<std::string>& arguments,
                                                const std::string& workingDirectory, std::string& reason) = 0;
};

}  // namespace ravelin::platform

#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/child_process.h"

namespace ravelin::platform {

// A child process on POSIX pipes: fork, change of directory in the child only, exec. Writes are
// checked (SIGPIPE is ignored so a closed pipe is an error, not the end of this program).
class PosixChildProcess : public ChildProcess {
  public:
    PosixChildProcess(pid_t pid, int inputFd, int outputFd);
    ~PosixChildProcess() override;
    PosixChildProcess(const PosixChildProcess&) = delete;
    PosixChildProcess& operator=(const PosixChildProcess&) = delete;

    bool IsRunning() override;
    bool Write(const std::string& text) override;
    std::string ReadAvailable(std::size_t maxBytes = 65536) override;
    bool WaitForOutput(int timeoutMs) override;
    void Terminate() override;
    // The read end of the program's output, for a caller that waits on several descriptors.
    int OutputDescriptor() const { return outputFd_; }

  private:
    void Reap(bool wait);
    pid_t pid_ = -1;
    int inputFd_ = -1;
    int outputFd_ = -1;
    bool outputEnded_ = false;
};

class PosixProcessLauncher : public ProcessLauncher {
  public:
    std::unique_ptr<ChildProcess> Start(const std::string& program, const std::vector<std::string>& arguments,
                                        const std::string& workingDirectory, std::string& reason) override;
    // The same, typed, for callers that need the descriptor.
    static std::unique_ptr<PosixChildProcess> StartPosix(const std::string& program,
                                                         const std::vector<std::string>& arguments,
                                                         const std::string& workingDirectory,
                                                         std::string& reason);
};

// Writing into a pipe whose reader has gone must fail with EPIPE instead of ending the program.
void IgnoreBrokenPipes();

}  // namespace ravelin::platform

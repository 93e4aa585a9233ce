#include "platform/headless/posix_child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace ravelin::platform {

namespace {

constexpr int kTerminateGraceMs = 2000;

void CloseIfOpen(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

// Writes the whole buffer to a descriptor, retrying after interruptions; false on any failure.
bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// In the child after fork: only async-signal-safe calls until exec. A failure is reported as errno
// through the status pipe, which exec closes on success.
[[noreturn]] void RunChild(int inputRead, int outputWrite, int statusWrite, const char* directory,
                           const char* program, char* const* argv) {
    signal(SIGPIPE, SIG_DFL);
    if (dup2(inputRead, STDIN_FILENO) < 0 || dup2(outputWrite, STDOUT_FILENO) < 0) {
        const int error = errno;
        (void)!write(statusWrite, &error, sizeof error);
        _exit(127);
    }
    if (directory[0] != '\0' && chdir(directory) != 0) {
        const int error = errno;
        (void)!write(statusWrite, &error, sizeof error);
        _exit(127);
    }
    execv(program, argv);
    const int error = errno;
    (void)!write(statusWrite, &error, sizeof error);
    _exit(127);
}

}  // namespace

void IgnoreBrokenPipes() {
    signal(SIGPIPE, SIG_IGN);
}

PosixChildProcess::PosixChildProcess(pid_t pid, int inputFd, int outputFd)
    : pid_(pid), inputFd_(inputFd), outputFd_(outputFd) {}

PosixChildProcess::~PosixChildProcess() {
    Terminate();
}

void PosixChildProcess::Reap(bool wait) {
    if (pid_ <= 0) {
        return;
    }
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid_, &status, wait ? 0 : WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == pid_ || (result < 0 && errno == ECHILD)) {
        pid_ = -1;
    }
}

bool PosixChildProcess::IsRunning() {
    Reap(false);
    return pid_ > 0;
}

bool PosixChildProcess::Write(const std::string& text) {
    if (inputFd_ < 0) {
        return false;
    }
    if (!WriteAll(inputFd_, text.data(), text.size())) {
        CloseIfOpen(inputFd_);
        return false;
    }
    return true;
}

bool PosixChildProcess::WaitForOutput(int timeoutMs) {
    if (outputFd_ < 0 || outputEnded_) {
        return false;
    }
    pollfd entry{outputFd_, POLLIN, 0};
    int ready;
    do {
        ready = poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

std::string PosixChildProcess::ReadAvailable(std::size_t maxBytes) {
    std::string text;
    char buffer[4096];
    while (outputFd_ >= 0 && !outputEnded_ && text.size() < maxBytes && WaitForOutput(0)) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - text.size());
        const ssize_t got = read(outputFd_, buffer, want);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            outputEnded_ = true;  // the program closed its output: it has ended or is ending
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

void PosixChildProcess::Terminate() {
    CloseIfOpen(inputFd_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        // A program that ignores the request is killed after a grace period; either way it is reaped.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTerminateGraceMs);
        while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
            Reap(false);
            if (pid_ > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            Reap(true);
        }
    }
    CloseIfOpen(outputFd_);
}

std::unique_ptr<ChildProcess> PosixProcessLauncher::Start(const std::string& program,
                                                          const std::vector<std::string>& arguments,
                                                          const std::string& workingDirectory,
                                                          std::string& reason) {
    return StartPosix(program, arguments, workingDirectory, reason);
}

std::unique_ptr<PosixChildProcess> PosixProcessLauncher::StartPosix(const std::string& program,
                                                                    const std::vector<std::string>& arguments,
                                                                    const std::string& workingDirectory,
                                                                    std::string& reason) {
    IgnoreBrokenPipes();
    int input[2];
    int output[2];
    int status[2];
    if (pipe2(input, O_CLOEXEC) != 0) {
        reason = std::strerror(errno);
        return nullptr;
    }
    if (pipe2(output, O_CLOEXEC) != 0) {
        reason = std::strerror(errno);
        close(input[0]);
        close(input[1]);
        return nullptr;
    }
    if (pipe2(status, O_CLOEXEC) != 0) {
        reason = std::strerror(errno);
        for (int fd : {input[0], input[1], output[0], output[1]}) {
            close(fd);
        }
        return nullptr;
    }
    // Everything the child needs is prepared before fork.
    std::vector<std::string> texts;
    texts.push_back(program);
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        RunChild(input[0], output[1], status[1], workingDirectory.c_str(), program.c_str(), argv.data());
    }
    close(input[0]);
    close(output[1]);
    close(status[1]);
    if (pid < 0) {
        reason = std::strerror(errno);
        close(input[1]);
        close(output[0]);
        close(status[0]);
        return nullptr;
    }
    int childError = 0;
    ssize_t got;
    do {
        got = read(status[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    close(status[0]);
    if (got == static_cast<ssize_t>(sizeof childError)) {
        reason = std::strerror(childError);
        close(input[1]);
        close(output[0]);
        int ignored = 0;
        waitpid(pid, &ignored, 0);
        return nullptr;
    }
    return std::make_unique<PosixChildProcess>(pid, input[1], output[0]);
}

}  // namespace ravelin::platform

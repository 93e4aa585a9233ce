#include "engine/adapter_loop.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sstream>

#include "engine/line_assembler.h"
#include "platform/headless/posix_child_process.h"

namespace ravelin::engine {

namespace {

volatile std::sig_atomic_t terminateRequested = 0;

void OnTerminate(int) {
    terminateRequested = 1;
}

bool Executable(const std::string& path) {
    return !path.empty() && access(path.c_str(), X_OK) == 0;
}

// Writes a whole line at once with CR LF; false when the reader has gone.
bool WriteLine(int fd, const std::string& line) {
    const std::string text = line + "\r\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::string FindBackend() {
    if (const char* named = std::getenv("RAVELIN_ENGINE_BACKEND"); named != nullptr && named[0] != '\0') {
        return named;
    }
    if (const char* path = std::getenv("PATH"); path != nullptr) {
        std::istringstream folders(path);
        for (std::string folder; std::getline(folders, folder, ':');) {
            if (!folder.empty() && Executable(folder + "/stockfish")) {
                return folder + "/stockfish";
            }
        }
    }
    for (const char* place : {"/usr/games/stockfish", "/usr/local/games/stockfish", "/usr/bin/stockfish"}) {
        if (Executable(place)) {
            return place;
        }
    }
    return "/usr/games/stockfish";
}

int RunAdapter(const AdapterSettings& settings, int inputFd, int outputFd) {
    platform::IgnoreBrokenPipes();
    struct sigaction action {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);  // no SA_RESTART: the wait below returns at once

    bool outputOpen = true;
    auto toProgram = [&](const std::string& line) {
        if (outputOpen && !WriteLine(outputFd, line)) {
            outputOpen = false;
        }
    };
    std::string reason;
    std::unique_ptr<platform::PosixChildProcess> backend =
        platform::PosixProcessLauncher::StartPosix(settings.backendPath, {}, "", reason);
    if (!backend) {
        toProgram("Error (cannot start the back end " + settings.backendPath + "): " + reason);
        return 1;
    }
    bool backendOpen = true;
    auto toBackend = [&](const std::string& line) {
        if (backendOpen && !backend->Write(line + "\n")) {
            backendOpen = false;
        }
    };
    AdapterSession session(settings, toProgram, toBackend);
    session.Start();

    LineAssembler input;
    LineAssembler answers;
    int code = 0;
    bool running = true;
    while (running && outputOpen) {
        if (terminateRequested != 0) {
            break;
        }
        if (!backendOpen || !backend->IsRunning()) {
            toProgram("Error (the back end has ended)");
            code = 1;
            break;
        }
        pollfd waits[2] = {{inputFd, POLLIN, 0}, {backend->OutputDescriptor(), POLLIN, 0}};
        const int ready = poll(waits, 2, 1000);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            code = 1;
            break;
        }
        if (waits[1].revents != 0) {
            const std::string text = backend->ReadAvailable();
            for (const std::string& line : answers.Feed(text)) {
                session.HandleBackendLine(line);
            }
        }
        if (waits[0].revents != 0) {
            char buffer[4096];
            const ssize_t got = read(inputFd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            std::vector<std::string> lines = input.Feed(std::string_view(buffer, got > 0 ? got : 0));
            if (got <= 0) {
                lines.push_back(input.TakeRest());  // the end of input ends the session
            }
            for (const std::string& line : lines) {
                if (!session.HandleProgramLine(line)) {
                    running = false;
                    break;
                }
            }
            if (got <= 0) {
                running = false;
            }
        }
    }
    session.Finish();
    // The back end is given a moment to quit by itself, then ended and reaped.
    backend->WaitForOutput(200);
    backend->Terminate();
    return code;
}

}  // namespace ravelin::engine

#pragma once

#include <string>

#include "engine/adapter_session.h"

namespace ravelin::engine {

// The back end the adapter drives: RAVELIN_ENGINE_BACKEND when set, else stockfish on PATH or in
// the places Debian and local installs put it (/usr/games is often not on PATH).
std::string FindBackend();

// Runs the adapter on the descriptors until "exit", the end of input or SIGTERM; the back end
// ends with it. Returns the process's exit code.
int RunAdapter(const AdapterSettings& settings, int inputFd, int outputFd);

}  // namespace ravelin::engine

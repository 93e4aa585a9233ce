#pragma once

#include <functional>
#include <string_view>

namespace ravelin::chess {

// Where the chess core sends a message meant for the user ("Sorry - only 3 queens supported!",
// set-up refusals). The application routes it to its message boxes; tests collect the texts.
// An empty sink drops the message.
using MessageSink = std::function<void(std::string_view message)>;

}  // namespace ravelin::chess

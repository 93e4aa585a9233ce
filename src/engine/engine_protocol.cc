#include "engine/engine_protocol.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace ravelin::engine {

namespace {

constexpr int kDefaultMoves = 60;
constexpr int kDefaultMinutes = 30;
constexpr int kDefaultIncrement = 0;
constexpr int kCentisecondsPerMinute = 6000;

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) {
            return false;
        }
    }
    return true;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsFileLetter(char c) {
    return c >= 'a' && c <= 'h';
}

// A time field counts when its first character is a digit from the lowest allowed on.
int FieldValue(const std::string& text, char lowest, int fallback) {
    if (text.empty() || text[0] < lowest || text[0] > '9') {
        return fallback;
    }
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || value > 100000) {
            break;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

bool IsExitCommand(std::string_view command) {
    return EqualsIgnoringCase(command, "exit");
}

bool IsHelpCommand(std::string_view command) {
    return EqualsIgnoringCase(command, "help");
}

std::string FrameEngineCommand(std::string_view command) {
    std::string text(command);
    if (IsExitCommand(command)) {
        return text + "\n";
    }
    text += "\n.\n";
    if (IsHelpCommand(command)) {
        text += "\n\n.\n";
    }
    return text;
}

bool LooksLikeMove(std::string_view command) {
    if (command.size() < 2) {
        return false;
    }
    for (std::string_view result : {"1-0", "0-1", "1/2", "O-O", "0-0"}) {
        if (StartsWith(command, result)) {
            return true;
        }
    }
    std::string lower(command.substr(0, 5));
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const char first = command[0];
    const char second = command[1];
    if (second == 'x') {
        return !StartsWith(lower, "ext") && !StartsWith(lower, "exi");
    }
    if (second >= '1' && second <= '8') {
        return true;
    }
    if (first == 'n' || first == 'N') {
        if (!IsFileLetter(lower[1])) {
            return false;
        }
        if (StartsWith(lower, "nam")) {
            return false;
        }
        return lower[1] != 'e' || !StartsWith(lower, "new");
    }
    if (first == 'r' || first == 'R') {
        if (!IsFileLetter(lower[1])) {
            return false;
        }
        return lower[1] != 'e' || (!StartsWith(lower, "res") && !StartsWith(lower, "rea"));
    }
    if ((lower[0] == 'b' || lower[0] == 'k' || lower[0] == 'q') && IsFileLetter(lower[1])) {
        return !StartsWith(lower, "back");
    }
    return false;
}

bool IsEngineToMove(int plies, bool engineMovesFirst, bool continuedBlackToMove) {
    const bool even = plies % 2 == 0;
    const bool onMove = engineMovesFirst ? even : !even;
    return continuedBlackToMove ? !onMove : onMove;
}

std::string LevelCommand(const PlayOptions& options) {
    if (options.movesText.empty() && options.minutesText.empty() && options.incrementText.empty()) {
        return {};
    }
    const int moves = FieldValue(options.movesText, '0', kDefaultMoves);
    const int minutes = FieldValue(options.minutesText, '1', kDefaultMinutes);
    const int increment = FieldValue(options.incrementText, '1', kDefaultIncrement);
    char text[96];
    std::snprintf(text, sizeof text, "level %d %d %d\notime %d", moves, minutes, increment,
                  minutes * kCentisecondsPerMinute);
    return text;
}

std::string PlayStartupCommand(const PlayOptions& options, const std::string& readPath) {
    std::vector<std::string> parts;
    if (options.disablePondering) {
        parts.emplace_back("ponder off");
    }
    if (options.displayGeneral) {
        parts.emplace_back("display general");
    }
    if (options.displayVariation) {
        parts.emplace_back("display variation");
    }
    if (std::string level = LevelCommand(options); !level.empty()) {
        parts.push_back(level);
    }
    if (!readPath.empty()) {
        parts.push_back("read " + readPath);
    }
    if (options.engineFirst) {
        parts.emplace_back("go");
    }
    std::string command;
    for (const std::string& part : parts) {
        command += (command.empty() ? "" : "\n") + part;
    }
    return command;
}

}  // namespace ravelin::engine

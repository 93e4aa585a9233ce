#include "gamefile/game_writer.h"

#include <cstdio>

namespace ravelin::gamefile {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::array<std::string_view, 4> kResults = {"1-0", "0-1", "1/2-1/2", "*"};

}  // namespace

int EnteredGame::MoveCount() const {
    int count = 0;
    while (count < static_cast<int>(whiteMoves.size()) && count < kMaxEnteredMoves &&
           !whiteMoves[static_cast<std::size_t>(count)].empty()) {
        ++count;
    }
    return count;
}

void WriteText(std::string& out, std::string_view text) {
    out.append(text);
}

void WriteHeader(const EnteredGame& game, std::string& out) {
    for (int tag = 0; tag < kEnteredTagCount; ++tag) {
        std::string line = "[";
        line += kEnteredTagNames[static_cast<std::size_t>(tag)];
        line += " \"";
        line += game.header[static_cast<std::size_t>(tag)];
        line += "\"]";
        line += kLineEnd;
        WriteText(out, line);
    }
    WriteText(out, game.fenTag.empty() ? kLineEnd : game.fenTag);
}

void WriteMovetext(const EnteredGame& game, std::string& out, bool inMemory) {
    const int moves = game.MoveCount();
    if (moves == 0) {
        if (inMemory) {
            WriteText(out, "1.");
        }
        return;
    }
    std::string line;
    for (int i = 0; i < moves; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const std::string& black = index < game.blackMoves.size() ? game.blackMoves[index] : std::string();
        line += std::to_string(i + 1) + "." + game.whiteMoves[index];
        if (!black.empty()) {
            line += " " + black;
        }
        if (i + 1 == moves) {
            break;
        }
        if (line.size() < kMovetextLineBreak) {
            line += ' ';
        } else {
            line += kLineEnd;
            WriteText(out, line);
            line.clear();
        }
    }
    line += "  " + game.header[kTagResult] + kLineEnd;
    WriteText(out, line);
}

std::string EnteredGameText(const EnteredGame& game) {
    if (game.typedAsText) {
        return game.text;
    }
    std::string text;
    WriteHeader(game, text);
    WriteMovetext(game, text, false);
    return text;
}

int CheckResult(const EnteredGame& game, settings::MessageBoxes& messages) {
    for (std::string_view result : kResults) {
        if (game.header[kTagResult] == result) {
            return 0;
        }
    }
    messages.ShowMessage(kResultMustBe);
    return 1;
}

int CheckHeaderValues(const EnteredGame& game, settings::MessageBoxes& messages) {
    for (const std::string& value : game.header) {
        if (value.find_first_of("\"\r\n") != std::string::npos) {
            messages.ShowMessage(kHeaderValueRefused);
            return 1;
        }
        if (value.size() >= kEnteredValueSize) {
            messages.ShowMessage(kHeaderValueTooLong);
            return 1;
        }
    }
    return 0;
}

}  // namespace ravelin::gamefile

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"
#include "chess/movetext.h"

namespace ravelin::chess::testing {

// Lines of an in-memory movetext the way the file reader hands them out: split at line feeds,
// carriage returns and leading blanks dropped, each with its exact offset in the text.
class StringLineSource : public MovetextLineSource {
  public:
    explicit StringLineSource(std::string text) : text_(std::move(text)) {}

    int NextLine(std::string_view& line, std::uint64_t& offset) override {
        if (position_ >= text_.size()) {
            return 0;
        }
        std::size_t start = position_;
        std::size_t end = text_.find('\n', start);
        const bool hasLineFeed = end != std::string::npos;
        if (!hasLineFeed) {
            end = text_.size();
        }
        position_ = hasLineFeed ? end + 1 : end;
        std::size_t first = start;
        while (first < end && text_[first] == ' ') {
            ++first;
        }
        std::size_t last = end;
        while (last > first && text_[last - 1] == '\r') {
            --last;
        }
        line = std::string_view(text_).substr(first, last - first);
        offset = first;
        return static_cast<int>(position_ - first);
    }

    std::string_view Text() const { return text_; }

  private:
    std::string text_;
    std::size_t position_ = 0;
};

// A context and record with the movetext parsed; messages collected.
struct ParsedGame {
    std::unique_ptr<ChessContext> context = MakeChessContext();
    std::unique_ptr<GameRecord> record = MakeGameRecord();
    std::vector<std::string> messages;
    int moves = 0;

    explicit ParsedGame(std::string movetext, int stopAfter = 0, bool batch = false) {
        context->messages = [this](std::string_view message) { messages.emplace_back(message); };
        context->batch = batch;
        StringLineSource source(std::move(movetext));
        moves = ParseMovetext(*context, *record, source, stopAfter);
    }

    std::string White(int moveNumber) const {
        return std::string(SanView(context->moves.whiteMoves[static_cast<std::size_t>(moveNumber - 1)]));
    }
    std::string Black(int moveNumber) const {
        return std::string(SanView(context->moves.blackMoves[static_cast<std::size_t>(moveNumber - 1)]));
    }
    const AnnotationEntry& Annotation(int plyIndex) const {
        return record->annotationIndex[static_cast<std::size_t>(plyIndex)];
    }
    // Start position and replay of the parsed main line; the plies played.
    int Replay() {
        SetStartPosition(*context);
        return ReplayMoves(*context, moves);
    }
};

}  // namespace ravelin::chess::testing

#include "eco/pgn_main_lines.h"

#include <algorithm>

#include "eco/eco_commands.h"
#include "eco/eco_match.h"

namespace ravelin::eco {

namespace {

bool IsResult(std::string_view token) {
    return token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*";
}

std::string TagValue(std::string_view line) {
    const std::size_t open = line.find('"');
    const std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    if (close == std::string_view::npos) {
        return "";
    }
    return std::string(line.substr(open + 1, close - open - 1));
}

}  // namespace

void PgnMainLineReader::Line(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    if (commentDepth_ == 0 && variationDepth_ == 0 && !line.empty() && line[0] == '[') {
        if (!inTags_ && anything_) {
            EndGame();
        }
        inTags_ = true;
        anything_ = true;
        if (line.starts_with("[ECO ")) {
            game_.ecoTag = TagValue(line);
        } else if (line.starts_with("[FEN ")) {
            game_.fen = TagValue(line);
        }
        return;
    }
    inTags_ = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (commentDepth_ > 0) {
            commentDepth_ = c == '}' ? 0 : commentDepth_;
            ++i;
        } else if (c == '{') {
            commentDepth_ = 1;
            ++i;
        } else if (c == ';') {
            break;
        } else if (c == '(') {
            ++variationDepth_;
            ++i;
        } else if (c == ')') {
            variationDepth_ = variationDepth_ > 0 ? variationDepth_ - 1 : 0;
            ++i;
        } else if (c == ' ' || c == '\t' || c == '.') {
            ++i;
        } else {
            std::size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '{' &&
                   line[end] != '(' && line[end] != ')' && line[end] != ';') {
                ++end;
            }
            if (variationDepth_ == 0) {
                anything_ = true;
                Token(line.substr(i, end - i));
            }
            i = end;
        }
    }
}

void PgnMainLineReader::Token(std::string_view token) {
    if (token[0] == '$' || IsResult(token)) {
        return;
    }
    // Move numbers, also glued to the move ("12.Nf3", "12...Nf6").
    const std::size_t dots = token.find_last_of('.');
    if (dots != std::string_view::npos) {
        token.remove_prefix(dots + 1);
    }
    if (token.empty() || (token[0] >= '0' && token[0] <= '9' && token != "0-0" && token != "0-0-0")) {
        return;
    }
    std::string move(token);
    if (move.starts_with("0-0")) {
        for (char& ch : move) {
            ch = ch == '0' ? 'O' : ch;
        }
    }
    while (!move.empty() && (move.back() == '!' || move.back() == '?')) {
        move.pop_back();
    }
    game_.moves.push_back(std::move(move));
}

void PgnMainLineReader::EndGame() {
    if (anything_) {
        onGame_(game_);
    }
    game_ = PgnMainLine{};
    anything_ = false;
    commentDepth_ = 0;
    variationDepth_ = 0;
}

void PgnMainLineReader::Finish() {
    EndGame();
}

int ClassifyMainLine(const EcoTable& table, chess::ChessContext& context, const PgnMainLine& game) {
    if (!game.fen.empty() || game.moves.empty()) {
        return kNoEcoEntry;
    }
    context.moves.Clear();
    const std::size_t plies = std::min<std::size_t>(game.moves.size(), kMaxEcoPlies);
    for (std::size_t i = 0; i < plies; ++i) {
        chess::SetSanText(context.moves.MoveOfPly(static_cast<int>(i) + 1), game.moves[i]);
    }
    context.batch = true;
    chess::SetStartPosition(context);
    const int played = chess::ReplayMoves(context, static_cast<int>((plies + 1) / 2));
    // A refused move is marked and ends the line there.
    for (int ply = played + 1; ply <= static_cast<int>(plies); ++ply) {
        context.moves.MoveOfPly(ply) = chess::SanText{};
    }
    const int classified = GamePliesForFindOpening(context.moves);
    return ClassifyOpening(table, PrepareGameMoves(context.moves), classified);
}

}  // namespace ravelin::eco

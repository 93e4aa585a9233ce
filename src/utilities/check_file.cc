#include "utilities/check_file.h"

#include <array>
#include <cstdio>
#include <utility>

#include "chess/attacks.h"
#include "gamefile/line_reader.h"
#include "utilities/game_moves.h"

namespace ravelin::utilities {

namespace {

// Whether the token at the start of the text is a result ("*", "?...", "1-0", "0-1", "x/y...").
bool StartsResult(std::string_view text) {
    return !text.empty() && (text[0] == '*' || text[0] == '?' || text.substr(0, 3) == "1-0" ||
                             text.substr(0, 3) == "0-1" || (text.size() > 1 && text[1] == '/'));
}

struct LineScan {
    bool inComment = false;
    int parens = 0;
    bool spaces = false;
    bool longLine = false;
};

void ScanMovetextLine(std::string_view line, bool nextLineEmpty, LineScan& scan) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (scan.inComment) {
            scan.inComment = c != '}';
        } else if (c == '{') {
            scan.inComment = true;
        } else if (c == ';') {
            return;
        } else if (c == '(') {
            ++scan.parens;
        } else if (c == ')') {
            --scan.parens;
        } else if (c == ' ' && i + 1 < line.size() && line[i + 1] == ' ') {
            const std::size_t next = line.find_first_not_of(' ', i);
            const bool atLineEnd = next == std::string_view::npos;
            if (!(atLineEnd ? nextLineEmpty : StartsResult(line.substr(next)))) {
                scan.spaces = true;
            }
            if (atLineEnd) {
                return;
            }
            i = next - 1;
        }
    }
}

// The fault a side's own move brings onto the board: a fourth piece of a kind, or a second bishop
// on the colour of the first. Only a change counts, so a set-up position is not blamed for it.
GameFault PieceFault(const chess::Board& before, const chess::Board& after, chess::Side side) {
    struct Tally {
        std::array<int, chess::kKing + 1> kinds{};
        std::array<int, 3> bishopColours{};
        bool SameColourBishops() const { return bishopColours[1] > 1 || bishopColours[2] > 1; }
    };
    const auto count = [side](const chess::Board& board) {
        Tally tally;
        for (int file = chess::kFirstLine; file <= chess::kLastLine; ++file) {
            for (int rank = chess::kFirstLine; rank <= chess::kLastLine; ++rank) {
                const chess::PieceCode code = board[file][rank];
                if (!chess::BelongsTo(code, side)) {
                    continue;
                }
                const chess::PieceCode kind = chess::KindOf(code);
                ++tally.kinds[kind];
                if (kind == chess::kBishop) {
                    ++tally.bishopColours[chess::SquareColour(file, rank)];
                }
            }
        }
        return tally;
    };
    const Tally was = count(before);
    const Tally is = count(after);
    if (is.SameColourBishops() && !was.SameColourBishops()) {
        return GameFault::kBishopsOnOneColour;
    }
    constexpr std::array<std::pair<chess::PieceCode, GameFault>, 4> kFourOfAKind = {{
        {chess::kKnight, GameFault::kFourKnights},
        {chess::kBishop, GameFault::kFourBishops},
        {chess::kRook, GameFault::kFourRooks},
        {chess::kQueen, GameFault::kFourQueens},
    }};
    for (const auto& [kind, fault] : kFourOfAKind) {
        if (is.kinds[kind] > 3 && was.kinds[kind] <= 3) {
            return fault;
        }
    }
    return GameFault::kNone;
}

}  // namespace

ReplayFault CheckReplay(GameMoves& moves) {
    const gamefile::ReplaySummary summary = moves.Replay();
    const chess::PositionHistory& history = moves.Context().history;
    chess::Board before = chess::FromCompact(history.boards[0]);
    for (int ply = 1; ply <= summary.pliesPlayed; ++ply) {
        const chess::CompactBoard& compact = history.boards[static_cast<std::size_t>(ply)];
        if (compact == history.boards[static_cast<std::size_t>(ply - 1)]) {
            continue;  // a null move or the placeholder of a black first move
        }
        const chess::Board after = chess::FromCompact(compact);
        const chess::Side mover = chess::SideOfPly(ply);
        const GameFault pieces = PieceFault(before, after, mover);
        if (pieces != GameFault::kNone) {
            return {pieces, 0};
        }
        if (chess::IsInCheck(after, history.pieces[static_cast<std::size_t>(ply)], mover)) {
            return {GameFault::kIllegalMove, (ply + 1) / 2};
        }
        before = after;
    }
    return {summary.stoppedAtBadMove ? GameFault::kCorruptMove : GameFault::kNone, 0};
}

std::string FaultMessage(GameFault fault, int game, int move) {
    const char* format = "";
    switch (fault) {
        case GameFault::kNone:
            return "";
        case GameFault::kCorruptHeader:
            format = "Game %d header is corrupt, a line is missing two double quotes.";
            break;
        case GameFault::kNoBlankLine:
            format = "Game %d does not have a blank line after the header.";
            break;
        case GameFault::kParens:
            format = "Game %d may have line parens out of sync.";
            break;
        case GameFault::kBraces:
            format = "Game %d may have comment braces out of sync.";
            break;
        case GameFault::kSpaces:
            format = "Game %d has more than 1 space between tokens.";
            break;
        case GameFault::kLongLine:
            format = "Game %d has some records that are longer than 255 characters.";
            break;
        case GameFault::kBishopsOnOneColour:
            format = "Game %d has 2 bishops on same diagonal.";
            break;
        case GameFault::kFourKnights:
            format = "Game %d has 4 knights.";
            break;
        case GameFault::kFourBishops:
            format = "Game %d has 4 bishops.";
            break;
        case GameFault::kFourRooks:
            format = "Game %d has 4 rooks.";
            break;
        case GameFault::kFourQueens:
            format = "Game %d has 4 queens.";
            break;
        case GameFault::kCorruptMove:
            format = "Game %d may be corrupt.";
            break;
        case GameFault::kIllegalMove:
            format = "Game %d, move %d is illegal.";
            break;
    }
    char message[96];
    std::snprintf(message, sizeof message, format, game, move);
    return message;
}

GameFault CheckGameText(std::string_view game) {
    std::vector<std::string_view> lines;
    ForEachLine(game, [&](std::string_view line) { lines.push_back(line); });
    LineScan scan;
    GameFault header = GameFault::kNone;
    std::size_t i = 0;
    for (; i < lines.size() && IsTagLine(lines[i]); ++i) {
        scan.longLine = scan.longLine || lines[i].size() > gamefile::kMaxLineLength;
        const std::string_view afterFirst = lines[i].substr(lines[i].find('[') + 1);
        const std::size_t quote = afterFirst.find('"');
        if (header == GameFault::kNone &&
            (quote == std::string_view::npos || afterFirst.find('"', quote + 1) == std::string_view::npos)) {
            header = GameFault::kCorruptHeader;
        }
    }
    if (header == GameFault::kNone && i < lines.size() && !lines[i].empty() &&
        lines[i].substr(0, 2) != "1.") {
        header = GameFault::kNoBlankLine;
    }
    for (; i < lines.size(); ++i) {
        scan.longLine = scan.longLine || lines[i].size() > gamefile::kMaxLineLength;
        const bool nextEmpty = i + 1 >= lines.size() || lines[i + 1].empty();
        if (scan.inComment) {
            const std::size_t close = lines[i].find('}');
            if (close == std::string_view::npos) {
                continue;
            }
            scan.inComment = false;
            ScanMovetextLine(lines[i].substr(close + 1), nextEmpty, scan);
        } else if (lines[i].empty() || lines[i][0] != '%') {
            ScanMovetextLine(lines[i], nextEmpty, scan);
        }
    }
    if (header != GameFault::kNone) {
        return header;
    }
    if (scan.parens != 0) {
        return GameFault::kParens;
    }
    if (scan.inComment) {
        return GameFault::kBraces;
    }
    if (scan.spaces) {
        return GameFault::kSpaces;
    }
    return scan.longLine ? GameFault::kLongLine : GameFault::kNone;
}

CheckResult CheckFile(const PgnText& text, CheckMode mode, const UtilityProgress& progress) {
    CheckResult result;
    GameMoves moves(text.path);
    const bool deleting = mode == CheckMode::kDeleteBadGames;
    if (deleting) {
        result.contents.reserve(text.bytes.size());
        result.contents.append(text.Preamble());
    }
    const int count = text.Count();
    for (int i = 0; i < count; ++i) {
        const std::string_view game = text.Game(i);
        ReplayFault fault{CheckGameText(game), 0};
        if (fault.fault == GameFault::kNone) {
            fault = moves.Read(text.index.offsets[static_cast<std::size_t>(i)])
                        ? CheckReplay(moves)
                        : ReplayFault{GameFault::kCorruptMove, 0};
        }
        if (fault.fault == GameFault::kNone) {
            if (deleting) {
                result.contents.append(game);
            }
        } else {
            ++result.found;
            if (static_cast<int>(result.errors.size()) < kListedErrors) {
                result.errors.push_back({i + 1, FaultMessage(fault.fault, i + 1, fault.move)});
            }
        }
        if (progress && ProgressDue(i + 1, count) && !progress(i + 1, result.found)) {
            result.cancelled = true;
            return result;
        }
        if (!deleting && result.found > kListedErrors) {
            break;
        }
    }
    return result;
}

}  // namespace ravelin::utilities

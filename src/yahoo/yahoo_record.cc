#include "yahoo/yahoo_record.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "chess/board.h"
#include "chess/chess_context.h"
#include "chess/move_legality.h"
#include "chess/movetext.h"
#include "chess/position_history.h"

namespace ravelin::yahoo {

namespace {

constexpr std::size_t kNameStart = 8;  // after ";White: " and ";Black: "
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = next;
    }
    return lines;
}

std::string NameOf(std::string_view line) {
    return line.size() > kNameStart ? std::string(line.substr(kNameStart)) : std::string();
}

// Hands the parser the move lines of one game.
class TextLines : public chess::MovetextLineSource {
  public:
    explicit TextLines(std::string_view text) : text_(text) {}
    int NextLine(std::string_view& line, std::uint64_t& offset) override {
        if (position_ >= text_.size()) {
            return 0;
        }
        std::size_t end = text_.find('\n', position_);
        const std::size_t next = end == std::string_view::npos ? text_.size() : end + 1;
        end = end == std::string_view::npos ? text_.size() : end;
        line = text_.substr(position_, end - position_);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        // Lines the parser keeps are at most its line size; longer ones are cut, as a file's are.
        line = line.substr(0, std::min<std::size_t>(line.size(), chess::kMaxMovetextLineLength));
        offset = position_;
        const int bytes = static_cast<int>(next - position_);
        position_ = next;
        return bytes;
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace

std::string YahooDate(std::string_view line) {
    const std::string_view last = line.size() >= 4 ? line.substr(line.size() - 4) : std::string_view();
    const bool yearGiven = last.size() == 4 && std::all_of(last.begin(), last.end(), [](char c) {
                               return std::isdigit(static_cast<unsigned char>(c)) != 0;
                           });
    const std::string year = yearGiven ? std::string(last) : "????";
    std::string month = "??";
    if (line.size() >= 14) {
        const std::string_view name = line.substr(11, 3);
        for (std::size_t m = 0; m < kMonths.size(); ++m) {
            if (name == kMonths[m]) {
                month = (m < 9 ? "0" : "") + std::to_string(m + 1);
            }
        }
    }
    std::string day = "??";
    if (line.size() >= 16 && line[15] != ' ') {
        const char first = line[15];
        const char second = line.size() >= 17 ? line[16] : ' ';
        day = second == ' ' ? std::string{'0', first} : std::string{first, second};
    }
    return year + "." + month + "." + day;
}

std::vector<YahooRecord> ReadYahooRecords(std::string_view text) {
    enum class State { kOutside, kHeader, kMoves };
    std::vector<YahooRecord> records;
    State state = State::kOutside;
    YahooRecord current;
    auto startGame = [&current] {
        current = YahooRecord{};
        current.header[gamefile::kTagEvent] = "Yahoo!";
        current.header[gamefile::kTagResult] = "*";
    };
    auto takeHeaderLine = [&current](std::string_view line) {
        if (line.starts_with(";White")) {
            current.header[gamefile::kTagWhite] = NameOf(line);
        } else if (line.starts_with(";Black")) {
            current.header[gamefile::kTagBlack] = NameOf(line);
        } else if (line.starts_with(";Date")) {
            current.header[gamefile::kTagDate] = YahooDate(line);
        }
    };
    auto addMoveLine = [&current](std::string_view line) {
        std::string moves(line);
        std::replace(moves.begin(), moves.end(), 'o', 'O');
        current.moves += moves + "\r\n";
    };
    for (const std::string_view line : Lines(text)) {
        const bool header = line.starts_with(';');
        switch (state) {
            case State::kOutside:
                if (header) {
                    startGame();
                    takeHeaderLine(line);
                    state = State::kHeader;
                }
                break;
            case State::kHeader:
                if (header) {
                    takeHeaderLine(line);
                    break;
                }
                records.push_back(current);
                state = State::kMoves;
                if (!line.empty()) {
                    addMoveLine(line);
                    records.back().moves = current.moves;
                }
                break;
            case State::kMoves:
                if (line.empty()) {
                    state = State::kOutside;
                } else if (header) {
                    startGame();
                    takeHeaderLine(line);
                    state = State::kHeader;
                } else {
                    addMoveLine(line);
                    records.back().moves = current.moves;
                }
                break;
        }
    }
    if (state == State::kHeader) {
        // A header block at the end of the text without moves is a game all the same.
        records.push_back(current);
    }
    return records;
}

namespace {

struct SquarePair {
    int fromFile = 0;
    int fromRank = 0;
    int toFile = 0;
    int toRank = 0;
    chess::PieceCode arrived = chess::kEmpty;
};

bool OfSide(chess::PieceCode code, bool white) {
    return white ? chess::IsWhitePiece(code) : chess::IsBlackPiece(code);
}

// The move between two positions, the mover's king deciding for castling (its rook moves too).
std::optional<SquarePair> MoveBetween(const chess::Board& before, const chess::Board& after, bool white) {
    std::optional<SquarePair> move;
    SquarePair found;
    bool fromSeen = false;
    bool toSeen = false;
    for (int file = 1; file <= 8; ++file) {
        for (int rank = 1; rank <= 8; ++rank) {
            const chess::PieceCode was = before[file][rank];
            const chess::PieceCode is = after[file][rank];
            const bool king = chess::KindOf(was) == chess::kKing || chess::KindOf(is) == chess::kKing;
            if (OfSide(was, white) && is == chess::kEmpty && (!fromSeen || king)) {
                found.fromFile = file;
                found.fromRank = rank;
                fromSeen = true;
            }
            if (OfSide(is, white) && is != was && (!toSeen || king)) {
                found.toFile = file;
                found.toRank = rank;
                found.arrived = is;
                toSeen = true;
            }
        }
    }
    if (fromSeen && toSeen) {
        move = found;
    }
    return move;
}

}  // namespace

std::string ConvertedGameText(const YahooRecord& record) {
    auto context = chess::MakeChessContext();
    auto parsed = chess::MakeGameRecord();
    context->batch = true;
    context->warningsOff = true;
    TextLines lines(record.moves);
    chess::ParseMovetext(*context, *parsed, lines);
    const int plies = std::min(chess::ParsedPlies(*parsed), chess::kMaxPly);
    chess::MoveList asWritten = context->moves;
    chess::SetStartPosition(*context);
    const int played = chess::ReplayMoves(*context, (plies + 1) / 2);
    // The replay takes the service's coordinate moves; each is written again in SAN from the
    // positions it went through.
    auto writer = chess::MakeChessContext();
    writer->batch = true;
    writer->warningsOff = true;
    chess::SetStartPosition(*writer);
    gamefile::EnteredGame game;
    game.header = record.header;
    for (int ply = 1; ply <= plies; ++ply) {
        std::string san(chess::SanView(asWritten.MoveOfPly(ply)));
        if (ply <= played) {
            const std::optional<SquarePair> move = MoveBetween(
                chess::FromCompact(context->history.boards[static_cast<std::size_t>(ply - 1)]),
                chess::FromCompact(context->history.boards[static_cast<std::size_t>(ply)]), ply % 2 == 1);
            if (move) {
                const chess::PieceCode kind = chess::KindOf(move->arrived);
                writer->promotionChoice =
                    kind == chess::kPawn || kind == chess::kKing ? chess::kPromoteToQueenByDefault : kind;
                chess::RestorePosition(*writer, ply - 1);
                if (chess::MakeCoordinateMove(*writer, true, ply, move->fromFile, move->fromRank,
                                              move->toFile, move->toRank) == 0) {
                    san = std::string(chess::SanView(writer->moves.MoveOfPly(ply)));
                }
            }
        }
        (ply % 2 == 1 ? game.whiteMoves : game.blackMoves).push_back(san);
    }
    return gamefile::EnteredGameText(game);
}

}  // namespace ravelin::yahoo

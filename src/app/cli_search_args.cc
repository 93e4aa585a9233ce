#include "app/cli_search_args.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <vector>

#include "chess/chess_context.h"
#include "chess/fen.h"
#include "chess/move_legality.h"
#include "chess/san_reader.h"
#include "chess/san_writer.h"
#include "search/position_lists.h"
#include "search/search_result.h"

namespace ravelin::app {

namespace {

using search::HeaderField;

std::vector<std::string_view> SplitBlanks(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
        }
        std::size_t end = at;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
        if (end > at) {
            tokens.push_back(text.substr(at, end - at));
        }
        at = end;
    }
    return tokens;
}

std::string PlyLabel(int ply, std::string_view move) {
    const int number = (ply + 1) / 2;
    return std::to_string(number) + (ply % 2 == 1 ? ". " : "... ") + std::string(move);
}

// Takes a leading move number ("12." or "12...") off token. Returns false when token starts with
// digits that are not followed by a dot (not a move number and not a move either).
bool TakeMoveNumber(std::string_view& token, int& number, bool& blackMove) {
    std::size_t digits = 0;
    while (digits < token.size() && std::isdigit(static_cast<unsigned char>(token[digits]))) {
        ++digits;
    }
    number = 0;
    if (digits == 0) {
        return true;
    }
    std::size_t dots = digits;
    while (dots < token.size() && token[dots] == '.') {
        ++dots;
    }
    if (dots == digits || digits > 3) {
        return false;
    }
    number = std::stoi(std::string(token.substr(0, digits)));
    blackMove = dots - digits >= 3;
    token.remove_prefix(dots);
    return true;
}

// The move without check, mate and annotation marks, which the written text gets back as the
// position says.
std::string_view BareMove(std::string_view move) {
    while (!move.empty() &&
           (move.back() == '+' || move.back() == '#' || move.back() == '!' || move.back() == '?')) {
        move.remove_suffix(1);
    }
    return move;
}

// Plays one move text on the board as a move entered on the board would be: its canonical SAN text
// and, when that text needs a disambiguation, its from-square as hint.
bool PlayVariationMove(chess::ChessContext& context, int ply, std::string_view move, chess::SanText& text,
                       chess::FromHint& hint) {
    chess::SanText typed{};
    if (move.size() > static_cast<std::size_t>(chess::kMaxSanLength)) {
        return false;
    }
    chess::SetSanText(typed, move);
    if (chess::LocateSanMove(context, ply, typed, chess::FromHint{}) != 0) {
        return false;
    }
    const chess::LocateResult squares = context.locate;
    const chess::PieceCode kind = chess::KindOf(context.board[squares.fromFile][squares.fromRank]);
    hint = chess::FromHint{};
    if (kind != chess::kPawn && kind != chess::kKing &&
        chess::DisambiguationNeeded(context, kind, squares.fromFile, squares.fromRank, squares.toFile,
                                    squares.toRank, chess::SideOfPly(ply)) != chess::Disambiguation::kNone) {
        hint = {static_cast<char>('a' + squares.fromFile - 1), static_cast<char>('0' + squares.fromRank),
                '\0'};
    }
    if (chess::MakeCoordinateMove(context, true, ply, squares.fromFile, squares.fromRank, squares.toFile,
                                  squares.toRank) != 0) {
        return false;
    }
    text = context.moves.MoveOfPly(ply);
    return true;
}

// Entry forms of the position lists.
bool IsFileLetter(char c) {
    return c >= 'a' && c <= 'h';
}
bool IsRankDigit(char c) {
    return c >= '1' && c <= '8';
}
bool IsCountPieceLetter(char c) {
    return c == 'N' || c == 'B' || c == 'R' || c == 'Q';
}
bool IsRelation(char c) {
    return c == '=' || c == '<' || c == '>';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsPositionEntry(std::string_view entry, bool blackList) {
    const auto at = [&entry](std::size_t i) { return i < entry.size() ? entry[i] : '\0'; };
    switch (entry.size()) {
        case 2:
            return (IsFileLetter(at(0)) && IsRankDigit(at(1))) || (IsRelation(at(0)) && IsDigit(at(1))) ||
                   (blackList && at(0) == '*' && IsDigit(at(1)));
        case 3:
            if (IsFileLetter(at(1))) {
                return chess::KindOfPieceLetter(at(0)) != chess::kEmpty && IsRankDigit(at(2));
            }
            return IsCountPieceLetter(at(0)) && (IsRelation(at(1)) || (blackList && at(1) == '*')) &&
                   IsDigit(at(2));
        default:
            return false;
    }
}

bool ReadEntryList(std::string_view text, bool blackList, search::PositionList& list, std::string& error) {
    const std::vector<std::string_view> entries = SplitBlanks(text);
    if (entries.size() > static_cast<std::size_t>(search::kPositionListEntries)) {
        error = "Too many position entries for " + std::string(blackList ? "black" : "white") + " (at most " +
                std::to_string(search::kPositionListEntries) + ").";
        return false;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!IsPositionEntry(entries[i], blackList)) {
            error = "Not a position entry: \"" + std::string(entries[i]) + "\".";
            return false;
        }
        search::SetPositionEntry(list[i], entries[i]);
    }
    return true;
}

bool LooksLikeFen(std::string_view text) {
    const std::vector<std::string_view> tokens = SplitBlanks(text);
    return !tokens.empty() && std::count(tokens[0].begin(), tokens[0].end(), '/') == chess::kLastLine - 1;
}

// The exact position of a FEN placement: every piece on its square and, so that no further piece
// can be on the board, the number of each kind of both sides.
bool ReadFenPosition(std::string_view text, search::SearchPosition& position, std::string& error) {
    chess::FenPosition fen;
    const std::string refused = chess::ParseFen(text, fen);
    if (!refused.empty()) {
        error = "Not a FEN position: " + refused;
        return false;
    }
    search::CriteriaBoard board;
    board.squares = fen.board;
    static constexpr chess::PieceCode kKinds[search::kCountKinds] = {
        chess::kQueen, chess::kRook, chess::kBishop, chess::kKnight, chess::kPawn};
    for (int side = 0; side < 2; ++side) {
        for (int kind = 0; kind < search::kCountKinds; ++kind) {
            const chess::PieceCode code = chess::MakePiece(static_cast<chess::Side>(side), kKinds[kind]);
            int count = 0;
            for (int file = chess::kFirstLine; file <= chess::kLastLine; ++file) {
                for (int rank = chess::kFirstLine; rank <= chess::kLastLine; ++rank) {
                    count += fen.board[file][rank] == code ? 1 : 0;
                }
            }
            if (count > 9) {
                error = "Not a FEN position: more than nine pieces of a kind.";
                return false;
            }
            board.counts[side][kind] = {search::kCountEqual, static_cast<char>('0' + count)};
        }
    }
    search::MoveNumberCondition moveNumber = position.moveNumber;
    search::BuildPositionLists(board, position);
    position.moveNumber = moveNumber;
    return true;
}

struct HeaderOption {
    std::string_view name;
    HeaderField field;
};

constexpr HeaderOption kHeaderOptions[] = {
    {"--event", HeaderField::kEvent},
    {"--site", HeaderField::kSite},
    {"--date", HeaderField::kDate},
    {"--round", HeaderField::kRound},
    {"--white", HeaderField::kWhite},
    {"--black", HeaderField::kBlack},
    {"--result", HeaderField::kResult},
    {"--eco", HeaderField::kEco},
    {"--moves-count", HeaderField::kNumberOfMoves},
    {"--white-elo", HeaderField::kWhiteElo},
    {"--black-elo", HeaderField::kBlackElo},
    {"--specific-move", HeaderField::kSpecificMove},
};

bool SetHeaderField(search::HeaderCriteria& header, HeaderField field, std::string_view value,
                    std::string& error) {
    if (value.size() > search::kMaxHeaderFieldLength) {
        error = std::string(search::HeaderFieldLabel(field)) + " is longer than " +
                std::to_string(search::kMaxHeaderFieldLength) + " characters.";
        return false;
    }
    header[field] = std::string(value);
    return true;
}

// Options that take a value, other than the header fields.
constexpr std::string_view kValueOptions[] = {"--moves",  "--position",  "--move-number",
                                              "--player", "--opponents", "--repeat"};
// More repeats than this measure nothing more.
constexpr int kMaxRepeat = 1000;

bool TakesValue(std::string_view name) {
    return std::find(std::begin(kValueOptions), std::end(kValueOptions), name) != std::end(kValueOptions) ||
           std::any_of(std::begin(kHeaderOptions), std::end(kHeaderOptions),
                       [name](const HeaderOption& option) { return option.name == name; });
}

}  // namespace

bool ParseVariationText(std::string_view text, search::SearchVariation& variation, std::string& error) {
    variation.Clear();
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    context->batch = true;
    chess::SetStartPosition(*context);
    int ply = 0;
    for (std::string_view token : SplitBlanks(text)) {
        int number = 0;
        bool blackMove = false;
        const std::string_view whole = token;
        if (!TakeMoveNumber(token, number, blackMove)) {
            error = "Not a move: \"" + std::string(whole) + "\".";
            return false;
        }
        const int next = ply + 1;
        if (number != 0 && (number != (next + 1) / 2 || blackMove != (next % 2 == 0))) {
            error = "Move number out of turn: \"" + std::string(whole) + "\" where " + PlyLabel(next, "") +
                    "was expected.";
            return false;
        }
        if (token.empty()) {
            continue;
        }
        if (next > chess::kMaxPly) {
            error =
                "The variation has more than " + std::to_string(chess::kMaxMovesPerSide) + " moves a side.";
            return false;
        }
        chess::SanText& entry = variation.MoveOfPly(next);
        chess::FromHint& hint =
            next % 2 == 1 ? variation.whiteHints[(next - 1) / 2] : variation.blackHints[next / 2 - 1];
        if (token == search::kAnyMove) {
            chess::SetSanText(entry, search::kAnyMove);
            // Nothing is played: the next move is read on the same board.
            chess::SavePosition(*context, next);
        } else if (!PlayVariationMove(*context, next, BareMove(token), entry, hint)) {
            error = "Illegal move in the variation: " + PlyLabel(next, token) + ".";
            return false;
        }
        ply = next;
    }
    return true;
}

bool ParsePositionText(std::string_view text, search::SearchPosition& position, std::string& error) {
    position.white = {};
    position.black = {};
    if (LooksLikeFen(text)) {
        return ReadFenPosition(text, position, error);
    }
    const std::size_t slash = text.find('/');
    if (slash != std::string_view::npos && text.find('/', slash + 1) != std::string_view::npos) {
        error = "A position has one '/' between the white and the black entries.";
        return false;
    }
    if (!ReadEntryList(text.substr(0, slash), false, position.white, error)) {
        return false;
    }
    if (slash != std::string_view::npos &&
        !ReadEntryList(text.substr(slash + 1), true, position.black, error)) {
        return false;
    }
    if (position.Empty()) {
        error = "The position has no entries.";
        return false;
    }
    return true;
}

bool ParseSearchArguments(int argc, char** argv, SearchRequest& request, std::string& error) {
    request = SearchRequest{};
    search::SearchCriteria& criteria = request.criteria;
    bool variationGiven = false;
    bool positionGiven = false;
    bool playerForm = false;
    bool namesGiven = false;
    std::string moveNumber;
    bool moveNumberGiven = false;
    for (int i = 0; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.size() < 2 || argument.substr(0, 2) != "--") {
            if (!request.path.empty()) {
                error = "Only one FILE can be searched: \"" + std::string(argument) + "\".";
                return false;
            }
            request.path = std::string(argument);
            continue;
        }
        std::string_view name = argument;
        std::string_view value;
        bool hasValue = false;
        if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
            hasValue = true;
        }
        if (name == "--exact" || name == "--force" || name == "--dir" || name == "--time") {
            if (hasValue) {
                error = "Option " + std::string(name) + " takes no value.";
                return false;
            }
            (name == "--exact"   ? criteria.options.exactVariation
             : name == "--force" ? criteria.options.forceMatch
             : name == "--dir"   ? request.directory
                                 : request.timing) = true;
            continue;
        }
        if (!TakesValue(name)) {
            error = "Unknown option \"" + std::string(name) + "\".";
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= argc) {
                error = "Option " + std::string(name) + " needs a value.";
                return false;
            }
            value = argv[++i];
        }
        if (name == "--moves") {
            if (!ParseVariationText(value, criteria.variation, error)) {
                return false;
            }
            variationGiven = !criteria.variation.Empty();
            if (!variationGiven) {
                error = "The variation has no moves.";
                return false;
            }
        } else if (name == "--position") {
            if (!ParsePositionText(value, criteria.position, error)) {
                return false;
            }
            positionGiven = true;
        } else if (name == "--repeat") {
            const std::string text(value);
            char* end = nullptr;
            const long count = std::strtol(text.c_str(), &end, 10);
            if (text.empty() || *end != '\0' || count < 1 || count > kMaxRepeat) {
                error = "--repeat needs a number from 1 to " + std::to_string(kMaxRepeat) + ".";
                return false;
            }
            request.repeat = static_cast<int>(count);
        } else if (name == "--move-number") {
            if (value.size() > search::kMaxMoveNumberCriterion) {
                error = "The move number criterion is longer than " +
                        std::to_string(search::kMaxMoveNumberCriterion) + " characters.";
                return false;
            }
            moveNumber = std::string(value);
            moveNumberGiven = true;
        } else if (name == "--player") {
            playerForm = true;
            if (!SetHeaderField(criteria.header, HeaderField::kWhite, value, error)) {
                return false;
            }
            criteria.header[HeaderField::kBlack] = "*";
        } else if (name == "--opponents") {
            playerForm = true;
            const std::size_t comma = value.find(',');
            if (comma == std::string_view::npos || comma == 0 || comma + 1 == value.size()) {
                error = "--opponents needs two names: A,B.";
                return false;
            }
            if (!SetHeaderField(criteria.header, HeaderField::kWhite, value.substr(0, comma), error) ||
                !SetHeaderField(criteria.header, HeaderField::kBlack,
                                "*" + std::string(value.substr(comma + 1)), error)) {
                return false;
            }
        } else {
            const auto option = std::find_if(std::begin(kHeaderOptions), std::end(kHeaderOptions),
                                             [name](const HeaderOption& o) { return o.name == name; });
            namesGiven =
                namesGiven || option->field == HeaderField::kWhite || option->field == HeaderField::kBlack;
            if (!SetHeaderField(criteria.header, option->field, value, error)) {
                return false;
            }
        }
    }
    if (request.path.empty()) {
        error = kSearchUsage;
        return false;
    }
    if (playerForm && (namesGiven || criteria.header[HeaderField::kWhite].empty())) {
        error = kPlayerWithNames;
        return false;
    }
    if (moveNumberGiven) {
        if (!positionGiven) {
            error = kMoveNumberNeedsPosition;
            return false;
        }
        criteria.position.moveNumber = {true, moveNumber};
    }
    const bool headerGiven = !criteria.header.Empty();
    request.positionPlies = positionGiven;
    if (headerGiven) {
        request.kind = search::kHeaderSearch;
        request.combination =
            (variationGiven ? search::kWithVariation : 0) + (positionGiven ? search::kWithPosition : 0);
    } else if (variationGiven) {
        request.kind = search::kVariationSearch;
        request.combination = positionGiven ? search::kWithPosition : search::kAlone;
    } else if (positionGiven) {
        request.kind = search::kPositionSearch;
        request.combination = search::kAlone;
    } else {
        error = kNoSearchCriteria;
        return false;
    }
    return true;
}

}  // namespace ravelin::app

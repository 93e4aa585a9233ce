#pragma once

// Shared by the search tests: fast files made from copies of real PGN files, move words written by
// hand, variations and position lists from their texts, and the rows a search finds.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "chess/move_list.h"
#include "gamefile/game_index.h"
#include "search/fast_file_reader.h"
#include "search/fast_file_writer.h"
#include "search/fast_move.h"
#include "search/position_lists.h"
#include "search/position_search.h"
#include "search/search_criteria.h"
#include "search/search_result.h"
#include "temp_dir.h"

namespace ravelin::search::testing_support {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;

// A copy of tests/data/pgn/<name> in dir, so that companion files are written beside the copy.
inline std::string CopyPgn(const TempDir& dir, const std::string& name, const std::string& as = "") {
    return dir.Write(as.empty() ? name : as, ReadWholeFile(TestDataPath("pgn/" + name)));
}

// The text without the games that set up a position: their fast file records replay from the
// standard position (the writer warns about them), so that their move counts differ from the text's.
inline std::string WithoutFenGames(const std::string& text) {
    std::string kept;
    for (std::size_t at = 0, next = 0; at < text.size(); at = next) {
        next = std::min(text.find("\n[Event ", at + 1), text.size() - 1) + 1;
        const std::string game = text.substr(at, next - at);
        kept += game.find("\n[FEN ") == std::string::npos ? game : "";
    }
    return kept;
}

// The game index of a file, as the open file would have it.
inline std::vector<std::uint32_t> IndexOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    gamefile::GameIndex index;
    if (fd >= 0) {
        gamefile::IndexGameFile(fd, path, true, index);
        ::close(fd);
    }
    return index.offsets;
}

// The main-line moves of each game of a file without comments or variations, as written there.
inline std::vector<std::vector<std::string>> MainLines(const std::string& pgnPath) {
    std::vector<std::vector<std::string>> games;
    std::istringstream in(ReadWholeFile(pgnPath));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("[Event ", 0) == 0) {
            games.emplace_back();
        } else if (!line.empty() && line[0] != '[') {
            std::istringstream tokens(line);
            for (std::string token; tokens >> token;) {
                if (token.back() != '.' && token != "*" &&
                    (token.find('-') == std::string::npos || token[0] == 'O')) {
                    games.back().push_back(token);
                }
            }
        }
    }
    return games;
}

// Knight moves out and back: a legal game of any length. Moves first..last (1-based) of it.
inline std::string KnightShuffle(int first, int last) {
    std::string text;
    for (int move = first; move <= last; ++move) {
        const bool out = move % 2 == 1;
        text += std::to_string(move) + (out ? ". Nf3 Nf6 " : ". Ng1 Ng8 ");
        if (move % 8 == 0) {
            text += "\n";
        }
    }
    return text;
}

inline FastFileOutcome MakeFastFile(const std::string& pgnPath) {
    FastFileJob job;
    job.pgnPath = pgnPath;
    job.offsets = IndexOf(pgnPath);
    return WriteFastFile(job, {});
}

// Little-endian 16-bit words, as X.TRF stores them.
inline std::string Words(const std::vector<std::uint16_t>& words) {
    std::string bytes;
    for (const std::uint16_t word : words) {
        bytes.push_back(static_cast<char>(word & 0xff));
        bytes.push_back(static_cast<char>(word >> 8));
    }
    return bytes;
}

inline std::vector<int> Games(const SearchResult& result) {
    std::vector<int> games;
    for (const SearchMatch& match : result.matches) {
        games.push_back(match.game);
    }
    return games;
}

// A variation from its plies in playing order: "e4 e5 Nf3".
inline SearchVariation VariationOf(const std::string& plies) {
    SearchVariation variation;
    std::istringstream in(plies);
    int ply = 1;
    for (std::string text; in >> text;) {
        chess::SetSanText(variation.MoveOfPly(ply++), text);
    }
    return variation;
}

// Every position of every record of a fast move file.
inline std::vector<std::vector<FastBoard>> ReplayedGames(const std::string& movePath) {
    std::vector<std::vector<FastBoard>> games;
    FastMoveReader reader;
    std::vector<FastMove> moves;
    FastMove resultWord = 0;
    if (!reader.Open(movePath)) {
        return games;
    }
    while (reader.Next(moves, resultWord) == FastMoveReader::Step::kRecord) {
        std::vector<FastBoard> boards{FastStartBoard()};
        for (std::size_t i = 0; i < moves.size(); ++i) {
            boards.push_back(boards.back());
            ApplyFastMove(boards.back(), moves[i], static_cast<int>(i) + 1);
        }
        games.push_back(std::move(boards));
    }
    return games;
}

// The lists of every step-th piece of a position (kings included); with exactCounts also an '='
// condition on every kind of both sides, so that only that position passes.
inline SearchPosition PositionOf(const FastBoard& board, int step, bool exactCounts) {
    CriteriaBoard criteria;
    std::array<std::array<int, kCountKinds>, 2> counts{};
    int seen = 0;
    for (int square = 0; square < chess::kSquareCount; ++square) {
        const int code = board[static_cast<std::size_t>(square)];
        const int kind = chess::KindOf(code);
        if (code != chess::kEmpty && seen++ % step == 0) {
            criteria.squares[square / 8 + 1][square % 8 + 1] = code;
        }
        if (code != chess::kEmpty && kind != chess::kKing) {
            ++counts[chess::IsWhitePiece(code) ? 0 : 1][static_cast<std::size_t>(chess::kQueen - kind)];
        }
    }
    for (int side = 0; side < 2 && exactCounts; ++side) {
        for (int kind = 0; kind < kCountKinds; ++kind) {
            const int n = counts[static_cast<std::size_t>(side)][static_cast<std::size_t>(kind)];
            if (n <= 9) {
                criteria.counts[side][kind] = {kCountEqual, static_cast<char>('0' + n)};
            }
        }
    }
    SearchPosition position;
    BuildPositionLists(criteria, position);
    return position;
}

inline SearchPosition ExactPosition(const FastBoard& board) {
    return PositionOf(board, 1, true);
}

// The white and black lists of a position criterion, "Ke1 e2 / Ke8 =8", with its move number
// condition when one is given.
inline SearchPosition Lists(const std::string& lists, const char* moveNumber = nullptr) {
    SearchPosition position;
    std::istringstream in(lists);
    std::size_t white = 0, black = 0;
    bool forBlack = false;
    for (std::string entry; in >> entry;) {
        if (entry == "/") {
            forBlack = true;
        } else {
            SetPositionEntry(forBlack ? position.black[black++] : position.white[white++], entry);
        }
    }
    if (moveNumber != nullptr) {
        position.moveNumber = {true, moveNumber};
    }
    return position;
}

// The count-condition and move-number queries every file is searched with.
inline std::vector<SearchPosition> ConditionQueries() {
    std::vector<SearchPosition> queries;
    for (const char* lists : {"=8 /", "Q=0 / Q=0", "<4 R>1 / <4", "R=1 / R*1", "N=0 B=0 / N*0 B*0 =5",
                              "<5 / *5", "Q>2 /", "Kg1 Rf1 / Kg8", "Qh7 /", "Ka8 /", "Xe4 /"}) {
        queries.push_back(Lists(lists));
    }
    queries.push_back(Lists("Kg1 / Kc8", "10-15"));
    queries.push_back(Lists("=8 / =8", ">=12"));
    queries.push_back(Lists("Ke1 e2 / Ke8 e7", ">25"));
    queries.push_back(Lists("e4 / e5", "=2"));
    return queries;
}

using MatchRow = std::tuple<int, int, int>;  // game, ply, outcome

inline std::vector<MatchRow> Rows(const SearchResult& result) {
    std::vector<MatchRow> rows;
    for (const SearchMatch& match : result.matches) {
        rows.emplace_back(match.game, match.ply, match.outcome);
    }
    return rows;
}

inline std::vector<MatchRow> Search(SearchFile& file, const SearchPosition& position, PositionSearchWay way) {
    SearchResult result;
    SearchPositionWith(file, position, way, result);
    return Rows(result);
}

}  // namespace ravelin::search::testing_support

#pragma once

// Positions taken from real games and the criteria that describe them, for the position search
// tests: every game of a fast file replayed, and lists naming a whole position or part of it.

#include <string>
#include <tuple>
#include <vector>

#include "search/fast_file_reader.h"
#include "search/fast_move.h"
#include "search/position_lists.h"
#include "search/position_search.h"
#include "search/search_criteria.h"
#include "search/search_result.h"

namespace ravelin::search::testing_support {

// Every position of every record of a fast move file.
inline std::vector<std::vector<FastBoard>> ReplayedGames(const std::string& movePath) {
    std::vector<std::vector<FastBoard>> games;
    FastMoveReader reader;
    if (!reader.Open(movePath)) {
        return games;
    }
    std::vector<FastMove> moves;
    FastMove resultWord = 0;
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

// The criteria board of a position: its pieces, and with exactCounts an '=' condition on every
// kind of both sides, so that only that position passes.
inline CriteriaBoard CriteriaOf(const FastBoard& board, bool exactCounts) {
    CriteriaBoard criteria;
    std::array<std::array<int, kCountKinds>, 2> counts{};
    for (int square = 0; square < chess::kSquareCount; ++square) {
        const int code = board[static_cast<std::size_t>(square)];
        criteria.squares[square / 8 + 1][square % 8 + 1] = code;
        const int kind = chess::KindOf(code);
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
    return criteria;
}

inline SearchPosition ExactPosition(const FastBoard& board) {
    SearchPosition position;
    BuildPositionLists(CriteriaOf(board, true), position);
    return position;
}

// Every step-th piece of the position (kings included), no counts.
inline SearchPosition SomePieces(const FastBoard& board, int step) {
    FastBoard part{};
    int seen = 0;
    for (int square = 0; square < chess::kSquareCount; ++square) {
        if (board[static_cast<std::size_t>(square)] != 0 && seen++ % step == 0) {
            part[static_cast<std::size_t>(square)] = board[static_cast<std::size_t>(square)];
        }
    }
    SearchPosition position;
    BuildPositionLists(CriteriaOf(part, false), position);
    return position;
}

inline SearchPosition Lists(std::initializer_list<const char*> white,
                            std::initializer_list<const char*> black, const char* moveNumber = nullptr) {
    SearchPosition position;
    std::size_t i = 0;
    for (const char* text : white) {
        SetPositionEntry(position.white[i++], text);
    }
    i = 0;
    for (const char* text : black) {
        SetPositionEntry(position.black[i++], text);
    }
    if (moveNumber != nullptr) {
        position.moveNumber.on = true;
        position.moveNumber.criterion = moveNumber;
    }
    return position;
}

// The count-condition and move-number queries every file is searched with.
inline std::vector<SearchPosition> ConditionQueries() {
    return {
        Lists({"=8"}, {}),
        Lists({"Q=0"}, {"Q=0"}),
        Lists({"<4", "R>1"}, {"<4"}),
        Lists({"R=1"}, {"R*1"}),
        Lists({"N=0", "B=0"}, {"N*0", "B*0", "=5"}),
        Lists({"<5"}, {"*5"}),
        Lists({"Q>2"}, {}),
        Lists({"Kg1", "Rf1"}, {"Kg8"}),
        Lists({"Kg1"}, {"Kc8"}, "10-15"),
        Lists({"=8"}, {"=8"}, ">=12"),
        Lists({"Ke1", "e2"}, {"Ke8", "e7"}, ">25"),
        Lists({"Qh7"}, {}),
        Lists({"Ka8"}, {}),
        Lists({"e4"}, {"e5"}, "=2"),
        Lists({"Xe4"}, {}),
    };
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

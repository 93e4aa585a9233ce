#pragma once

// The games a report or the game list reads: every game of a PGN file, or the games of the
// navigation list, with their tags from the fast header file when it is current and else from the
// PGN text.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gamefile/game_index.h"
#include "statistics/pgn_game_tags.h"

namespace ravelin::statistics {

struct ReportSource {
    std::string path;
    const gamefile::GameIndex* index = nullptr;
    int gameCount = 0;
    // The 1-based games of the navigation list; empty: every game of the file.
    std::vector<int> games;
    // Warnings ("Warning: You need to run 'Make Fast File' again.").
    std::function<void(std::string_view)> warn;

    bool WholeFile() const { return games.empty(); }
    // The games covered: the list's, or the file's (at most the index's count and 200,000).
    int Count() const;
    // The game number of the i-th game covered (0-based).
    int GameAt(int i) const;
    void Warn(std::string_view text) const {
        if (warn) {
            warn(text);
        }
    }
};

// Calls visit with each covered game's number and tags, in order. The fast header file is used for
// a whole file when the moves are not wanted; a stale one is reported and the PGN text read
// instead. False when the PGN file cannot be read.
bool ForEachGame(const ReportSource& source, bool wantMoves,
                 const std::function<void(int game, const GameTags& tags)>& visit);

}  // namespace ravelin::statistics

#pragma once

// Player scores over a set of games: wins, draws and losses by colour, a total score (in a
// knockout event the matches won), sorted by score, rating or name; the games for a cross table;
// and the score cache beside files of more than 1000 games.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "statistics/report_source.h"

namespace ravelin::statistics {

inline constexpr char kMaxPlayersExceeded[] = "Maximum number of players exceeded.";
inline constexpr char kKnockoutQuestion[] =
    "This looks like a knockout file. Do you want the knockout format?";
inline constexpr int kMaxPlayers = 32766;
inline constexpr std::size_t kPlayerScoreRecordSize = 76;
inline constexpr std::size_t kPlayerNameLength = 24;

struct PlayerScore {
    std::int32_t whiteWins = 0, blackWins = 0, whiteDraws = 0, blackDraws = 0, whiteLosses = 0,
                 blackLosses = 0;
    std::int32_t rating = 0;
    std::int32_t round = 0;
    std::int32_t opponent = -1;
    std::int32_t matchPoints = 0;
    std::int32_t lastColour = 0;  // 1 White, 2 Black in the latest game
    float score = 0;
    std::string name;  // at most 24 characters
};

// One game as the cross table shows it; players by their index in the table.
struct CrossTableGame {
    int white = 0;
    int black = 0;
    int result = 0;  // 2 White won, 1 draw, 0 Black won
    int round = 0;
};

enum class ScoreSortMode { kScore = 0, kRating = 1, kName = 2 };

struct ScoreOptions {
    bool exact = false;  // names are the same player only when equal ignoring case
    bool crossTable = false;
    ScoreSortMode sort = ScoreSortMode::kScore;
    // Asked once when the games look like a knockout event; true takes the knockout format.
    std::function<bool()> askKnockout;
    std::function<void(std::string_view)> message;
};

struct PlayerTable {
    std::vector<PlayerScore> players;
    std::vector<int> order;  // indices into players, sorted
    std::vector<CrossTableGame> games;
    int highestRound = 0;
    bool knockout = false;
    bool fromCache = false;
};

// How a Result counts: a win for White, a draw, a win for Black, or not played (an unfinished
// game "*" and anything else that is no result).
enum class GameOutcome { kWhiteWins, kDraw, kBlackWins, kNotPlayed };
GameOutcome OutcomeOf(std::string_view result);

// The letters of a name in lower case up to its first "(" (the ordinary name comparison).
std::string ReducedName(std::string_view name);

PlayerTable ComputePlayerScores(const ReportSource& source, const ScoreOptions& options);

// Sorts table.order by the mode.
void SortPlayers(PlayerTable& table, ScoreSortMode mode);

// The score cache: games.pgq (ordinary matching) or games.pgx (Exact).
std::string ScoreCachePath(const std::string& pgnPath, bool exact);
std::string EncodeScoreCache(const std::vector<PlayerScore>& players);
// The records of a cache of exactly 4 + 76 n bytes; false otherwise.
bool DecodeScoreCache(const std::string& contents, std::vector<PlayerScore>& players);

// The Player Scores list's rows, in table order.
std::string PlayerScoreRow(const PlayerScore& player);
// Name and number with a dotted leader between them.
std::string DottedLeader(std::string text);

// The name the Select Player dialog is opened with for a chosen player: cut before its first digit
// and trailing blanks, and with ordinary matching shortened to the surname.
std::string PlayerSearchName(std::string_view name, bool exact);

}  // namespace ravelin::statistics

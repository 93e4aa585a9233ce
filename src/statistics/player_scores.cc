#include "statistics/player_scores.h"

#include <strings.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "statistics/cache_file.h"
#include "statistics/player_lookup.h"

namespace ravelin::statistics {

namespace {

int NumberOf(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

bool NameLess(const PlayerScore& a, const PlayerScore& b) {
    return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
}

template <typename... Values>
std::string Formatted(const char* format, Values... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// The scan of one report: the table, the lookup and the knockout bookkeeping.
class ScoreScan {
  public:
    ScoreScan(const ScoreOptions& options, PlayerTable& table)
        : options_(options), table_(table), lookup_(options.exact) {}

    // False when the scan must stop here.
    bool Game(const GameTags& tags);
    void Finish();

  private:
    int Create(const std::string& name, int rating, int round);
    void Count(PlayerScore& player, bool white, GameOutcome outcome);
    void KnockoutTest(const PlayerScore& known, int round);
    void Settle();

    const ScoreOptions& options_;
    PlayerTable& table_;
    PlayerLookup lookup_;
    bool testPending_ = true;
    int previousRound_ = -1;
};

int ScoreScan::Create(const std::string& name, int rating, int round) {
    PlayerScore player;
    player.name = name.substr(0, kPlayerNameLength);
    player.rating = rating;
    player.round = round;
    table_.players.push_back(std::move(player));
    const int index = static_cast<int>(table_.players.size()) - 1;
    lookup_.Add(name, index);
    return index;
}

void ScoreScan::Count(PlayerScore& player, bool white, GameOutcome outcome) {
    player.lastColour = white ? 1 : 2;
    if (outcome == GameOutcome::kNotPlayed) {
        return;
    }
    if (outcome == GameOutcome::kDraw) {
        ++(white ? player.whiteDraws : player.blackDraws);
        player.matchPoints += 1;
    } else if ((outcome == GameOutcome::kWhiteWins) == white) {
        ++(white ? player.whiteWins : player.blackWins);
        player.matchPoints += 2;
    } else {
        ++(white ? player.whiteLosses : player.blackLosses);
    }
}

void ScoreScan::KnockoutTest(const PlayerScore& known, int round) {
    if (!testPending_) {
        return;
    }
    testPending_ = false;
    if (known.round == round && options_.askKnockout && options_.askKnockout()) {
        table_.knockout = true;
        table_.games.clear();  // the games so far are scored as matches from here on
    }
}

void ScoreScan::Settle() {
    std::vector<PlayerScore>& players = table_.players;
    for (std::size_t i = 0; i < players.size(); ++i) {
        PlayerScore& a = players[i];
        if (a.opponent < 0 || static_cast<std::size_t>(a.opponent) >= players.size() ||
            static_cast<std::size_t>(a.opponent) == i) {
            a.opponent = -1;
            continue;
        }
        PlayerScore& b = players[static_cast<std::size_t>(a.opponent)];
        if (a.matchPoints > 0 || b.matchPoints > 0) {
            const bool aWins =
                a.matchPoints != b.matchPoints ? a.matchPoints > b.matchPoints : a.lastColour == 2;
            (aWins ? a : b).score += 1.0f;
            if (options_.crossTable) {
                const bool aWhite = a.lastColour == 1;
                const int white = aWhite ? static_cast<int>(i) : a.opponent;
                const int black = aWhite ? a.opponent : static_cast<int>(i);
                table_.games.push_back(
                    {white, black, aWins == aWhite ? 2 : 0, players[static_cast<std::size_t>(white)].round});
            }
        }
        a.matchPoints = b.matchPoints = 0;
        b.opponent = -1;
        a.opponent = -1;
    }
}

bool ScoreScan::Game(const GameTags& tags) {
    const int round = NumberOf(tags.round);
    if (options_.crossTable && round == 0) {
        table_.highestRound = 0;
        return false;
    }
    if (round == 0) {
        testPending_ = false;
    }
    if (table_.knockout && previousRound_ >= 0 && round != previousRound_) {
        Settle();
    }
    previousRound_ = round;
    const GameOutcome outcome = OutcomeOf(tags.result.substr(0, 7));

    const std::string whiteName = tags.white.substr(0, kPlayerNameLength);
    const std::string blackName = tags.black.substr(0, kPlayerNameLength);
    int white = lookup_.Find(whiteName);
    const bool whiteNew = white < 0;
    if (whiteNew) {
        if (static_cast<int>(table_.players.size()) >= kMaxPlayers) {
            return false;
        }
        white = Create(whiteName, NumberOf(tags.whiteElo), round);
    } else {
        KnockoutTest(table_.players[static_cast<std::size_t>(white)], round);
    }
    int black = lookup_.Find(blackName);
    const bool blackNew = black < 0;
    if (blackNew) {
        if (static_cast<int>(table_.players.size()) >= kMaxPlayers) {
            return false;
        }
        black = Create(blackName, NumberOf(tags.blackElo), round);
    } else {
        KnockoutTest(table_.players[static_cast<std::size_t>(black)], round);
    }
    PlayerScore& w = table_.players[static_cast<std::size_t>(white)];
    PlayerScore& b = table_.players[static_cast<std::size_t>(black)];
    // A new player's opponent is the other player; in a knockout event a known player without an
    // opponent gets this one.
    if (whiteNew || (table_.knockout && w.opponent < 0)) {
        w.opponent = black;
    }
    if (blackNew || (table_.knockout && b.opponent < 0)) {
        b.opponent = white;
    }
    if (table_.knockout) {
        w.round = round;
        b.round = round;
    }
    Count(w, true, outcome);
    Count(b, false, outcome);
    if (options_.crossTable && !table_.knockout && outcome != GameOutcome::kNotPlayed) {
        const int result = outcome == GameOutcome::kWhiteWins ? 2 : outcome == GameOutcome::kDraw ? 1 : 0;
        table_.games.push_back({white, black, result, round});
    }
    table_.highestRound = std::max(table_.highestRound, round);
    return true;
}

void ScoreScan::Finish() {
    if (table_.knockout) {
        Settle();
        return;
    }
    for (PlayerScore& player : table_.players) {
        player.score = static_cast<float>(player.whiteWins + player.blackWins) +
                       0.5f * static_cast<float>(player.whiteDraws + player.blackDraws);
    }
}

void PutNumber(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

std::uint32_t GetNumber(const char* data) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(data[i]);
    }
    return value;
}

}  // namespace

GameOutcome OutcomeOf(std::string_view result) {
    if (result == "1-0") {
        return GameOutcome::kWhiteWins;
    }
    if (result == "0-1") {
        return GameOutcome::kBlackWins;
    }
    if (result.size() > 1 && result[1] == '/') {
        return GameOutcome::kDraw;
    }
    return GameOutcome::kNotPlayed;
}

std::string ReducedName(std::string_view name) {
    std::string reduced;
    for (const char c : name) {
        if (c == '(') {
            break;
        }
        if (c >= 'A' && c <= 'Z') {
            reduced.push_back(static_cast<char>(c + 32));
        } else if (c >= 'a' && c <= 'z') {
            reduced.push_back(c);
        }
    }
    return reduced;
}

void SortPlayers(PlayerTable& table, ScoreSortMode mode) {
    const std::vector<PlayerScore>& players = table.players;
    table.order.resize(players.size());
    for (std::size_t i = 0; i < players.size(); ++i) {
        table.order[i] = static_cast<int>(i);
    }
    auto at = [&players](int i) -> const PlayerScore& { return players[static_cast<std::size_t>(i)]; };
    std::stable_sort(table.order.begin(), table.order.end(), [&](int x, int y) {
        const PlayerScore& a = at(x);
        const PlayerScore& b = at(y);
        if (mode == ScoreSortMode::kScore && a.score != b.score) {
            return a.score > b.score;
        }
        if (mode == ScoreSortMode::kRating && a.rating != b.rating) {
            return a.rating > b.rating;
        }
        return NameLess(a, b);
    });
}

std::string ScoreCachePath(const std::string& pgnPath, bool exact) {
    return CachePathOf(pgnPath, exact ? 'x' : 'q');
}

std::string EncodeScoreCache(const std::vector<PlayerScore>& players) {
    std::string out;
    out.reserve(4 + players.size() * kPlayerScoreRecordSize);
    PutNumber(out, static_cast<std::uint32_t>(players.size()));
    for (const PlayerScore& p : players) {
        for (const std::int32_t value :
             {p.whiteWins, p.blackWins, p.whiteDraws, p.blackDraws, p.whiteLosses, p.blackLosses, p.rating,
              p.round, p.opponent, p.matchPoints, p.lastColour}) {
            PutNumber(out, static_cast<std::uint32_t>(value));
        }
        std::uint32_t bits = 0;
        std::memcpy(&bits, &p.score, sizeof bits);
        PutNumber(out, bits);
        char name[28] = {};
        std::memcpy(name, p.name.data(), std::min(p.name.size(), kPlayerNameLength));
        out.append(name, sizeof name);
    }
    return out;
}

bool DecodeScoreCache(const std::string& contents, std::vector<PlayerScore>& players) {
    if (contents.size() < 4) {
        return false;
    }
    const std::uint32_t count = GetNumber(contents.data());
    if (count > static_cast<std::uint32_t>(kMaxPlayers) ||
        contents.size() != 4 + count * kPlayerScoreRecordSize) {
        return false;
    }
    players.assign(count, PlayerScore{});
    const char* record = contents.data() + 4;
    for (PlayerScore& p : players) {
        std::int32_t* fields[] = {&p.whiteWins,   &p.blackWins,   &p.whiteDraws, &p.blackDraws,
                                  &p.whiteLosses, &p.blackLosses, &p.rating,     &p.round,
                                  &p.opponent,    &p.matchPoints, &p.lastColour};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            *fields[i] = static_cast<std::int32_t>(GetNumber(record + 4 * i));
        }
        const std::uint32_t bits = GetNumber(record + 44);
        std::memcpy(&p.score, &bits, sizeof bits);
        p.name.assign(record + 48, strnlen(record + 48, kPlayerNameLength));
        record += kPlayerScoreRecordSize;
    }
    return true;
}

PlayerTable ComputePlayerScores(const ReportSource& source, const ScoreOptions& options) {
    PlayerTable table;
    const bool cacheWanted = source.WholeFile() && source.Count() > 1000 && !options.crossTable;
    const std::string cachePath = ScoreCachePath(source.path, options.exact);
    if (cacheWanted) {
        const auto contents = ReadTrustedCache(cachePath, source.path, [&table](const std::string& data) {
            return DecodeScoreCache(data, table.players);
        });
        if (contents) {
            table.fromCache = true;
            SortPlayers(table, options.sort);
            return table;
        }
        table.players.clear();
    }
    ScoreScan scan(options, table);
    bool stopped = false;
    bool tooMany = false;
    ForEachGame(source, false, [&](int, const GameTags& tags) {
        if (stopped) {
            return;
        }
        if (!scan.Game(tags)) {
            stopped = true;
            tooMany = static_cast<int>(table.players.size()) >= kMaxPlayers;
        }
    });
    if (tooMany && options.message) {
        options.message(kMaxPlayersExceeded);
    }
    if (stopped && options.crossTable && table.highestRound == 0 && !tooMany) {
        return table;  // a game without a round: the cross table says so
    }
    scan.Finish();
    SortPlayers(table, options.sort);
    if (cacheWanted && !tooMany) {
        WriteCache(cachePath, EncodeScoreCache(table.players));
    }
    return table;
}

std::string DottedLeader(std::string text) {
    if (text.size() < 6) {
        return text;
    }
    std::size_t i = text.size() - 6;
    while (i > 0 && text[i] >= '0' && text[i] <= '9') {
        --i;
    }
    while (text[i] == ' ') {
        text[i] = '.';
        if (i == 0) {
            break;
        }
        --i;
    }
    return text;
}

std::string PlayerScoreRow(const PlayerScore& p) {
    std::string leader;
    if (p.score >= 100) {
        leader = Formatted("%-26s %7.1f", p.name.c_str(), static_cast<double>(p.score));
    } else if (p.rating != 0) {
        leader = Formatted("%-24s %4d %4.1f", p.name.c_str(), p.rating, static_cast<double>(p.score));
    } else {
        leader = Formatted("%-29s %4.1f", p.name.c_str(), static_cast<double>(p.score));
    }
    return Formatted("%-34s  w+%-2d   b+%-2d   w=%-2d   b=%-2d   w-%-2d   b-%-2d",
                     DottedLeader(leader).c_str(), p.whiteWins, p.blackWins, p.whiteDraws, p.blackDraws,
                     p.whiteLosses, p.blackLosses);
}

std::string PlayerSearchName(std::string_view name, bool exact) {
    std::string text(name.substr(0, name.find_first_of("0123456789")));
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    if (exact) {
        return text;
    }
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos) {
        return text.substr(0, comma);
    }
    // The space before a one-letter word (an initial) followed by a space or ".".
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        if (text[i] == ' ' && text[i + 1] != ' ' && (text[i + 2] == ' ' || text[i + 2] == '.')) {
            return text.substr(0, i);
        }
    }
    const std::size_t space = text.rfind(' ');
    return space == std::string::npos ? text : text.substr(0, space);
}

}  // namespace ravelin::statistics

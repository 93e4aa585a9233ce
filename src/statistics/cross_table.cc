#include "statistics/cross_table.h"

#include <cstdio>

namespace ravelin::statistics {

namespace {

constexpr int kRoundWidth = 8;
constexpr int kWideWithRatings = 12;
constexpr int kWideWithoutRatings = 13;

template <typename... Values>
std::string Formatted(const char* format, Values... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string TrailingDots(std::string text) {
    for (std::size_t i = text.size(); i > 0 && text[i - 1] == ' '; --i) {
        text[i - 1] = '.';
    }
    return text;
}

std::string PlayerText(int line, const PlayerScore& player, bool ratings) {
    if (!ratings) {
        return TrailingDots(Formatted("%3d. %-22s", line, player.name.substr(0, 22).c_str()));
    }
    if (player.rating == 0) {
        return TrailingDots(Formatted("%3d. %-30s", line, player.name.c_str()));
    }
    return DottedLeader(Formatted("%3d. %-25s %4d", line, player.name.c_str(), player.rating));
}

}  // namespace

CrossTableText MakeCrossTable(const PlayerTable& table) {
    CrossTableText out;
    if (table.highestRound == 0) {
        out.error = kNoRoundInformation;
        return out;
    }
    if (table.order.size() > static_cast<std::size_t>(kMaxCrossTablePlayers)) {
        out.error = kTooManyPlayers;
        return out;
    }
    bool ratings = false;
    for (const PlayerScore& player : table.players) {
        ratings = ratings || player.rating != 0;
    }
    // The line number of each player.
    std::vector<int> lineOf(table.players.size(), 0);
    for (std::size_t line = 0; line < table.order.size(); ++line) {
        lineOf[static_cast<std::size_t>(table.order[line])] = static_cast<int>(line) + 1;
    }
    const int rounds = table.highestRound;
    const bool wide = rounds > (ratings ? kWideWithRatings : kWideWithoutRatings);

    std::string& text = out.text;
    text.append(ratings ? 36 : 28, ' ');
    for (int r = 1; r <= rounds; ++r) {
        text += r <= 9 ? Formatted("  Rnd %d ", r) : Formatted(" Rnd %d ", r);
    }
    text += "  Score\n";
    for (std::size_t line = 0; line < table.order.size(); ++line) {
        const int index = table.order[line];
        const std::string player =
            PlayerText(static_cast<int>(line) + 1, table.players[static_cast<std::size_t>(index)], ratings);
        text += player;
        int column = 1;
        double score = 0;
        for (const CrossTableGame& game : table.games) {
            const bool white = game.white == index;
            if (!white && game.black != index) {
                continue;
            }
            if (game.round > column) {
                text.append(static_cast<std::size_t>(kRoundWidth * (game.round - column)), ' ');
                column = game.round;
            }
            const int opponent = lineOf[static_cast<std::size_t>(white ? game.black : game.white)];
            const int own = white ? game.result : 2 - game.result;
            const char mark = own == 2 ? '+' : own == 1 ? '=' : '-';
            score += own / 2.0;
            text += Formatted("   %3d%c%c", opponent, white ? 'w' : 'b', mark);
            ++column;
        }
        for (; column <= rounds; ++column) {
            text.append(kRoundWidth, ' ');
        }
        text += Formatted("   %4.1f ", score);
        if (wide) {
            text += " " + player;
        }
        text += "\n";
    }
    return out;
}

}  // namespace ravelin::statistics

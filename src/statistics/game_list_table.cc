#include "statistics/game_list_table.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "eco/eco_family.h"

namespace ravelin::statistics {

namespace {

std::int32_t RatingOf(const std::string& text) {
    return static_cast<std::int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

bool EcoMissing(std::string_view eco) {
    return eco.empty() || eco[0] < 'A';
}

std::string Formatted(const char* format, auto... values) {
    char text[512];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// "%-16s %d" of the name's first 16 characters and the rating, or the name alone.
std::string WithRating(std::string_view name, std::int32_t rating) {
    if (rating == 0) {
        return std::string(name);
    }
    const std::string first(name.substr(0, 16));
    return Formatted("%-16s %d", first.c_str(), rating);
}

std::string NumberField(int gameNumber) {
    return gameNumber > 9999 ? Formatted("%5d ", gameNumber) : Formatted("%4d  ", gameNumber);
}

}  // namespace

std::string GameListCachePath(const std::string& pgnPath) {
    return CachePathOf(pgnPath, 's');
}

GameListEntry MakeGameListEntry(const GameTags& tags, std::string_view guessedEco) {
    GameListEntry entry;
    entry.SetText(kEntryWhite, tags.white);
    entry.SetText(kEntryBlack, tags.black);
    entry.SetText(kEntryResult, tags.result);
    entry.SetText(kEntryDate, tags.date);
    entry.SetText(kEntryEco, EcoMissing(tags.eco) ? guessedEco : std::string_view(tags.eco));
    entry.SetNumber(kEntryWhiteEloOffset, RatingOf(tags.whiteElo));
    entry.SetNumber(kEntryBlackEloOffset, RatingOf(tags.blackElo));
    entry.SetText(kEntryRound, ListRound(tags.round));
    const bool noEvent = tags.event.empty() || tags.event == "?";
    entry.SetText(kEntryEvent, noEvent ? tags.site : tags.event);
    return entry;
}

std::string GuessEco(const GameTags& gameWithMoves, const eco::EcoTable& table,
                     const MainOpenings& openings) {
    if (gameWithMoves.hasFen) {
        return {};
    }
    const int item = openings.Find(ReadOpeningMoves(gameWithMoves.firstMoves));
    if (item < 0) {
        return {};
    }
    return std::string(eco::EcoCode(table, openings.Items()[static_cast<std::size_t>(item)].entry));
}

GameListTable BuildGameListTable(const ReportSource& source, const eco::EcoTable& table,
                                 const MainOpenings& openings) {
    ReportSource wholeFile = source;
    wholeFile.games.clear();
    const int count = wholeFile.Count();
    const std::size_t bytes = static_cast<std::size_t>(count) * kGameListEntrySize;
    const bool cached = count > kGameListCacheThreshold;
    const std::string cachePath = GameListCachePath(source.path);

    GameListTable result;
    if (cached) {
        const auto contents = ReadTrustedCache(
            cachePath, source.path, [bytes](const std::string& data) { return data.size() == bytes; });
        if (contents) {
            result.entries.resize(static_cast<std::size_t>(count));
            std::memcpy(result.entries.data(), contents->data(), bytes);
            result.fromCache = true;
            return result;
        }
    }

    result.entries.resize(static_cast<std::size_t>(count));
    PgnGameTagReader movesReader(source.path, *source.index);
    GameTags withMoves;
    int filled = 0;
    const bool read = ForEachGame(wholeFile, false, [&](int game, const GameTags& tags) {
        std::string guess;
        if (EcoMissing(tags.eco) && movesReader.Read(game, true, withMoves)) {
            guess = GuessEco(withMoves, table, openings);
        }
        result.entries[static_cast<std::size_t>(game - 1)] = MakeGameListEntry(tags, guess);
        ++filled;
    });
    if (read && cached && filled == count) {
        std::string contents(reinterpret_cast<const char*>(result.entries.data()), bytes);
        result.cacheWritten = WriteCache(cachePath, contents);
    }
    return result;
}

std::string GameListRow(const GameListEntry& entry, int gameNumber, int format) {
    const std::string number = NumberField(gameNumber);
    const std::string white(entry.White());
    const std::string black(entry.Black());
    const std::string result3(entry.Result().substr(0, 3));
    const std::string round(entry.Round());
    switch (format) {
        case 1: {
            const std::string family(
                eco::EcoFamilyNames()[static_cast<std::size_t>(eco::EcoFamilyIndex(entry.Eco()))]);
            return number + Formatted("%-21s  %-21s  %-3s  %2s  %-17s",
                                      WithRating(white, entry.WhiteElo()).c_str(),
                                      WithRating(black, entry.BlackElo()).c_str(), result3.c_str(),
                                      round.c_str(), family.c_str());
        }
        case 2:
            return number + Formatted("%-19s  %-19s   %-3s  %2s   %-19s", white.c_str(), black.c_str(),
                                      result3.c_str(), round.c_str(), std::string(entry.Event()).c_str());
        default:
            return number + Formatted("%-19s  %-19s  %-7s   %-10s   %-7s", white.c_str(), black.c_str(),
                                      std::string(entry.Result()).c_str(), std::string(entry.Date()).c_str(),
                                      std::string(entry.Eco()).c_str());
    }
}

std::vector<std::string> EcoSourceRows(const ReportSource& source) {
    std::vector<std::string> rows;
    PgnGameTagReader reader(source.path, *source.index);
    GameTags tags;
    for (int i = 0; i < source.Count(); ++i) {
        const int game = source.GameAt(i);
        if (!reader.Read(game, false, tags)) {
            continue;
        }
        rows.push_back(tags.variation.empty()
                           ? Formatted("%4d %s %s", game, tags.eco.c_str(), tags.opening.c_str())
                           : Formatted("%4d %s %s-%s", game, tags.eco.c_str(), tags.opening.c_str(),
                                       tags.variation.c_str()));
    }
    return rows;
}

}  // namespace ravelin::statistics

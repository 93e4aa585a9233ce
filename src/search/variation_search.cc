#include "search/variation_search.h"

#include <memory>

#include "chess/chess_context.h"
#include "search/fast_file_reader.h"
#include "search/searches.h"
#include "search/variation_force_match.h"
#include "search/variation_sources.h"

namespace ravelin::search {

namespace {

// Tests every game a source gives; false when a cancel request ended the pass.
template <typename Games>
bool RunPass(Games& games, const VariationMatcher& matcher, const SearchFile& file, SearchResult& result) {
    GameMoves game;
    for (;;) {
        if (file.Cancelled()) {
            return false;
        }
        if (!games.Next(game)) {
            return true;
        }
        if (matcher.Matches(game.plyWords, game.plies)) {
            result.Add(game.game, OutcomeOfResultWord(game.resultWord));
        }
    }
}

// Runs the passes: one, or those of "Force Match"; each starts from an empty result.
template <typename RunOnePass>
void RunPasses(const VariationWords& words, const VariationOptions& options, SearchResult& result,
               RunOnePass&& runOnePass) {
    ForceMatchSearch lengths(words.whiteCount, words.blackCount);
    for (;;) {
        result.Clear();
        const VariationMatcher matcher(words, lengths.WhiteMoves(), lengths.BlackMoves(),
                                       options.exactVariation);
        const bool completed = runOnePass(matcher);
        // A cancelled pass ends the search with what it found.
        if (!completed || !options.forceMatch || !lengths.Next(result.Count() > 0)) {
            result.pliesMatched = lengths.PliesMatched();
            return;
        }
    }
}

}  // namespace

int SearchVariationReporting(SearchFile& file, const SearchCriteria& criteria, SearchResult& result,
                             VariationPath& path) {
    result.Clear();
    VariationWords words;
    {
        const std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
        DeriveVariationWords(criteria.variation, *context, words);
    }
    FastFileGames fast;
    if (fast.Open(file.path, file.gameCount)) {
        path = VariationPath::kFastFile;
        bool firstPass = true;
        RunPasses(words, criteria.options, result, [&](const VariationMatcher& matcher) {
            if (!firstPass && !fast.Open(file.path, file.gameCount)) {
                return false;
            }
            const bool completed = RunPass(fast, matcher, file, result);
            // The records are used even when they do not fit the file; the user is told once.
            if (firstPass && completed && fast.Stale() && !file.backgroundRunning) {
                file.Message(kRunMakeFastFileAgain);
            }
            firstPass = false;
            return completed;
        });
        return result.Count();
    }
    if (fast.noMemory) {
        file.Message(kFastFileNotEnoughMemory);
    }
    path = VariationPath::kPgnText;
    PgnGames pgn(file, criteria.options.forceMatch);
    RunPasses(words, criteria.options, result, [&](const VariationMatcher& matcher) {
        pgn.Rewind();
        return RunPass(pgn, matcher, file, result);
    });
    return result.Count();
}

int SearchVariationAlone(SearchFile& file, const SearchCriteria& criteria, SearchResult& result) {
    VariationPath path = VariationPath::kFastFile;
    return SearchVariationReporting(file, criteria, result, path);
}

}  // namespace ravelin::search

#include "utilities/fast_duplicates.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"

namespace ravelin::utilities {

namespace {

bool SameRecords(const MoveRecords& records, int a, int b) {
    const int pa = records.plies[static_cast<std::size_t>(a)];
    const int pb = records.plies[static_cast<std::size_t>(b)];
    const int compared = std::min(pa, pb);
    if (compared == 0) {
        // A game without moves matches only another without moves.
        return pa == pb;
    }
    return std::memcmp(records.words.data() + records.starts[static_cast<std::size_t>(a)],
                       records.words.data() + records.starts[static_cast<std::size_t>(b)],
                       static_cast<std::size_t>(compared) * 2) == 0;
}

}  // namespace

const char* ReadFastMoveRecords(const std::string& pgnPath, int gameCount, MoveRecords& records) {
    if (!search::FastFileIsCurrent(pgnPath, gameCount)) {
        return search::kRunMakeFastFileAgain;
    }
    search::FastMoveReader reader;
    if (!reader.Open(search::FastMoveFilePath(pgnPath))) {
        return reader.noMemory ? search::kFastFileNotEnoughMemory : search::kRunMakeFastFileAgain;
    }
    reader.gameLimit = gameCount;
    const std::uint8_t* words = nullptr;
    int count = 0;
    search::FastMove resultWord = 0;
    for (;;) {
        const search::FastMoveReader::Step step = reader.NextInPlace(words, count, resultWord);
        if (step == search::FastMoveReader::Step::kStale) {
            return search::kRunMakeFastFileAgain;
        }
        if (step == search::FastMoveReader::Step::kEnd) {
            break;
        }
        records.starts.push_back(static_cast<std::uint32_t>(records.words.size()));
        records.plies.push_back(count);
        records.words.append(reinterpret_cast<const char*>(words), static_cast<std::size_t>(count) * 2);
    }
    return records.Count() == gameCount ? nullptr : search::kRunMakeFastFileAgain;
}

DuplicateResult FindDuplicateRecords(const MoveRecords& records, const DuplicateSettings& settings,
                                     const UtilityProgress& progress) {
    DuplicateResult result;
    std::vector<bool> marked(static_cast<std::size_t>(records.Count()) + 1, false);
    const int count = records.Count();
    const int lookAhead = settings.entireFile ? count : std::max(settings.lookAhead, 1);
    const int maxPlyDifference = 2 * settings.maxMoveDifference;
    bool more = true;
    for (int i = 0; i < count && more; ++i) {
        // The look-ahead stops at the last game.
        const int end = static_cast<int>(std::min<long long>(static_cast<long long>(i) + lookAhead, count));
        for (int j = i + 1; j < end && more; ++j) {
            const int pi = records.plies[static_cast<std::size_t>(i)];
            const int pj = records.plies[static_cast<std::size_t>(j)];
            if (std::abs(pi - pj) > maxPlyDifference || !SameRecords(records, i, j)) {
                continue;
            }
            if (static_cast<int>(result.marked.size()) >= kMaxDuplicates) {
                result.limitReached = true;
                more = false;
                break;
            }
            result.pairs.push_back({i + 1, j + 1});
            const int toDelete = pj < pi ? j + 1 : pi < pj ? i + 1 : j + 1;
            if (!marked[static_cast<std::size_t>(toDelete)]) {
                marked[static_cast<std::size_t>(toDelete)] = true;
                result.marked.push_back(toDelete);
            }
        }
        if (progress && ((i + 1) % 100 == 0 || i + 1 == count) &&
            !progress(i + 1, static_cast<int>(result.pairs.size()))) {
            result.cancelled = true;
            break;
        }
    }
    return result;
}

}  // namespace ravelin::utilities

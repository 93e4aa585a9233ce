#include "gamefile/progress_text.h"

#include <algorithm>
#include <cstdio>

namespace ravelin::gamefile {

namespace {

using gamefile::BackgroundKind;

constexpr double kPercent = 100.0;
constexpr int kShortDuplicatesFrom = 100000;
constexpr int kShortDuplicatesFound = 1000;
constexpr double kNormalStep = 0.05;
constexpr double kStepFrom20000 = 0.025;
constexpr double kStepFrom30000 = 0.02;
constexpr double kFinestStep = 0.01;
constexpr int kTotal20000 = 20000;
constexpr int kTotal30000 = 30000;
constexpr int kTotal40000 = 40000;
constexpr std::size_t kLineSize = 512;
// Counters are whole numbers: a fraction that grew by exactly a step must not miss it by rounding.
constexpr double kStepTolerance = 1e-9;

double PercentOf(const ProgressCounters& c) {
    return c.total > 0 ? static_cast<double>(c.current) / c.total * kPercent : 0.0;
}

// The name of what was found, singular or plural, for the kind.
const char* FoundWord(BackgroundKind kind, ProgressVariant variant, const ProgressCounters& c) {
    const bool one = c.found == 1;
    if (kind == BackgroundKind::kCheckFile) {
        if (variant == ProgressVariant::kDeleteFenGames) {
            return one ? "FEN" : "FEN's";
        }
        return one ? "error" : "errors";
    }
    if (one) {
        return "duplicate";
    }
    const bool shortened = c.total >= kShortDuplicatesFrom && c.current >= kShortDuplicatesFrom &&
                           c.found >= kShortDuplicatesFound;
    return shortened ? "dups" : "duplicates";
}

}  // namespace

std::string ProgressCounterText(BackgroundKind kind, ProgressVariant variant, const ProgressCounters& c,
                                std::string_view fileName) {
    char line[kLineSize];
    if (kind == BackgroundKind::kDirectorySearch) {
        if (c.total == 0) {
            return "Searching first file...";
        }
        std::snprintf(line, sizeof line, "File:  %d of %d  %.0f%%  %.*s", c.current, c.total, PercentOf(c),
                      static_cast<int>(fileName.size()), fileName.data());
        return line;
    }
    if (kind == BackgroundKind::kSplitFile && c.total == 0) {
        return "Calculating number of games...";
    }
    if (c.found == 0) {
        std::snprintf(line, sizeof line, "Game:  %d of %d    %.0f%% complete", c.current, c.total,
                      PercentOf(c));
    } else {
        std::snprintf(line, sizeof line, "Game:  %d of %d  %.0f%%  %d %s", c.current, c.total, PercentOf(c),
                      c.found, FoundWord(kind, variant, c));
    }
    return line;
}

double ProgressBarStep(int total, ProgressVariant variant) {
    if (total >= kTotal40000 || variant == ProgressVariant::kWholeFileDuplicates) {
        return kFinestStep;
    }
    if (total >= kTotal30000) {
        return kStepFrom30000;
    }
    if (total >= kTotal20000) {
        return kStepFrom20000;
    }
    return kNormalStep;
}

double ProgressBar::Advance(const ProgressCounters& c, ProgressVariant variant) {
    const double fraction =
        c.total > 0 ? std::clamp(static_cast<double>(c.current) / c.total, 0.0, 1.0) : 0.0;
    if (fraction - drawn_ + kStepTolerance < ProgressBarStep(c.total, variant)) {
        return -1.0;
    }
    drawn_ = fraction;
    return fraction;
}

}  // namespace ravelin::gamefile

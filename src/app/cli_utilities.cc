#include "app/cli_utilities.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

#include "gamefile/progress_text.h"
#include "utilities/adjust_file.h"
#include "utilities/check_file.h"
#include "utilities/duplicates.h"
#include "utilities/fast_duplicates.h"
#include "utilities/pgn_text.h"
#include "utilities/plain_rewrites.h"
#include "utilities/split_file.h"

namespace ravelin::app {

namespace {

constexpr std::string_view kCommands[] = {"adjust", "check", "dedupe", "fen-games",
                                          "split",  "trim",  "sort",   "strip"};

struct UtilityRun {
    std::ostream& out;
    std::ostream& err;
    std::string path;
    bool dryRun = false;
    bool deleteBad = false;  // check: delete the bad games
    utilities::DuplicateSettings duplicates;
};

// The counter line of the window's progress window, redrawn in place on a terminal.
utilities::UtilityProgress TerminalProgress(gamefile::BackgroundKind kind, gamefile::ProgressVariant variant,
                                            int total) {
    if (isatty(STDERR_FILENO) == 0) {
        return {};
    }
    return [=](int current, int found) {
        const std::string line =
            gamefile::ProgressCounterText(kind, variant, gamefile::ProgressCounters{current, found, total});
        std::fprintf(stderr, "\r%-60s%s", line.c_str(), current == total ? "\n" : "");
        return true;
    };
}

int Fail(const UtilityRun& run, const char* message) {
    run.err << message << "\n";
    return 1;
}

// Puts the rewrite in place unless this is a dry run, and prints the count line.
int Finish(const UtilityRun& run, const utilities::RewriteResult& result, std::string_view what) {
    run.out << what << ": " << result.changed << (run.dryRun ? " (dry run, file unchanged)" : "") << "\n";
    if (!run.dryRun && result.changed > 0) {
        if (const char* error = utilities::ReplacePgnFile(run.path, result.contents)) {
            return Fail(run, error);
        }
    }
    return 0;
}

int RunCheck(const UtilityRun& run, const utilities::PgnText& text) {
    const utilities::CheckMode mode =
        run.deleteBad ? utilities::CheckMode::kDeleteBadGames : utilities::CheckMode::kCheckOnly;
    const utilities::CheckResult result =
        utilities::CheckFile(text, mode,
                             TerminalProgress(gamefile::BackgroundKind::kCheckFile,
                                              gamefile::ProgressVariant::kPlain, text.Count()));
    for (const utilities::CheckError& error : result.errors) {
        run.out << error.game << ": " << error.message << "\n";
    }
    if (result.found == 0) {
        run.out << utilities::kNoErrorsFound << "\n";
        return 0;
    }
    if (run.deleteBad) {
        utilities::RewriteResult rewrite{result.contents, result.found, false};
        if (Finish(run, rewrite, "Bad games deleted") != 0) {
            return 1;
        }
    }
    return 1;
}

// Through the fast file when it is current, else from the movetext.
utilities::DuplicateResult FindFileDuplicates(const UtilityRun& run, const utilities::PgnText& text) {
    const utilities::UtilityProgress progress =
        TerminalProgress(gamefile::BackgroundKind::kDuplicateGames,
                         run.duplicates.entireFile ? gamefile::ProgressVariant::kWholeFileDuplicates
                                                   : gamefile::ProgressVariant::kPlain,
                         text.Count());
    utilities::MoveRecords records;
    if (utilities::ReadFastMoveRecords(text.path, text.Count(), records) == nullptr) {
        return utilities::FindDuplicateRecords(records, run.duplicates, progress);
    }
    return utilities::FindDuplicates(utilities::ReadGameLines(text, {}), run.duplicates, 0, progress);
}

int RunDedupe(const UtilityRun& run, const utilities::PgnText& text) {
    const utilities::DuplicateResult result = FindFileDuplicates(run, text);
    if (result.limitReached) {
        run.err << utilities::kMaximumDuplicatesWarning << "\n";
    }
    if (result.pairs.empty()) {
        run.out << utilities::kNoDuplicateGames << "\n";
        return 0;
    }
    for (const utilities::DuplicatePair& pair : result.pairs) {
        run.out << pair.first << " = " << pair.second << "\n";
    }
    const utilities::RewriteResult rewrite{utilities::DeleteDuplicates(text, result.marked),
                                           static_cast<int>(result.marked.size()), false};
    return Finish(run, rewrite, "Duplicate games deleted");
}

// Comments and variations are stripped without asking: the command was asked for.
int RunAdjust(const UtilityRun& run, const utilities::PgnText& text) {
    const utilities::AdjustResult result = utilities::AdjustFile(
        text, [] { return true; },
        TerminalProgress(gamefile::BackgroundKind::kAdjustFile, gamefile::ProgressVariant::kPlain,
                         text.Count()));
    for (int game : result.keptAsTheyWere) {
        run.err << game << ": not replayed, kept as it was\n";
    }
    return Finish(run, utilities::RewriteResult{result.contents, result.adjusted, false}, "Games adjusted");
}

int RunFenGames(const UtilityRun& run, const utilities::PgnText& text) {
    const utilities::RewriteResult result = utilities::DeleteFenGames(
        text, TerminalProgress(gamefile::BackgroundKind::kCheckFile,
                               gamefile::ProgressVariant::kDeleteFenGames, text.Count()));
    if (result.changed == 0) {
        run.out << "No FEN games found.\n";
        return 0;
    }
    return Finish(run, result, "FEN games deleted");
}

int RunSplit(const UtilityRun& run, const utilities::PgnText& text) {
    const std::vector<utilities::SplitPart> parts = utilities::PlanSplit(run.path, text.Count());
    if (parts.empty()) {
        return Fail(run,
                    text.Count() == 0 ? "There are no games in this file." : utilities::kSplitNeedsPgnName);
    }
    for (const utilities::SplitPart& part : parts) {
        run.out << part.path << ": " << part.games << " games\n";
    }
    if (run.dryRun) {
        run.out << "(dry run, nothing written)\n";
        return 0;
    }
    bool refused = false;
    const char* error = utilities::SplitFile(
        text, parts,
        [&](const std::string& part) {
            run.err << part << ": " << utilities::kSplitFileExists << " (not overwritten)\n";
            refused = true;
            return false;
        },
        TerminalProgress(gamefile::BackgroundKind::kSplitFile, gamefile::ProgressVariant::kPlain,
                         text.Count()));
    if (error != nullptr) {
        return refused ? 1 : Fail(run, error);
    }
    run.out << utilities::kSplitFileComplete << "\n";
    return 0;
}

}  // namespace

bool IsUtilityCommand(const char* command) {
    for (std::string_view known : kCommands) {
        if (known == command) {
            return true;
        }
    }
    return false;
}

int RunUtilityCommand(const char* command, int argc, char** argv, std::ostream& out, std::ostream& err) {
    UtilityRun run{out, err, "", false, false, {}};
    int files = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dry-run") == 0) {
            run.dryRun = true;
        } else if (std::strcmp(argv[i], "--delete") == 0 && std::strcmp(command, "check") == 0) {
            run.deleteBad = true;
        } else if (std::strcmp(argv[i], "--entire-file") == 0 && std::strcmp(command, "dedupe") == 0) {
            run.duplicates.entireFile = true;
        } else if (std::strcmp(argv[i], "--look-ahead") == 0 && i + 1 < argc &&
                   std::strcmp(command, "dedupe") == 0) {
            run.duplicates.lookAhead = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--max-difference") == 0 && i + 1 < argc &&
                   std::strcmp(command, "dedupe") == 0) {
            run.duplicates.maxMoveDifference = std::atoi(argv[++i]);
        } else {
            run.path = argv[i];
            ++files;
        }
    }
    if (files != 1) {
        err << "usage: ravelin-cli " << command << " FILE [--dry-run]\n";
        return 2;
    }
    utilities::PgnText text;
    if (const char* error = utilities::LoadPgnText(run.path, text)) {
        return Fail(run, error);
    }
    const std::string_view name = command;
    if (name == "adjust") {
        return RunAdjust(run, text);
    }
    if (name == "check") {
        return RunCheck(run, text);
    }
    if (name == "dedupe") {
        return RunDedupe(run, text);
    }
    if (name == "fen-games") {
        return RunFenGames(run, text);
    }
    if (name == "split") {
        return RunSplit(run, text);
    }
    if (name == "trim") {
        return Finish(run, utilities::TrimFile(text), "Lines trimmed");
    }
    if (name == "sort") {
        if (text.Count() >= gamefile::kMaxGames) {
            return Fail(run, utilities::kSortFileNeedsFewerGames);
        }
        return Finish(run, utilities::SortFile(text), "Games moved");
    }
    return Finish(run, utilities::StripHeader(text), "Tag lines dropped");
}

}  // namespace ravelin::app

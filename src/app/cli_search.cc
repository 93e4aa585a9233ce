#include "app/cli_search.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_search_args.h"
#include "gamefile/game_file.h"
#include "search/directory_listing.h"
#include "search/directory_search.h"
#include "search/file_runs.h"
#include "search/search_result.h"
#include "search/search_source.h"
#include "search/searches.h"
#include "search/split_search.h"

namespace ravelin::app {

namespace {

constexpr int kExitMatches = 0;
constexpr int kExitNoMatches = 1;
constexpr int kExitError = 2;

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The counters of a result in words. The header search's player forms count other things than
// White's and Black's wins: the searched player's wins and undecided games by colour, or a
// pairing's undecided games.
std::string CounterText(const search::SearchResult& result, const SearchRequest& request) {
    const std::string& black = request.criteria.header[search::HeaderField::kBlack];
    const bool onePlayer = black == "*";
    const bool pairing = !onePlayer && !black.empty() && black[0] == '*' &&
                         !request.criteria.header[search::HeaderField::kWhite].empty();
    std::string text;
    if (onePlayer && result.counter3 != search::kNotCounted) {
        text = ", Won as White: " + std::to_string(result.whiteWins) +
               ", Won as Black: " + std::to_string(result.blackWins) +
               ", Not decided as White: " + std::to_string(result.counter3) +
               ", Not decided as Black: " + std::to_string(result.counter4);
    } else {
        text = ", White wins: " + std::to_string(result.whiteWins) +
               ", Black wins: " + std::to_string(result.blackWins);
        if (pairing && result.counter3 != search::kNotCounted) {
            text += ", Not decided: " + std::to_string(result.counter3);
        }
    }
    const bool variation =
        request.kind == search::kVariationSearch ||
        (request.kind == search::kHeaderSearch && (request.combination & search::kWithVariation));
    if (variation) {
        text += ", Plies matched: " + std::to_string(result.pliesMatched);
    }
    return text;
}

std::string TimeText(double milliseconds) {
    char text[64];
    std::snprintf(text, sizeof text, "Search time: %.3f ms", milliseconds);
    return text;
}

struct FileOutcome {
    bool opened = false;
    int matches = 0;
};

// Opens and indexes one file; false (and why, on the error stream) when it is not to be searched.
bool OpenToSearch(CliContext& context, const std::string& path, bool skipTooLarge,
                  search::OpenedSearchFile& opened, FileOutcome& outcome) {
    if (!opened.IsOpen()) {
        context.err << path << ": " << gamefile::kErrorOpeningFile << "\n";
        return false;
    }
    outcome.opened = true;
    if (opened.TooManyGames()) {
        context.err << path << ": " << search::kTooManyGames << "\n";
        if (skipTooLarge) {
            return false;
        }
    }
    return true;
}

// Searches the open file request.repeat times; the time of each search in times.
void SearchOpenFile(CliContext& context, const SearchRequest& request, const std::string& path,
                    search::SearchFile& file, search::SearchResult& result, std::vector<double>& times) {
    file.messages = [&context, &path](std::string_view message) {
        context.err << path << ": " << message << "\n";
    };
    for (int run = 0; run < request.repeat; ++run) {
        const auto started = std::chrono::steady_clock::now();
        search::RunSearch(file, request.criteria, request.kind, request.combination, result);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
        // Only the first run's messages are news.
        file.messages = nullptr;
    }
}

// The line of each match, after prefix.
std::string MatchLines(const SearchRequest& request, const std::string& prefix,
                       const search::SearchResult& result) {
    std::string lines;
    for (const search::SearchMatch& match : result.matches) {
        lines += prefix;
        lines += std::to_string(match.game);
        if (request.positionPlies) {
            lines += '\t';
            lines += std::to_string(match.ply);
        }
        lines += '\n';
    }
    return lines;
}

// Prints the summary of a file's search (after its matches).
int PrintSummary(CliContext& context, const SearchRequest& request, const std::string& path,
                 const std::string& prefix, const search::SearchResult& result,
                 const std::vector<double>& times) {
    const double elapsed = times.front();
    if (!prefix.empty() && result.Count() == 0 && !request.timing) {
        return 0;
    }
    context.err << (prefix.empty() ? "" : path + ": ") << search::kNumberOfGamesFound << ": "
                << result.Count() << CounterText(result, request);
    if (request.timing) {
        context.err << ", " << TimeText(elapsed);
        if (times.size() > 1) {
            std::vector<double> later(times.begin() + 1, times.end());
            std::nth_element(later.begin(), later.begin() + static_cast<std::ptrdiff_t>(later.size() / 2),
                             later.end());
            char text[64];
            std::snprintf(text, sizeof text, ", then %.3f ms (median of %zu more)", later[later.size() / 2],
                          later.size());
            context.err << text;
        }
    }
    context.err << "\n";
    return result.Count();
}

// Opens, indexes and searches one file; prints its matches (each after prefix) and its summary.
FileOutcome SearchOneFile(CliContext& context, const SearchRequest& request, const std::string& path,
                          const std::string& prefix, bool skipTooLarge, double& searchMilliseconds) {
    FileOutcome outcome;
    search::OpenedSearchFile opened(path);
    if (!OpenToSearch(context, path, skipTooLarge, opened, outcome)) {
        return outcome;
    }
    search::SearchResult result;
    std::vector<double> times;
    SearchOpenFile(context, request, path, opened.File(), result, times);
    searchMilliseconds += times.front();
    context.out << MatchLines(request, prefix, result);
    outcome.matches = PrintSummary(context, request, path, prefix, result, times);
    return outcome;
}

int SearchDirectory(CliContext& context, const SearchRequest& request, const std::string& directory) {
    // The time of the whole search, from the listing to the last file's results: the files'
    // own times overlap, as they are searched on every core.
    const auto searchStarted = std::chrono::steady_clock::now();
    const std::vector<search::ListedFile> files = search::ListPgnFiles(directory);
    if (files.empty()) {
        context.err << search::kNoFilesFound << "\n";
        return kExitError;
    }
    // Every core searches files, a file cut into runs of games where its fast file allows (not for
    // timing repeats); each file's lines are printed in the order of the listing.
    struct FileLines {
        std::ostringstream out;
        std::ostringstream err;
        FileOutcome outcome;
        double milliseconds = 0;
        std::string path;
        // While its runs are made.
        std::unique_ptr<search::OpenedSearchFile> opened;
        std::unique_ptr<const search::SplitSearch> split;
        std::vector<search::SearchResult> runs;
        // Each run's lines, made beside its search.
        std::vector<std::string> runLines;
        std::vector<double> runMilliseconds;
        search::SearchResult result;
    };
    std::vector<FileLines> lines(files.size());
    int total = 0;
    int matchedFiles = 0;
    const auto since = [](std::chrono::steady_clock::time_point started) {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    };
    search::SearchSplitter splitter;
    if (request.repeat == 1) {
        splitter.make = search::SplitSearch::Make;
    }
    search::FileRunWork work;
    for (const search::ListedFile& listed : files) {
        work.runs.push_back(splitter.RunsOfFile(search::JoinPath(directory, listed.fileName)));
    }
    work.open = [&](int i) {
        const search::ListedFile& listed = files[static_cast<std::size_t>(i)];
        FileLines& file = lines[static_cast<std::size_t>(i)];
        if (search::NameTooLongToSearch(listed.name)) {
            file.err << search::FilenameTooLongMessage(listed.name) << "\n";
            return;
        }
        file.path = search::JoinPath(directory, listed.fileName);
        CliContext own{context.workingDirectory, file.out, file.err};
        const int runs = work.runs[static_cast<std::size_t>(i)];
        auto opened = std::make_unique<search::OpenedSearchFile>(file.path, splitter.IndexingFor(runs));
        const auto started = std::chrono::steady_clock::now();
        file.split = splitter.Cut(*opened, runs, request.criteria, request.kind, request.combination);
        file.milliseconds = since(started);
        if (!OpenToSearch(own, file.path, true, *opened, file.outcome)) {
            file.split.reset();
            return;
        }
        if (file.split) {
            file.split->Start(file.result);
            file.runs.resize(static_cast<std::size_t>(runs));
            file.runLines.resize(static_cast<std::size_t>(runs));
            file.runMilliseconds.resize(static_cast<std::size_t>(runs));
        }
        file.opened = std::move(opened);
    };
    work.produce = [&](int i, int k) {
        FileLines& file = lines[static_cast<std::size_t>(i)];
        if (!file.opened) {
            return;
        }
        if (file.split) {
            const auto started = std::chrono::steady_clock::now();
            const int runs = static_cast<int>(file.runs.size());
            const int games = file.split->GameCount();
            // Filled apart from the other runs' results, which share its cache lines.
            search::SearchResult run;
            file.split->Start(run);
            file.split->Search(search::RunStart(games, runs, k), search::RunStart(games, runs, k + 1), {},
                               run);
            file.runMilliseconds[static_cast<std::size_t>(k)] = since(started);
            file.runLines[static_cast<std::size_t>(k)] = MatchLines(request, file.path + "\t", run);
            file.runs[static_cast<std::size_t>(k)] = std::move(run);
        } else if (k == 0) {
            CliContext own{context.workingDirectory, file.out, file.err};
            std::vector<double> times;
            SearchOpenFile(own, request, file.path, file.opened->File(), file.result, times);
            file.milliseconds = times.front();
            own.out << MatchLines(request, file.path + "\t", file.result);
            file.outcome.matches =
                PrintSummary(own, request, file.path, file.path + "\t", file.result, times);
        }
    };
    work.close = [&](int i) {
        FileLines& file = lines[static_cast<std::size_t>(i)];
        file.split.reset();
        file.opened.reset();
    };
    work.consume = [&](int i, int k) {
        FileLines& file = lines[static_cast<std::size_t>(i)];
        if (!file.runs.empty()) {
            search::JoinRun(file.result, file.runs[static_cast<std::size_t>(k)]);
            file.runs[static_cast<std::size_t>(k)] = search::SearchResult();
            file.milliseconds += file.runMilliseconds[static_cast<std::size_t>(k)];
            context.out << file.runLines[static_cast<std::size_t>(k)];
            file.runLines[static_cast<std::size_t>(k)] = std::string();
        }
        if (k + 1 < work.runs[static_cast<std::size_t>(i)]) {
            return true;
        }
        if (!file.runs.empty()) {
            CliContext own{context.workingDirectory, file.out, file.err};
            file.outcome.matches =
                PrintSummary(own, request, file.path, file.path + "\t", file.result, {file.milliseconds});
        }
        context.out << file.out.str();
        context.err << file.err.str();
        total += file.outcome.matches;
        matchedFiles += file.outcome.matches > 0 ? 1 : 0;
        file = FileLines();
        return true;
    };
    search::RunFileRuns(work);
    const double milliseconds = since(searchStarted);
    context.err << search::kNumberOfGamesFound << ": " << total << " in " << matchedFiles << " of "
                << files.size() << " files";
    if (request.timing) {
        context.err << ", " << TimeText(milliseconds);
    }
    context.err << "\n";
    return total > 0 ? kExitMatches : kExitNoMatches;
}

}  // namespace

int RunSearchCommand(CliContext& context, int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            context.out << kSearchUsage;
            return kExitMatches;
        }
    }
    SearchRequest request;
    std::string error;
    if (!ParseSearchArguments(argc, argv, request, error)) {
        context.err << error << (!error.empty() && error.back() == '\n' ? "" : "\n");
        return kExitError;
    }
    const bool pathIsDirectory = IsDirectory(request.path);
    if (request.directory || pathIsDirectory) {
        return SearchDirectory(context, request, pathIsDirectory ? request.path : DirectoryOf(request.path));
    }
    double milliseconds = 0;
    const FileOutcome outcome = SearchOneFile(context, request, request.path, "", false, milliseconds);
    if (!outcome.opened) {
        return kExitError;
    }
    return outcome.matches > 0 ? kExitMatches : kExitNoMatches;
}

}  // namespace ravelin::app

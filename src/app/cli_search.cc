#include "app/cli_search.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_search_args.h"
#include "gamefile/game_file.h"
#include "search/directory_listing.h"
#include "search/directory_search.h"
#include "search/ordered_work.h"
#include "search/search_result.h"
#include "search/search_source.h"
#include "search/searches.h"

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

// Opens, indexes and searches one file; prints its matches (each after prefix) and its summary.
FileOutcome SearchOneFile(CliContext& context, const SearchRequest& request, const std::string& path,
                          const std::string& prefix, bool skipTooLarge, double& searchMilliseconds) {
    FileOutcome outcome;
    search::OpenedSearchFile opened(path);
    if (!opened.IsOpen()) {
        context.err << path << ": " << gamefile::kErrorOpeningFile << "\n";
        return outcome;
    }
    outcome.opened = true;
    if (opened.TooManyGames()) {
        context.err << path << ": " << search::kTooManyGames << "\n";
        if (skipTooLarge) {
            return outcome;
        }
    }
    search::SearchFile& file = opened.File();
    file.messages = [&context, &path](std::string_view message) {
        context.err << path << ": " << message << "\n";
    };
    search::SearchResult result;
    std::vector<double> times;
    for (int run = 0; run < request.repeat; ++run) {
        const auto started = std::chrono::steady_clock::now();
        search::RunSearch(file, request.criteria, request.kind, request.combination, result);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
        // Only the first run's messages are news.
        file.messages = nullptr;
    }
    const double elapsed = times.front();
    searchMilliseconds += elapsed;
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
    context.out << lines;
    outcome.matches = result.Count();
    if (!prefix.empty() && outcome.matches == 0 && !request.timing) {
        return outcome;
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
    return outcome;
}

int SearchDirectory(CliContext& context, const SearchRequest& request, const std::string& directory) {
    const std::vector<search::ListedFile> files = search::ListPgnFiles(directory);
    if (files.empty()) {
        context.err << search::kNoFilesFound << "\n";
        return kExitError;
    }
    // Every core searches files; each file's lines are printed in the order of the listing.
    struct FileLines {
        std::ostringstream out;
        std::ostringstream err;
        FileOutcome outcome;
        double milliseconds = 0;
    };
    std::vector<FileLines> lines(files.size());
    int total = 0;
    int matchedFiles = 0;
    double milliseconds = 0;
    search::OrderedWork work;
    work.count = static_cast<int>(files.size());
    work.produce = [&](int i, unsigned) {
        const search::ListedFile& listed = files[static_cast<std::size_t>(i)];
        FileLines& file = lines[static_cast<std::size_t>(i)];
        if (search::NameTooLongToSearch(listed.name)) {
            file.err << search::FilenameTooLongMessage(listed.name) << "\n";
            return;
        }
        CliContext own{context.workingDirectory, file.out, file.err};
        const std::string path = search::JoinPath(directory, listed.fileName);
        file.outcome = SearchOneFile(own, request, path, path + "\t", true, file.milliseconds);
    };
    work.consume = [&](int i) {
        FileLines& file = lines[static_cast<std::size_t>(i)];
        context.out << file.out.str();
        context.err << file.err.str();
        total += file.outcome.matches;
        matchedFiles += file.outcome.matches > 0 ? 1 : 0;
        milliseconds += file.milliseconds;
        file.out = std::ostringstream();
        file.err = std::ostringstream();
        return true;
    };
    search::RunOrderedWork(work);
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

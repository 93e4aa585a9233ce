#include "search/directory_search.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "search/directory_listing.h"
#include "search/directory_search_file.h"
#include "search/file_runs.h"
#include "search/split_search.h"

namespace ravelin::search {

namespace {

void Say(const DirectorySearchHooks& hooks, std::string_view text) {
    if (hooks.message) {
        hooks.message(text);
    }
}

bool Cancelled(const DirectorySearchHooks& hooks) {
    return hooks.cancelled && hooks.cancelled();
}

// One listed file's search, made on helper threads and taken in listing order: whole, or in runs
// of games joined in game order.
struct FileSearch {
    enum class Skip { kNone, kNameTooLong, kNotOpen, kTooManyGames };
    Skip skip = Skip::kNone;
    std::vector<std::string> messages;
    SearchResult result;
    int matches = 0;
    // While its runs are made.
    std::unique_ptr<OpenedSearchFile> opened;
    std::unique_ptr<const SplitSearch> split;
    std::vector<SearchResult> runs;
    // A cancel request cut run k short: the runs after it are left out, so that the result is
    // that of the games up to where the search stopped, as a search of the whole file leaves it.
    std::vector<char> cut;
    bool stopped = false;
};

}  // namespace

DirectorySearchOutcome RunDirectorySearch(const DirectorySearchJob& job, const SearchRunner& runSearch,
                                          const DirectorySearchHooks& hooks, const SearchSplitter& split) {
    DirectorySearchOutcome outcome;
    if (!DirectoryFitsResultFile(job.directory)) {
        outcome.status = DirectorySearchStatus::kDirectoryTooLong;
        return outcome;
    }
    const std::vector<ListedFile> files = ListPgnFiles(job.directory);
    outcome.filesListed = static_cast<int>(files.size());
    if (files.empty()) {
        outcome.status = DirectorySearchStatus::kNoFiles;
        return outcome;
    }

    ResultFileHeader header;
    header.directory = job.directory;
    header.kind = job.kind;
    header.combination = job.combination;
    header.criteria = job.criteria;
    ResultFileWriter writer;
    bool writeFailed = false;

    // The files are searched on every core, a file cut into runs of games where it can be, and
    // taken here in the order of the listing: messages, progress and the result file are those of
    // one search after the other. A cancel request is polled here and passed on to the searches
    // under way.
    const int fileCount = outcome.filesListed;
    std::vector<FileSearch> searches(static_cast<std::size_t>(fileCount));
    std::atomic<bool> cancel{false};
    const std::thread::id caller = std::this_thread::get_id();
    const auto pollCancel = [&hooks, &cancel, caller] {
        if (!cancel.load(std::memory_order_relaxed) && std::this_thread::get_id() == caller &&
            Cancelled(hooks)) {
            cancel.store(true, std::memory_order_relaxed);
        }
        return cancel.load(std::memory_order_relaxed);
    };
    FileRunWork work;
    for (const ListedFile& listed : files) {
        work.runs.push_back(split.RunsOfFile(JoinPath(job.directory, listed.fileName)));
    }
    work.open = [&](int i) {
        const ListedFile& listed = files[static_cast<std::size_t>(i)];
        FileSearch& search = searches[static_cast<std::size_t>(i)];
        if (NameTooLongToSearch(listed.name)) {
            search.skip = FileSearch::Skip::kNameTooLong;
            return;
        }
        const int runs = work.runs[static_cast<std::size_t>(i)];
        search.opened = std::make_unique<OpenedSearchFile>(JoinPath(job.directory, listed.fileName),
                                                           split.IndexingFor(runs));
        if (!search.opened->IsOpen()) {
            search.skip = FileSearch::Skip::kNotOpen;
            return;
        }
        SearchFile& file = search.opened->File();
        file.messages = [&search](std::string_view text) { search.messages.emplace_back(text); };
        file.backgroundRunning = true;
        file.cancelRequested = pollCancel;
        search.split = split.Cut(*search.opened, runs, job.criteria, job.kind, job.combination);
        if (search.opened->TooManyGames()) {
            search.split.reset();
            search.skip = FileSearch::Skip::kTooManyGames;
            return;
        }
        if (search.split) {
            search.split->Start(search.result);
            search.runs.resize(static_cast<std::size_t>(runs));
            search.cut.resize(static_cast<std::size_t>(runs), 0);
        }
    };
    work.produce = [&](int i, int k) {
        FileSearch& search = searches[static_cast<std::size_t>(i)];
        if (search.skip != FileSearch::Skip::kNone || !search.opened) {
            return;
        }
        if (search.split) {
            const SplitSearch& runner = *search.split;
            const int runs = static_cast<int>(search.runs.size());
            // Filled apart from the other runs' results, which share its cache lines.
            SearchResult run;
            runner.Start(run);
            const int games = runner.GameCount();
            search.cut[static_cast<std::size_t>(k)] =
                !runner.Search(RunStart(games, runs, k), RunStart(games, runs, k + 1), pollCancel, run);
            search.runs[static_cast<std::size_t>(k)] = std::move(run);
        } else if (k == 0) {
            search.matches =
                runSearch(search.opened->File(), job.criteria, job.kind, job.combination, search.result);
        }
    };
    work.close = [&](int i) {
        FileSearch& search = searches[static_cast<std::size_t>(i)];
        search.split.reset();
        search.opened.reset();
    };
    // A file whose search is complete, taken as a search of the whole file.
    const auto takeFile = [&](int i) {
        const ListedFile& listed = files[static_cast<std::size_t>(i)];
        const FileSearch search = std::move(searches[static_cast<std::size_t>(i)]);
        switch (search.skip) {
            case FileSearch::Skip::kNameTooLong:
                Say(hooks, FilenameTooLongMessage(listed.name));
                return true;
            case FileSearch::Skip::kNotOpen:
                return true;
            case FileSearch::Skip::kTooManyGames:
                Say(hooks, kTooManyGames);
                return true;
            case FileSearch::Skip::kNone:
                break;
        }
        for (const std::string& text : search.messages) {
            Say(hooks, text);
        }
        const SearchResult& result = search.result;
        ++outcome.filesSearched;
        if (hooks.progress) {
            hooks.progress(i + 1, fileCount, listed.name, search.matches);
        }
        if (result.Count() > 0) {
            if (!writer.IsCreated()) {
                header.pliesMatched = result.pliesMatched;
                if (!writer.Create(job.resultPath, header)) {
                    writeFailed = true;
                    return false;
                }
            }
            if (!writer.Append(RecordOfResult(listed.name, result, header))) {
                writeFailed = true;
                return false;
            }
            ++outcome.filesMatched;
            outcome.gamesMatched += result.Count();
        }
        if (cancel.load(std::memory_order_relaxed) || Cancelled(hooks)) {
            cancel.store(true, std::memory_order_relaxed);
            outcome.cancelled = true;
            return false;
        }
        return true;
    };
    work.consume = [&](int i, int k) {
        FileSearch& search = searches[static_cast<std::size_t>(i)];
        if (!search.runs.empty()) {
            if (!search.stopped) {
                JoinRun(search.result, search.runs[static_cast<std::size_t>(k)]);
                search.stopped = search.cut[static_cast<std::size_t>(k)] != 0;
            }
            search.runs[static_cast<std::size_t>(k)] = SearchResult();
            search.matches = search.result.Count();
        }
        if (k + 1 < work.runs[static_cast<std::size_t>(i)]) {
            return true;
        }
        return takeFile(i);
    };
    work.waiting = [&pollCancel] { pollCancel(); };
    RunFileRuns(work);

    if (writeFailed || (writer.IsCreated() && !writer.Finish())) {
        outcome.status = DirectorySearchStatus::kCreateError;
    } else {
        outcome.status =
            outcome.filesMatched > 0 ? DirectorySearchStatus::kMatches : DirectorySearchStatus::kNoMatches;
    }
    return outcome;
}

std::string_view DirectorySearchEndMessage(DirectorySearchStatus status) {
    switch (status) {
        case DirectorySearchStatus::kMatches:
            return {};
        case DirectorySearchStatus::kNoMatches:
            return kNoMatchesFound;
        case DirectorySearchStatus::kNoFiles:
            return kNoFilesFound;
        case DirectorySearchStatus::kCreateError:
            return kErrorCreatingSearchFile;
        case DirectorySearchStatus::kDirectoryTooLong:
            return kDirectoryTooLongMessage;
    }
    return {};
}

}  // namespace ravelin::search

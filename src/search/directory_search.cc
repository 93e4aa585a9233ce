#include "search/directory_search.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "search/directory_listing.h"
#include "search/directory_search_file.h"
#include "search/ordered_work.h"

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

// One listed file's search, made on a helper thread and taken in listing order.
struct FileSearch {
    enum class Skip { kNone, kNameTooLong, kNotOpen, kTooManyGames };
    Skip skip = Skip::kNone;
    std::vector<std::string> messages;
    SearchResult result;
    int matches = 0;
};

}  // namespace

DirectorySearchOutcome RunDirectorySearch(const DirectorySearchJob& job, const SearchRunner& runSearch,
                                          const DirectorySearchHooks& hooks) {
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

    // The files are searched on every core, and taken here in the order of the listing: messages,
    // progress and the result file are those of one search after the other. A cancel request is
    // polled here and passed on to the searches under way.
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
    OrderedWork work;
    work.count = fileCount;
    work.produce = [&](int i, unsigned) {
        const ListedFile& listed = files[static_cast<std::size_t>(i)];
        FileSearch& search = searches[static_cast<std::size_t>(i)];
        if (NameTooLongToSearch(listed.name)) {
            search.skip = FileSearch::Skip::kNameTooLong;
            return;
        }
        OpenedSearchFile opened(JoinPath(job.directory, listed.fileName));
        if (!opened.IsOpen()) {
            search.skip = FileSearch::Skip::kNotOpen;
            return;
        }
        if (opened.TooManyGames()) {
            search.skip = FileSearch::Skip::kTooManyGames;
            return;
        }
        SearchFile& file = opened.File();
        file.messages = [&search](std::string_view text) { search.messages.emplace_back(text); };
        file.backgroundRunning = true;
        file.cancelRequested = pollCancel;
        search.matches = runSearch(file, job.criteria, job.kind, job.combination, search.result);
    };
    work.waiting = [&pollCancel] { pollCancel(); };
    work.consume = [&](int i) {
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
    RunOrderedWork(work);

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

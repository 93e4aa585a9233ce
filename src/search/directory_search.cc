#include "search/directory_search.h"

#include "search/directory_listing.h"
#include "search/directory_search_file.h"

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

    const int fileCount = outcome.filesListed;
    for (int i = 0; i < fileCount; ++i) {
        const ListedFile& listed = files[static_cast<std::size_t>(i)];
        if (NameTooLongToSearch(listed.name)) {
            Say(hooks, FilenameTooLongMessage(listed.name));
            continue;
        }
        OpenedSearchFile opened(JoinPath(job.directory, listed.fileName));
        if (!opened.IsOpen()) {
            continue;
        }
        if (opened.TooManyGames()) {
            Say(hooks, kTooManyGames);
            continue;
        }
        SearchFile& file = opened.File();
        file.messages = hooks.message;
        file.backgroundRunning = true;
        file.cancelRequested = hooks.cancelled;
        SearchResult result;
        const int matches = runSearch(file, job.criteria, job.kind, job.combination, result);
        ++outcome.filesSearched;
        if (hooks.progress) {
            hooks.progress(i + 1, fileCount, listed.name, matches);
        }
        if (result.Count() > 0) {
            if (!writer.IsCreated()) {
                header.pliesMatched = result.pliesMatched;
                if (!writer.Create(job.resultPath, header)) {
                    writeFailed = true;
                    break;
                }
            }
            if (!writer.Append(RecordOfResult(listed.name, result, header))) {
                writeFailed = true;
                break;
            }
            ++outcome.filesMatched;
            outcome.gamesMatched += result.Count();
        }
        if (Cancelled(hooks)) {
            outcome.cancelled = true;
            break;
        }
    }

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

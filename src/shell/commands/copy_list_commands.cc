#include "shell/commands/copy_list_commands.h"

#include <optional>
#include <string>
#include <vector>

#include "gamefile/game_copy.h"
#include "gamefile/game_edit.h"
#include "platform/file_util.h"
#include "platform/messages.h"
#include "search/directory_listing.h"
#include "search/directory_search_file.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

// The games of one source file, in list order.
struct SourceGames {
    std::string path;
    std::vector<int> games;
};

// The last search of the open file: its matches in list order.
std::vector<SourceGames> FileSearchSources(MainWindow& window) {
    const search::SearchResult& result = window.Search().lastResult;
    if (!window.File().IsOpen() || result.Count() == 0) {
        return {};
    }
    SourceGames source{window.File().Path(), {}};
    for (const search::SearchMatch& match : result.matches) {
        source.games.push_back(match.game);
    }
    return {source};
}

// The records of the directory search's result file, each file found in the searched directory.
std::vector<SourceGames> DirectorySearchSources(MainWindow& window) {
    search::ResultFile file;
    if (search::LoadResultFile(window.Paths().File(search::kResultFileName), file) !=
        search::ResultFileLoad::kOk) {
        return {};
    }
    std::vector<SourceGames> sources;
    for (const search::ResultFileRecord& record : file.records) {
        if (!record.games.empty()) {
            sources.push_back({search::FindPgnFile(file.header.directory, record.name), record.games});
        }
    }
    return sources;
}

void CopyList(MainWindow& window, bool fromDirectory, bool mustExist) {
    settings::MessageBoxes& messages = window.Messages();
    const std::vector<SourceGames> sources =
        fromDirectory ? DirectorySearchSources(window) : FileSearchSources(window);
    if (sources.empty()) {
        messages.ShowMessage(kNoGamesToCopy);
        return;
    }
    const std::optional<std::string> target = SelectTargetFile(window);
    if (!target) {
        return;
    }
    for (const SourceGames& source : sources) {
        if (IsSameFile(*target, source.path)) {
            messages.ShowMessage(fromDirectory ? kTargetIsSearchedFile : kSameAsCurrentFile);
            return;
        }
    }
    const bool exists = platform::FileExists(*target);
    if (mustExist && !exists) {
        messages.ShowMessage(kFileDoesNotExist);
        return;
    }
    const bool overwriteConfirmed = !mustExist && exists;
    if (overwriteConfirmed && messages.AskQuestion(kFileAlreadyExists) != platform::kAnswerYes) {
        return;
    }
    if (!overwriteConfirmed && messages.AskQuestion(kDoYouWantToContinue) != platform::kAnswerYes) {
        return;
    }
    // Every game is read before the target is touched: a source that fails leaves it as it was.
    std::vector<std::string> games;
    for (const SourceGames& source : sources) {
        if (const char* failure =
                gamefile::CopyGamesOfFile(source.path, source.games, kGameBufferLimit, games)) {
            messages.ShowMessage(failure);
            return;
        }
    }
    const char* failure = nullptr;
    if (mustExist) {
        gamefile::GameIndex index;
        gamefile::IndexGameFileAt(*target, index);
        failure = gamefile::AppendGamesToFile(*target, index, games);
    } else if (games.size() > static_cast<std::size_t>(gamefile::kMaxGames)) {
        failure = gamefile::kFileIsFull;
    } else {
        std::string text;
        for (const std::string& game : games) {
            text += (text.empty() ? "" : "\r\n") + game;
        }
        if (gamefile::WriteNewGameFile(*target, text) != nullptr) {
            failure = kErrorCreatingNewFile;
        }
    }
    messages.ShowMessage(failure != nullptr ? failure : kCopyGamesComplete);
}

}  // namespace

void RegisterCopyListCommands(MainWindow& window) {
    window.Handlers().Set(kCmdCopyFileSearchToExistingFile, [&window] { CopyList(window, false, true); });
    window.Handlers().Set(kCmdCopyDirSearchToExistingFile, [&window] { CopyList(window, true, true); });
    window.Handlers().Set(kCmdCopyFileSearchToNewFile, [&window] { CopyList(window, false, false); });
    window.Handlers().Set(kCmdCopyDirSearchToNewFile, [&window] { CopyList(window, true, false); });
}

}  // namespace ravelin::shell

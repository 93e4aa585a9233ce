// The tree merge files of the Tree menu: choosing one, filling it from the open file or from the
// games of the last search of the file or of a directory, and its duplicate games.

#include "shell/commands/tree_commands.h"

#include <set>
#include <utility>

#include "gamefile/game_file.h"
#include "platform/file_util.h"
#include "search/directory_listing.h"
#include "search/directory_search_file.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/fast_file_writer.h"
#include "search/search_source.h"
#include "shell/commands/directory_search_commands.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/main_window.h"
#include "tree/merge_file.h"
#include "utilities/fast_duplicates.h"

namespace ravelin::shell {

namespace {

using tree::TreeSourceKind;

constexpr char kMergeDuplicatesTitle[] = "Merge File Duplicates";
constexpr char kSelectMergeTitle[] = "Select Tree Merge File";

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The records of a file in the fast move layout, as the duplicate finder reads them.
bool ReadMergeRecords(const std::string& path, utilities::MoveRecords& records) {
    std::string bytes;
    if (!platform::ReadSmallFile(path, bytes, std::size_t{1} << 31)) {
        return false;
    }
    std::size_t start = 0;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const auto word = static_cast<search::FastMove>(static_cast<std::uint8_t>(bytes[at]) |
                                                        (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
        if (word == search::kEndOfFileWord) {
            break;
        }
        if (search::IsResultWord(word)) {
            records.words.append(bytes, start, at - start);
            const auto plies = static_cast<int>((at - start) / 2);
            records.starts.push_back(static_cast<std::uint32_t>(records.words.size() - 2 * plies));
            records.plies.push_back(plies);
            start = at + 2;
        }
    }
    return true;
}

}  // namespace

std::optional<std::string> TreeCommands::ChooseMergeFile(bool save) {
    settings::SettingsRecord& settings = window_.Settings();
    platform::FileDialogRequest request;
    request.title = kSelectMergeTitle;
    request.filter = tree::kMergeFileFilter;
    request.initialDirectory = settings.DialogDirectory(settings::FileDialogSlot::kTreeMerge);
    request.fileName = settings.DialogFileName(settings::FileDialogSlot::kTreeMerge);
    request.saveDialog = save;
    if (window_.Platform().files == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> chosen = window_.Platform().files->ChooseFile(request);
    if (chosen) {
        settings.SetDialogDirectory(settings::FileDialogSlot::kTreeMerge, DirectoryOf(*chosen));
        settings.SetDialogFileName(settings::FileDialogSlot::kTreeMerge, NameOf(*chosen));
        window_.SaveSettings();
    }
    return chosen;
}

void TreeCommands::OpenMergeFile() {
    if (const std::optional<std::string> chosen = ChooseMergeFile(false)) {
        if (tree_ && tree_->Kind() == TreeSourceKind::kMergeFile) {
            tree_.reset();
        }
        mergePath_ = *chosen;
    }
}

void TreeCommands::NewMergeFile() {
    if (!window_.File().IsOpen()) {
        Message(gamefile::kMustOpenFile);
        return;
    }
    const std::optional<std::string> chosen = ChooseMergeFile(true);
    if (!chosen) {
        return;
    }
    if (tree::IsProtected(*chosen, ProtectedFiles())) {
        Message(tree::kMergeTargetIsOwnFile);
        return;
    }
    if (platform::FileExists(*chosen) &&
        window_.Messages().AskQuestion(tree::kMergeFileExists) != platform::kAnswerYes) {
        return;
    }
    FillMergeFile(*chosen, false);
}

void TreeCommands::AppendToMergeFile() {
    if (!window_.File().IsOpen()) {
        Message(gamefile::kMustOpenFile);
        return;
    }
    const std::optional<std::string> chosen = ChooseMergeFile(false);
    if (!chosen) {
        return;
    }
    if (!platform::FileExists(*chosen)) {
        Message(tree::kMergeFileMissing);
        return;
    }
    if (tree::IsProtected(*chosen, ProtectedFiles())) {
        Message(tree::kMergeTargetIsOwnFile);
        return;
    }
    if (!tree::MergeFileIsTerminated(*chosen)) {
        Message(search::kErrorOpeningMergeFile);
        return;
    }
    FillMergeFile(*chosen, true);
}

void TreeCommands::FillMergeFile(const std::string& path, bool append) {
    if (tree_ && tree_->Kind() == TreeSourceKind::kMergeFile && tree::SameFile(path, mergePath_)) {
        tree_.reset();
    }
    gamefile::GameFile& open = window_.File();
    if (search::FastFileIsCurrent(open.Path(), open.GameCount())) {
        switch (tree::CopyFastFileIntoMerge(search::FastMoveFilePath(open.Path()), path, append)) {
            case tree::MergeCopy::kComplete:
                Message(kMergeFileCompleteText);
                return;
            case tree::MergeCopy::kReadError:
                Message(tree::kErrorMakingMergeFile);
                return;
            case tree::MergeCopy::kNotTerminated:
                Message(search::kErrorOpeningMergeFile);
                return;
            case tree::MergeCopy::kWriteError:
                Message(append ? search::kErrorOpeningMergeFile : search::kErrorCreatingFastFile);
                return;
        }
    }
    window_.FastFile().MakeMergeFile(
        append ? search::MergeFileMode::kAppendMergeFile : search::MergeFileMode::kNewMergeFile, path);
}

void TreeCommands::MergeDuplicates() {
    const std::optional<std::string> chosen = ChooseMergeFile(false);
    if (!chosen) {
        return;
    }
    utilities::MoveRecords records;
    if (!platform::FileExists(*chosen) || !ReadMergeRecords(*chosen, records)) {
        Message(tree::kMergeFileMissing);
        return;
    }
    const settings::SettingsRecord& settings = window_.Settings();
    utilities::DuplicateSettings duplicateSettings;
    duplicateSettings.lookAhead = settings.Int(settings::kOffsetDuplicatesLookAhead);
    duplicateSettings.maxMoveDifference = settings.Int(settings::kOffsetDuplicatesMaxMoveDifference);
    duplicateSettings.entireFile = settings.Int(settings::kOffsetDuplicatesCheckEntireFile) != 0;
    const utilities::DuplicateResult result = utilities::FindDuplicateRecords(records, duplicateSettings, {});
    if (result.pairs.empty()) {
        Message(utilities::kNoDuplicateGames);
        return;
    }
    platform::ListWindowContent content;
    content.title = kMergeDuplicatesTitle;
    for (const utilities::DuplicatePair& pair : result.pairs) {
        content.lines.push_back("Game " + std::to_string(pair.first) + " and game " +
                                std::to_string(pair.second));
    }
    if (result.limitReached) {
        Message(utilities::kMaximumDuplicatesWarning);
    }
    if (window_.Platform().listWindows != nullptr) {
        window_.Platform().listWindows->ShowListWindow(kMergeDuplicatesWindowKey, content, {});
    }
}

void TreeCommands::FoundGamesToMergeFile(bool append, bool fromDirectory) {
    // The games found in each searched file: the open file's last search, or every file of the
    // directory search's result file.
    std::vector<std::pair<std::string, std::set<int>>> found;
    if (fromDirectory) {
        search::ResultFile file;
        if (search::LoadResultFile(window_.Paths().File(search::kResultFileName), file) ==
            search::ResultFileLoad::kOk) {
            for (const search::ResultFileRecord& record : file.records) {
                if (!record.games.empty()) {
                    found.emplace_back(search::FindPgnFile(file.header.directory, record.name),
                                       std::set<int>(record.games.begin(), record.games.end()));
                }
            }
        }
        if (found.empty()) {
            Message(kMustPerformDirSearch);
            return;
        }
    } else {
        const search::SearchResult& result = window_.Search().lastResult;
        if (result.Count() == 0) {
            Message(kNoMovesFound);
            return;
        }
        found.emplace_back(window_.File().Path(), std::set<int>());
        for (const search::SearchMatch& match : result.matches) {
            found.back().second.insert(match.game);
        }
    }
    const std::optional<std::string> chosen = ChooseMergeFile(!append);
    if (!chosen) {
        return;
    }
    bool isOwnFile = tree::IsProtected(*chosen, ProtectedFiles());
    for (const auto& [path, games] : found) {
        isOwnFile = isOwnFile || tree::IsProtected(*chosen, tree::ProtectedFilesOf(path, {}));
    }
    if (isOwnFile) {
        Message(tree::kMergeTargetIsOwnFile);
        return;
    }
    if (append && !platform::FileExists(*chosen)) {
        Message(tree::kMergeFileMissing);
        return;
    }
    if (!append && platform::FileExists(*chosen) &&
        window_.Messages().AskQuestion(tree::kMergeFileExists) != platform::kAnswerYes) {
        return;
    }
    // Every file is read before the merge file is touched: one that fails leaves it as it was.
    std::string records;
    for (const auto& [path, games] : found) {
        std::unique_ptr<search::OpenedSearchFile> opened;
        std::unique_ptr<tree::TreeMoveSource> source;
        if (fromDirectory) {
            opened = std::make_unique<search::OpenedSearchFile>(path);
            if (!opened->IsOpen()) {
                Message(gamefile::kErrorOpeningFile);
                return;
            }
            opened->File().messages = [this](std::string_view text) { Message(text); };
            source = tree::MakeCurrentFileSource(opened->File());
        } else {
            source = MakeSource(TreeSourceKind::kCurrentFile);
        }
        if (!source) {
            return;
        }
        const std::unique_ptr<tree::TreeGameWalk> walk = source->Games();
        if (!walk) {
            Message(source->Error());
            return;
        }
        search::GameMoves game;
        while (walk->Next(game)) {
            if (games.contains(game.game)) {
                records.append(reinterpret_cast<const char*>(game.plyWords),
                               2 * static_cast<std::size_t>(game.plies));
                records.push_back(static_cast<char>(game.resultWord & 0xff));
                records.push_back(static_cast<char>(game.resultWord >> 8));
            }
        }
    }
    records.append(2, '\0');
    if (tree_ && tree_->Kind() == TreeSourceKind::kMergeFile && tree::SameFile(*chosen, mergePath_)) {
        tree_.reset();
    }
    switch (tree::WriteRecordsIntoMerge(records, *chosen, append)) {
        case tree::MergeCopy::kComplete:
            Message(kMergeFileCompleteText);
            break;
        case tree::MergeCopy::kNotTerminated:
        case tree::MergeCopy::kWriteError:
        case tree::MergeCopy::kReadError:
            Message(append ? search::kErrorOpeningMergeFile : search::kErrorCreatingFastFile);
            break;
    }
}

}  // namespace ravelin::shell

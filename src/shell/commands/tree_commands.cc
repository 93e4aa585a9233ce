#include "shell/commands/tree_commands.h"

#include <algorithm>
#include <cstdio>

#include "eco/eco_table.h"
#include "gamefile/game_index.h"
#include "platform/file_util.h"
#include "shell/command_ids.h"
#include "shell/commands/database_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/tree_settings_dialog.h"
#include "shell/display_mode.h"
#include "shell/main_window.h"
#include "tree/line_text.h"
#include "tree/merge_file.h"
#include "tree/next_moves.h"
#include "tree/tree_source.h"

namespace ravelin::shell {

namespace {

using tree::TreeSourceKind;

constexpr int kHelpNoteGames = 1000;
constexpr char kTreeTitle[] = "Tree";
constexpr char kNextMovesTitle[] = "Next Moves";
constexpr char kManeuversTitle[] = "Maneuvers";

const std::vector<std::pair<std::string, int>>& TreeMenu() {
    static const std::vector<std::pair<std::string, int>> menu = {
        {"Back One Level", kCmdBackOneLevel},
        {"Forward One Level", kCmdForwardOneLevel},
        {"End of Branch", kCmdEndOfBranch},
        {"Start of Tree", kCmdStartOfTree},
        {"Display Position", kCmdDisplayTreePosition},
    };
    return menu;
}

std::vector<tree::NextMove> MovesOfChildren(const tree::OpeningTree& tree, const std::vector<int>& children) {
    std::vector<tree::NextMove> moves;
    for (const int child : children) {
        const tree::TreeNode& node = tree.Nodes()[static_cast<std::size_t>(child)];
        moves.push_back({std::string(node.Text()), node.move, node.score, node.games, node.firstGame});
    }
    return moves;
}

}  // namespace

TreeCommands::TreeCommands(MainWindow& window) : window_(window) {
    mergePath_ = window_.Settings().DialogDirectory(settings::FileDialogSlot::kTreeMerge);
    const std::string name = window_.Settings().DialogFileName(settings::FileDialogSlot::kTreeMerge);
    mergePath_ = name.empty() ? std::string() : mergePath_ + "/" + name;
}

TreeCommands::~TreeCommands() = default;

void TreeCommands::Message(std::string_view text) {
    if (!text.empty()) {
        window_.Messages().ShowMessage(text);
    }
}

tree::TreeWalkOptions TreeCommands::WalkOptions() const {
    const settings::SettingsRecord& settings = window_.Settings();
    return {std::max(settings.Int(settings::kOffsetTreeSingleNodeCount), 1),
            settings.Int(settings::kOffsetTreeExactVariations) != 0};
}

tree::TreeDisplayOptions TreeCommands::DisplayOptions() const {
    const settings::SettingsRecord& settings = window_.Settings();
    tree::TreeDisplayOptions options;
    options.sort = static_cast<tree::TreeSort>(settings.TreeSortOption());
    options.showPercentage = settings.Int(settings::kOffsetTreeShowPercentage) != 0;
    options.showScore = settings.Int(settings::kOffsetTreeShowScore) != 0;
    options.ecoTree = tree_ && tree_->Kind() == TreeSourceKind::kEcoTable;
    return options;
}

bool TreeCommands::OpenSearchFile() {
    gamefile::GameFile& open = window_.File();
    if (!open.IsOpen()) {
        Message(gamefile::kMustOpenFile);
        return false;
    }
    reader_ = std::make_unique<gamefile::LineReader>();
    reader_->Attach(open.Descriptor());
    searchContext_ = chess::MakeChessContext();
    searchContext_->batch = true;
    searchFile_ = std::make_unique<search::SearchFile>();
    searchFile_->path = open.Path();
    searchFile_->fileName = open.FileName();
    searchFile_->reader = reader_.get();
    searchFile_->index = &open.Index();
    searchFile_->gameCount = open.GameCount();
    searchFile_->context = searchContext_.get();
    searchFile_->messages = [this](std::string_view text) { Message(text); };
    return true;
}

std::unique_ptr<tree::TreeMoveSource> TreeCommands::MakeSource(TreeSourceKind kind) {
    switch (kind) {
        case TreeSourceKind::kCurrentFile:
            if (!OpenSearchFile()) {
                return nullptr;
            }
            return tree::MakeCurrentFileSource(*searchFile_);
        case TreeSourceKind::kEcoTable: {
            const eco::EcoTable& table = window_.Viewer().EcoTable();
            std::vector<std::string> lines;
            for (int entry = 0; entry < table.count; ++entry) {
                lines.emplace_back(eco::EcoMoves(table, entry));
            }
            return tree::MakeEcoTableSource(lines, window_.Paths().Directory());
        }
        case TreeSourceKind::kMergeFile:
            if (mergePath_.empty() || !platform::FileExists(mergePath_)) {
                Message(tree::kMergeFileMissing);
                return nullptr;
            }
            return tree::MakeFastRecordSource(TreeSourceKind::kMergeFile, mergePath_, mergePath_, 0);
        case TreeSourceKind::kDatabase: {
            // The database's moves file holds its games as fast move records.
            const database::Database& database = window_.Databases().Database();
            if (!database.IsOpen() || !platform::FileExists(database.Paths().moves)) {
                Message(kNoDatabaseForTree);
                return nullptr;
            }
            return tree::MakeFastRecordSource(TreeSourceKind::kDatabase, database.Paths().moves,
                                              database.Paths().games, database.GameCount());
        }
    }
    return nullptr;
}

void TreeCommands::Start(TreeSourceKind kind, bool returning) {
    // A tree of the same source is walked on where it is; another source closes it.
    if (!(returning && tree_ && tree_->Kind() == kind)) {
        std::unique_ptr<tree::TreeMoveSource> source = MakeSource(kind);
        if (!source) {
            return;
        }
        if (returning && !platform::FileExists(source->TreeFilePath(WalkOptions().exact))) {
            Message(tree::kNoTreeInProcess);
            return;
        }
        tree_ = std::make_unique<tree::OpeningTree>(std::move(source), WalkOptions(),
                                                    [this](std::string_view text) { Message(text); });
        if (!tree_->Open()) {
            tree_.reset();
            return;
        }
    }
    if (returning) {
        tree_->ReturnToRememberedLine();
    } else {
        tree_->ForgetRememberedLine();
        tree_->StartOfTree();
    }
    if (!helpNoteShown_ && tree_->Source().GameCount() >= kHelpNoteGames) {
        helpNoteShown_ = true;
        Message(kTreeHelpNote);
    }
    Show();
}

void TreeCommands::Show() {
    if (!tree_ || window_.Platform().listWindows == nullptr) {
        return;
    }
    const std::vector<int> children = tree_->Children();
    const tree::TreeListing listing =
        tree::ListNextMoves(MovesOfChildren(*tree_, children), tree_->Line().Plies(), DisplayOptions());
    if (listing.sortError) {
        Message(tree::kSortError);
    }
    rows_.clear();
    for (const int i : listing.order) {
        rows_.push_back(children[static_cast<std::size_t>(i)]);
    }
    platform::ListWindowContent content;
    content.title = kTreeTitle;
    if (const tree::TreeLine line = tree_->Line(); line.Plies() > 0) {
        content.title += " - " + std::to_string(tree_->CurrentNode().games) + " games";
    }
    content.lines = listing.lines;
    content.contextCommands = TreeMenu();
    window_.Platform().listWindows->ShowListWindow(kTreeWindowKey, content,
                                                   [this](int row) { Activate(row); });
    tree_->RememberLine();
    ShowLineOnBoard(false);
}

void TreeCommands::ShowLineOnBoard(bool enterEditor) {
    if (!tree_) {
        return;
    }
    const tree::TreeLine line = tree_->Line();
    search::SearchVariation& variation = window_.Search().criteria.variation;
    variation.Clear();
    for (int ply = 1; ply <= line.Plies() && ply <= chess::kMaxPly; ++ply) {
        chess::SetSanText(variation.MoveOfPly(ply), line.texts[static_cast<std::size_t>(ply - 1)]);
    }
    if (enterEditor || window_.displayMode == kModeVariationEdit) {
        window_.Handlers().Run(kCmdEditVariation);
    }
}

void TreeCommands::Activate(int row) {
    if (!tree_ || row < 0 || row >= static_cast<int>(rows_.size())) {
        return;
    }
    Entered(tree_->Enter(rows_[static_cast<std::size_t>(row)]));
}

void TreeCommands::Entered(tree::EnterResult result) {
    if (result == tree::EnterResult::kFailed) {
        return;
    }
    Show();
    if (result == tree::EnterResult::kBranchEnded) {
        EndOfBranchReached();
    }
}

void TreeCommands::EndOfBranchReached() {
    const settings::SettingsRecord& settings = window_.Settings();
    const bool autoDisplay = settings.Int(settings::kOffsetTreeAutoDisplayGame) != 0;
    if (!autoDisplay || tree_->Kind() != TreeSourceKind::kCurrentFile) {
        Message(tree::kEndOfTheBranch);
        return;
    }
    const tree::TreeNode& node = tree_->CurrentNode();
    if (node.games == 1) {
        gamefile::GameFile& file = window_.File();
        if (node.firstGame < 1 || node.firstGame > file.GameCount()) {
            return;
        }
        file.currentGame = node.firstGame;
        if (window_.Viewer().ShowCurrentGame()) {
            window_.Viewer().Display().storedPly = tree_->Line().Plies();
            window_.Viewer().Display().GoToPly(display::kGoToStored);
            window_.currentPly = window_.Viewer().Display().CurrentPly();
        }
        return;
    }
    // Several games end here: the variation search finds them all.
    window_.Handlers().Run(kCmdVariationSearchFile);
}

std::vector<std::string> TreeCommands::BoardLine() const {
    std::vector<std::string> line;
    if (window_.displayMode == kModeVariationEdit) {
        const search::SearchVariation& variation = window_.Search().criteria.variation;
        for (int ply = 1; ply <= variation.Plies(); ++ply) {
            line.emplace_back(chess::SanView(variation.MoveOfPly(ply)));
        }
        return line;
    }
    const chess::MoveList& moves = window_.Viewer().Display().Context().moves;
    for (int ply = 1; ply <= window_.currentPly && ply <= chess::kMaxPly; ++ply) {
        const std::string_view text =
            chess::SanView(ply % 2 == 1 ? moves.whiteMoves[(ply - 1) / 2] : moves.blackMoves[ply / 2 - 1]);
        if (text.empty()) {
            break;
        }
        line.emplace_back(text);
    }
    return line;
}

void TreeCommands::GoToPosition(TreeSourceKind kind) {
    const std::vector<std::string> line = BoardLine();
    if (!tree_ || tree_->Kind() != kind) {
        Start(kind, false);
        if (!tree_ || tree_->Kind() != kind) {
            return;
        }
    }
    tree_->GoToLine(line);
    Show();
    if (tree_->AtEndOfBranch()) {
        Message(tree::kEndOfTheBranch);
    }
}

void TreeCommands::ResetTreeFile(TreeSourceKind kind) {
    std::string base;
    if (kind == TreeSourceKind::kMergeFile) {
        if (mergePath_.empty()) {
            Message(tree::kNoMergeFileOpen);
            return;
        }
        base = mergePath_;
    } else if (kind == TreeSourceKind::kDatabase) {
        if (!window_.Databases().Database().IsOpen()) {
            Message(kNoDatabaseForTree);
            return;
        }
        base = window_.Databases().Database().Paths().games;
    } else {
        base = window_.File().Path();
    }
    if (window_.Messages().AskQuestion(tree::kResetTreeQuestion) != platform::kAnswerYes) {
        return;
    }
    if (tree_ && tree_->Kind() == kind) {
        tree_.reset();
        if (window_.Platform().listWindows != nullptr) {
            window_.Platform().listWindows->CloseListWindow(kTreeWindowKey);
        }
    }
    tree::RemoveTreeFiles(kind, base);
}

std::vector<std::string> TreeCommands::ProtectedFiles() const {
    std::vector<std::string> databaseFiles;
    if (const database::Database& database = window_.Databases().Database(); database.IsOpen()) {
        const database::DatabasePaths& paths = database.Paths();
        databaseFiles = {paths.games,   paths.header, paths.moves,     paths.positions, paths.root,
                         paths.results, paths.tree,   paths.exactTree, paths.treeLine};
    }
    return tree::ProtectedFilesOf(window_.File().Path(), databaseFiles);
}

void TreeCommands::ModifySettings() {
    TreeSettingsDialog dialog(window_.Settings());
    if (window_.Platform().dialogs == nullptr || !window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    const bool exactBefore = WalkOptions().exact;
    const bool raised = dialog.Store(window_.Settings());
    window_.SaveSettings();
    if (raised) {
        Message(kResetTreeAdvice);
    }
    if (tree_ && WalkOptions().exact != exactBefore) {
        // The other tree file is used now: the tree starts over in it.
        const TreeSourceKind kind = tree_->Kind();
        tree_.reset();
        Start(kind, false);
        return;
    }
    if (tree_) {
        tree_->SetOptions(WalkOptions());
    }
    Show();
}

void TreeCommands::ShowNextMoves(TreeSourceKind kind) {
    std::unique_ptr<tree::TreeMoveSource> source = MakeSource(kind);
    if (!source) {
        return;
    }
    auto context = chess::MakeChessContext();
    tree::TreeLine line;
    std::string bad;
    std::string text;
    for (const std::string& move : BoardLine()) {
        text += move + " ";
    }
    if (!tree::ParseLineText(text, *context, line, bad)) {
        return;
    }
    const tree::NextMoveScan scan = tree::ScanNextMoves(*source, line, WalkOptions().exact, *context);
    if (!scan.ok) {
        Message(source->Error());
        return;
    }
    Message(source->WarningAfterWalk());
    if (scan.moves.empty()) {
        Message(kNoMovesFound);
        return;
    }
    tree::TreeDisplayOptions options = DisplayOptions();
    options.ecoTree = kind == TreeSourceKind::kEcoTable;
    platform::ListWindowContent content;
    content.title = kNextMovesTitle;
    content.lines = tree::ListNextMoves(scan.moves, line.Plies(), options).lines;
    if (window_.Platform().listWindows != nullptr) {
        window_.Platform().listWindows->ShowListWindow(kNextMovesWindowKey, content, {});
    }
}

void TreeCommands::ShowManeuvers(TreeSourceKind kind) {
    std::unique_ptr<tree::TreeMoveSource> source;
    if (kind == TreeSourceKind::kCurrentFile) {
        // Maneuvers are read from the PGN text.
        if (!OpenSearchFile()) {
            return;
        }
        source = tree::MakePgnTextSource(*searchFile_);
    } else {
        source = MakeSource(kind);
    }
    if (!source) {
        return;
    }
    auto context = chess::MakeChessContext();
    tree::TreeLine line;
    std::string bad;
    std::string text;
    for (const std::string& move : BoardLine()) {
        text += move + " ";
    }
    if (!tree::ParseLineText(text, *context, line, bad)) {
        return;
    }
    const int lookAhead = std::max(window_.Settings().Int(settings::kOffsetManeuversLookAhead), 1);
    const tree::NextMoveScan scan = tree::ScanManeuvers(*source, line, lookAhead, *context);
    if (!scan.ok) {
        Message(source->Error());
        return;
    }
    if (scan.moves.empty()) {
        Message(kNoMovesFound);
        return;
    }
    platform::ListWindowContent content;
    content.title = kManeuversTitle;
    content.lines = tree::ListManeuvers(scan.moves);
    if (window_.Platform().listWindows != nullptr) {
        window_.Platform().listWindows->ShowListWindow(kNextMovesWindowKey, content, {});
    }
}

void TreeCommands::SetLookAhead() {
    LookAheadDialog dialog(window_.Settings());
    if (window_.Platform().dialogs != nullptr && window_.Platform().dialogs->RunDialog(dialog)) {
        dialog.Store(window_.Settings());
        window_.SaveSettings();
    }
}

void TreeCommands::ForgetFileTree() {
    if (tree_ && tree_->Kind() == TreeSourceKind::kCurrentFile) {
        tree_.reset();
        if (window_.Platform().listWindows != nullptr) {
            window_.Platform().listWindows->CloseListWindow(kTreeWindowKey);
        }
    }
}

void TreeCommands::Register() {
    CommandHandlers& handlers = window_.Handlers();
    handlers.Set(kCmdStartTree, [this] { Start(TreeSourceKind::kCurrentFile, false); });
    handlers.Set(kCmdStartEcoTree, [this] { Start(TreeSourceKind::kEcoTable, false); });
    handlers.Set(kCmdStartMergeTree, [this] { Start(TreeSourceKind::kMergeFile, false); });
    handlers.Set(kCmdTreeReturn, [this] { Start(TreeSourceKind::kCurrentFile, true); });
    handlers.Set(kCmdReturnToEco, [this] { Start(TreeSourceKind::kEcoTable, true); });
    handlers.Set(kCmdReturnToMergeTree, [this] { Start(TreeSourceKind::kMergeFile, true); });
    handlers.Set(kCmdGoToPositionInFile, [this] { GoToPosition(TreeSourceKind::kCurrentFile); });
    handlers.Set(kCmdGoToPositionInEco, [this] { GoToPosition(TreeSourceKind::kEcoTable); });
    handlers.Set(kCmdGoToPositionInMerge, [this] { GoToPosition(TreeSourceKind::kMergeFile); });
    handlers.Set(kCmdStartDatabaseTree, [this] { Start(TreeSourceKind::kDatabase, false); });
    handlers.Set(kCmdReturnToDatabaseTree, [this] { Start(TreeSourceKind::kDatabase, true); });
    handlers.Set(kCmdGoToPositionInDatabase, [this] { GoToPosition(TreeSourceKind::kDatabase); });
    handlers.Set(kCmdResetDatabaseTreeFile, [this] { ResetTreeFile(TreeSourceKind::kDatabase); });
    handlers.Set(kCmdNextMovesInDatabase, [this] { ShowNextMoves(TreeSourceKind::kDatabase); });
    handlers.Set(kCmdBackOneLevel, [this] {
        if (tree_ && tree_->Back()) {
            Show();
        }
    });
    handlers.Set(kCmdForwardOneLevel, [this] {
        if (tree_) {
            Entered(tree_->Forward());
        }
    });
    handlers.Set(kCmdEndOfBranch, [this] {
        if (tree_) {
            Entered(tree_->ToEndOfBranch());
        }
    });
    handlers.Set(kCmdStartOfTree, [this] {
        if (tree_) {
            tree_->StartOfTree();
            Show();
        }
    });
    handlers.Set(kCmdDisplayTreePosition, [this] { ShowLineOnBoard(true); });
    handlers.Set(kCmdTreeSettings, [this] { ModifySettings(); });
    handlers.Set(kCmdResetTreeFile, [this] { ResetTreeFile(TreeSourceKind::kCurrentFile); });
    handlers.Set(kCmdResetMergeTreeFile, [this] { ResetTreeFile(TreeSourceKind::kMergeFile); });
    handlers.Set(kCmdNextMovesInFile, [this] { ShowNextMoves(TreeSourceKind::kCurrentFile); });
    handlers.Set(kCmdNextMovesInEco, [this] { ShowNextMoves(TreeSourceKind::kEcoTable); });
    handlers.Set(kCmdNextMovesInMerge, [this] { ShowNextMoves(TreeSourceKind::kMergeFile); });
    handlers.Set(kCmdManeuversInFile, [this] { ShowManeuvers(TreeSourceKind::kCurrentFile); });
    handlers.Set(kCmdManeuversInEco, [this] { ShowManeuvers(TreeSourceKind::kEcoTable); });
    handlers.Set(kCmdSetLookAhead, [this] { SetLookAhead(); });
    handlers.Set(kCmdOpenMergeFile, [this] { OpenMergeFile(); });
    handlers.Set(kCmdNewMergeFile, [this] { NewMergeFile(); });
    handlers.Set(kCmdAppendToMergeFile, [this] { AppendToMergeFile(); });
    handlers.Set(kCmdMergeDuplicates, [this] { MergeDuplicates(); });
    handlers.Set(kCmdFoundGamesToNewMergeFile, [this] { FoundGamesToMergeFile(false, false); });
    handlers.Set(kCmdFoundGamesToMergeFile, [this] { FoundGamesToMergeFile(true, false); });
    handlers.Set(kCmdDirSearchGamesToNewMergeFile, [this] { FoundGamesToMergeFile(false, true); });
    handlers.Set(kCmdDirSearchGamesToMergeFile, [this] { FoundGamesToMergeFile(true, true); });
}

std::shared_ptr<TreeCommands> RegisterTreeCommands(MainWindow& window) {
    auto commands = std::make_shared<TreeCommands>(window);
    commands->Register();
    return commands;
}

}  // namespace ravelin::shell

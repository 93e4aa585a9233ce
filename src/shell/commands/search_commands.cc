#include "shell/commands/search_commands.h"

#include <cstdio>

#include "gamefile/line_reader.h"
#include "search/position_lists.h"
#include "search/searches.h"
#include "shell/command_ids.h"
#include "shell/commands/directory_search_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/position_editor.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/header_search_dialog.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

struct SearchCommand {
    int id;
    int kind;
    int combination;
    bool directory;
};

constexpr SearchCommand kSearchCommands[] = {
    {112, search::kVariationSearch, search::kAlone, false},
    {113, search::kVariationSearch, search::kAlone, true},
    {122, search::kPositionSearch, search::kAlone, false},
    {123, search::kPositionSearch, search::kAlone, true},
    {132, search::kHeaderSearch, search::kAlone, false},
    {133, search::kHeaderSearch, search::kAlone, true},
    {140, search::kVariationSearch, search::kWithPosition, false},
    {141, search::kVariationSearch, search::kWithPosition, true},
    {142, search::kHeaderSearch, search::kWithVariation, false},
    {143, search::kHeaderSearch, search::kWithVariation, true},
    {144, search::kHeaderSearch, search::kWithPosition, false},
    {145, search::kHeaderSearch, search::kWithPosition, true},
    {146, search::kHeaderSearch, search::kWithBoth, false},
    {147, search::kHeaderSearch, search::kWithBoth, true},
};

bool NeedsVariation(const SearchRequest& request) {
    if (request.kind == search::kVariationSearch) {
        return true;
    }
    return request.kind == search::kHeaderSearch &&
           (request.combination == search::kWithVariation || request.combination == search::kWithBoth);
}

bool NeedsPosition(const SearchRequest& request) {
    if (request.kind == search::kPositionSearch) {
        return true;
    }
    if (request.kind == search::kVariationSearch) {
        return request.combination == search::kWithPosition;
    }
    return request.combination == search::kWithPosition || request.combination == search::kWithBoth;
}

bool CriteriaBoardEmpty(const search::CriteriaBoard& board, const search::MoveNumberCondition& moveNumber) {
    for (int file = chess::kFirstLine; file <= chess::kLastLine; ++file) {
        for (int rank = chess::kFirstLine; rank <= chess::kLastLine; ++rank) {
            if (board.squares[file][rank] != chess::kEmpty) {
                return false;
            }
        }
    }
    for (const auto& side : board.counts) {
        for (const search::CountCondition& condition : side) {
            if (condition.relation != search::kNoCount) {
                return false;
            }
        }
    }
    return !(moveNumber.on && !moveNumber.criterion.empty());
}

}  // namespace

bool SearchRequestOf(int commandId, SearchRequest& request, bool& directory) {
    for (const SearchCommand& command : kSearchCommands) {
        if (command.id == commandId) {
            request = {command.kind, command.combination};
            directory = command.directory;
            return true;
        }
    }
    return false;
}

SearchCommands::SearchCommands(MainWindow& window)
    : window_(window),
      variation_(std::make_unique<VariationEditor>(window)),
      position_(std::make_unique<PositionEditor>(window)) {
    runSearch = [](search::SearchFile& file, const search::SearchCriteria& criteria, int kind,
                   int combination, search::SearchResult& result) {
        return search::RunSearch(file, criteria, kind, combination, result);
    };
    Register();
}

SearchCommands::~SearchCommands() = default;

void SearchCommands::Register() {
    CommandHandlers& handlers = window_.Handlers();
    handlers.Set(kCmdEditVariation, [this] { variation_->Enter(); });
    handlers.Set(kCmdEditPosition, [this] { position_->Enter(); });
    handlers.Set(kCmdEditHeader, [this] { EditHeader(); });
    handlers.Set(kCmdExactVariation,
                 [this] { Toggle(kCmdExactVariation, window_.Search().criteria.options.exactVariation); });
    handlers.Set(kCmdForceMatch,
                 [this] { Toggle(kCmdForceMatch, window_.Search().criteria.options.forceMatch); });
    for (const SearchCommand& command : kSearchCommands) {
        const SearchRequest request{command.kind, command.combination};
        if (command.directory) {
            handlers.Set(command.id, [this, request] { SearchDirectory(request); });
        } else {
            handlers.Set(command.id, [this, request] { SearchOpenFile(request); });
        }
    }
    handlers.Set(kCmdResetNavigation, [this] {
        window_.Search().navigation.Reset();
        window_.Search().searchActive = false;
    });
    handlers.Set(kCmdSearchedPosition, [this] { window_.Viewer().GoToSearchedPosition(); });
    window_.Viewer().SetShownGameCommand(kCmdCopyToVariation, [this] { CopyGameToVariation(); });
    window_.Viewer().SetShownGameCommand(kCmdCopyToPosition, [this] { CopyGameToPosition(); });
}

void SearchCommands::CopyGameToVariation() {
    const display::GameDisplay& display = window_.Viewer().Display();
    // A search variation is played from the initial position.
    if (display.GameHeaderSlots().fenPresent) {
        window_.Messages().ShowMessage(kSetUpGameNotAVariation);
        return;
    }
    search::SearchVariation& variation = window_.Search().criteria.variation;
    variation.Clear();
    const chess::MoveList& moves = display.Context().moves;
    for (int ply = 1; ply <= display.CurrentPly(); ++ply) {
        const std::size_t index = static_cast<std::size_t>((ply - 1) / 2);
        variation.MoveOfPly(ply) = ply % 2 == 1 ? moves.whiteMoves[index] : moves.blackMoves[index];
    }
    window_.Platform().commands->PostCommand(kCmdEditVariation);
}

void SearchCommands::CopyGameToPosition() {
    // The squares only: the count conditions stay as they were set.
    window_.Search().criteriaBoard.squares = window_.Viewer().Display().Screen().Shown();
    window_.Platform().commands->PostCommand(kCmdEditPosition);
}

void SearchCommands::Toggle(int commandId, bool& option) {
    option = !option;
    window_.SetMenuChecked(commandId, option);
}

bool SearchCommands::PrepareVariation() {
    const search::SearchVariation& variation = window_.Search().criteria.variation;
    if (variation.Empty()) {
        window_.Messages().ShowMessage(kNoVariationEntered);
        return false;
    }
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    context->batch = true;
    const VariationReplay replay = ReplayVariation(variation, *context);
    if (replay.badPly != 0) {
        char text[96];
        std::snprintf(text, sizeof text, kVariationMoveNotPlayable,
                      std::string(chess::SanView(variation.MoveOfPly(replay.badPly))).c_str());
        window_.Messages().ShowMessage(text);
        return false;
    }
    return true;
}

bool SearchCommands::PreparePosition() {
    SearchSession& session = window_.Search();
    if (CriteriaBoardEmpty(session.criteriaBoard, session.criteria.position.moveNumber)) {
        // Lists loaded from a criteria file and not yet put on the board still count.
        if (session.criteria.position.Empty()) {
            window_.Messages().ShowMessage(kNoPositionEntered);
            return false;
        }
        return true;
    }
    search::BuildPositionLists(session.criteriaBoard, session.criteria.position);
    return true;
}

bool SearchCommands::Prepare(const SearchRequest& request) {
    if (request.kind == search::kHeaderSearch && window_.Search().criteria.header.Empty() &&
        request.combination == search::kAlone) {
        window_.Messages().ShowMessage(kNoHeaderEntered);
        return false;
    }
    if (NeedsVariation(request) && !PrepareVariation()) {
        return false;
    }
    if (NeedsPosition(request) && !PreparePosition()) {
        return false;
    }
    if (request.kind == search::kHeaderSearch) {
        // "Save Header" stores what the last header search combined with.
        window_.DirectorySearch().headerCombination = request.combination;
    }
    return true;
}

int SearchCommands::SearchOpenFile(const SearchRequest& request) {
    gamefile::GameFile& open = window_.File();
    if (!open.IsOpen()) {
        window_.Messages().ShowMessage(gamefile::kMustOpenFile);
        return -1;
    }
    if (!Prepare(request)) {
        return -1;
    }
    // The search reads the file through its own reader and context, leaving the display's alone.
    gamefile::LineReader reader;
    reader.Attach(open.Descriptor());
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    context->batch = true;
    search::SearchFile file;
    file.path = open.Path();
    file.fileName = open.FileName();
    file.reader = &reader;
    file.index = &open.Index();
    file.gameCount = open.GameCount();
    file.context = context.get();
    file.messages = [this](std::string_view text) { window_.Messages().ShowMessage(text); };
    search::SearchResult result;
    runSearch(file, window_.Search().criteria, request.kind, request.combination, result);
    PresentResult(request, result);
    return result.Count();
}

void SearchCommands::PresentResult(const SearchRequest& request, const search::SearchResult& result) {
    SearchSession& session = window_.Search();
    session.lastResult = result;
    if (result.Count() < 2 || !showWinStatistics) {
        window_.Messages().ShowCountMessage(search::kNumberOfGamesFound, result.Count());
    } else {
        showWinStatistics(result);
    }
    if (result.Count() < 1) {
        return;
    }
    session.navigation.Set(search::MatchListKindOf(request.kind), result);
    session.searchActive = true;
    gamefile::GameFile& file = window_.File();
    const int first = session.navigation.CurrentGame();
    if (first >= 1 && first <= file.GameCount()) {
        file.currentGame = first;
        window_.Viewer().ShowCurrentGame();
    }
}

int SearchCommands::SearchedPly() const {
    const SearchSession& session = window_.Search();
    if (!session.navigation.Active()) {
        return 0;
    }
    if (int ply = session.navigation.CurrentPly(); ply > 0) {
        return ply;
    }
    // A variation match: the position after the plies of the variation that matched.
    return session.lastResult.pliesMatched;
}

void SearchCommands::SearchDirectory(const SearchRequest& request) {
    if (!window_.File().IsOpen()) {
        window_.Messages().ShowMessage(gamefile::kMustOpenFile);
        return;
    }
    if (!Prepare(request)) {
        return;
    }
    if (!startDirectorySearch) {
        window_.Messages().ShowMessage(kNotAvailableYet);
        return;
    }
    startDirectorySearch(request.kind, request.combination);
}

void SearchCommands::EditHeader() {
    platform::DialogService* dialogs = window_.Platform().dialogs;
    if (dialogs == nullptr) {
        return;
    }
    HeaderSearchDialog dialog(window_.Search().criteria.header);
    dialog.choosePlayers = window_.selectPlayer;
    if (!dialogs->RunDialog(dialog)) {
        return;
    }
    window_.Search().criteria.header = dialog.fields;
    if (dialog.chosen == HeaderDialogButton::kSearchFile) {
        window_.SetSecondPendingCommand(kCmdHeaderSearchFile);
    } else if (dialog.chosen == HeaderDialogButton::kSearchDir) {
        window_.SetSecondPendingCommand(kCmdHeaderSearchDirectory);
    }
}

}  // namespace ravelin::shell

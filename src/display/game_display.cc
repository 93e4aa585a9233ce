#include "display/game_display.h"

#include <algorithm>
#include <cstdio>

#include "chess/annotations.h"
#include "display/figurine_text.h"
#include "display/last_move.h"

namespace ravelin::display {

namespace {

constexpr int kFigurineNotation = 1;
constexpr int kNoAnimation = 0;
constexpr int kMiddleDivisor = 2;
// Space between the board's top margin lines and its edge.
constexpr int kTopMarginInset = 2;
// "Highlight Current Position" as the settings record keeps it: 8 marks the replay's move.
constexpr int kReplayMoveMarked = 8;
// The column text's panel starts this far left of the text.
constexpr int kColumnPanelInset = 4;

std::string Format(const char* pattern, int number, std::string_view text) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, number, std::string(text).c_str());
    return buffer;
}

// What stands before a ply's move in the move list ("%3d. " for white) and below the board.
std::string MoveListPrefix(int ply) {
    return ply % 2 == 1 ? Format("%3d. %s", (ply + 1) / 2, "") : std::string();
}

std::string MoveNumberPrefix(int ply) {
    return ply % 2 == 1 ? Format("%3d. %s", (ply + 1) / 2, "") : Format("%3d. ... %s", ply / 2, "");
}

}  // namespace

GameDisplayOptions GameDisplayOptions::From(const settings::SettingsRecord& record,
                                            const std::string& workingDirectory) {
    GameDisplayOptions options;
    options.boardSize = record.BoardSize();
    options.squareSize = SquareSizeOf(options.boardSize);
    options.pieceStyle = record.PieceStyle();
    options.workingDirectory = workingDirectory;
    options.colours = BoardColoursFrom(record);
    options.currentMoveColour = FromColourValue(record.CurrentPositionColour());
    options.animate = record.SlideDelay() > kNoAnimation;
    if (options.animate) {
        options.slideStepMs =
            std::max(1, (record.SlideDelay() + kSlideDelayPerStepMs - 1) / kSlideDelayPerStepMs);
    }
    options.figurines = record.NotationStyle() == kFigurineNotation;
    options.columnFormat = record.ColumnFormat();
    options.annotationWindow = record.AutoDisplayAnalysisComments();
    options.gameButtons = record.DisplayGameButtons();
    options.variationColour = FromColourValue(record.VariationsColour());
    options.markReplayMove = record.HighlightCurrentPosition() == kReplayMoveMarked;
    options.replayHighlight = FromColourValue(record.ReplayHighlightColour());
    options.movesTextBackground = FromColourValue(record.MovesTextBackgroundColour());
    options.gridColour = FromColourValue(record.GridColour());
    options.moveNumberBackground = FromColourValue(record.MoveNumberBackgroundColour());
    const int highlight = record.HighlightLastMove();
    if (highlight == static_cast<int>(HighlightKind::kNormal) ||
        highlight == static_cast<int>(HighlightKind::kThick)) {
        options.highlight = static_cast<HighlightKind>(highlight);
    }
    std::string letters = record.PieceLetters();
    if (letters.size() == options.letters.letters.size()) {
        std::copy(letters.begin(), letters.end(), options.letters.letters.begin());
        options.letters.custom = letters != settings::kDefaultPieceLetters;
    }
    return options;
}

GameDisplay::GameDisplay()
    : context_(chess::MakeChessContext()),
      record_(chess::MakeGameRecord()),
      headerSlots_(std::make_unique<gamefile::GameHeader>()),
      header_(std::make_unique<gamefile::HeaderDisplay>()) {
    layout_ = GameLayoutFor(options_.squareSize);
}

GameDisplay::~GameDisplay() = default;

void GameDisplay::Configure(const GameDisplayOptions& options) {
    slide_.reset();
    slides_.clear();
    options_ = options;
    layout_ = GameLayoutFor(options.squareSize);
    const PieceSet* set = pieceSets_.Get(options.workingDirectory, options.pieceStyle, options.boardSize);
    BoardView view;
    view.squareSize = options.squareSize;
    view.flipped = flipped_;
    screen_.Configure(view, options.colours, set);
    // Loaded here, never while painting; without them the moves keep their letters.
    shownFigurines_ = options.figurines
                          ? figurines_.Get(options.workingDirectory, UsesLargeFigurines(options.boardSize))
                          : nullptr;
    dirty_ = UniteRects(dirty_, screen_.DrawWhole(ShownBoard()));
    highlighted_.clear();
    MarkLastMove(currentPly_);
    RebuildColumnWords();
    RefreshAnnotations(false);
}

void GameDisplay::RemoveHighlight() {
    BoardPainter painter = screen_.Painter();
    for (const BoardSquare& square : highlighted_) {
        dirty_ = UniteRects(dirty_, painter.DrawSquare(square.file, square.rank));
        painter.DrawPiece(square.file, square.rank, screen_.Shown()[square.file][square.rank]);
    }
    highlighted_.clear();
}

void GameDisplay::MarkLastMove(int ply) {
    RemoveHighlight();
    if (!hasGame_ || options_.highlight == HighlightKind::kNone) {
        return;
    }
    if (!variation_ && (ply < 1 || ply > totalPlies_)) {
        return;
    }
    const std::optional<LastMoveSquares> move =
        variation_ ? FindLastMove(variation_->BoardBefore(), variation_->Board())
                   : FindLastMove(BoardOfPly(ply - 1), BoardOfPly(ply));
    if (!move) {
        return;
    }
    BoardPainter painter = screen_.Painter();
    for (const BoardSquare& square : {move->from, move->to}) {
        dirty_ = UniteRects(dirty_, painter.DrawSquare(square.file, square.rank));
        painter.DrawHighlight(square.file, square.rank, options_.highlight);
        painter.DrawPiece(square.file, square.rank, screen_.Shown()[square.file][square.rank]);
        highlighted_.push_back(square);
    }
}

chess::Board GameDisplay::BoardOfPly(int ply) const {
    if (!hasGame_) {
        return chess::MakeStartBoard();
    }
    return chess::FromCompact(
        context_->history.boards[static_cast<std::size_t>(std::clamp(ply, 0, totalPlies_))]);
}

bool GameDisplay::ShowGame(gamefile::GameFile& file, int gameNumber) {
    if (!file.IsOpen()) {
        return ShowGameFrom(file.FileName(), nullptr, file.Index(), gameNumber);
    }
    return ShowGameFrom(file.FileName(), &file.Reader(), file.Index(), gameNumber);
}

bool GameDisplay::ShowGame(const std::string& fileName, gamefile::LineReader& reader,
                           const gamefile::GameIndex& index, int gameNumber) {
    return ShowGameFrom(fileName, &reader, index, gameNumber);
}

std::optional<std::uint64_t> GameDisplay::ShownMoveEndOffset() const {
    if (!hasGame_) {
        return std::nullopt;
    }
    if (variation_) {
        const std::optional<LineMoveOffset> move =
            FindLineMove(LineMoveOffsets(*record_), variation_->variationId, variation_->current);
        return move ? std::optional<std::uint64_t>(move->end) : std::nullopt;
    }
    if (currentPly_ < 1 || currentPly_ > totalPlies_) {
        return std::nullopt;
    }
    return record_->moveEndOffsets[static_cast<std::size_t>(currentPly_)];
}

bool GameDisplay::ShowWordOfLineMove(int variationId, int indexInVariation) {
    for (std::size_t word = 0; word < columnWords_.size(); ++word) {
        const ColumnWord& candidate = columnWords_[word];
        if (candidate.kind == ColumnWordKind::kVariationMove && candidate.variationId == variationId &&
            candidate.indexInVariation == indexInVariation) {
            return ShowVariationMove(word);
        }
    }
    return false;
}

bool GameDisplay::ShowGameFrom(std::string_view fileName, gamefile::LineReader* reader,
                               const gamefile::GameIndex& index, int gameNumber) {
    FinishAnimation();
    hasGame_ = false;
    analysisActive_ = false;
    variation_.reset();
    columnScroll_.Reset();
    currentPly_ = 0;
    previousPly_ = 0;
    totalPlies_ = 0;
    opening_.clear();
    context_->messages = messages;
    context_->shownPromotionWarnings = 0;
    record_->displayWidth =
        options_.squareSize == kNormalSquareSize ? chess::kNormalDisplayWidth : chess::kWideDisplayWidth;
    if (reader == nullptr ||
        !gamefile::LoadGameHeader(fileName, *reader, index, gameNumber, *headerSlots_, *header_, messages)) {
        dirty_ = UniteRects(dirty_, screen_.DrawWhole(chess::MakeStartBoard()));
        highlighted_.clear();
        return false;
    }
    gamefile::ParseGameMovetext(*reader, *headerSlots_, *context_, *record_);
    const gamefile::ReplaySummary summary = gamefile::ReplayParsedGame(*context_, *record_, *headerSlots_);
    totalPlies_ = std::clamp(summary.pliesPlayed, 0, chess::kMaxPly);
    hasGame_ = true;
    chess::RestorePosition(*context_, 0);
    dirty_ = UniteRects(dirty_, screen_.DrawWhole(BoardOfPly(0)));
    highlighted_.clear();
    RebuildColumnWords();
    UpdateOpening(0, kOpeningLinePlyLimit);
    RefreshAnnotations(true);
    return true;
}

void GameDisplay::UpdateOpening(int ply, int limit) {
    if (ply >= limit || !openingLine) {
        return;
    }
    if (std::optional<std::string> text = openingLine(ply)) {
        opening_ = *text;
    }
}

void GameDisplay::ChangeTo(int ply, bool stepping) {
    ply = std::clamp(ply, 0, totalPlies_);
    if (!hasGame_) {
        return;
    }
    if (variation_) {
        // The variation's board may differ from the main line's in many squares.
        FinishAnimation();
        LeaveVariation();
        stepping = false;
    }
    const int old = currentPly_;
    chess::RestorePosition(*context_, ply);
    if (stepping) {
        DisplayMoveChange(old, ply);
    } else {
        DrawPositionAtPly(ply);
    }
    previousPly_ = old;
    currentPly_ = ply;
    UpdateOpening(ply, ply < old ? kOpeningLinePlyLimit - 1 : kOpeningLinePlyLimit);
    RefreshAnnotations(true);
}

bool GameDisplay::NextPly() {
    if (variation_) {
        return StepInVariation(1);
    }
    if (!hasGame_ || currentPly_ >= totalPlies_) {
        return false;
    }
    ChangeTo(currentPly_ + 1, true);
    return true;
}

bool GameDisplay::PreviousPly() {
    if (variation_) {
        return StepInVariation(-1);
    }
    if (!hasGame_ || currentPly_ <= 0) {
        return false;
    }
    ChangeTo(currentPly_ - 1, true);
    return true;
}

void GameDisplay::GoToStart() {
    ChangeTo(0, false);
}

void GameDisplay::GoToPly(int argument) {
    int target = 0;
    if (argument == kGoToLast) {
        target = totalPlies_;
    } else if (argument == kGoToMiddle) {
        // White to move: half the game made odd, at least 1.
        target = totalPlies_ / kMiddleDivisor;
        if (target % 2 == 0) {
            target -= 1;
        }
        target = std::max(target, 1);
    } else if (argument == kGoToStored) {
        target = storedPly;
    } else if (argument < 0) {
        target = clickedPly_;
    } else {
        target = argument;
    }
    ChangeTo(std::min(target, totalPlies_), false);
}

void GameDisplay::ForwardTen() {
    if (totalPlies_ - currentPly_ <= kTenPlies) {
        GoToPly(kGoToLast);
    } else {
        ChangeTo(currentPly_ + kTenPlies, false);
    }
}

void GameDisplay::BackTen() {
    if (currentPly_ <= kTenPlies) {
        GoToStart();
    } else {
        ChangeTo(currentPly_ - kTenPlies, false);
    }
}

void GameDisplay::RedrawCurrent() {
    FinishAnimation();
    dirty_ = UniteRects(dirty_, screen_.DrawWhole(ShownBoard()));
    highlighted_.clear();
    MarkLastMove(currentPly_);
}

void GameDisplay::DrawPositionAtPly(int ply) {
    FinishAnimation();
    dirty_ = UniteRects(dirty_, screen_.DrawPosition(BoardOfPly(ply)).dirty);
    MarkLastMove(ply);
}

void GameDisplay::DisplayMoveChange(int, int toPly) {
    FinishAnimation();
    const chess::Board next = BoardOfPly(toPly);
    if (!options_.animate) {
        dirty_ = UniteRects(dirty_, screen_.DrawPosition(next).dirty);
        MarkLastMove(toPly);
        return;
    }
    DrawAnimated(next, toPly);
}

void GameDisplay::DrawAnimated(const chess::Board& next, int toPly) {
    const chess::Board& shown = screen_.Shown();
    const std::vector<BoardSquare> changed = ChangedSquares(shown, next);
    if (static_cast<int>(changed.size()) > kMaxAnimatedSquares) {
        if (messages) {
            messages(kErrorInDisplayMove);
        }
        // Nothing is left half drawn: the board is shown whole at the new ply.
        dirty_ = UniteRects(dirty_, screen_.DrawWhole(next));
        highlighted_.clear();
        MarkLastMove(toPly);
        return;
    }
    // The old frames must not travel into the slides' background; the new ones follow the slides.
    RemoveHighlight();
    slideTargetPly_ = toPly;
    // Each square that gets a piece takes it from a changed square that held that piece: the king
    // and rook of a castling, the capturing pawn of an en passant, the piece of a plain move. A
    // piece that only appears or disappears (a capture undone, a promotion) is drawn in place.
    slides_.clear();
    std::vector<bool> used(changed.size(), false);
    for (const BoardSquare& to : changed) {
        const chess::PieceCode code = next[to.file][to.rank];
        if (code == chess::kEmpty) {
            continue;
        }
        for (std::size_t k = 0; k < changed.size(); ++k) {
            const BoardSquare& from = changed[k];
            if (!used[k] && !(from == to) && shown[from.file][from.rank] == code) {
                used[k] = true;
                slides_.push_back({from, to, code});
                break;
            }
        }
    }
    chess::Board background = next;
    for (const Slide& slide : slides_) {
        background[slide.to.file][slide.to.rank] = chess::kEmpty;
    }
    dirty_ = UniteRects(dirty_, screen_.DrawPosition(background).dirty);
    if (slides_.empty()) {
        MarkLastMove(toPly);
        return;
    }
    slideBackground_ = screen_.Image();
    nextSlide_ = 0;
    StartNextSlide();
}

void GameDisplay::StartNextSlide() {
    slide_.reset();
    if (nextSlide_ >= slides_.size()) {
        slides_.clear();
        MarkLastMove(slideTargetPly_);
        return;
    }
    const Slide& slide = slides_[nextSlide_++];
    slide_.emplace(slideBackground_, slide.code, screen_.View(), slide.from, slide.to);
}

PixelRect GameDisplay::StepAnimation() {
    if (!slide_) {
        return {};
    }
    const PieceSet* set = pieceSets_.Get(options_.workingDirectory, options_.pieceStyle, options_.boardSize);
    PixelRect dirty = slide_->Step(screen_.MutableImage(), options_.colours, set);
    if (slide_->Done()) {
        const Slide& done = slides_[nextSlide_ - 1];
        screen_.SetShown(done.to.file, done.to.rank, done.code);
        // The next slide passes over this piece where it now stands.
        BoardPainter(slideBackground_, screen_.View(), options_.colours, set)
            .DrawPiece(done.to.file, done.to.rank, done.code);
        StartNextSlide();
    }
    dirty_ = UniteRects(dirty_, dirty);
    return dirty;
}

void GameDisplay::FinishAnimation() {
    while (slide_) {
        StepAnimation();
    }
}

void GameDisplay::Flip() {
    FinishAnimation();
    flipped_ = !flipped_;
    Configure(options_);
}

MoveListHit GameDisplay::MoveListHitTest(int x, int y) {
    MoveListHit hit = display::MoveListHitTest(layout_.moveList, MoveListPage(), totalPlies_, x, y);
    if (hit.kind == MoveListHitKind::kMove) {
        clickedPly_ = hit.ply;
    }
    return hit;
}

bool GameDisplay::ClickAt(int x, int y) {
    if (!hasGame_ || x < layout_.panelX) {
        return false;
    }
    if (options_.columnFormat) {
        LayOutColumn();
        const ColumnMoveEntry* entry = ColumnHitTest(columnLayout_, x, y);
        if (entry == nullptr) {
            return false;
        }
        if (entry->depth != 0) {
            return ShowVariationMove(entry->word);
        }
        clickedPly_ = entry->ply;
        GoToPly(kGoToClicked);
        return true;
    }
    if (MoveListHitTest(x, y).kind != MoveListHitKind::kMove) {
        return false;
    }
    GoToPly(kGoToClicked);
    return true;
}

std::string GameDisplay::LocalisedMove(int ply) const {
    return LocalisedText(std::string(chess::SanView(context_->moves.MoveOfPly(ply))));
}

std::string GameDisplay::LocalisedText(std::string move) const {
    chess::LocalisePieceLetters(move, options_.letters);
    return move;
}

void GameDisplay::AppendMove(GameViewState& state, const TextItem& base, const std::string& prefix, int ply,
                             int maxWidth) const {
    std::string_view letters(options_.letters.letters.data(), options_.letters.letters.size());
    AppendMoveText(state.texts, base, prefix, LocalisedMove(ply), maxWidth, shownFigurines_, letters,
                   measure);
}

std::string GameDisplay::PlainMove(int ply) const {
    if (ply < 1 || ply > totalPlies_) {
        return {};
    }
    std::string move(chess::SanView(context_->moves.MoveOfPly(ply)));
    chess::LocalisePieceLetters(move, options_.letters);
    return move;
}

std::string GameDisplay::MoveListText(int ply) const {
    if (ply < 1 || ply > totalPlies_) {
        return {};
    }
    return MoveListPrefix(ply) + LocalisedMove(ply);
}

std::string GameDisplay::MoveNumberText(int ply) const {
    if (ply < 1 || ply > totalPlies_) {
        return {};
    }
    return MoveNumberPrefix(ply) + LocalisedMove(ply);
}

bool GameDisplay::PlyHasAnnotation(int ply) const {
    return ply >= 0 && ply <= chess::kMaxPly &&
           record_->annotationIndex[static_cast<std::size_t>(ply)].kind != chess::AnnotationKind::kNone;
}

std::vector<std::string> GameDisplay::AnnotationLines(int ply) const {
    std::vector<std::string> lines;
    if (!hasGame_ || !PlyHasAnnotation(ply)) {
        return lines;
    }
    chess::AnnotationOutput output;
    output.list = &lines;
    output.width = record_->displayWidth;
    chess::ShowAnnotations(*record_, ply, output);
    return lines;
}

void GameDisplay::RefreshAnnotations(bool newPly) {
    std::vector<std::string> lines;
    if (hasGame_) {
        // With "Auto Display Analysis Comments" off the window keeps to the opening line.
        const std::vector<std::string> annotations =
            options_.annotationWindow ? AnnotationLines(currentPly_) : std::vector<std::string>{};
        // A long opening name goes on as many lines as it needs rather than being cut by the list:
        // as wide as the list, or beside the scroll bar when the lines then need one.
        auto build = [&](const AnnotationListPlace& place) {
            lines.clear();
            if (!opening_.empty()) {
                lines = WrapToWidth(opening_, AnnotationTextWidth(place), layout_.fontPixels, measure);
            }
            lines.insert(lines.end(), annotations.begin(), annotations.end());
        };
        build(AnnotationPlace(0));
        const AnnotationListPlace place = AnnotationPlace(static_cast<int>(lines.size()));
        if (!place.scrollBar.Empty()) {
            build(place);
        }
    }
    if (newPly) {
        annotationList_.Reset(std::move(lines));
    } else {
        annotationList_.Replace(std::move(lines));
    }
}

AnnotationListPlace GameDisplay::AnnotationPlace(int lineCount) const {
    // The column text fills the panel to the bottom; the move list ends above the list.
    return PlaceAnnotationList(layout_, lineCount, !options_.columnFormat);
}

void GameDisplay::ScrollAnnotationsTo(int firstLine) {
    annotationList_.ScrollTo(firstLine, AnnotationPlace(annotationList_.LineCount()).visibleLines);
}

bool GameDisplay::WheelOverAnnotations(int x, int y, int lines) {
    const AnnotationListPlace place = AnnotationPlace(annotationList_.LineCount());
    if (!hasGame_ || !place.area.Contains(x, y)) {
        return false;
    }
    annotationList_.ScrollBy(lines, place.visibleLines);
    return true;
}

std::optional<GameButton> GameDisplay::ButtonAt(int x, int y) const {
    if (!hasGame_ || !options_.gameButtons) {
        return std::nullopt;
    }
    return GameButtonAt(layout_, x, y);
}

GameViewState GameDisplay::State(const std::string& fileLine, const std::string& gameLine) {
    GameViewState state;
    state.kind = GameViewKind::kGame;
    state.background = options_.colours.background;
    state.boardShown = true;
    state.boardDirty = dirty_;
    dirty_ = {};
    const int textWidth = layout_.boardImageSize - layout_.squareSize;
    int y = kTopMarginInset;
    for (const std::string& line : {fileLine, gameLine}) {
        TextItem item;
        item.x = layout_.squareSize;
        item.y = y;
        item.lineHeight = layout_.lineHeight;
        item.fontPixels = layout_.fontPixels;
        item.text = FitText(line, textWidth, item.fontPixels, item.font, measure);
        state.texts.push_back(item);
        y += layout_.lineHeight;
    }
    if (hasGame_) {
        if (options_.columnFormat) {
            state.textPanel = TextPanel{{layout_.panelX - kColumnPanelInset, 0,
                                         layout_.panelWidth + kColumnPanelInset, layout_.clientHeight},
                                        options_.movesTextBackground,
                                        options_.gridColour};
            LayOutColumn();
            for (const TextItem& item : columnLayout_.texts) {
                if (item.y + item.lineHeight > 0 && item.y < layout_.clientHeight) {
                    state.texts.push_back(item);
                }
            }
        } else {
            AddHeading(state);
            AddMoveList(state);
        }
        AddBelowBoard(state);
        state.scrollBar = PlacedScrollBar();
    }
    return state;
}

std::vector<std::string> GameDisplay::ColumnHeadings() const {
    const gamefile::HeaderDisplay& h = *header_;
    auto text = [](const auto& value) { return std::string(gamefile::TextOf(value)); };
    std::string players = text(h.white);
    if (!text(h.whiteElo).empty()) {
        players += " (" + text(h.whiteElo) + ")";
    }
    players += " - " + text(h.black);
    if (!text(h.blackElo).empty()) {
        players += " (" + text(h.blackElo) + ")";
    }
    if (!text(h.eco).empty()) {
        players += " [" + text(h.eco) + "]";
    }
    std::string event = text(h.event);
    if (!text(h.site).empty()) {
        event += (event.empty() ? "" : ", ") + text(h.site);
    }
    if (!text(h.round).empty()) {
        event += (event.empty() ? "(" : " (") + text(h.round) + ")";
    }
    std::string date = text(h.date);
    // yyyy.mm.dd is shown as dd.mm.yyyy.
    constexpr std::size_t kDateLength = 10;
    if (date.size() == kDateLength && date[4] == '.' && date[7] == '.') {
        date = date.substr(8, 2) + "." + date.substr(5, 2) + "." + date.substr(0, 4);
    }
    if (!date.empty()) {
        event += (event.empty() ? "" : ", ") + date;
    }
    // The annotator of an annotated game stands in brackets below.
    std::string annotator;
    const std::string_view annotatorTag = headerSlots_->Slot(gamefile::TagSlot::kAnnotator);
    if (!annotatorTag.empty()) {
        std::string value(annotatorTag);
        value.resize(gamefile::ExtractTagValue(value.data()));
        if (!value.empty()) {
            annotator = "[" + value + "]";
        }
    }
    return {players, event, annotator};
}

void GameDisplay::RebuildColumnWords() {
    columnWords_.clear();
    columnLayout_ = {};
    if (!hasGame_) {
        return;
    }
    ColumnGameInput game;
    game.headings = ColumnHeadings();
    for (int ply = 1; ply <= totalPlies_; ++ply) {
        game.moves.push_back(PlainMove(ply));
    }
    game.annotations.resize(static_cast<std::size_t>(totalPlies_) + 1);
    for (int ply = 0; ply <= totalPlies_; ++ply) {
        if (PlyHasAnnotation(ply)) {
            chess::AnnotationOutput output;
            output.mode = chess::AnnotationOutputMode::kColumnText;
            output.text = &game.annotations[static_cast<std::size_t>(ply)];
            chess::ShowAnnotations(*record_, ply, output);
        }
    }
    game.result = std::string(chess::SanView(record_->result));
    columnWords_ = BuildColumnWords(game);
}

void GameDisplay::AddHeading(GameViewState& state) const {
    const gamefile::HeaderDisplay& h = *header_;
    std::string players =
        std::string(gamefile::TextOf(h.white)) + " - " + std::string(gamefile::TextOf(h.black));
    std::string event(gamefile::TextOf(h.event));
    if (!gamefile::TextOf(h.site).empty()) {
        event += (event.empty() ? "" : ", ") + std::string(gamefile::TextOf(h.site));
    }
    std::string date(gamefile::TextOf(h.date));
    for (std::string_view part :
         {gamefile::TextOf(h.round), gamefile::TextOf(h.eco), gamefile::TextOf(h.result)}) {
        if (!part.empty()) {
            date += (date.empty() ? "" : "  ") + std::string(part);
        }
    }
    int row = 1;
    for (const std::string& line : {players, event, date}) {
        TextItem item;
        item.x = layout_.panelX;
        item.y = layout_.MoveRowY(row);
        item.lineHeight = layout_.lineHeight;
        item.fontPixels = layout_.fontPixels;
        item.bold = row == 1;
        item.text = FitText(line, layout_.panelWidth, item.fontPixels, item.font, measure);
        state.texts.push_back(item);
        ++row;
    }
}

void GameDisplay::AddMoveList(GameViewState& state) const {
    const int page = MoveListPage();
    const int first = (page - 1) * kPliesPerMoveListPage + 1;
    const int last = std::min(totalPlies_, page * kPliesPerMoveListPage);
    const int columnWidth = layout_.moveList.blackColumnOffset;
    for (int ply = first; ply <= last; ++ply) {
        const MoveListCell cell = CellOfPly(ply);
        TextItem item;
        item.x = layout_.MoveColumnX(cell.columnPair, cell.black);
        item.y = layout_.MoveRowY(cell.pageRow);
        item.lineHeight = layout_.lineHeight;
        item.fontPixels = layout_.fontPixels;
        item.colour = ply == currentPly_                           ? options_.currentMoveColour
                      : analysisActive_ && ply > analysisStartPly_ ? options_.variationColour
                                                                   : kTextColour;
        item.bold = ply == currentPly_;
        if (ply == currentPly_ && analysisActive_ && options_.markReplayMove) {
            item.colour = kTextColour;
            item.box = options_.replayHighlight;
        }
        AppendMove(state, item, MoveListPrefix(ply), ply, columnWidth);
    }
    // The result stands after the game's last move while it is the current one.
    const std::string_view result = chess::SanView(record_->result);
    if (!analysisActive_ && currentPly_ == totalPlies_ && totalPlies_ > 0 && !result.empty() &&
        PageOfPly(totalPlies_) == page && totalPlies_ < kMoveListPlies) {
        const MoveListCell cell = CellOfPly(totalPlies_ + 1);
        if (cell.page == page) {
            TextItem item;
            item.x = layout_.MoveColumnX(cell.columnPair, cell.black) +
                     (cell.black ? 0 : (EstimatedTextWidth("    ", layout_.fontPixels, TextFont::kSans)));
            item.y = layout_.MoveRowY(cell.pageRow);
            item.lineHeight = layout_.lineHeight;
            item.fontPixels = layout_.fontPixels;
            item.text = std::string(result);
            state.texts.push_back(item);
        }
    }
}

void GameDisplay::AddBelowBoard(GameViewState& state) const {
    // The move number sits in the board's bottom margin.
    if (currentPly_ > 0 || variation_) {
        TextItem number;
        number.x = layout_.squareSize;
        number.y = kBoardExtentSquares * layout_.squareSize + (layout_.squareSize - layout_.lineHeight) / 2;
        number.lineHeight = layout_.lineHeight;
        number.fontPixels = layout_.fontPixels;
        number.bold = true;
        // An analysis move or a clicked variation move has no annotation entry of its own.
        const bool ownMove = !variation_ && !analysisActive_;
        number.colour = ownMove && PlyHasAnnotation(currentPly_) ? kAnnotatedMoveNumberColour : kTextColour;
        if (variation_) {
            number.text = VariationMoveNumberText(variation_->CurrentPlyNumber(),
                                                  LocalisedText(variation_->CurrentMove()));
            state.texts.push_back(number);
        } else {
            AppendMove(state, number, MoveNumberPrefix(currentPly_), currentPly_,
                       layout_.boardImageSize - layout_.squareSize);
        }
    }
    if (options_.gameButtons) {
        AddGameButtons(state, layout_, currentPly_, totalPlies_, variation_.has_value() || analysisActive_);
    }
    AddAnnotationList(state, layout_, annotationList_, !options_.columnFormat, measure);
}

}  // namespace ravelin::display

#pragma once

// The game on the screen: it loads a game, replays it once so that every ply's position is in the
// history, and moves a current ply through it, redrawing only the squares that change, keeping the
// move list's highlight on the current move and showing the annotations after it. The window
// shows what State() says.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"
#include "chess/chess_messages.h"
#include "chess/movetext.h"
#include "chess/piece_letters.h"
#include "chess/variation_stepper.h"
#include "display/annotation_list.h"
#include "display/board_screen.h"
#include "display/column_format.h"
#include "display/column_scroll.h"
#include "display/figurines.h"
#include "display/game_buttons.h"
#include "display/game_layout.h"
#include "display/game_view_state.h"
#include "display/move_list_layout.h"
#include "display/piece_set.h"
#include "display/slide_animation.h"
#include "display/variation_view.h"
#include "gamefile/game_file.h"
#include "gamefile/game_header.h"
#include "gamefile/game_loader.h"
#include "settings/settings_record.h"

namespace ravelin::display {

inline constexpr std::string_view kErrorInDisplayMove = "Error in display move.";
inline constexpr std::string_view kNoAnalysisForFen = "Play analysis is not supported for FEN positions.";
// More changed squares than a castling cannot be shown as sliding pieces.
inline constexpr int kMaxAnimatedSquares = 4;
// The opening line follows the game up to this ply (one less when stepping back).
inline constexpr int kOpeningLinePlyLimit = 62;
inline constexpr int kTenPlies = 10;
inline constexpr int kDefaultSlideStepMs = 7;
inline constexpr int kSlideDelayPerStepMs = 4;
// GoToPly arguments besides a positive typed ply.
inline constexpr int kGoToLast = 0;
inline constexpr int kGoToMiddle = -1;
inline constexpr int kGoToStored = -2;
inline constexpr int kGoToClicked = -3;  // any other negative value

inline constexpr RgbColour kAnnotatedMoveNumberColour{0, 0, 255};
inline constexpr RgbColour kTextColour{0, 0, 0};

// The settings the display draws with, taken from the settings record.
struct GameDisplayOptions {
    int squareSize = kNormalSquareSize;
    int pieceStyle = 4;
    settings::BoardSizeOption boardSize = settings::BoardSizeOption::kSmall;
    std::string workingDirectory;
    BoardColours colours{};
    RgbColour currentMoveColour{255, 0, 0};
    bool animate = false;
    // Milliseconds between two steps of a sliding piece: a quarter of the slide delay (1 to 200,
    // lower for a higher "Slide Speed"), at least 1.
    int slideStepMs = kDefaultSlideStepMs;
    bool figurines = false;
    HighlightKind highlight = HighlightKind::kNone;
    bool columnFormat = false;
    // The annotation window shows the current move's comments, NAGs and variations.
    bool annotationWindow = true;
    RgbColour variationColour{84, 0, 168};
    // The analysis replay marks its current move with a box of this colour ("Highlight Current
    // Position" on) instead of drawing it in the current-move colour.
    bool markReplayMove = true;
    RgbColour replayHighlight{160, 160, 160};
    // The column text stands on its own background, framed in the grid colour, with the move
    // numbers of the game's moves on boxes of their own.
    RgbColour movesTextBackground{255, 255, 255};
    RgbColour gridColour{0, 0, 0};
    RgbColour moveNumberBackground{232, 232, 232};
    chess::PieceLetters letters;
    bool gameButtons = false;

    static GameDisplayOptions From(const settings::SettingsRecord& record,
                                   const std::string& workingDirectory);
};

class GameDisplay {
  public:
    GameDisplay();
    ~GameDisplay();
    GameDisplay(const GameDisplay&) = delete;
    GameDisplay& operator=(const GameDisplay&) = delete;

    // Messages to the user ("Error in display move.", the chess core's warnings).
    chess::MessageSink messages;
    // The opening name of the current ply; empty leaves the line as it is. Filled by the ECO table.
    std::function<std::optional<std::string>(int ply)> openingLine;
    TextMeasure measure;

    // New options: the piece set is looked up again and the board drawn whole.
    void Configure(const GameDisplayOptions& options);
    const GameDisplayOptions& Options() const { return options_; }
    const GameLayout& Layout() const { return layout_; }

    // Loads game gameNumber of the file and shows its start position. False when the game could
    // not be read (the message was shown).
    bool ShowGame(gamefile::GameFile& file, int gameNumber);
    bool HasGame() const { return hasGame_; }

    bool NextPly();
    bool PreviousPly();
    void GoToStart();
    void GoToPly(int argument);
    void ForwardTen();
    void BackTen();
    void RedrawCurrent();
    void DisplayMoveChange(int fromPly, int toPly);
    void DrawPositionAtPly(int ply);
    void Flip();
    bool Flipped() const { return flipped_; }

    // The move list under a window pixel; a move found becomes the clicked ply.
    MoveListHit MoveListHitTest(int x, int y);
    // A click in the window: a move of the list is gone to. True when the click was on a move.
    bool ClickAt(int x, int y);

    // Slides in progress: one step each call, the changed board rectangle returned.
    bool Animating() const { return slide_.has_value(); }
    PixelRect StepAnimation();
    void FinishAnimation();

    int CurrentPly() const { return currentPly_; }
    // The board of the move shown: a variation's or the current ply's.
    chess::Board ShownBoard() const;
    int TotalPlies() const { return totalPlies_; }
    int PreviousPlyValue() const { return previousPly_; }
    int ClickedPly() const { return clickedPly_; }
    int MoveListPage() const { return PageOfPly(currentPly_); }
    int storedPly = 0;
    int typedPly = 0;

    const BoardScreen& Screen() const { return screen_; }
    const chess::ChessContext& Context() const { return *context_; }
    const chess::GameRecord& Record() const { return *record_; }
    const gamefile::HeaderDisplay& Header() const { return *header_; }
    const gamefile::GameHeader& GameHeaderSlots() const { return *headerSlots_; }
    std::string_view OpeningText() const { return opening_; }
    // The message of a piece set that could not be loaded, once.
    std::string TakePieceSetFailure() { return pieceSets_.TakeFailureMessage(); }
    // kFigurineError once when the figurines could not be loaded (the moves keep their letters).
    std::string TakeFigurineFailure() { return figurines_.TakeFailureMessage(); }

    // The move list entry text of a ply ("%3d. %s" for white, the move alone for black).
    std::string MoveListText(int ply) const;
    // A ply's move in letters (the user's piece letters, never figurines), for plain text.
    std::string PlainMove(int ply) const;
    // Comments, NAGs and variations the parser counted in the game.
    int AnnotationCount() const { return record_->annotationCount; }
    // The column format's words and, after State, where they were drawn.
    const std::vector<ColumnWord>& ColumnWords() const { return columnWords_; }
    const ColumnLayout& ColumnText() const { return columnLayout_; }
    // The line below the board: the move number and move of the current ply.
    std::string MoveNumberText(int ply) const;
    bool PlyHasAnnotation(int ply) const;
    std::vector<std::string> AnnotationLines(int ply) const;
    // The annotation window: the opening line and the current ply's annotation lines, scrolled by
    // its scroll bar (to a first line) and by the wheel over it (by lines).
    const AnnotationList& Annotations() const { return annotationList_; }
    void ScrollAnnotationsTo(int firstLine);
    // Where the list stands with lineCount lines in this layout and view.
    AnnotationListPlace AnnotationPlace(int lineCount) const;
    // False when the point is not over the list, which then leaves the wheel to the game.
    bool WheelOverAnnotations(int x, int y, int lines);
    // The navigation button under a window point while the buttons are shown.
    std::optional<GameButton> ButtonAt(int x, int y) const;

    // Analysis replay ("Play Analysis"): the variations after the shown ply are played move by
    // move on the board, each analysis move taking the place of the game's move in the move list
    // until the game is read again. False (with the message) for a game from a set-up position.
    bool StartAnalysisReplay();
    bool AnalysisReplayActive() const { return analysisActive_; }
    // One analysis move. False when the analysis has ended: the game must then be read again.
    bool StepAnalysisReplay();
    // Leaves the replay; the ply it started from, to return to after reading the game again.
    int StopAnalysisReplay();
    // The column text's scroll position in 16-pixel lines, kept within its range.
    void ScrollColumnTo(int lines);
    void ScrollColumnBy(int lines);
    // The scroll bar beside the column text (the text laid out anew); not shown without the
    // column format or when the text fits the window.
    TextScrollBar ColumnScrollBar();

    // A variation move of the column text (by its index among the words) shown on the board; Next
    // and Prev then step along its variation. False, with a message, when it cannot be played.
    bool ShowVariationMove(std::size_t word);
    bool InVariation() const { return variation_.has_value(); }
    const std::optional<VariationLine>& Variation() const { return variation_; }
    // Back to the main line at the ply the variation stands after.
    void EndVariation();

    // What the window shows; fileLine and gameLine go in the board's top margin.
    GameViewState State(const std::string& fileLine, const std::string& gameLine);

  private:
    chess::Board BoardOfPly(int ply) const;
    bool StepInVariation(int direction);
    // Leaves a variation without drawing; the caller draws the main line's ply.
    void LeaveVariation();
    std::string LocalisedText(std::string move) const;
    // The scroll bar as the last layout of the column text left it.
    TextScrollBar PlacedScrollBar() const;
    void ChangeTo(int ply, bool stepping);
    void DrawAnimated(const chess::Board& next, int toPly);
    // The last-move frames: taken off the squares that have them, and put on the two squares of
    // the move that led to a ply.
    void RemoveHighlight();
    void MarkLastMove(int ply);
    void StartNextSlide();
    void UpdateOpening(int ply, int limit);
    std::string LocalisedMove(int ply) const;
    void AddHeading(GameViewState& state) const;
    // A ply's move after prefix, with its figurine when they are shown.
    void AppendMove(GameViewState& state, const TextItem& base, const std::string& prefix, int ply,
                    int maxWidth) const;
    void AddMoveList(GameViewState& state) const;
    void AddBelowBoard(GameViewState& state) const;
    void ShowAnalysisPly(int ply);
    // The annotation window's lines for the current ply, from the top for a new ply.
    void RefreshAnnotations(bool newPly);
    void RebuildColumnWords();
    void LayOutColumn();
    std::vector<std::string> ColumnHeadings() const;

    struct Slide {
        BoardSquare from;
        BoardSquare to;
        chess::PieceCode code = chess::kEmpty;
    };

    GameDisplayOptions options_;
    GameLayout layout_;
    PieceSetCache pieceSets_;
    FigurineCache figurines_;
    const FigurineSet* shownFigurines_ = nullptr;
    BoardScreen screen_;
    std::unique_ptr<chess::ChessContext> context_;
    std::unique_ptr<chess::GameRecord> record_;
    std::unique_ptr<gamefile::GameHeader> headerSlots_;
    std::unique_ptr<gamefile::HeaderDisplay> header_;
    bool hasGame_ = false;
    bool flipped_ = false;
    int currentPly_ = 0;
    int totalPlies_ = 0;
    int previousPly_ = 0;
    int clickedPly_ = 0;
    std::string opening_;
    PixelRect dirty_;

    std::vector<Slide> slides_;
    std::size_t nextSlide_ = 0;
    RgbImage slideBackground_;
    std::optional<SlideAnimation> slide_;
    std::vector<BoardSquare> highlighted_;
    std::vector<ColumnWord> columnWords_;
    ColumnLayout columnLayout_;
    ColumnScroll columnScroll_;
    std::optional<VariationLine> variation_;
    AnnotationList annotationList_;
    int slideTargetPly_ = 0;
    chess::VariationStepper stepper_;
    bool analysisActive_ = false;
    int analysisStartPly_ = 0;
    int analysisMovesShown_ = 0;
};

}  // namespace ravelin::display

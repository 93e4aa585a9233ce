#include "chess/annotations.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "chess/nag_text.h"
#include "chess/piece_letters.h"
#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::ParsedGame;

// --- NAG texts ---

TEST(NagTexts, TableTextsAreFilledAndOtherNumbersNamedOrUnknown) {
    for (int nag = 1; nag <= 139; ++nag) {
        EXPECT_FALSE(NagTableText(nag).empty()) << nag;
        EXPECT_EQ(NagText(nag), "$" + std::string(NagTableText(nag)) + "$");
    }
    EXPECT_EQ(NagText(142), "$>=$");
    EXPECT_EQ(NagText(146), "$Novelty$");
    for (const int unknown : {0, 140, 141, 143, 144, 145, 147, 99999}) {
        EXPECT_EQ(NagText(unknown), "$Unknown NAG " + std::to_string(unknown) + "$");
    }
    EXPECT_EQ(NagText(14, NagTextMode::kGameWriting), "$14");
    EXPECT_EQ(NagText(14, NagTextMode::kColumnText), "$14$");
}

TEST(NagTexts, LongNumbersSaturateInsteadOfOverflowing) {
    std::size_t used = 0;
    EXPECT_EQ(ReadNagNumber("123456789012345678901234567890 rest", &used), kMaxNagNumber);
    EXPECT_EQ(used, 30U);
    EXPECT_EQ(ReadNagNumber("7)", &used), 7);
}

// --- Word wrapping ---

TEST(DisplayLines, WordLongerThanALineIsCutHardAtTheWidth) {
    std::vector<std::string> list;
    EXPECT_EQ(AddDisplayLine(&list, std::string(100, 'w'), 0, kNormalDisplayWidth), 3);
    EXPECT_EQ(list,
              (std::vector<std::string>{std::string(44, 'w'), std::string(44, 'w'), std::string(12, 'w')}));
    EXPECT_EQ(DisplayLineCount(std::string(kWideDisplayWidth + 1, 'w'), kWideDisplayWidth), 2);
    EXPECT_EQ(AddDisplayLine(nullptr, "short", 3, kNormalDisplayWidth), 4)
        << "without a list only the counter";
}

// --- Annotations of a ply ---

// The display lines of a ply's annotations, joined by '|'.
std::string Shown(const ParsedGame& game, int plyIndex) {
    std::vector<std::string> lines;
    AnnotationOutput output;
    output.list = &lines;
    ShowAnnotations(*game.record, plyIndex, output);
    std::string shown;
    for (const std::string& line : lines) {
        shown += (shown.empty() ? "" : "|") + line;
    }
    return shown;
}

TEST(PlyAnnotations, NagsCommentsAndVariationsUpToTheNextMove) {
    constexpr const char* kGame =
        "1. e4 $1 {good\nmove} ; line end\ne5 (1... d5 {x ( y} 2. d4) $146 2. Nf3 *\n";
    constexpr const char* kNotes = "{Start} 1. e4$1 e5 {a\nb} Nf3 ; rest\nNc6 *\n";
    const std::tuple<const char*, int, const char*> cases[] = {
        {kGame, 1, "$Good move$|{good move}|{ line end}"},
        {kGame, 2, "(1... d5 {x ( y} 2. d4)|$Novelty$"},
        {kGame, 3, ""},
        {kNotes, 0, "{Start}"},
        {kNotes, 1, "$Good move$"},  // a NAG glued to its move
        {kNotes, 2, "{a b}"},
        {kNotes, 3, "{ rest}"},
        // A variation replaces an earlier comment as the ply's first annotation.
        {"1. e4 {comment} (1. d4) e5 *\n", 1, "(1. d4)"},
        {"1. e4 {never closed\nsecond line\n", 1, "{never closed second line"},
        // A long comment is cut at its last blank that fits the width.
        {"1. e4 {This comment is exactly long enough to need two lines.} *", 1,
         "{This comment is exactly long enough to need|two lines.}"},
    };
    for (const auto& [movetext, ply, shown] : cases) {
        EXPECT_EQ(Shown(ParsedGame(movetext), ply), shown) << movetext << " ply " << ply;
    }
}

// The annotations of the plies collected as text in a mode, after what the text held before.
std::string Collected(const ParsedGame& game, std::initializer_list<int> plies, AnnotationOutputMode mode,
                      std::string text = "") {
    AnnotationOutput output;
    output.mode = mode;
    output.text = &text;
    for (const int ply : plies) {
        ShowAnnotations(*game.record, ply, output);
    }
    return text;
}

TEST(PlyAnnotations, TextCollectionModesGoToTheBuffer) {
    ParsedGame game("1. e4 $14 {c} e5 *\n");
    EXPECT_EQ(Collected(game, {1}, AnnotationOutputMode::kGameWriting), "$14\r\n{c}\r\n");
    EXPECT_EQ(Collected(game, {1}, AnnotationOutputMode::kColumnText), "$14$ {c} ");
    // A piece that would not fit under the column text limit is dropped.
    const std::string nearlyFull(kColumnTextLimit - 2, 'x');
    EXPECT_EQ(Collected(game, {1}, AnnotationOutputMode::kColumnText, nearlyFull), nearlyFull);
}

TEST(PlyAnnotations, OnlyTheColumnTextKeepsLineEndsInsideCommentsAndVariations) {
    ParsedGame game("1. e4 {two\nlines} e5 (1... d5\n2. d4) *\n");
    EXPECT_EQ(Shown(game, 1), "{two lines}");
    EXPECT_EQ(Shown(game, 2), "(1... d5 2. d4)");
    EXPECT_EQ(Collected(game, {1, 2}, AnnotationOutputMode::kColumnText), "{two\nlines} (1... d5\n2. d4) ");
}

PieceLetters German() {
    PieceLetters letters;
    EXPECT_EQ(SetPieceLetters("KDTLS", letters), "");
    return letters;
}

TEST(PieceLettersOutput, LettersReplacedButMoveNumbersCastlingAndNcoKeptUnlessSuspended) {
    std::string numbered = "12.Nf3";
    LocaliseAfterMoveNumber(numbered, German());
    EXPECT_EQ(numbered, "12.Sf3");
    std::string text = "O-O NCO Qxd8 Rb1 Bc4 Ke2";
    LocalisePieceLetters(text, German());
    EXPECT_EQ(text, "O-O NCO Dxd8 Tb1 Lc4 Ke2");
    PieceLetters suspended = German();
    suspended.suspended = true;
    char raw[] = "Nf3";
    EXPECT_EQ(LocalisePieceLetters(raw, suspended), raw + 3);
    EXPECT_STREQ(raw, "Nf3");
}

TEST(PieceLettersSetting, RefusedLettersLeaveTheDefaultAndDefaultLettersAreNotCustom) {
    PieceLetters letters;
    EXPECT_EQ(SetPieceLetters("KQRBB", letters), "Characters must be different.");
    EXPECT_EQ(SetPieceLetters("KQR1N", letters), "Only valid characters are A to Z.");
    EXPECT_FALSE(letters.custom);
    letters = German();
    EXPECT_TRUE(letters.custom);
    EXPECT_EQ(SetPieceLetters("KQRBN", letters), "");
    EXPECT_FALSE(letters.custom);
}

}  // namespace
}  // namespace ravelin::chess

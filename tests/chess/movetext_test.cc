#include "chess/movetext.h"

#include <gtest/gtest.h>

#include <string>

#include "movetext_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::ParsedGame;

// --- The main line: which token goes into which entry ---

TEST(MovetextMainLine, CommentAndVariationAreIndexedAfterTheirPly) {
    ParsedGame game("1.e4 e5 2.Nf3 {good} Nc6 (2...d6 3.d4) 3.Bb5 1-0\n");
    EXPECT_EQ(game.moves, 3);
    EXPECT_EQ(game.White(1), "e4");
    EXPECT_EQ(game.Black(2), "Nc6");
    EXPECT_EQ(game.White(3), "Bb5");
    EXPECT_EQ(game.Black(3), "") << "the last black entry of an incomplete move stays empty";
    EXPECT_EQ(game.Annotation(3).kind, AnnotationKind::kComment);
    EXPECT_EQ(game.Annotation(3).column, 14);
    EXPECT_EQ(game.Annotation(4).kind, AnnotationKind::kVariation);
    EXPECT_EQ(game.Annotation(4).column, 25);
    EXPECT_EQ(game.record->plyCount, 5);
    EXPECT_EQ(std::string(SanView(game.record->result)), "1-0");
}

TEST(MovetextMainLine, CastlingWithZerosOrSmallLettersIsStoredWithCapitalO) {
    ParsedGame game("1.e4 e5 2.0-0 o-o-o 3.o-o 0-0-0+ *\n");
    EXPECT_EQ(game.White(2), "O-O");
    EXPECT_EQ(game.Black(2), "O-O-O");
    EXPECT_EQ(game.White(3), "O-O");
    EXPECT_EQ(game.Black(3), "O-O-O+");
    EXPECT_EQ(std::string(game.record->movetextLines[0].View()), "1.e4 e5 2.O-O O-O-O 3.O-O O-O-O+ *")
        << "the rewrite happens in the kept line too";
}

TEST(MovetextMainLine, BlackToMoveFirstGetsThePlaceholder) {
    ParsedGame spaced("1... e5 2. Nf3 Nc6 *\n");
    EXPECT_EQ(spaced.White(1), "..");
    EXPECT_EQ(spaced.Black(1), "e5");
    EXPECT_EQ(spaced.White(2), "Nf3");
    EXPECT_EQ(spaced.moves, 2);
    ParsedGame glued("23...Kg7 24.Rf1 *\n");
    EXPECT_EQ(glued.White(1), "..");
    EXPECT_EQ(glued.Black(1), "Kg7");
    EXPECT_EQ(glued.White(2), "Rf1");
}

TEST(MovetextMainLine, PercentLinesAreIgnored) {
    ParsedGame game("1. e4 e5\n% 2. d4 d5\n2. Nf3 *\n");
    EXPECT_EQ(game.White(2), "Nf3");
}

TEST(MovetextMainLine, GlyphsAndCheckMarksStayOnTheMove) {
    ParsedGame game("1. e4!? e5?! 2. Qh5!! Nc6?? 3. Qxf7# 1-0\n");
    EXPECT_EQ(game.White(1), "e4!?");
    EXPECT_EQ(game.Black(2), "Nc6??");
    EXPECT_EQ(game.White(3), "Qxf7#");
}

TEST(MovetextMainLine, OverlongTokenKeepsItsFirstSevenCharacters) {
    ParsedGame game("1. exd8=Q+!? *\n");
    EXPECT_EQ(game.White(1), "exd8=Q+");
}

TEST(MovetextMainLine, MoveNumbersWithoutDotsAreSkipped) {
    ParsedGame game("1 e4 e5 2 Nf3 *\n");
    EXPECT_EQ(game.White(1), "e4");
    EXPECT_EQ(game.White(2), "Nf3");
}

TEST(MovetextMainLine, ResultsEndTheMovetext) {
    for (const char* result : {"1-0", "0-1", "1/2-1/2", "*"}) {
        ParsedGame game(std::string("1. e4 e5 ") + result + " 2. Nf3\n");
        EXPECT_EQ(game.moves, 1) << result;
        EXPECT_EQ(std::string(SanView(game.record->result)), result);
    }
    ParsedGame onOwnLine("1. e4 e5\n1-0\n");
    EXPECT_EQ(onOwnLine.moves, 1);
}

TEST(MovetextMainLine, StopAfterMovesLeavesTheRestUnread) {
    ParsedGame game("1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 *\n", 2);
    EXPECT_EQ(game.moves, 2);
    EXPECT_EQ(game.White(3), "");
}

TEST(MovetextMainLine, TagLineEndsTheMovetextAndIsHandedOn) {
    ParsedGame game("1. e4 e5\n\n[Event \"Next\"]\n1. d4 *\n");
    EXPECT_EQ(game.moves, 1);
    ASSERT_TRUE(game.record->pendingHeaderLine.present);
    EXPECT_EQ(std::string(game.record->pendingHeaderLine.View()), "[Event \"Next\"]");
    EXPECT_EQ(game.record->lineCount, 1) << "empty lines are not kept";
}

// --- Long algebraic notation ---

TEST(MovetextLongNotation, PieceMovesKeepTheirSourceSquareAsHint) {
    ParsedGame game("1. Ng1-f3 Ng8-f6 2. e2-e4 Nf6xe4 3. e4xd5 *\n");
    EXPECT_EQ(game.record->notation, NotationMode::kLongWithPieceLetters);
    EXPECT_EQ(game.White(1), "Nf3");
    EXPECT_EQ(std::string(game.context->moves.whiteHints[0].data()), "g1");
    EXPECT_EQ(game.Black(1), "Nf6");
    EXPECT_EQ(std::string(game.context->moves.blackHints[0].data()), "g8");
    EXPECT_EQ(game.White(2), "e4");
    EXPECT_EQ(game.Black(2), "Nxe4");
    EXPECT_EQ(game.White(3), "exd5");
}

TEST(MovetextLongNotation, PawnCaptureWrittenWithDashGetsAnX) {
    ParsedGame game("1. e2-e4 d7-d5 2. e4-d5 Qd8-d5 *\n");
    EXPECT_EQ(game.White(2), "exd5");
    EXPECT_EQ(game.Black(2), "Qd5");
}

TEST(MovetextLongNotation, WithoutPieceLettersTheDashIsOnlyDropped) {
    ParsedGame game("1. e2-e4 e7-e5 *\n");
    EXPECT_EQ(game.record->notation, NotationMode::kLongWithoutPieceLetters);
    EXPECT_EQ(game.White(1), "e2e4");
    EXPECT_EQ(game.Black(1), "e7e5");
    EXPECT_EQ(game.context->moves.whiteHints[0][0], 1) << "a coordinate first move marks the game";
    EXPECT_EQ(game.Replay(), 2);
    EXPECT_EQ(game.White(1), "e4") << "the replay rewrites coordinates as SAN";
}

TEST(MovetextLongNotation, WithPieceLettersTheGameIsMarkedAsCarryingHints) {
    ParsedGame game("1. e2-e4 e7-e5 2. Ng1-f3 *\n");
    EXPECT_EQ(game.record->notation, NotationMode::kLongWithPieceLetters);
    EXPECT_EQ(game.context->moves.whiteHints[0][0], 1);
    EXPECT_EQ(game.White(1), "e4");
    EXPECT_EQ(game.Replay(), 3);
}

// --- Variations and comments are skipped, not played ---

TEST(MovetextSkipping, ParenthesisFollowedByALetterDoesNotCloseAVariation) {
    ParsedGame game("1. e4 (1. d4 d5)x e5) e6 *\n");
    EXPECT_EQ(game.Black(1), "e6");
}

TEST(MovetextSkipping, ParenthesesInsideACommentInsideAVariationDoNotCount) {
    ParsedGame game("1. e4 (1. d4 {a ) b ( c} d5) e5 2. Nf3 *\n");
    EXPECT_EQ(game.Black(1), "e5");
    EXPECT_EQ(game.White(2), "Nf3");
}

TEST(MovetextSkipping, NestedVariationsOverSeveralLines) {
    ParsedGame game("1. e4 e5 (1... c5 2. Nf3 (2. c3\nd5) d6\n) 2. Nf3 *\n");
    EXPECT_EQ(game.White(2), "Nf3");
    EXPECT_EQ(game.Black(2), "");
}

TEST(MovetextSkipping, CommentOverSeveralLinesAndSemicolonComment) {
    ParsedGame game("1. e4 {a comment\nover 2. d4 lines} e5 ; rest 2. d4\n2. Nf3 *\n");
    EXPECT_EQ(game.Black(1), "e5");
    EXPECT_EQ(game.White(2), "Nf3");
    EXPECT_EQ(game.Annotation(1).kind, AnnotationKind::kComment);
    EXPECT_EQ(game.Annotation(2).kind, AnnotationKind::kComment);
    EXPECT_EQ(game.Annotation(2).line, 1);
}

TEST(MovetextSkipping, UnbalancedBraceSwallowsTheRestSilently) {
    ParsedGame game("1. e4 {never closed\n2. d4 d5 *\n");
    EXPECT_EQ(game.moves, 1);
    EXPECT_TRUE(game.messages.empty());
}

// --- Annotation index ---

TEST(MovetextAnnotations, VariationPositionReplacesAnEarlierComment) {
    ParsedGame game("1. e4 {comment} (1. d4) e5 *\n");
    EXPECT_EQ(game.Annotation(1).kind, AnnotationKind::kVariation);
    EXPECT_EQ(game.Annotation(1).column, 16);
    EXPECT_EQ(game.record->annotationCount, 2);
}

TEST(MovetextAnnotations, NagGluedToAMoveBelongsToThatMove) {
    ParsedGame game("1. e4$1 e5 $2 *\n");
    EXPECT_EQ(game.White(1), "e4");
    EXPECT_EQ(game.Annotation(1).column, 5);
    EXPECT_EQ(game.Annotation(2).column, 11);
}

TEST(MovetextAnnotations, CommentBeforeTheFirstMoveIsPlyIndexZero) {
    ParsedGame game("{Start} 1. e4 *\n");
    EXPECT_EQ(game.Annotation(0).kind, AnnotationKind::kComment);
}

TEST(MovetextAnnotations, RecordAnnotationIgnoresPlyIndicesOutOfRange) {
    auto record = MakeGameRecord();
    RecordAnnotation(*record, -1, 0, 0, AnnotationKind::kComment);
    RecordAnnotation(*record, kMaxPly + 1, 0, 0, AnnotationKind::kComment);
    RecordAnnotation(*record, kMaxPly, 3, 4, AnnotationKind::kComment);
    RecordAnnotation(*record, kMaxPly, 5, 6, AnnotationKind::kComment);
    EXPECT_EQ(record->annotationIndex[kMaxPly].line, 3) << "the first comment of a ply is kept";
}

// --- Offsets and display lines ---

TEST(MovetextOffsets, MoveEndsPointJustAfterEachMoveInTheFile) {
    const std::string text = "  1. e4 e5\r\n   2. Nf3 {c} Nc6\r\n3. Bb5 *\r\n";
    ParsedGame game(text);
    const auto& ends = game.record->moveEndOffsets;
    EXPECT_EQ(text.substr(ends[1] - 2, 2), "e4");
    EXPECT_EQ(text.substr(ends[2] - 2, 2), "e5");
    EXPECT_EQ(text.substr(ends[3] - 3, 3), "Nf3");
    EXPECT_EQ(text.substr(ends[4] - 3, 3), "Nc6");
    EXPECT_EQ(text.substr(ends[5] - 3, 3), "Bb5");
}

TEST(MovetextOffsets, PlyDisplayLinesCountTheWrappedLinesBefore) {
    // A comment of 20 and 30 letters: written out, since building it from pieces trips a false
    // -Wrestrict of g++ 12 at -O3.
    ParsedGame game(
        "{xxxxxxxxxxxxxxxxxxxx xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx}\n"
        "1. e4 e5\n2. d4 *\n");
    EXPECT_EQ(game.record->plyDisplayLines[1], 2) << "the 53-character first line takes two display lines";
    EXPECT_EQ(game.record->plyDisplayLines[3], 3);
}

// --- Limits ---

TEST(MovetextLimits, TheTwoHundredAndFirstMoveStopsWithAWarning) {
    std::string text;
    for (int move = 1; move <= 201; ++move) {
        text += std::to_string(move) + (move % 2 == 1 ? ". Nf3 Nf6 " : ". Ng1 Ng8 ");
        if (move % 8 == 0) {
            text += "\n";
        }
    }
    ParsedGame game(text);
    EXPECT_EQ(game.moves, kMaxMovesPerSide);
    ASSERT_EQ(game.messages.size(), 1U);
    EXPECT_EQ(game.messages[0], "Warning: Maximum number 200 moves exceeded.");
    EXPECT_EQ(game.Replay(), kMaxPly);
    ParsedGame quiet(text, 0, true);
    EXPECT_TRUE(quiet.messages.empty()) << "silent under the batch switch";
}

TEST(MovetextLimits, LinesBeyondThreeThousandAreIgnored) {
    std::string text = "1. e4 e5\n";
    for (int i = 0; i < kMaxMovetextLines + 50; ++i) {
        text += "{c}\n";
    }
    ParsedGame game(text);
    EXPECT_EQ(game.record->lineCount, kMaxMovetextLines);
}

TEST(MovetextLimits, LineLongerThanALineBufferIsCut) {
    ParsedGame game("1. e4 {" + std::string(400, 'a') + "} e5 *\n");
    EXPECT_EQ(game.record->movetextLines[0].length, kMaxMovetextLineLength);
}

// --- Result tokens ---

TEST(ResultToken, RecognisesResultsAndRewritesCastling) {
    char text[16];
    for (const char* result : {"1-0", "0-1", "1/2-1/2", "*", "?"}) {
        std::snprintf(text, sizeof text, "%s", result);
        EXPECT_EQ(IsResultToken(text, false), 1) << result;
    }
    for (const char* move : {"O-O", "e4", "{-x", "Nf3"}) {
        std::snprintf(text, sizeof text, "%s", move);
        EXPECT_EQ(IsResultToken(text, false), 0) << move;
    }
    std::snprintf(text, sizeof text, "0-0-0+");
    EXPECT_EQ(IsResultToken(text, false), 0);
    EXPECT_STREQ(text, "O-O-O+");
    std::snprintf(text, sizeof text, " ");
    EXPECT_EQ(IsResultToken(text, true), 1);
    EXPECT_EQ(IsResultToken(text, false), 0);
    text[0] = '\0';
    EXPECT_EQ(IsResultToken(text, true), 0);
}

// --- Real file text through the parser and the replay ---

TEST(MovetextReplay, PromotionAndEnPassantReplayToTheEnd) {
    ParsedGame game("1. e4 d5 2. e5 f5 3. exf6 e5 4. fxg7 Ke7 5. gxh8=Q *\n");
    EXPECT_EQ(game.Replay(), 9);
    EXPECT_EQ(game.White(5), "gxh8=Q");
}

}  // namespace
}  // namespace ravelin::chess

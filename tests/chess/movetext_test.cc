#include "chess/movetext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::ParsedGame;

struct MainLineCase {
    const char* movetext;
    const char* entries;  // the move list entries afterwards
};

const MainLineCase kMainLines[] = {
    {"1.e4 e5 2.0-0 o-o-o 3.o-o 0-0-0+ *\n", "e4 e5 O-O O-O-O O-O O-O-O+"},
    {"23...Kg7 24.Rf1 *\n", ".. Kg7 Rf1"},
    {"1. e4 e5\n% 2. d4 d5\n2. Nf3 *\n", "e4 e5 Nf3"},
    {"1. exd8=Q+!? *\n", "exd8=Q+"},  // an overlong token keeps its first seven characters
    {"1 e4 e5 2 Nf3 *\n", "e4 e5 Nf3"},
    {"1. e4 e5 2. e5 f5 3. exf6 e5 4. fxg7 Ke7 5. gxh8=Q *\n", "e4 e5 e5 f5 exf6 e5 fxg7 Ke7 gxh8=Q"},
    // Long algebraic notation: piece moves keep only the target, pawn captures get an x.
    {"1. Ng1-f3 Ng8-f6 2. e2-e4 Nf6xe4 3. e4xd5 *\n", "Nf3 Nf6 e4 Nxe4 exd5"},
    {"1. e2-e4 d7-d5 2. e4-d5 Qd8-d5 *\n", "e4 d5 exd5 Qd5"},
    {"1. e2-e4 e7-e5 *\n", "e2e4 e7e5"},  // without piece letters the dash is only dropped
    // Variations and comments are skipped, not played.
    {"1. e4 (1. d4 d5)x e5) e6 *\n", "e4 e6"},
    {"1. e4 (1. d4 {a ) b ( c} d5) e5 2. Nf3 *\n", "e4 e5 Nf3"},
    {"1. e4 e5 (1... c5 2. Nf3 (2. c3\nd5) d6\n) 2. Nf3 *\n", "e4 e5 Nf3"},
    {"1. e4 {a comment\nover 2. d4 lines} e5 ; rest 2. d4\n2. Nf3 *\n", "e4 e5 Nf3"},
    {"1. e4 {never closed\n2. d4 d5 *\n", "e4"},
    {"1. e4$1 e5 $2 *\n", "e4 e5"},
};

TEST(MovetextMainLine, EachTokenGoesIntoItsEntrySilently) {
    for (const MainLineCase& c : kMainLines) {
        SCOPED_TRACE(c.movetext);
        ParsedGame game(c.movetext);
        EXPECT_EQ(game.Entries(), c.entries);
        EXPECT_EQ(game.record->plyCount, std::count(c.entries, c.entries + std::strlen(c.entries), ' ') + 1);
        EXPECT_TRUE(game.messages.empty());
    }
}

TEST(MovetextMainLine, CastlingRewriteHappensInTheKeptLineToo) {
    ParsedGame game("1.e4 e5 2.0-0 o-o-o *\n");
    EXPECT_EQ(std::string(game.record->movetextLines[0].View()), "1.e4 e5 2.O-O O-O-O *");
}

TEST(MovetextMainLine, ResultsEndTheMovetextAndAreKept) {
    for (const char* result : {"1-0", "0-1", "1/2-1/2", "*", "?"}) {
        ParsedGame game(std::string("1. e4 e5 ") + result + " 2. Nf3\n");
        EXPECT_EQ(game.moves, 1) << result;
        EXPECT_EQ(std::string(SanView(game.record->result)), result);
    }
    EXPECT_EQ(ParsedGame("1. e4 e5\n1-0\n").moves, 1);
    ParsedGame stopped("1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 *\n", 2);
    EXPECT_EQ(stopped.moves, 2);
    EXPECT_EQ(stopped.Entries(), "e4 e5 Nf3 Nc6");
}

TEST(MovetextLongNotation, SourceSquaresAreKeptAsHintsAndTheGameIsMarked) {
    ParsedGame pieces("1. Ng1-f3 Ng8-f6 2. e2-e4 *\n");
    EXPECT_EQ(pieces.record->notation, NotationMode::kLongWithPieceLetters);
    EXPECT_EQ(std::string(pieces.context->moves.whiteHints[0].data()), "g1");
    EXPECT_EQ(std::string(pieces.context->moves.blackHints[0].data()), "g8");
    EXPECT_EQ(pieces.Replay(), 3);
    EXPECT_EQ(pieces.context->moves.whiteHints[0][0], '\0') << "the replay clears the hints";
    ParsedGame pawns("1. e2-e4 e7-e5 2. Ng1-f3 *\n");
    EXPECT_EQ(pawns.context->moves.whiteHints[0][0], 1) << "a coordinate first move marks the game";
    ParsedGame coordinates("1. e2-e4 e7-e5 *\n");
    EXPECT_EQ(coordinates.record->notation, NotationMode::kLongWithoutPieceLetters);
    EXPECT_EQ(coordinates.context->moves.whiteHints[0][0], 1);
    EXPECT_EQ(coordinates.Replay(), 2);
    EXPECT_EQ(coordinates.Entries(), "e4 e5") << "the replay rewrites coordinates as SAN";
}

TEST(MovetextAnnotations, RecordAnnotationIgnoresPlyIndicesOutOfRange) {
    auto record = MakeGameRecord();
    RecordAnnotation(*record, -1, 0, 0, AnnotationKind::kComment);
    RecordAnnotation(*record, kMaxPly + 1, 0, 0, AnnotationKind::kComment);
    RecordAnnotation(*record, kMaxPly, 3, 4, AnnotationKind::kComment);
    RecordAnnotation(*record, kMaxPly, 5, 6, AnnotationKind::kComment);
    EXPECT_EQ(record->annotationIndex[kMaxPly].line, 3) << "the first comment of a ply is kept";
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
    EXPECT_EQ(game.messages, std::vector<std::string>{"Warning: Maximum number 200 moves exceeded."});
    EXPECT_EQ(game.Replay(), kMaxPly);
    EXPECT_TRUE(ParsedGame(text, 0, true).messages.empty()) << "silent under the batch switch";
}

TEST(MovetextLimits, LinesBeyondTheLimitAreIgnoredAndLongLinesCut) {
    std::string text = "1. e4 e5\n";
    for (int i = 0; i < kMaxMovetextLines + 50; ++i) {
        text += "{c}\n";
    }
    EXPECT_EQ(ParsedGame(text).record->lineCount, kMaxMovetextLines);
    ParsedGame game("1. e4 {" + std::string(400, 'a') + "} e5 *\n");
    EXPECT_EQ(game.record->movetextLines[0].length, kMaxMovetextLineLength);
}

}  // namespace
}  // namespace ravelin::chess

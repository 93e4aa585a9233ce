#include "chess/piece_letters.h"

#include <gtest/gtest.h>

namespace ravelin::chess {
namespace {

PieceLetters German() {
    PieceLetters letters;
    EXPECT_EQ(SetPieceLetters("KDTLS", letters), "");
    return letters;
}

TEST(PieceLettersOutput, MoveNumberKeptAndLettersReplaced) {
    std::string text = "12.Nf3";
    LocaliseAfterMoveNumber(text, German());
    EXPECT_EQ(text, "12.Sf3");
}

TEST(PieceLettersOutput, CastlingAndNcoUnchanged) {
    std::string text = "O-O NCO Qxd8 Rb1 Bc4 Ke2";
    LocalisePieceLetters(text, German());
    EXPECT_EQ(text, "O-O NCO Dxd8 Tb1 Lc4 Ke2");
}

TEST(PieceLettersOutput, SuspendedOrDefaultLettersLeaveText) {
    PieceLetters letters = German();
    letters.suspended = true;
    char text[] = "Nf3";
    EXPECT_EQ(LocalisePieceLetters(text, letters), text + 3);
    EXPECT_STREQ(text, "Nf3");
    std::string english = "Nf3";
    LocalisePieceLetters(english, PieceLetters{});
    EXPECT_EQ(english, "Nf3");
}

TEST(PieceLettersSetting, RepeatedLetterRefused) {
    PieceLetters letters;
    EXPECT_EQ(SetPieceLetters("KQRBB", letters), "Characters must be different.");
    EXPECT_FALSE(letters.custom);
}

TEST(PieceLettersSetting, DigitRefused) {
    PieceLetters letters;
    EXPECT_EQ(SetPieceLetters("KQR1N", letters), "Only valid characters are A to Z.");
}

TEST(PieceLettersSetting, DefaultLettersAreNotCustom) {
    PieceLetters letters = German();
    EXPECT_TRUE(letters.custom);
    EXPECT_EQ(SetPieceLetters("KQRBN", letters), "");
    EXPECT_FALSE(letters.custom);
}

}  // namespace
}  // namespace ravelin::chess

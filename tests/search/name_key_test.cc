#include "search/name_key.h"

#include <gtest/gtest.h>

#include <string>

namespace ravelin::search {
namespace {

TEST(NameKeyTest, LettersLowerCaseCommaKeptOtherCharactersDropped) {
    EXPECT_EQ(NameKey("Morrow, G.").View(), "morrow,g");
    EXPECT_EQ(NameKey("van der Molen").View(), "vandermolen");
    EXPECT_EQ(NameKey("Smith-Jones, J").View(), "smithjones,j");
    EXPECT_EQ(NameKey("Morrow, Glen").Length(), 11u);
}

TEST(NameKeyTest, ParenthesisEndsTheKeyAndAFirstNonLetterIsKept) {
    EXPECT_EQ(NameKey("Deep Blue (Computer)").View(), "deepblue");
    EXPECT_EQ(NameKey("*Morrow").View(), "*morrow");
    EXPECT_EQ(NameKey("(anon)").View(), "(anon");
    EXPECT_EQ(NameKey("1st player").View(), "1stplayer");
}

TEST(NameKeyTest, EmptyNameHasTheEmptyKey) {
    EXPECT_EQ(NameKey("").Length(), 0u);
    EXPECT_FALSE(NameCriterion("Morrow").Matches(""));
    EXPECT_FALSE(NameCriterion("Morrow?").Matches(""));
    // Only a criterion of nothing but the exact mark finds a game without a name.
    EXPECT_TRUE(NameCriterion("#").Matches(""));
    EXPECT_FALSE(NameCriterion("#").Matches("Morrow"));
}

TEST(NameKeyTest, LongNamesNeverOverrunTheKey) {
    const std::string name(300, 'a');
    EXPECT_EQ(NameKey(name).Length(), kMaxNameKey);
}

TEST(NameCriterionTest, PrefixAndCommaForms) {
    const NameCriterion morrow("Morrow");
    EXPECT_TRUE(morrow.Matches("Morrow, Glen"));
    EXPECT_TRUE(morrow.Matches("Morrowa, X"));
    EXPECT_TRUE(morrow.Matches("MORROW"));
    EXPECT_FALSE(morrow.Matches("Morro"));
    const NameCriterion surname("Morrow,");
    EXPECT_TRUE(surname.Matches("Morrow"));
    EXPECT_TRUE(surname.Matches("Morrow, Glen"));
    EXPECT_FALSE(surname.Matches("Morrowa, X"));
    EXPECT_TRUE(NameCriterion("van der molen").Matches("Van Der Molen, P"));
}

TEST(NameCriterionTest, ExactModeComparesTheWholeName) {
    const NameCriterion exact("Morrow#");
    EXPECT_EQ(exact.Mode(), NameMode::kExact);
    EXPECT_TRUE(exact.Matches("Morrow"));
    EXPECT_FALSE(exact.Matches("Morrow, Glen"));
    EXPECT_FALSE(exact.Matches("morrow"));
}

TEST(NameCriterionTest, QuestionModeWantsTheLastLetterToDiffer) {
    const NameCriterion other("Morrow?");
    EXPECT_EQ(other.Mode(), NameMode::kLastDiffers);
    EXPECT_TRUE(other.Matches("Morrox, A"));
    EXPECT_TRUE(other.Matches("Morrof"));
    EXPECT_FALSE(other.Matches("Morrow, Glen"));
    EXPECT_FALSE(other.Matches("Morro"));
    EXPECT_FALSE(other.Matches("Marrox"));
}

TEST(NameCriterionTest, LookLengthIsTextPlusTwoWithThe31Rule) {
    EXPECT_EQ(NameCriterion("Morrow").LookLength(), 8u);
    EXPECT_EQ(NameCriterion("Morrow#").LookLength(), 8u);
    EXPECT_EQ(NameCriterion(std::string(29, 'a')).LookLength(), 31u);
    EXPECT_EQ(NameCriterion(std::string(30, 'a')).LookLength(), 31u);
    EXPECT_EQ(NameCriterion(std::string(31, 'a')).LookLength(), 33u);
    // Only the looked-at characters make the game's key: the letters after them are not seen.
    const NameCriterion shortName("Ab");
    EXPECT_TRUE(shortName.Matches("A  b"));
    EXPECT_FALSE(shortName.Matches("A   b"));
}

}  // namespace
}  // namespace ravelin::search

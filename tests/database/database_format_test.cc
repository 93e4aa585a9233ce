#include "database/database_format.h"

#include <gtest/gtest.h>

#include <array>

#include "database/key_name.h"

namespace ravelin::database {
namespace {

TEST(KeyNameTest, FollowsTheRuleOfCommasBlanksAndParentheses) {
    const struct {
        const char* name;
        const char* stored;
        NameForm form;
    } cases[] = {
        {"Morrow, Glen", "morrowg", NameForm::kSurnameInitial},
        {"Morrow,", "morrow", NameForm::kSurnameOnly},
        // The rule, not the example beside it: the first letter after the last blank is kept.
        {"Glen Morrow  ", "glenm", NameForm::kNoComma},
        {"Li", "liqq", NameForm::kNoComma},
        {"?", "qqqq", NameForm::kNoComma},
        {"", "qqqq", NameForm::kNoComma},
        {"Deep Blue (Computer)", "deepb", NameForm::kNoComma},
        {"Kasparov, G (wch)", "kasparovg", NameForm::kSurnameInitial},
        {"Van der Wiel-Zwanenburg, John", "vanderwielzwanen", NameForm::kSurnameInitial},
    };
    for (const auto& c : cases) {
        const KeyName key = MakeKeyName(c.name);
        EXPECT_EQ(key.stored, std::string(c.stored).substr(0, 15)) << c.name;
        EXPECT_EQ(key.form, c.form) << c.name;
    }
    EXPECT_EQ(KeyIndexOf("kasp"), (10 * 26 + 0) * 676 + 18 * 26 + 15);
    EXPECT_EQ(KeyIndexOf("zzzzq"), kKeyCount - 1);
}

TEST(KeyNameTest, ShortCriteriaScanTheirKeyRangesAndFindPaddedNames) {
    const PlayerCriterion ka("Ka");
    EXPECT_EQ(ka.FirstKey(), KeyIndexOf("kaaa"));
    EXPECT_EQ(ka.KeyCount(), 676);
    const struct {
        const char* criterion;
        const char* record;
        bool passes;
    } cases[] = {
        {"Morrow,", "morrow", true},    {"Morrow,", "morrowg", true},    {"Morrow,", "morrowgk", false},
        {"Morrow, G", "morrowg", true}, {"Morrow, G", "morrowk", false}, {"Morrow, G", "morrow", false},
        {"Morr", "morrowg", true},      {"Li,", "liqq", true},           {"Li, C", "licq", true},
        {"Li, C", "lidq", false},       {"Kasparov", "kasparovg", true}, {"Kasparov", "karpova", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlayerCriterion(c.criterion).Passes(c.record), c.passes)
            << c.criterion << " / " << c.record;
    }
}

TEST(GameRecordTest, HoldsEveryFieldAtItsPlace) {
    GameRecord record;
    record.whiteKey = 0x01020304;
    record.blackKey = 0x00050607;
    record.whiteLink = 0x40;
    record.blackLink = 0x80;
    record.headerOffset = 0x11223344;
    record.movesOffset = 0x55667788;
    record.headerLength = 0x99AA;
    record.movesLength = 0x0102;
    record.year = 1997;
    record.resultEco = static_cast<std::uint16_t>(ResultBitsOf("1/2-1/2") | EcoBitsOf("B90"));
    record.whiteName = "kasparovg";
    record.blackName = "deepb";
    std::array<std::uint8_t, kGameRecordSize> bytes{};
    EncodeGameRecord(record, bytes.data());
    const std::array<std::uint8_t, 32> fixed = {
        0x04, 0x03, 0x02, 0x01, 0x07, 0x06, 0x05, 0x00, 0x40, 0,    0,    0,    0x80, 0,    0,    0,
        0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55, 0xAA, 0x99, 0x02, 0x01, 0xCD, 0x07, 0x90, 0x22,
    };
    EXPECT_TRUE(std::equal(fixed.begin(), fixed.end(), bytes.begin()));
    EXPECT_EQ(bytes[32], 9);
    EXPECT_EQ(std::string(bytes.begin() + 33, bytes.begin() + 42), "kasparovg");
    EXPECT_EQ(bytes[48], 5);
    EXPECT_EQ(bytes[63], 0);
    // 0x01020304 is no key of the table: a record holding it is refused.
    GameRecord back;
    EXPECT_FALSE(DecodeGameRecord(bytes.data(), back));
    record.whiteKey = kKeyCount - 1;
    EncodeGameRecord(record, bytes.data());
    ASSERT_TRUE(DecodeGameRecord(bytes.data(), back));
    EXPECT_EQ(back.blackName, "deepb");
    EXPECT_EQ(back.resultEco, 0x2290);
}

TEST(GameRecordTest, ResultEcoAndYearValues) {
    const struct {
        const char* result;
        const char* eco;
        const char* date;
        std::uint16_t bits;
        std::uint16_t year;
    } cases[] = {
        {"1-0", "A00", "1997.05.11", 0x3100, 1997},
        {"0-1", "E99", "2150", 0x1599, 2150},
        {"1/2-1/2", "B90", "19??", 0x2290, 0},
        {"*", "", "", 0, 0},
        {"1-0", "F12", "?", 0x3000, 0},
        {"0-1", "Bxx", "????.??.??", 0x1000, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResultBitsOf(c.result) | EcoBitsOf(c.eco), c.bits & 0xFFFF) << c.result << c.eco;
        EXPECT_EQ(YearOf(c.date), c.year) << c.date;
    }
}

TEST(DatabasePathsTest, EveryFileHasItsOwnEndingAndTheTreesDifferFromAPgnFilesTrees) {
    const DatabasePaths paths = PathsOf("/d/games.dbg");
    EXPECT_EQ(paths.header, "/d/games.DBH");
    EXPECT_EQ(paths.root, "/d/games.DBR");
    EXPECT_EQ(paths.results, "/d/games.DBS");
    EXPECT_NE(paths.tree, "/d/games.TRE");
    EXPECT_NE(paths.exactTree, "/d/games.TRX");
    EXPECT_TRUE(HasDatabaseExtension("x.DBG"));
    EXPECT_FALSE(HasDatabaseExtension("x.pgn"));
    EXPECT_FALSE(HasDatabaseExtension(".dbg"));
}

}  // namespace
}  // namespace ravelin::database

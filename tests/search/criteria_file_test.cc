#include "search/criteria_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "search/search_result.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;

std::int32_t WordAt(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

// 1. e4 e5 2. Nf3 Nc6 3. Bb5, a position with a king, a pawn and count conditions, and every
// header field filled.
SearchCriteria SampleCriteria() {
    SearchCriteria criteria;
    SearchVariation& v = criteria.variation;
    chess::SetSanText(v.whiteMoves[0], "e4");
    chess::SetSanText(v.blackMoves[0], "e5");
    chess::SetSanText(v.whiteMoves[1], "Nf3");
    chess::SetSanText(v.blackMoves[1], "Nc6");
    chess::SetSanText(v.whiteMoves[2], "Bb5");
    SetPositionEntry(criteria.position.white[0], "Kg1");
    SetPositionEntry(criteria.position.white[1], "e4");
    SetPositionEntry(criteria.position.white[2], "=8");
    SetPositionEntry(criteria.position.black[0], "N*2");
    const char* values[] = {"Dortmund#", "Dortmund", ">=1990", "3",     "Morrow,",  "*",
                            "1-0",       "B9",       "<40",    ">2500", "2400-2600"};
    for (int i = 0; i < kStoredHeaderFields; ++i) {
        criteria.header.fields[static_cast<std::size_t>(i)] = values[i];
    }
    criteria.header[HeaderField::kSpecificMove] = "12... Nxe4";
    return criteria;
}

// --- saving: the byte layout of each kind ---

TEST(CriteriaFileSave, VariationFileHoldsKindZeroAndBothMoveTables) {
    const std::string bytes = EncodeCriteriaFile(kVariationSearch, kWithBoth, SampleCriteria());
    ASSERT_EQ(bytes.size(), 8u + 3200u);
    EXPECT_EQ(WordAt(bytes, 0), 1);
    EXPECT_EQ(WordAt(bytes, 4), 0);  // the second word is 0 whatever the combination
    EXPECT_EQ(bytes.substr(8, 8), std::string("e4\0\0\0\0\0\0", 8));
    EXPECT_EQ(bytes.substr(8 + 16, 8), std::string("Bb5\0\0\0\0\0", 8));
    EXPECT_EQ(bytes.substr(8 + 1600, 8), std::string("e5\0\0\0\0\0\0", 8));
    EXPECT_EQ(bytes.substr(8 + 1608, 8), std::string("Nc6\0\0\0\0\0", 8));
}

TEST(CriteriaFileSave, PositionFileHoldsTheTwoListsOf40Entries) {
    const std::string bytes = EncodeCriteriaFile(kPositionSearch, kAlone, SampleCriteria());
    ASSERT_EQ(bytes.size(), 8u + 640u);
    EXPECT_EQ(WordAt(bytes, 0), 2);
    EXPECT_EQ(bytes.substr(8, 8), std::string("Kg1\0\0\0\0\0", 8));
    EXPECT_EQ(bytes.substr(8 + 16, 8), std::string("=8\0\0\0\0\0\0", 8));
    EXPECT_EQ(bytes.substr(8 + 320, 8), std::string("N*2\0\0\0\0\0", 8));
}

TEST(CriteriaFileSave, HeaderFileSizesFollowTheCombinationIncludingPositionWithVariationAlone) {
    const SearchCriteria criteria = SampleCriteria();
    const std::size_t header = 8 + 11 * 80;
    EXPECT_EQ(EncodeCriteriaFile(kHeaderSearch, kAlone, criteria).size(), header);
    // Combined with the variation alone the file still carries the position lists.
    EXPECT_EQ(EncodeCriteriaFile(kHeaderSearch, kWithVariation, criteria).size(), header + 3200 + 640);
    EXPECT_EQ(EncodeCriteriaFile(kHeaderSearch, kWithPosition, criteria).size(), header + 640);
    EXPECT_EQ(EncodeCriteriaFile(kHeaderSearch, kWithBoth, criteria).size(), header + 3200 + 640);
}

TEST(CriteriaFileSave, HeaderFieldsAreStoredInOrderWithoutSpecificMove) {
    const std::string bytes = EncodeCriteriaFile(kHeaderSearch, kAlone, SampleCriteria());
    EXPECT_EQ(WordAt(bytes, 0), 3);
    EXPECT_EQ(WordAt(bytes, 4), 0);
    EXPECT_EQ(std::string(bytes.c_str() + 8), "Dortmund#");
    EXPECT_EQ(std::string(bytes.c_str() + 8 + 4 * 80), "Morrow,");
    EXPECT_EQ(std::string(bytes.c_str() + 8 + 10 * 80), "2400-2600");
    EXPECT_EQ(bytes.find("Nxe4"), std::string::npos);
}

TEST(CriteriaFileSave, HeaderFieldLongerThan79CharactersIsCutToItsField) {
    SearchCriteria criteria;
    criteria.header[HeaderField::kEvent] = std::string(100, 'x');
    const std::string bytes = EncodeCriteriaFile(kHeaderSearch, kAlone, criteria);
    EXPECT_EQ(std::string(bytes.c_str() + 8), std::string(79, 'x'));
    EXPECT_EQ(bytes[8 + 79], '\0');
}

// --- loading: which command accepts which file ---

TEST(CriteriaFileLoad, EachKindRoundTripsThroughItsOwnCommand) {
    const SearchCriteria saved = SampleCriteria();
    SearchCriteria loaded;
    ASSERT_TRUE(DecodeCriteriaFile(EncodeCriteriaFile(kVariationSearch, 0, saved),
                                   CriteriaLoadCommand::kVariation, loaded)
                    .ok);
    EXPECT_EQ(loaded.variation.whiteMoves, saved.variation.whiteMoves);
    EXPECT_EQ(loaded.variation.blackMoves, saved.variation.blackMoves);
    EXPECT_EQ(loaded.variation.Plies(), 5);

    ASSERT_TRUE(DecodeCriteriaFile(EncodeCriteriaFile(kPositionSearch, 0, saved),
                                   CriteriaLoadCommand::kPosition, loaded)
                    .ok);
    EXPECT_EQ(loaded.position.white, saved.position.white);
    EXPECT_EQ(loaded.position.black, saved.position.black);
}

TEST(CriteriaFileLoad, LoadVariationOfAPositionFileIsInvalid) {
    SearchCriteria criteria = SampleCriteria();
    const CriteriaLoadResult result = DecodeCriteriaFile(
        EncodeCriteriaFile(kPositionSearch, 0, SearchCriteria{}), CriteriaLoadCommand::kVariation, criteria);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Invalid search file.");
    EXPECT_EQ(criteria.variation.Plies(), 5);  // untouched
}

TEST(CriteriaFileLoad, LoadPositionOfAVariationFileIsInvalid) {
    SearchCriteria criteria;
    EXPECT_EQ(DecodeCriteriaFile(EncodeCriteriaFile(kVariationSearch, 0, SampleCriteria()),
                                 CriteriaLoadCommand::kPosition, criteria)
                  .message,
              "Invalid search file.");
}

TEST(CriteriaFileLoad, FullHeaderFileServesLoadVariationAndLoadPositionWithAllThreeParts) {
    const std::string bytes = EncodeCriteriaFile(kHeaderSearch, kWithBoth, SampleCriteria());
    for (const CriteriaLoadCommand command :
         {CriteriaLoadCommand::kVariation, CriteriaLoadCommand::kPosition}) {
        SearchCriteria criteria;
        const CriteriaLoadResult result = DecodeCriteriaFile(bytes, command, criteria);
        ASSERT_TRUE(result.ok);
        EXPECT_TRUE(result.variationLoaded && result.positionLoaded && result.headerLoaded);
        EXPECT_EQ(criteria.variation.Plies(), 5);
        EXPECT_EQ(PositionEntryText(criteria.position.white[0]), "Kg1");
        EXPECT_EQ(criteria.header[HeaderField::kBlackElo], "2400-2600");
    }
}

TEST(CriteriaFileLoad, PartialHeaderFileIsInvalidForLoadVariationAndPosition) {
    for (const int combination : {kAlone, kWithVariation, kWithPosition}) {
        const std::string bytes = EncodeCriteriaFile(kHeaderSearch, combination, SampleCriteria());
        SearchCriteria criteria;
        EXPECT_FALSE(DecodeCriteriaFile(bytes, CriteriaLoadCommand::kVariation, criteria).ok) << combination;
        EXPECT_FALSE(DecodeCriteriaFile(bytes, CriteriaLoadCommand::kPosition, criteria).ok) << combination;
    }
}

TEST(CriteriaFileLoad, LoadHeaderReadsThePartsItsSecondWordNamesAndKeepsSpecificMove) {
    const SearchCriteria saved = SampleCriteria();
    SearchCriteria criteria;
    criteria.header[HeaderField::kSpecificMove] = "O-O-O";
    CriteriaLoadResult result = DecodeCriteriaFile(EncodeCriteriaFile(kHeaderSearch, kWithPosition, saved),
                                                   CriteriaLoadCommand::kHeader, criteria);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.combination, kWithPosition);
    EXPECT_FALSE(result.variationLoaded);
    EXPECT_TRUE(result.positionLoaded);
    EXPECT_TRUE(criteria.variation.Empty());
    EXPECT_EQ(criteria.position.black, saved.position.black);
    EXPECT_EQ(criteria.header[HeaderField::kWhite], "Morrow,");
    EXPECT_EQ(criteria.header[HeaderField::kSpecificMove], "O-O-O");

    // Combined with the variation alone: the variation and the lists it carries too.
    SearchCriteria both;
    result = DecodeCriteriaFile(EncodeCriteriaFile(kHeaderSearch, kWithVariation, saved),
                                CriteriaLoadCommand::kHeader, both);
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.variationLoaded && result.positionLoaded);
    EXPECT_EQ(both.variation.Plies(), 5);
    EXPECT_EQ(both.position.white, saved.position.white);
}

TEST(CriteriaFileLoad, LoadHeaderRefusesOtherKindsAndUnknownSecondWords) {
    SearchCriteria criteria;
    EXPECT_FALSE(DecodeCriteriaFile(EncodeCriteriaFile(kVariationSearch, 0, SampleCriteria()),
                                    CriteriaLoadCommand::kHeader, criteria)
                     .ok);
    std::string bytes = EncodeCriteriaFile(kHeaderSearch, kWithBoth, SampleCriteria());
    bytes[4] = 4;
    EXPECT_EQ(DecodeCriteriaFile(bytes, CriteriaLoadCommand::kHeader, criteria).message,
              "Invalid search file.");
}

TEST(CriteriaFileLoad, MoveNumberConditionIsNotInTheFileAndSurvivesALoad) {
    SearchCriteria criteria;
    criteria.position.moveNumber = MoveNumberCondition{true, ">10"};
    ASSERT_TRUE(DecodeCriteriaFile(EncodeCriteriaFile(kPositionSearch, 0, SampleCriteria()),
                                   CriteriaLoadCommand::kPosition, criteria)
                    .ok);
    EXPECT_TRUE(criteria.position.moveNumber.on);
    EXPECT_EQ(criteria.position.moveNumber.criterion, ">10");
}

// --- corrupt files ---

TEST(CriteriaFileCorrupt, CutOffFilesAreInvalidAndLeaveTheCriteria) {
    const std::string whole = EncodeCriteriaFile(kHeaderSearch, kWithBoth, SampleCriteria());
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{6}, std::size_t{8}, std::size_t{8 + 880 + 100}, whole.size() - 1}) {
        SearchCriteria criteria;
        criteria.header[HeaderField::kEvent] = "kept";
        const CriteriaLoadResult result = DecodeCriteriaFile(std::string_view(whole).substr(0, size),
                                                             CriteriaLoadCommand::kHeader, criteria);
        EXPECT_FALSE(result.ok) << size;
        EXPECT_EQ(result.message, "Invalid search file.");
        EXPECT_EQ(criteria.header[HeaderField::kEvent], "kept");
        EXPECT_TRUE(criteria.variation.Empty());
    }
}

TEST(CriteriaFileCorrupt, EntryWithoutItsNulIsInvalid) {
    std::string bytes = EncodeCriteriaFile(kVariationSearch, 0, SampleCriteria());
    bytes.replace(8, 8, "Nbd2xe4+");
    SearchCriteria criteria;
    EXPECT_FALSE(DecodeCriteriaFile(bytes, CriteriaLoadCommand::kVariation, criteria).ok);

    bytes = EncodeCriteriaFile(kHeaderSearch, kAlone, SampleCriteria());
    bytes.replace(8, 80, std::string(80, 'E'));
    EXPECT_FALSE(DecodeCriteriaFile(bytes, CriteriaLoadCommand::kHeader, criteria).ok);
}

// --- files on disk ---

TEST(CriteriaFileDisk, SavedFileLoadsBackAndMissingFileCannotBeOpened) {
    TempDir dir;
    const std::string path = dir.File("sicilian.ser");
    EXPECT_EQ(SaveCriteriaFile(path, kVariationSearch, 0, SampleCriteria()), "");
    EXPECT_EQ(ReadWholeFile(path), EncodeCriteriaFile(kVariationSearch, 0, SampleCriteria()));
    SearchCriteria criteria;
    EXPECT_TRUE(LoadCriteriaFile(path, CriteriaLoadCommand::kVariation, criteria).ok);
    EXPECT_EQ(criteria.variation.Plies(), 5);

    const CriteriaLoadResult missing =
        LoadCriteriaFile(dir.File("none.ser"), CriteriaLoadCommand::kVariation, criteria);
    EXPECT_EQ(missing.message, "Error opening file.");
    EXPECT_EQ(SaveCriteriaFile(dir.File("no/such/dir.ser"), kVariationSearch, 0, criteria),
              "Error opening file.");
}

TEST(CriteriaFileDisk, OversizedFileIsInvalidNotReadWhole) {
    TempDir dir;
    const std::string path = dir.Write("big.ser", std::string(1 << 20, '\x03'));
    SearchCriteria criteria;
    EXPECT_EQ(LoadCriteriaFile(path, CriteriaLoadCommand::kHeader, criteria).message, "Invalid search file.");
}

}  // namespace
}  // namespace ravelin::search

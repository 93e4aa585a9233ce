#include "search/directory_search_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "search/record_bytes.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;

std::string Word(std::int32_t value) {
    ByteWriter out;
    out.Int32(value);
    return out.Take();
}

std::uint32_t WordAt(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return value;
}

ResultFileHeader Header(int kind, int combination) {
    ResultFileHeader header;
    header.directory = "/home/games/openings";
    header.kind = kind;
    header.combination = combination;
    header.pliesMatched = 6;
    chess::SetSanText(header.criteria.variation.whiteMoves[0], "d4");
    SetPositionEntry(header.criteria.position.white[0], "Qd1");
    header.criteria.header[HeaderField::kWhite] = "Morrow";
    header.criteria.header[HeaderField::kWhiteElo] = ">2400";
    header.criteria.header[HeaderField::kBlackElo] = "<2600";
    return header;
}

ResultFileRecord Record(std::string name, std::vector<int> games, std::vector<int> plies) {
    ResultFileRecord record;
    record.name = std::move(name);
    record.hasWinCounts = true;
    record.whiteWins = 2;
    record.blackWins = 1;
    record.pliesMatched = 6;
    record.counter3 = -1;
    record.counter4 = -1;
    record.games = std::move(games);
    record.plies = std::move(plies);
    return record;
}

// --- the writer's layout ---

TEST(ResultFileLayout, HeaderHoldsDirectoryKindCombinationFlagsAndTheCriteriaOfItsKind) {
    const std::string bytes = EncodeResultHeader(Header(kVariationSearch, kAlone));
    ASSERT_EQ(bytes.size(), 200u + 12u + 3200u);
    EXPECT_EQ(std::string(bytes.c_str()), "/home/games/openings");
    EXPECT_EQ(bytes.substr(20, 180), std::string(180, '\0'));
    EXPECT_EQ(WordAt(bytes, 200), 1u);
    EXPECT_EQ(WordAt(bytes, 204), 0u);
    EXPECT_EQ(WordAt(bytes, 208), 0xF0000006u);
    EXPECT_EQ(std::string(bytes.c_str() + 212), "d4");

    // Criteria sizes by kind and combination.
    EXPECT_EQ(EncodeResultHeader(Header(kVariationSearch, kWithPosition)).size(), 212u + 3200u + 640u);
    EXPECT_EQ(EncodeResultHeader(Header(kPositionSearch, kAlone)).size(), 212u + 640u);
    EXPECT_EQ(EncodeResultHeader(Header(kHeaderSearch, kAlone)).size(), 212u + 880u);
    EXPECT_EQ(EncodeResultHeader(Header(kHeaderSearch, kWithVariation)).size(), 212u + 880u + 3200u + 640u);
    EXPECT_EQ(EncodeResultHeader(Header(kHeaderSearch, kWithPosition)).size(), 212u + 880u + 640u);
    EXPECT_EQ(EncodeResultHeader(Header(kHeaderSearch, kWithBoth)).size(), 212u + 880u + 3200u + 640u);
}

TEST(ResultFileLayout, RecordWithAllFlagsIsNameCountCountersGamesAndPlies) {
    const ResultFileHeader header = Header(kPositionSearch, kAlone);
    const std::string bytes = EncodeResultRecord(header, Record("sicilian", {3, 17}, {12, 40}));
    std::string expected("sicilian");
    expected.append(56 - expected.size(), '\0');
    expected += Word(2) + Word(2) + Word(1) + Word(6) + Word(-1) + Word(-1);
    expected += Word(3) + Word(17) + Word(12) + Word(40);
    EXPECT_EQ(bytes, expected);
}

TEST(ResultFileLayout, PliesAreStoredOnlyForPositionsAndPositionCombinations) {
    EXPECT_FALSE(ResultHasPlies(kVariationSearch, kAlone));
    EXPECT_TRUE(ResultHasPlies(kVariationSearch, kWithPosition));
    EXPECT_TRUE(ResultHasPlies(kPositionSearch, kAlone));
    EXPECT_FALSE(ResultHasPlies(kHeaderSearch, kAlone));
    EXPECT_FALSE(ResultHasPlies(kHeaderSearch, kWithVariation));
    EXPECT_TRUE(ResultHasPlies(kHeaderSearch, kWithPosition));
    EXPECT_TRUE(ResultHasPlies(kHeaderSearch, kWithBoth));
    const ResultFileHeader header = Header(kVariationSearch, kAlone);
    EXPECT_EQ(EncodeResultRecord(header, Record("a", {1, 2, 3}, {})).size(), 56u + 4u + 20u + 12u);
}

TEST(ResultFileLayout, RecordOfResultTakesGamesPliesAndCounters) {
    SearchResult result;
    result.Add(4, kOutcomeWhiteWon, 9);
    result.Add(8, kOutcomeOther, 11);
    result.pliesMatched = 5;
    const ResultFileRecord record = RecordOfResult("twic", result, Header(kPositionSearch, kAlone));
    EXPECT_EQ(record.games, (std::vector<int>{4, 8}));
    EXPECT_EQ(record.plies, (std::vector<int>{9, 11}));
    EXPECT_EQ(record.whiteWins, 1);
    EXPECT_EQ(record.blackWins, 0);
    EXPECT_EQ(record.pliesMatched, 5);
    EXPECT_EQ(record.counter3, kNotCounted);
}

// --- reading back ---

std::string WholeFile(const ResultFileHeader& header, const std::vector<ResultFileRecord>& records) {
    std::string bytes = EncodeResultHeader(header);
    for (const ResultFileRecord& record : records) {
        bytes += EncodeResultRecord(header, record);
    }
    return bytes + EncodeResultEnd();
}

TEST(ResultFileRead, EveryKindAndCombinationRoundTrips) {
    for (const auto& [kind, combination] : std::vector<std::pair<int, int>>{{kVariationSearch, kAlone},
                                                                            {kVariationSearch, kWithPosition},
                                                                            {kPositionSearch, kAlone},
                                                                            {kHeaderSearch, kAlone},
                                                                            {kHeaderSearch, kWithVariation},
                                                                            {kHeaderSearch, kWithPosition},
                                                                            {kHeaderSearch, kWithBoth}}) {
        const ResultFileHeader header = Header(kind, combination);
        const bool plies = ResultHasPlies(kind, combination);
        const std::vector<ResultFileRecord> records = {
            Record("Dortmund", {1, 5, 9}, plies ? std::vector<int>{3, 0, 7} : std::vector<int>{}),
            Record("games.old", {2}, plies ? std::vector<int>{4} : std::vector<int>{})};
        ResultFile file;
        ASSERT_TRUE(DecodeResultFile(WholeFile(header, records), file)) << kind << combination;
        EXPECT_EQ(file.header.directory, header.directory);
        EXPECT_EQ(file.header.kind, kind);
        EXPECT_EQ(file.header.combination, combination);
        EXPECT_EQ(file.header.flags, kAllResultFlags);
        EXPECT_EQ(file.header.pliesMatched, 6);
        ASSERT_EQ(file.records.size(), 2u);
        EXPECT_EQ(file.records[0].name, "Dortmund");
        EXPECT_EQ(file.records[0].games, records[0].games);
        EXPECT_EQ(file.records[0].plies, records[0].plies);
        EXPECT_EQ(file.records[1].name, "games.old");
        EXPECT_EQ(file.records[1].whiteWins, 2);
        if (kind == kHeaderSearch) {
            EXPECT_EQ(file.header.criteria.header[HeaderField::kBlackElo], "<2600");
        }
    }
}

TEST(ResultFileRead, FileWithoutWinCountBitStillListsItsRecordsWithoutCounters) {
    // A file written with bits 30 and 29 only: each record lacks the two win counters.
    ResultFileHeader header = Header(kVariationSearch, kAlone);
    header.flags = kFlagPliesMatched | kFlagExtraCounters | kFlagEloFields;
    std::string bytes = EncodeResultHeader(header);
    bytes += EncodeResultRecord(header, Record("old", {7, 8}, {}));
    bytes += EncodeResultEnd();
    ResultFile file;
    ASSERT_TRUE(DecodeResultFile(bytes, file));
    ASSERT_EQ(file.records.size(), 1u);
    EXPECT_FALSE(file.records[0].hasWinCounts);
    EXPECT_EQ(file.records[0].whiteWins, kNotCounted);
    EXPECT_EQ(file.records[0].pliesMatched, 6);
    EXPECT_EQ(file.records[0].games, (std::vector<int>{7, 8}));
}

TEST(ResultFileRead, WithoutEloBitTheHeaderCriteriaHaveNineFields) {
    ResultFileHeader header = Header(kHeaderSearch, kAlone);
    header.flags = kFlagWinCounts | kFlagPliesMatched | kFlagExtraCounters;
    const std::string bytes = EncodeResultHeader(header);
    EXPECT_EQ(bytes.size(), 212u + 720u);
    ResultFile file;
    ASSERT_TRUE(DecodeResultFile(bytes + EncodeResultEnd(), file));
    EXPECT_EQ(file.header.criteria.header[HeaderField::kWhite], "Morrow");
    EXPECT_EQ(file.header.criteria.header[HeaderField::kWhiteElo], "");
}

TEST(ResultFileRead, EmptyResultWithOnlyTheEndMarkerHasNoRecords) {
    ResultFile file;
    ASSERT_TRUE(DecodeResultFile(WholeFile(Header(kPositionSearch, kAlone), {}), file));
    EXPECT_TRUE(file.records.empty());
}

// --- corrupt files are refused, never read past ---

TEST(ResultFileCorrupt, EveryCutOffPointIsRefused) {
    const ResultFileHeader header = Header(kPositionSearch, kAlone);
    const std::string whole = WholeFile(header, {Record("a", {1, 2}, {3, 4}), Record("b", {5}, {6})});
    ResultFile file;
    for (std::size_t size = 0; size < whole.size() - kEndMarkerSize; ++size) {
        EXPECT_FALSE(DecodeResultFile(std::string_view(whole).substr(0, size), file)) << size;
    }
}

TEST(ResultFileCorrupt, BadFieldsAreRefused) {
    const ResultFileHeader header = Header(kVariationSearch, kAlone);
    const std::string good = WholeFile(header, {Record("a", {1, 2}, {})});
    const std::size_t record = 212 + 3200;
    ResultFile file;
    ASSERT_TRUE(DecodeResultFile(good, file));

    auto refused = [&](std::size_t offset, std::string_view bytes) {
        std::string bad = good;
        bad.replace(offset, bytes.size(), bytes);
        return !DecodeResultFile(bad, file);
    };
    EXPECT_TRUE(refused(0, std::string(200, 'd')));          // directory without its NUL
    EXPECT_TRUE(refused(200, Word(4)));                      // no such kind
    EXPECT_TRUE(refused(204, Word(9)));                      // no such combination
    EXPECT_TRUE(refused(212, std::string(8, 'e')));          // a move without its NUL
    EXPECT_TRUE(refused(record, std::string(56, 'n')));      // a name without its NUL
    EXPECT_TRUE(refused(record, std::string("../x\0", 5)));  // a path instead of a name
    EXPECT_TRUE(refused(record + 56, Word(-1)));             // negative count
    EXPECT_TRUE(refused(record + 56, Word(0x40000000)));     // count beyond the file
    EXPECT_TRUE(refused(record + 56 + 24, Word(0)));         // game number 0
}

// --- the writer on disk ---

TEST(ResultFileWriterTest, WritesTheSameBytesAsTheEncodersWithEveryFlagSet) {
    TempDir dir;
    ResultFileHeader header = Header(kHeaderSearch, kWithPosition);
    header.flags = 0;  // the writer sets all four
    const std::vector<ResultFileRecord> records = {Record("a", {1}, {5}), Record("b", {2, 3}, {6, 7})};
    ResultFileWriter writer;
    ASSERT_TRUE(writer.Create(dir.File(kResultFileName), header));
    for (const ResultFileRecord& record : records) {
        ASSERT_TRUE(writer.Append(record));
    }
    ASSERT_TRUE(writer.Finish());
    header.flags = kAllResultFlags;
    EXPECT_EQ(ReadWholeFile(dir.File(kResultFileName)), WholeFile(header, records));
    ResultFile file;
    EXPECT_EQ(LoadResultFile(dir.File(kResultFileName), file), ResultFileLoad::kOk);
    EXPECT_EQ(LoadResultFile(dir.File("none.xyz"), file), ResultFileLoad::kMissing);
}

TEST(ResultFileWriterTest, DirectoryTooLongForItsFieldIsRefusedNotCut) {
    TempDir dir;
    ResultFileHeader header = Header(kVariationSearch, kAlone);
    header.directory = "/" + std::string(199, 'd');
    EXPECT_FALSE(DirectoryFitsResultFile(header.directory));
    ResultFileWriter writer;
    EXPECT_FALSE(writer.Create(dir.File(kResultFileName), header));
    EXPECT_FALSE(std::filesystem::exists(dir.File(kResultFileName)));
    header.directory.pop_back();
    EXPECT_TRUE(DirectoryFitsResultFile(header.directory));
}

TEST(ResultFileWriterTest, UncreatableFileFails) {
    TempDir dir;
    ResultFileWriter writer;
    EXPECT_FALSE(writer.Create(dir.File("missing/searchqq.xyz"), Header(kVariationSearch, kAlone)));
}

// --- copies ---

TEST(ResultFileCopy, CopiesEveryByteAndReportsItsTwoFailures) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 1000; ++i) {
        bytes.push_back(static_cast<char>(i * 7));
    }
    const std::string source = dir.Write("source.xyz", bytes);
    EXPECT_EQ(CopyResultFile(source, dir.File("saved.dir"), "open", "create"), "");
    EXPECT_EQ(ReadWholeFile(dir.File("saved.dir")), bytes);
    EXPECT_EQ(CopyResultFile(dir.File("none.xyz"), dir.File("x.dir"), "open", "create"), "open");
    EXPECT_EQ(CopyResultFile(source, dir.File("missing/x.dir"), "open", "create"), "create");
}

}  // namespace
}  // namespace ravelin::search

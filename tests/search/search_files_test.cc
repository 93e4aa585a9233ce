// The files searches are kept in: the criteria files (.ser) and the directory search's result file,
// whose criteria part is made of the same sections.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "search/criteria_file.h"
#include "search/directory_search_file.h"
#include "search/record_bytes.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using Command = CriteriaLoadCommand;

constexpr char kInvalid[] = "Invalid search file.";

std::string Word(std::int32_t value) {
    ByteWriter out;
    out.Int32(value);
    return out.Take();
}

std::int32_t WordAt(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

// The NUL-padded entry of size bytes at offset.
std::string EntryAt(const std::string& bytes, std::size_t offset, std::size_t size = 8) {
    const std::string entry = bytes.substr(offset, size);
    EXPECT_EQ(entry.find_first_not_of('\0', entry.find('\0')), std::string::npos) << "at " << offset;
    return entry.substr(0, entry.find('\0'));
}

// 1. e4 e5 2. Nf3 Nc6 3. Bb5, a position with a king, a pawn and count conditions, and every
// header field filled.
SearchCriteria SampleCriteria() {
    SearchCriteria criteria;
    int ply = 1;
    for (const char* move : {"e4", "e5", "Nf3", "Nc6", "Bb5"}) {
        chess::SetSanText(criteria.variation.MoveOfPly(ply++), move);
    }
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

// --- criteria files ---

TEST(CriteriaFileTest, ByteLayoutOfEachKind) {
    const SearchCriteria criteria = SampleCriteria();
    // The kind, then 0 whatever the combination, then both move tables of 200 entries.
    const std::string variation = EncodeCriteriaFile(kVariationSearch, kWithBoth, criteria);
    ASSERT_EQ(variation.size(), 8u + 3200u);
    EXPECT_EQ(WordAt(variation, 0), 1);
    EXPECT_EQ(WordAt(variation, 4), 0);
    EXPECT_EQ(EntryAt(variation, 8), "e4");
    EXPECT_EQ(EntryAt(variation, 8 + 16), "Bb5");
    EXPECT_EQ(EntryAt(variation, 8 + 1600), "e5");
    EXPECT_EQ(EntryAt(variation, 8 + 1608), "Nc6");
    // The two lists of 40 entries.
    const std::string position = EncodeCriteriaFile(kPositionSearch, kAlone, criteria);
    ASSERT_EQ(position.size(), 8u + 640u);
    EXPECT_EQ(WordAt(position, 0), 2);
    EXPECT_EQ(EntryAt(position, 8), "Kg1");
    EXPECT_EQ(EntryAt(position, 8 + 16), "=8");
    EXPECT_EQ(EntryAt(position, 8 + 320), "N*2");
    // Eleven header fields of 80 bytes in order, without Specific Move; then what the second word
    // names, the position lists also with the variation alone.
    const std::string header = EncodeCriteriaFile(kHeaderSearch, kAlone, criteria);
    ASSERT_EQ(header.size(), 8u + 880u);
    EXPECT_EQ(WordAt(header, 0), 3);
    EXPECT_EQ(WordAt(header, 4), 0);
    EXPECT_EQ(EntryAt(header, 8, 80), "Dortmund#");
    EXPECT_EQ(EntryAt(header, 8 + 4 * 80, 80), "Morrow,");
    EXPECT_EQ(EntryAt(header, 8 + 10 * 80, 80), "2400-2600");
    EXPECT_EQ(header.find("Nxe4"), std::string::npos);
    EXPECT_EQ(EncodeCriteriaFile(kHeaderSearch, kWithVariation, criteria).substr(888),
              variation.substr(8) + position.substr(8));
    EXPECT_EQ(EncodeCriteriaFile(kHeaderSearch, kWithPosition, criteria).substr(888), position.substr(8));
    EXPECT_EQ(EncodeCriteriaFile(kHeaderSearch, kWithBoth, criteria).substr(888),
              variation.substr(8) + position.substr(8));
    // A field longer than 79 characters is cut to its field.
    SearchCriteria longEvent;
    longEvent.header[HeaderField::kEvent] = std::string(100, 'x');
    EXPECT_EQ(EntryAt(EncodeCriteriaFile(kHeaderSearch, kAlone, longEvent), 8, 80), std::string(79, 'x'));
}

// Load Variation and Load Position take a file of their own kind, or a header file that holds all
// three parts; Load Header reads the parts its second word names (the position lists also with the
// variation alone). What no file holds is kept.
TEST(CriteriaFileTest, EachLoadReadsThePartsItsFileHolds) {
    const SearchCriteria saved = SampleCriteria();
    struct Case {
        int kind, combination;
        Command command;
        bool variation, position, header;
    };
    for (const Case& c : {Case{kVariationSearch, kWithBoth, Command::kVariation, true, false, false},
                          Case{kHeaderSearch, kWithBoth, Command::kVariation, true, true, true},
                          Case{kHeaderSearch, kWithBoth, Command::kPosition, true, true, true},
                          Case{kHeaderSearch, kAlone, Command::kHeader, false, false, true},
                          Case{kHeaderSearch, kWithPosition, Command::kHeader, false, true, true},
                          Case{kHeaderSearch, kWithVariation, Command::kHeader, true, true, true}}) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.combination));
        SearchCriteria loaded;
        loaded.header[HeaderField::kSpecificMove] = "O-O-O";
        loaded.position.moveNumber = MoveNumberCondition{true, ">10"};
        const CriteriaLoadResult result =
            DecodeCriteriaFile(EncodeCriteriaFile(c.kind, c.combination, saved), c.command, loaded);
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.headerLoaded, c.header);
        EXPECT_EQ(loaded.variation.Plies(), c.variation ? 5 : 0);
        EXPECT_EQ(loaded.position.black, c.position ? saved.position.black : PositionList{});
        EXPECT_EQ(loaded.header[HeaderField::kBlackElo], c.header ? "2400-2600" : "");
        EXPECT_EQ(loaded.header[HeaderField::kSpecificMove], "O-O-O");
        EXPECT_EQ(loaded.position.moveNumber.criterion, ">10");
        if (c.command == Command::kHeader) {
            EXPECT_EQ(result.combination, c.combination);
            EXPECT_EQ(result.variationLoaded, c.variation);
            EXPECT_EQ(result.positionLoaded, c.position);
        }
    }
}

// Cut off, with an unknown second word, or with an entry that lacks its NUL: invalid, and the
// criteria stay as they were.
TEST(CriteriaFileTest, CorruptOrOtherFilesAreInvalidAndLeaveTheCriteria) {
    const SearchCriteria sample = SampleCriteria();
    std::vector<std::pair<std::string, Command>> bad = {
        {EncodeCriteriaFile(kPositionSearch, 0, sample), Command::kVariation},
        {EncodeCriteriaFile(kVariationSearch, 0, sample), Command::kPosition},
        {EncodeCriteriaFile(kVariationSearch, 0, sample), Command::kHeader},
        {EncodeCriteriaFile(kHeaderSearch, kWithVariation, sample), Command::kVariation},
        {EncodeCriteriaFile(kHeaderSearch, kWithPosition, sample), Command::kPosition},
        {EncodeCriteriaFile(kHeaderSearch, kAlone, sample), Command::kPosition}};
    const std::string whole = EncodeCriteriaFile(kHeaderSearch, kWithBoth, sample);
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{6}, std::size_t{8}, std::size_t{988}, whole.size() - 1}) {
        bad.emplace_back(whole.substr(0, size), Command::kHeader);
    }
    std::string bytes = whole;
    bytes[4] = 4;
    bad.emplace_back(bytes, Command::kHeader);
    bytes = EncodeCriteriaFile(kVariationSearch, 0, sample);
    bad.emplace_back(bytes.replace(8, 8, "Nbd2xe4+"), Command::kVariation);
    bytes = EncodeCriteriaFile(kHeaderSearch, kAlone, sample);
    bad.emplace_back(bytes.replace(8, 80, std::string(80, 'E')), Command::kHeader);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        SearchCriteria criteria;
        criteria.header[HeaderField::kEvent] = "kept";
        chess::SetSanText(criteria.variation.whiteMoves[0], "d4");
        const CriteriaLoadResult result = DecodeCriteriaFile(bad[i].first, bad[i].second, criteria);
        EXPECT_FALSE(result.ok) << "file " << i;
        EXPECT_EQ(result.message, kInvalid) << "file " << i;
        EXPECT_EQ(criteria.header[HeaderField::kEvent], "kept") << "file " << i;
        EXPECT_EQ(criteria.variation.Plies(), 1) << "file " << i;
    }
    // A missing file cannot be opened, nor a file in a missing directory saved; an oversized file is
    // invalid, not read whole.
    TempDir dir;
    SearchCriteria criteria;
    EXPECT_EQ(LoadCriteriaFile(dir.File("none.ser"), Command::kVariation, criteria).message,
              "Error opening file.");
    EXPECT_EQ(SaveCriteriaFile(dir.File("no/such/dir.ser"), kVariationSearch, 0, criteria),
              "Error opening file.");
    const std::string big = dir.Write("big.ser", std::string(1 << 20, '\x03'));
    EXPECT_EQ(LoadCriteriaFile(big, Command::kHeader, criteria).message, kInvalid);
}

// --- the directory search's result file ---

ResultFileHeader Header(int kind, int combination) {
    ResultFileHeader header;
    header.directory = "/home/games/openings";
    header.kind = kind;
    header.combination = combination;
    header.pliesMatched = 6;
    header.criteria = SampleCriteria();
    return header;
}

ResultFileRecord Record(std::string name, std::vector<int> games, std::vector<int> plies) {
    ResultFileRecord record;
    record.name = std::move(name);
    record.hasWinCounts = true;
    record.whiteWins = 2;
    record.blackWins = 1;
    record.pliesMatched = 6;
    record.games = std::move(games);
    record.plies = std::move(plies);
    return record;
}

std::string WholeFile(const ResultFileHeader& header, const std::vector<ResultFileRecord>& records) {
    std::string bytes = EncodeResultHeader(header);
    for (const ResultFileRecord& record : records) {
        bytes += EncodeResultRecord(header, record);
    }
    return bytes + EncodeResultEnd();
}

// The directory in 200 bytes, the kind, the combination, the flags with the plies matched, then
// the criteria sections of the kind and combination: those of the criteria file, the position
// lists after a variation's moves when the two were combined.
TEST(ResultFileTest, EveryKindAndCombinationRoundTripsWithItsCriteriaAndPlies) {
    struct Case {
        int kind, combination;
        bool plies;
    };
    for (const Case& c : {Case{kVariationSearch, kAlone, false}, Case{kVariationSearch, kWithPosition, true},
                          Case{kPositionSearch, kAlone, true}, Case{kHeaderSearch, kAlone, false},
                          Case{kHeaderSearch, kWithVariation, false},
                          Case{kHeaderSearch, kWithPosition, true}, Case{kHeaderSearch, kWithBoth, true}}) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.combination));
        const ResultFileHeader header = Header(c.kind, c.combination);
        const std::string bytes = EncodeResultHeader(header);
        EXPECT_EQ(EntryAt(bytes, 0, 200), "/home/games/openings");
        EXPECT_EQ(WordAt(bytes, 200), c.kind);
        EXPECT_EQ(WordAt(bytes, 204), c.combination);
        EXPECT_EQ(static_cast<std::uint32_t>(WordAt(bytes, 208)), 0xF0000006u);
        std::string sections = EncodeCriteriaFile(c.kind, c.combination, header.criteria).substr(8);
        if (c.kind == kVariationSearch && c.combination == kWithPosition) {
            sections += EncodeCriteriaFile(kPositionSearch, kAlone, header.criteria).substr(8);
        }
        EXPECT_EQ(bytes.substr(212), sections);
        EXPECT_EQ(ResultHasPlies(c.kind, c.combination), c.plies);

        const std::vector<ResultFileRecord> records = {
            Record("Dortmund", {1, 5, 9}, c.plies ? std::vector<int>{3, 0, 7} : std::vector<int>{}),
            Record("games.old", {2}, c.plies ? std::vector<int>{4} : std::vector<int>{})};
        // Read back, the file gives every field again (the encoders' bytes are checked above and
        // below).
        ResultFile file;
        ASSERT_TRUE(DecodeResultFile(WholeFile(header, records), file));
        EXPECT_EQ(file.header.flags, kAllResultFlags);
        EXPECT_EQ(WholeFile(file.header, file.records), WholeFile(header, records));
        EXPECT_EQ(file.records[1].name, "games.old");
        // An empty result has only the end marker.
        ASSERT_TRUE(DecodeResultFile(WholeFile(header, {}), file));
        EXPECT_TRUE(file.records.empty());
    }
}

// A search's result as its record: the name, the count, the counters, the games and the plies.
TEST(ResultFileTest, RecordOfAResultWithAllFlags) {
    SearchResult result;
    result.Add(4, kOutcomeWhiteWon, 9);
    result.Add(8, kOutcomeOther, 11);
    result.pliesMatched = 5;
    const ResultFileHeader header = Header(kPositionSearch, kAlone);
    std::string expected("twic");
    expected.append(56 - expected.size(), '\0');
    expected += Word(2) + Word(1) + Word(0) + Word(5) + Word(-1) + Word(-1);
    expected += Word(4) + Word(8) + Word(9) + Word(11);
    EXPECT_EQ(EncodeResultRecord(header, RecordOfResult("twic", result, header)), expected);
}

// Files written without the two Elo fields. (Those without win counters are the shell's Display Dir
// Search test.)
TEST(ResultFileTest, FilesWithoutTheEloFieldsAreReadWithoutThem) {
    ResultFileHeader header = Header(kHeaderSearch, kAlone);
    header.flags = kFlagWinCounts | kFlagPliesMatched | kFlagExtraCounters;
    const std::string bytes = EncodeResultHeader(header);
    EXPECT_EQ(bytes.size(), 212u + 720u);
    ResultFile file;
    ASSERT_TRUE(DecodeResultFile(bytes + EncodeResultEnd(), file));
    EXPECT_EQ(file.header.criteria.header[HeaderField::kWhite], "Morrow,");
    EXPECT_EQ(file.header.criteria.header[HeaderField::kWhiteElo], "");
}

// Corrupt files are refused, never read past.
TEST(ResultFileTest, EveryCutOffPointAndBadFieldIsRefused) {
    const std::string whole =
        WholeFile(Header(kPositionSearch, kAlone), {Record("a", {1, 2}, {3, 4}), Record("b", {5}, {6})});
    ResultFile file;
    for (std::size_t size = 0; size < whole.size() - kEndMarkerSize; ++size) {
        EXPECT_FALSE(DecodeResultFile(std::string_view(whole).substr(0, size), file)) << size;
    }
    const std::string good = WholeFile(Header(kVariationSearch, kAlone), {Record("a", {1, 2}, {})});
    const std::size_t record = 212 + 3200;
    ASSERT_TRUE(DecodeResultFile(good, file));
    const auto refused = [&](std::size_t offset, std::string_view bytes) {
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

TEST(ResultFileTest, WriterWritesTheEncodersBytesWithEveryFlagSetOrFails) {
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
    // A directory too long for its field is refused, not cut.
    ResultFileWriter other;
    header.directory = "/" + std::string(199, 'd');
    EXPECT_FALSE(DirectoryFitsResultFile(header.directory));
    EXPECT_FALSE(other.Create(dir.File("long.xyz"), header));
    EXPECT_FALSE(std::filesystem::exists(dir.File("long.xyz")));
    header.directory.pop_back();
    EXPECT_TRUE(DirectoryFitsResultFile(header.directory));
}

}  // namespace
}  // namespace ravelin::search

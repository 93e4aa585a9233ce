#include "app/cli_search_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/search_result.h"

namespace {

using ravelin::app::ParsePositionText;
using ravelin::app::ParseSearchArguments;
using ravelin::app::ParseVariationText;
using ravelin::app::SearchRequest;
using ravelin::chess::SanView;
using ravelin::search::HeaderField;
using ravelin::search::PositionEntryText;
using ravelin::search::SearchPosition;
using ravelin::search::SearchVariation;

std::vector<std::string> Plies(const SearchVariation& variation) {
    std::vector<std::string> plies;
    for (int ply = 1; ply <= variation.Plies(); ++ply) {
        plies.emplace_back(SanView(variation.MoveOfPly(ply)));
    }
    return plies;
}

std::vector<std::string> Entries(const ravelin::search::PositionList& list) {
    std::vector<std::string> entries;
    for (const auto& entry : list) {
        if (entry[0] != 0) {
            entries.emplace_back(PositionEntryText(entry));
        }
    }
    return entries;
}

SearchVariation Variation(const std::string& text) {
    SearchVariation variation;
    std::string error;
    EXPECT_TRUE(ParseVariationText(text, variation, error)) << text << ": " << error;
    return variation;
}

std::string VariationError(const std::string& text) {
    SearchVariation variation;
    std::string error;
    EXPECT_FALSE(ParseVariationText(text, variation, error)) << text;
    return error;
}

TEST(SearchVariationText, MoveNumbersAreOptionalAndCheckedWhenGiven) {
    const std::vector<std::string> expected = {"e4", "c5", "Nf3"};
    EXPECT_EQ(Plies(Variation("1.e4 c5 2.Nf3")), expected);
    EXPECT_EQ(Plies(Variation("e4 c5 Nf3")), expected);
    EXPECT_EQ(Plies(Variation("1. e4 1... c5 2. Nf3")), expected);
    const SearchVariation variation = Variation("1.e4 c5 2.Nf3");
    EXPECT_EQ(variation.WhiteCount(), 2);
    EXPECT_EQ(variation.BlackCount(), 1);

    EXPECT_NE(VariationError("1.e4 3.d4").find("out of turn"), std::string::npos);
    EXPECT_NE(VariationError("1.e4 1.c5").find("out of turn"), std::string::npos);
    EXPECT_NE(VariationError("1...e5").find("out of turn"), std::string::npos);
}

TEST(SearchVariationText, MovesGetTheTextsTheBoardWouldWrite) {
    // Long algebraic and shorthand forms become SAN; check and mate marks are the position's own.
    EXPECT_EQ(Plies(Variation("e2e4 e7e5 g1f3 b8c6 f1b5")),
              (std::vector<std::string>{"e4", "e5", "Nf3", "Nc6", "Bb5"}));
    EXPECT_EQ(Plies(Variation("1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7#")).back(), "Qxf7+");
    EXPECT_EQ(Plies(Variation("1.e4 d5 2.ed5 Qxd5 3.Nc3 Qa5 4.Bc4!? Nf6")),
              (std::vector<std::string>{"e4", "d5", "exd5", "Qxd5", "Nc3", "Qa5", "Bc4", "Nf6"}));
    // Castling and promotion.
    const SearchVariation castled = Variation("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O Nf6 5.d3 O-O");
    EXPECT_EQ(SanView(castled.whiteMoves[3]), "O-O");
    EXPECT_EQ(SanView(castled.blackMoves[4]), "O-O");
    const SearchVariation promoted = Variation("1.h4 g5 2.hxg5 h6 3.gxh6 Nf6 4.h7 Rg8 5.hxg8=N");
    EXPECT_EQ(SanView(promoted.whiteMoves[4]), "hxg8=N");
}

TEST(SearchVariationText, DisambiguatedMovesCarryTheirFromSquare) {
    const SearchVariation variation = Variation("1.Nf3 Nf6 2.d3 d6 3.Nbd2 Nbd7");
    EXPECT_EQ(SanView(variation.whiteMoves[2]), "Nbd2");
    EXPECT_EQ(std::string(variation.whiteHints[2].data()), "b1");
    EXPECT_EQ(std::string(variation.blackHints[2].data()), "b8");
    // Moves that need no disambiguation carry no hint.
    EXPECT_EQ(variation.whiteHints[0][0], '\0');
    EXPECT_EQ(variation.blackHints[1][0], '\0');
}

TEST(SearchVariationText, AnyMoveLeavesTheBoardAsItIs) {
    const SearchVariation variation = Variation("1.e4 * 2.Nf3 *");
    EXPECT_EQ(Plies(variation), (std::vector<std::string>{"e4", "*", "Nf3", "*"}));
    // After black's "*" the next white move is read on the board where black did not move.
    EXPECT_EQ(SanView(Variation("1.d4 * 2.d5").whiteMoves[1]), "d5");
}

TEST(SearchVariationText, MovesTheBoardRefusesAreErrors) {
    EXPECT_EQ(VariationError("1.e4 e5 2.Ke3"), "Illegal move in the variation: 2. Ke3.");
    // Black is in check and a6 does nothing about it.
    EXPECT_EQ(VariationError("1.e4 f6 2.Qh5+ a6"), "Illegal move in the variation: 2... a6.");
    EXPECT_NE(VariationError("1.e4 e5 2.Nf3 xyz").find("2... xyz"), std::string::npos);
    EXPECT_NE(VariationError("1.e4 12e5").find("Not a move"), std::string::npos);
    EXPECT_NE(VariationError("1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O-O").find("5. O-O-O"),
              std::string::npos);
}

TEST(SearchVariationText, MoreThanTheMovesOfAGameIsAnError) {
    std::string shuffle;
    for (int i = 0; i < 50; ++i) {
        shuffle += "Nf3 Nf6 Ng1 Ng8 ";
    }
    EXPECT_EQ(Variation(shuffle).WhiteCount(), 100);
    EXPECT_EQ(Variation(shuffle + shuffle).WhiteCount(), 200);
    EXPECT_NE(VariationError(shuffle + shuffle + "Nf3").find("more than 200 moves"), std::string::npos);
}

TEST(SearchPositionText, PieceListsKeepTheirEntriesPerSide) {
    SearchPosition position;
    std::string error;
    ASSERT_TRUE(ParsePositionText("Ke1 Qd1 e4 =5 / Ke8 N=2 *3 B*1", position, error)) << error;
    EXPECT_EQ(Entries(position.white), (std::vector<std::string>{"Ke1", "Qd1", "e4", "=5"}));
    EXPECT_EQ(Entries(position.black), (std::vector<std::string>{"Ke8", "N=2", "*3", "B*1"}));
    ASSERT_TRUE(ParsePositionText("/ Ke8", position, error)) << error;
    EXPECT_TRUE(Entries(position.white).empty());
    EXPECT_EQ(Entries(position.black), (std::vector<std::string>{"Ke8"}));
    ASSERT_TRUE(ParsePositionText("R>1 <7", position, error)) << error;
    EXPECT_EQ(Entries(position.white), (std::vector<std::string>{"R>1", "<7"}));
    EXPECT_TRUE(Entries(position.black).empty());
}

TEST(SearchPositionText, EntriesOfNoFormAreRefused) {
    SearchPosition position;
    std::string error;
    for (const char* text :
         {"Kz9", "e9", "K=1", "*3", "N*2 / Ke8", "Ke1 / Ke8 / e5", "Xe4", "Ke1e2", "", " / "}) {
        EXPECT_FALSE(ParsePositionText(text, position, error)) << text;
        EXPECT_FALSE(error.empty());
    }
    std::string full;
    for (int i = 0; i < 41; ++i) {
        full += "e4 ";
    }
    EXPECT_FALSE(ParsePositionText(full, position, error));
    EXPECT_NE(error.find("at most 40"), std::string::npos);
    EXPECT_TRUE(ParsePositionText(full.substr(3), position, error)) << error;
}

TEST(SearchPositionText, FenIsTheExactPositionWithEveryCount) {
    SearchPosition position;
    position.moveNumber = {true, "<10"};
    std::string error;
    ASSERT_TRUE(
        ParsePositionText("rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2", position, error))
        << error;
    const std::vector<std::string> white = Entries(position.white);
    // Files a to h, ranks 1 to 8 within each file, then queens, rooks, bishops, knights, pawns.
    EXPECT_EQ(white, (std::vector<std::string>{"Ra1", "a2",  "Nb1", "b2",  "Bc1", "c2",  "Qd1",
                                               "d2",  "Ke1", "e4",  "Bf1", "f2",  "Nf3", "g2",
                                               "Rh1", "h2",  "Q=1", "R=2", "B=2", "N=2", "=8"}));
    const std::vector<std::string> black = Entries(position.black);
    ASSERT_EQ(black.size(), 21u);
    EXPECT_EQ(black[4], "c5");
    EXPECT_EQ(black.back(), "=8");
    // The move-number condition is not part of the lists.
    EXPECT_TRUE(position.moveNumber.on);
    EXPECT_EQ(position.moveNumber.criterion, "<10");

    ASSERT_TRUE(ParsePositionText("4k3/8/8/8/8/8/8/4K3", position, error)) << error;
    EXPECT_EQ(Entries(position.white), (std::vector<std::string>{"Ke1", "Q=0", "R=0", "B=0", "N=0", "=0"}));

    EXPECT_FALSE(ParsePositionText("4k3/8/8/8/8/8/8/4K4", position, error));
    EXPECT_NE(error.find("FEN"), std::string::npos);
    EXPECT_FALSE(ParsePositionText("8/8/8/8/8/8/8/4K3", position, error));
}

// Runs ParseSearchArguments over a list of words.
bool Parse(std::vector<std::string> words, SearchRequest& request, std::string& error) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    return ParseSearchArguments(static_cast<int>(argv.size()), argv.data(), request, error);
}

SearchRequest Request(std::vector<std::string> words) {
    SearchRequest request;
    std::string error;
    EXPECT_TRUE(Parse(std::move(words), request, error)) << error;
    return request;
}

std::string ArgumentError(std::vector<std::string> words) {
    SearchRequest request;
    std::string error;
    EXPECT_FALSE(Parse(std::move(words), request, error));
    return error;
}

TEST(SearchArguments, CriteriaGivenTogetherCombineAsTheSearchCommandsDo) {
    using namespace ravelin::search;
    struct Case {
        std::vector<std::string> words;
        int kind;
        int combination;
        bool plies;
    };
    const Case cases[] = {
        {{"f.pgn", "--moves", "1.e4"}, kVariationSearch, kAlone, false},
        {{"f.pgn", "--position", "Ke1"}, kPositionSearch, kAlone, true},
        {{"f.pgn", "--moves", "1.e4", "--position", "e4"}, kVariationSearch, kWithPosition, true},
        {{"f.pgn", "--eco", "B2"}, kHeaderSearch, kAlone, false},
        {{"f.pgn", "--eco", "B2", "--moves", "1.e4"}, kHeaderSearch, kWithVariation, false},
        {{"f.pgn", "--eco", "B2", "--position", "e4"}, kHeaderSearch, kWithPosition, true},
        {{"--white=Morrow", "--moves=1.e4", "--position=e4", "f.pgn"}, kHeaderSearch, kWithBoth, true},
    };
    for (const Case& c : cases) {
        const SearchRequest request = Request(c.words);
        EXPECT_EQ(request.path, "f.pgn");
        EXPECT_EQ(request.kind, c.kind) << c.words[1];
        EXPECT_EQ(request.combination, c.combination) << c.words[1];
        EXPECT_EQ(request.positionPlies, c.plies) << c.words[1];
    }
}

TEST(SearchArguments, OptionsFillTheirFields) {
    const SearchRequest request = Request({"--exact",
                                           "--force",
                                           "--dir",
                                           "--time",
                                           "--event",
                                           "Open#",
                                           "--site",
                                           "Wijk",
                                           "--date",
                                           ">=1990",
                                           "--round",
                                           "3",
                                           "--result",
                                           "1-0",
                                           "--eco",
                                           "B90",
                                           "--moves-count",
                                           "<40",
                                           "--white-elo",
                                           ">2500",
                                           "--black-elo",
                                           "2400-2600",
                                           "--specific-move",
                                           "12... Nxe4",
                                           "games",
                                           "--position",
                                           "Ke1",
                                           "--move-number",
                                           "> 20"});
    EXPECT_TRUE(request.criteria.options.exactVariation);
    EXPECT_TRUE(request.criteria.options.forceMatch);
    EXPECT_TRUE(request.directory);
    EXPECT_TRUE(request.timing);
    const auto& header = request.criteria.header;
    EXPECT_EQ(header[HeaderField::kEvent], "Open#");
    EXPECT_EQ(header[HeaderField::kSite], "Wijk");
    EXPECT_EQ(header[HeaderField::kDate], ">=1990");
    EXPECT_EQ(header[HeaderField::kRound], "3");
    EXPECT_EQ(header[HeaderField::kResult], "1-0");
    EXPECT_EQ(header[HeaderField::kEco], "B90");
    EXPECT_EQ(header[HeaderField::kNumberOfMoves], "<40");
    EXPECT_EQ(header[HeaderField::kWhiteElo], ">2500");
    EXPECT_EQ(header[HeaderField::kBlackElo], "2400-2600");
    EXPECT_EQ(header[HeaderField::kSpecificMove], "12... Nxe4");
    EXPECT_TRUE(header[HeaderField::kWhite].empty());
    EXPECT_TRUE(request.criteria.position.moveNumber.on);
    EXPECT_EQ(request.criteria.position.moveNumber.criterion, "> 20");
    EXPECT_EQ(request.path, "games");
}

TEST(SearchArguments, PlayerFormsFillWhiteAndBlack) {
    SearchRequest request = Request({"f.pgn", "--player", "Morrow, G"});
    EXPECT_EQ(request.criteria.header[HeaderField::kWhite], "Morrow, G");
    EXPECT_EQ(request.criteria.header[HeaderField::kBlack], "*");
    request = Request({"f.pgn", "--opponents", "Morrow,Smith"});
    EXPECT_EQ(request.criteria.header[HeaderField::kWhite], "Morrow");
    EXPECT_EQ(request.criteria.header[HeaderField::kBlack], "*Smith");
    request = Request({"f.pgn", "--white", "Morrow", "--black", "Smith"});
    EXPECT_EQ(request.criteria.header[HeaderField::kBlack], "Smith");

    EXPECT_EQ(ArgumentError({"f.pgn", "--player", "A", "--black", "B"}), ravelin::app::kPlayerWithNames);
    EXPECT_EQ(ArgumentError({"f.pgn", "--white", "A", "--player", "B"}), ravelin::app::kPlayerWithNames);
    EXPECT_NE(ArgumentError({"f.pgn", "--opponents", "Morrow"}).find("two names"), std::string::npos);
    EXPECT_NE(ArgumentError({"f.pgn", "--opponents", "Morrow,"}).find("two names"), std::string::npos);
}

TEST(SearchArguments, MistakesAreReportedNotGuessed) {
    EXPECT_EQ(ArgumentError({"f.pgn"}), ravelin::app::kNoSearchCriteria);
    EXPECT_EQ(ArgumentError({"f.pgn", "--exact"}), ravelin::app::kNoSearchCriteria);
    EXPECT_EQ(ArgumentError({"--moves", "e4"}), ravelin::app::kSearchUsage);
    EXPECT_EQ(ArgumentError({"f.pgn", "--moves", "e4", "--move-number", "5"}),
              ravelin::app::kMoveNumberNeedsPosition);
    EXPECT_NE(ArgumentError({"f.pgn", "--colour", "w"}).find("Unknown option"), std::string::npos);
    EXPECT_NE(ArgumentError({"f.pgn", "--eco"}).find("needs a value"), std::string::npos);
    EXPECT_NE(ArgumentError({"f.pgn", "--exact=yes", "--eco", "B"}).find("takes no value"),
              std::string::npos);
    EXPECT_NE(ArgumentError({"a.pgn", "b.pgn", "--eco", "B"}).find("Only one FILE"), std::string::npos);
    EXPECT_NE(ArgumentError({"f.pgn", "--event", std::string(80, 'x')}).find("longer than 79"),
              std::string::npos);
    EXPECT_TRUE(
        Request({"f.pgn", "--event", std::string(79, 'x')}).criteria.header[HeaderField::kEvent].size() ==
        79);
    EXPECT_NE(ArgumentError({"f.pgn", "--position", "e4", "--move-number", "123456789012345"})
                  .find("longer than 14"),
              std::string::npos);
    EXPECT_NE(ArgumentError({"f.pgn", "--moves", ""}).find("no moves"), std::string::npos);
    EXPECT_EQ(ArgumentError({"f.pgn", "--moves", "1.e4 e5 2.Ke3"}), "Illegal move in the variation: 2. Ke3.");
    for (const char* repeat : {"0", "x", "1001", "3x"}) {
        EXPECT_EQ(ArgumentError({"f.pgn", "--eco", "B", "--repeat", repeat}),
                  "--repeat needs a number from 1 to 1000.")
            << repeat;
    }
    EXPECT_EQ(Request({"f.pgn", "--eco", "B", "--repeat", "7"}).repeat, 7);
    EXPECT_EQ(Request({"f.pgn", "--eco", "B"}).repeat, 1);
}

}  // namespace

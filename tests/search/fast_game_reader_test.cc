#include "search/fast_game_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gamefile/game_walk.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

// One walk over a file's games as the writer makes it, with its own descriptor and reader.
class Walk {
  public:
    Walk(const std::string& path, FastGamePath way)
        : fd_(::open(path.c_str(), O_RDONLY)),
          reader_(gamefile::kScanBufferSize),
          header_(std::make_unique<gamefile::GameHeader>()),
          way_(way) {
        reader_.Attach(fd_);
    }
    ~Walk() { ::close(fd_); }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    void Position(std::uint32_t offset) {
        ASSERT_TRUE(gamefile::PositionAtGameStart(reader_, *header_, offset));
    }
    void NextGame() {
        gamefile::ParseGameHeader(reader_, *header_, true);
        games_.ReadMoves(reader_, *header_, way_, moves);
    }
    const gamefile::GameHeader& Header() const { return *header_; }

    FastGameMoves moves;

  private:
    int fd_;
    gamefile::LineReader reader_;
    std::unique_ptr<gamefile::GameHeader> header_;
    FastGameReader games_;
    FastGamePath way_;
};

// Reads every game of the file twice, the lean way first and always the full way, and requires
// the same words, the same cut and the same next-game line from both, game by game. Gives the
// 1-based numbers of the games the lean way handed over to the full way.
std::vector<int> CompareWays(const std::string& path) {
    std::vector<int> fullWayGames;
    const std::vector<std::uint32_t> offsets = IndexOf(path);
    Walk lean(path, FastGamePath::kLeanFirst);
    Walk full(path, FastGamePath::kFullOnly);
    bool reposition = true;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const int game = static_cast<int>(i) + 1;
        if (reposition) {
            lean.Position(offsets[i]);
            full.Position(offsets[i]);
        }
        lean.NextGame();
        full.NextGame();
        if (lean.moves.fullWay) {
            fullWayGames.push_back(game);
        }
        EXPECT_EQ(lean.moves.plies, full.moves.plies) << path << " game " << game;
        for (int ply = 0; ply < std::min(lean.moves.plies, full.moves.plies); ++ply) {
            const auto at = static_cast<std::size_t>(ply);
            if (lean.moves.words[at] != full.moves.words[at]) {
                ADD_FAILURE() << path << " game " << game << " ply " << ply + 1 << ": lean " << std::hex
                              << lean.moves.words[at] << ", full " << full.moves.words[at];
                break;
            }
        }
        EXPECT_EQ(lean.moves.cutOff, full.moves.cutOff) << path << " game " << game;
        const chess::HeldLine& leanNext = lean.Header().pendingLine;
        const chess::HeldLine& fullNext = full.Header().pendingLine;
        EXPECT_EQ(leanNext.present, fullNext.present) << path << " game " << game;
        if (leanNext.present && fullNext.present) {
            EXPECT_EQ(leanNext.offset, fullNext.offset) << path << " game " << game;
            EXPECT_EQ(leanNext.View(), fullNext.View()) << path << " game " << game;
        }
        reposition = gamefile::MustRepositionForNextGame(lean.moves.cutOff, lean.Header(), offsets, i + 1);
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
    return fullWayGames;
}

std::string Game(const std::string& event, const std::string& movetext, const std::string& extraTags = "") {
    return "[Event \"" + event + "\"]\n[Result \"*\"]\n" + extraTags + "\n" + movetext + "\n\n";
}

// Games made for the corners of the movetext and of the replay.
std::string MadeGames() {
    std::string pgn;
    // En passant, castling written with zeros and small letters, long castling refused after castling.
    pgn += Game("ep and castling",
                "1. e4 Nf6 2. e5 d5 3. exd6 e6 4. Nf3 Be7 5. Bc4 0-0 6. o-o Nc6 7. d4 b6\n"
                "8. Bg5 Bb7 9. Nc3 Qd7 10. Qe2 Rad8 11. O-O-O *");
    pgn += Game("queen side", "1. d4 d5 2. Nc3 Nc6 3. Bf4 Bf5 4. Qd2 Qd7 5. O-O-O O-O-O 6. e3 e6 *");
    // Promotions of both sides, to every piece, with and without '=', one refused.
    const std::string towardsA8 = "1. a4 b5 2. axb5 a6 3. bxa6 Bb7 4. axb7 Nc6 5. ";
    for (const std::string promotion : {"bxa8=N", "bxa8=B", "bxa8R", "bxa8=Q", "bxa8", "bxa8=r+", "bxa8=K"}) {
        pgn += Game("promotion " + promotion, towardsA8 + promotion + " e5 6. h4 Bc5 *");
    }
    pgn += Game("black promotes", "1. Nf3 a5 2. Ng1 a4 3. Nf3 a3 4. Ng1 axb2 5. Nf3 bxa1=R 6. e4 Rxb1 *");
    pgn += Game("black promotes to a queen",
                "1. Nf3 h5 2. Ng1 h4 3. Nf3 h3 4. Ng1 hxg2 5. Nf3 gxh1=Q+ 6. Ng1 Qxg1 *");
    // Ambiguous knight moves: one knight pinned, then neither pinned (the first slot's knight moves).
    pgn += Game("pinned knight", "1. d3 e5 2. Nc3 Bb4 3. Ne2 d6 4. Ng3 Nf6 5. Ne4 Nxe4 6. dxe4 *");
    pgn += Game("two knights", "1. Nc3 e6 2. e3 d6 3. Ne2 Nf6 4. Ng3 Nbd7 5. Ne4 Nxe4 6. Nxe4 *");
    // Coordinate moves, a king by coordinates and castling written as the king's move.
    pgn += Game("coordinates", "1. e2e4 e7e5 2. g1f3 b8c6 3. f1c4 g8f6 4. e1g1 f8c5 5. d2d3 e8g8 *");
    // Black moves first: "1..." and a lone "...".
    pgn += Game("black first", "1... e5 2. e4 Nf6 *");
    pgn += Game("dots", "1. ... e5 2. e4 Nf6 *");
    // Comments, NAGs, nested variations across lines, a ';' comment, a '%' line, a variation that
    // ")a" keeps open, results inside comments and variations.
    pgn += Game("annotations",
                "1. e4 {a comment (with a paren} e5 (1... c5 {nested ( 1-0} 2. Nf3 (2. Nc3 Nc6)) 2. Nf3 ; to "
                "the end 1-0\n% escaped line 0-1\n2... Nc6 $1 $14 3. Bb5 !? (3. Bc4 (3. d4)a\n3... exd4) a6 "
                "{\nspread over\nlines}\n4. Ba4 Nf6 *");
    // Suffixes: check marks, glyphs, a dot, a token longer than a move text.
    pgn += Game("suffixes", "1. e4+ e5! 2. Nf3!? Nc6?? 3. Bb5. a6 4. Bxc6dxc6!! d6 5. O-O# *");
    // A move no replay can play, in the middle of a game; a king that cannot step that far.
    pgn += Game("illegal", "1. e4 e5 2. Ke3 Nc6 3. Nf3 Nf6 *");
    pgn += Game("null move", "1. e4 e5 2. Z0 Nc6 3. Nf3 *");
    // Long algebraic notation, with and without piece letters.
    pgn += Game("long", "1. e2-e4 e7-e5 2. Ng1-f3 Nb8-c6 3. Bf1xc6 d7xc6 *");
    pgn += Game("long plain", "1. e2-e4 e7-e5 2. g1-f3 b8-c6 3. f1-b5 a7-a6 *");
    // A FEN game: replayed from the standard position like every game.
    pgn += Game("fen", "1. Kd2 Kd7 2. e4 e5 *", "[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n");
    // A NUL byte where a move should begin.
    pgn += Game("nul", std::string("1. e4 e5 2. Nf3 ") + '\0' + " Nc6 3. Bb5 *");
    // Lengths around the 200-move limit.
    pgn += Game("199 moves", KnightShuffle(1, 199) + "*");
    pgn += Game("199 and a half", KnightShuffle(1, 199) + "200. Nf3 *");
    pgn += Game("200 moves", KnightShuffle(1, 200) + "*");
    pgn += Game("over 200 moves", KnightShuffle(1, 230) + "*");
    // A movetext of more lines than the parser keeps, its moves before and after the cut.
    std::string lines;
    for (int i = 0; i < 3100; ++i) {
        lines += "{ line }\n";
    }
    pgn += Game("3000 lines", "1. e4 e5\n" + lines + "2. Nf3 Nc6 *");
    // A line of 300 characters, cut by the reader.
    pgn += Game("long line", "1. e4 e5 2. Nf3 {" + std::string(280, 'x') + "} Nc6 3. Bb5 a6 *");
    // The movetext right after the header, without an empty line.
    pgn += "[Event \"no empty line\"]\n[Result \"1-0\"]\n1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0\n\n";
    pgn += Game("no moves", "*");
    pgn += Game("last", "1. d4 d5 *");
    // Castling after the king or a rook left its square and came back: refused.
    pgn += Game("king walked", "1. e4 e5 2. Ke2 Ke7 3. Ke1 Ke8 4. Nf3 Nf6 5. Bc4 Bc5 6. O-O O-O *");
    pgn += Game("rook walked", "1. h4 h5 2. Rh3 Rh6 3. Rh1 Rh8 4. Nf3 Nf6 5. g3 g6 6. Bg2 Bg7 7. O-O *");
    return pgn;
}

TEST(FastGameReaderTest, LeanAndFullWaysAgreeOnMadeCornerCases) {
    TempDir dir;
    const std::string path = dir.Write("made.pgn", MadeGames());
    ASSERT_EQ(IndexOf(path).size(), 35u);
    // Only these go the full way: the long notation games, the FEN game, the NUL byte, the games
    // that reach the move limit and the one over the line limit. Castling and promotions stay lean.
    EXPECT_EQ(CompareWays(path), (std::vector<int>{21, 22, 23, 24, 26, 27, 28, 29}));
}

TEST(FastGameReaderTest, LeanAndFullWaysAgreeOnTheRealTestFiles) {
    TempDir dir;
    std::size_t games = 0, fullWay = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TestDataPath("pgn"))) {
        const std::string name = entry.path().filename().string();
        const std::string extension = entry.path().extension().string();
        if (extension != ".pgn" && extension != ".PGN") {
            continue;
        }
        // A copy, so that the index cache is written beside it and not into the test data.
        const std::string path = dir.Write(name, ReadWholeFile(entry.path().string()));
        games += IndexOf(path).size();
        fullWay += CompareWays(path).size();
    }
    EXPECT_GE(games, 1000u);
    // Annotated games, variations and promotions are read the lean way; only FEN games are not.
    EXPECT_LT(fullWay, games / 20);
}

}  // namespace
}  // namespace ravelin::search

#include "gamefile/game_loader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "chess/annotations.h"
#include "chess/fen.h"
#include "gamefile/game_file.h"
#include "gamefile/game_index.h"
#include "temp_dir.h"

namespace ravelin::gamefile {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TestDataPath;

// One real PGN file opened, indexed, and read game by game the way the program shows a game.
struct RealFile {
    std::string path;
    int fd;
    GameIndex index;
    LineReader reader;
    std::unique_ptr<GameHeader> header = std::make_unique<GameHeader>();
    std::unique_ptr<HeaderDisplay> display = std::make_unique<HeaderDisplay>();
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    std::unique_ptr<chess::GameRecord> record = chess::MakeGameRecord();

    explicit RealFile(std::string filePath) : path(std::move(filePath)), fd(open(path.c_str(), O_RDONLY)) {
        LineReader scanner(kScanBufferSize);
        scanner.Attach(fd);
        ScanGameOffsets(scanner, index);
        reader.Attach(fd);
        context->batch = true;
    }
    ~RealFile() { close(fd); }

    ReplaySummary Load(int game) {
        EXPECT_TRUE(LoadGameHeader(NameOf(path), reader, index, game, *header, *display, {}));
        ParseGameQuietly(reader, *header, *context, *record);
        return ReplayParsedGame(*context, *record, *header);
    }
    std::string FinalFen(const ReplaySummary& summary) const {
        const std::string fen = chess::FenOfPly(*context, summary.pliesPlayed + 1);
        return fen.substr(0, fen.rfind(" 0 1"));
    }
};

const std::vector<std::string>& RealFiles() {
    static const std::vector<std::string> files = {"pgn/world_matches.pgn",
                                                   "pgn/dortmund.pgn",
                                                   "pgn/TCEC_Cup_6_Bronze.pgn",
                                                   "pgn/uzchesscup.pgn",
                                                   "pgn/lichess-benchmark.pgn",
                                                   "pgn/chessbase-empty-line.pgn",
                                                   "pgn/utf8-bom.pgn",
                                                   "pgn/KASPAROV-DEEP-BLUE-1997.PGN",
                                                   "pgn/annotated.pgn",
                                                   "pgn/fenSetup.pgn",
                                                   "pgn/promotion.pgn",
                                                   "pgn/molinari-bordais-1979.pgn",
                                                   "pgn/anastasian-lewis.pgn",
                                                   "pgn/chess960rwch.pgn",
                                                   "pgn/cutechess-fischerrandom.pgn"};
    return files;
}

// --- Every game of the real files replays to its last move ---

TEST(RealFileReplay, EveryGameReplaysToItsLastMoveExceptTheNullMove) {
    int games = 0;
    std::vector<std::string> stopped;
    for (const std::string& name : RealFiles()) {
        RealFile file(TestDataPath(name));
        ASSERT_GE(file.fd, 0) << name;
        for (int game = 1; game <= file.index.Count(); ++game) {
            const ReplaySummary summary = file.Load(game);
            ++games;
            if (summary.stoppedAtBadMove) {
                stopped.push_back(
                    name + " " + std::to_string(game) + " " +
                    std::string(chess::SanView(file.context->moves.MoveOfPly(summary.pliesPlayed + 1))));
            }
        }
    }
    EXPECT_GT(games, 1000);
    // The record writes a null move as "Z0", which no board can play.
    ASSERT_EQ(stopped.size(), 1U) << stopped[0];
    EXPECT_EQ(stopped[0], "pgn/anastasian-lewis.pgn 1 Z0*");
}

TEST(RealFileReplay, FenGameStartsFromItsPositionWithBlackToMove) {
    RealFile file(TestDataPath("pgn/fenSetup.pgn"));
    const ReplaySummary summary = file.Load(1);
    EXPECT_TRUE(file.header->fenPresent);
    EXPECT_EQ(chess::SanView(file.context->moves.whiteMoves[0]), "..");
    EXPECT_EQ(summary.pliesPlayed, 5);
    EXPECT_EQ(file.FinalFen(summary), "rnbqkbnr/pppp1p1p/8/4p1P1/4P3/5N2/PPPP1PP1/RNBQKB1R b KQkq -");
    // Every ply is in the history: after black's g6 (ply 2) the g-pawn stands on g6.
    const chess::Board afterG6 = chess::FromCompact(file.context->history.boards[2]);
    EXPECT_EQ(afterG6[7][6], chess::kPawn + chess::kBlackOffset);
}

TEST(RealFileReplay, GameWithoutResultTokenReplaysToItsLastMove) {
    RealFile file(TestDataPath("pgn/promotion.pgn"));
    const ReplaySummary summary = file.Load(1);
    EXPECT_EQ(summary.pliesParsed, 22);
    EXPECT_EQ(summary.pliesPlayed, 22);
    EXPECT_EQ(file.FinalFen(summary), "r3kb1r/ppP1pppp/5n2/8/b5P1/5P2/PP3K1P/nNq2BNR w kq -");
}

TEST(RealFileReplay, HeadersReadSequentiallyThroughThePendingLineMatchTheIndex) {
    RealFile file(TestDataPath("pgn/world_matches.pgn"));
    ASSERT_TRUE(file.reader.Seek(0));
    file.reader.byteCounter = 0;
    file.header->gameOffset = 0;
    int games = 0;
    std::vector<std::string> whites;
    for (;;) {
        ParseGameHeader(file.reader, *file.header, games > 0);
        if (file.header->Slot(TagSlot::kEvent).empty()) {
            break;
        }
        whites.emplace_back(file.header->Slot(TagSlot::kWhite));
        ++games;
        ParseGameQuietly(file.reader, *file.header, *file.context, *file.record);
        if (!file.header->pendingLine.present) {
            break;
        }
    }
    ASSERT_EQ(games, file.index.Count());
    RealFile indexed(TestDataPath("pgn/world_matches.pgn"));
    for (int game : {1, 200, games}) {
        indexed.Load(game);
        EXPECT_EQ(whites[static_cast<std::size_t>(game - 1)], indexed.header->Slot(TagSlot::kWhite)) << game;
    }
}

// --- Move end offsets are exact file offsets ---

TEST(RealFileOffsets, EachMoveEndsJustBeforeItsOffsetInTheFile) {
    for (const char* name : {"pgn/world_matches.pgn", "pgn/TCEC_Cup_6_Bronze.pgn",
                             "pgn/chessbase-empty-line.pgn", "pgn/KASPAROV-DEEP-BLUE-1997.PGN"}) {
        const std::string bytes = ReadWholeFile(TestDataPath(name));
        RealFile file(TestDataPath(name));
        int checked = 0;
        for (int game = 1; game <= file.index.Count(); ++game) {
            // The move texts as read, before a replay rewrites them.
            auto context = chess::MakeChessContext();
            ASSERT_TRUE(LoadGameHeader(NameOf(file.path), file.reader, file.index, game, *file.header,
                                       *file.display, {}));
            ParseGameQuietly(file.reader, *file.header, *context, *file.record);
            for (int ply = 1; ply <= file.record->plyCount; ++ply) {
                const std::string_view text = chess::SanView(context->moves.MoveOfPly(ply));
                if (text.size() >= chess::kMaxSanLength || text == "..") {
                    continue;
                }
                const std::uint64_t end = file.record->moveEndOffsets[static_cast<std::size_t>(ply)];
                ASSERT_LE(end, bytes.size());
                ASSERT_EQ(bytes.substr(end - text.size(), text.size()), text) << name << " game " << game;
                ++checked;
            }
        }
        EXPECT_GT(checked, 0) << name;
    }
}

// --- Annotations of real games ---

TEST(RealFileAnnotations, LatinOneCommentsAreShownByteForByte) {
    RealFile file(TestDataPath("pgn/dortmund.pgn"));
    const std::string bytes = ReadWholeFile(TestDataPath("pgn/dortmund.pgn"));
    int pieces = 0;
    bool sawLatin1 = false;
    for (int game = 1; game <= file.index.Count(); ++game) {
        const ReplaySummary summary = file.Load(game);
        for (int ply = 0; ply <= summary.pliesParsed; ++ply) {
            std::vector<std::string> lines;
            chess::AnnotationOutput output;
            output.list = &lines;
            pieces += chess::ShowAnnotations(*file.record, ply, output);
            for (const std::string& line : lines) {
                EXPECT_LE(line.size(), static_cast<std::size_t>(chess::kNormalDisplayWidth));
                for (const char c : line) {
                    sawLatin1 = sawLatin1 || static_cast<unsigned char>(c) >= 0xA0;
                }
            }
        }
    }
    EXPECT_GT(pieces, 1000);
    EXPECT_TRUE(sawLatin1);
}

// --- Agreement with an independent PGN reader ---

std::string FindPgnExtract() {
    for (const char* candidate :
         {"/usr/bin/pgn-extract", "/usr/games/pgn-extract", "/usr/local/bin/pgn-extract"}) {
        if (std::filesystem::exists(candidate)) {
            return candidate;
        }
    }
    return "";
}

// The final positions pgn-extract appends as FEN comments, in the order of the games it accepted.
std::vector<std::string> PgnExtractFinalFens(const std::string& tool, const std::string& path) {
    const std::string command = tool + " -C -N -V -F -s --quiet -w 100000 '" + path + "' 2>/dev/null";
    std::vector<std::string> fens;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return fens;
    }
    std::string output;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, got);
    }
    pclose(pipe);
    const std::regex comment("\\{ \"([^\"]*)\" \\}");
    for (auto it = std::sregex_iterator(output.begin(), output.end(), comment); it != std::sregex_iterator();
         ++it) {
        fens.push_back((*it)[1]);
    }
    return fens;
}

// Placement, side to move and castling; the en passant field is written by different rules.
std::string PositionFields(const std::string& fen) {
    std::istringstream in(fen);
    std::string placement, side, castling;
    in >> placement >> side >> castling;
    return placement + " " + side + " " + castling;
}

TEST(PgnExtractAgreement, FinalPositionsAgreeForEveryGameBothAccept) {
    const std::string tool = FindPgnExtract();
    if (tool.empty()) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    int compared = 0;
    for (const std::string& name : RealFiles()) {
        const std::vector<std::string> theirs = PgnExtractFinalFens(tool, TestDataPath(name));
        RealFile file(TestDataPath(name));
        std::size_t j = 0;
        for (int game = 1; game <= file.index.Count() && j < theirs.size(); ++game) {
            const ReplaySummary summary = file.Load(game);
            // pgn-extract leaves out games without moves and games with a move it cannot play.
            if (summary.pliesParsed == 0 || summary.stoppedAtBadMove) {
                continue;
            }
            EXPECT_EQ(PositionFields(file.FinalFen(summary)), PositionFields(theirs[j]))
                << name << " game " << game;
            ++j;
            ++compared;
        }
        EXPECT_EQ(j, theirs.size()) << name;
    }
    EXPECT_GT(compared, 1000);
}

}  // namespace
}  // namespace ravelin::gamefile

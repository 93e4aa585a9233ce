#include "app/cli_chess.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "chess/perft.h"

namespace ravelin::app {
namespace {

TEST(PerftCommand, PrintsSplitAndNodes) {
    std::ostringstream out;
    EXPECT_EQ(RunPerftCommand("startpos", 2, out), 0);
    const std::string text = out.str();
    EXPECT_NE(text.find("e4: 20\n"), std::string::npos);
    EXPECT_NE(text.find("Nf3: 20\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("Nodes: 400\n"));
}

TEST(PerftCommand, BadDepthOrFenAnswersTwo) {
    std::ostringstream out;
    EXPECT_EQ(RunPerftCommand("startpos", 0, out), 2);
    EXPECT_EQ(RunPerftCommand("startpos", chess::kMaxPerftDepth + 1, out), 2);
    EXPECT_EQ(RunPerftCommand("9/8/8/8/8/8/8/8 w - - 0 1", 1, out), 2);
    EXPECT_NE(out.str().find("FEN position not recognised"), std::string::npos);
}

TEST(MovesCommand, ListsLegalMovesInSanOnOneLine) {
    std::ostringstream out;
    EXPECT_EQ(RunMovesCommand("4k3/P7/8/8/8/8/8/4K2R w K - 0 1", out), 0);
    EXPECT_EQ(out.str(),
              "a8=N a8=B a8=R+ a8=Q+ Kd1 Kd2 Ke2 Kf1 Kf2 O-O Rf1 Rg1 Rh2 Rh3 Rh4 Rh5 Rh6 Rh7 Rh8+\n");
    std::ostringstream black;
    EXPECT_EQ(RunMovesCommand("4k3/8/8/8/8/8/8/4K3 b - - 0 1", black), 0);
    EXPECT_EQ(black.str(), "Kd7 Kd8 Ke7 Kf7 Kf8\n") << "black to move uses black's pieces";
}

}  // namespace
}  // namespace ravelin::app

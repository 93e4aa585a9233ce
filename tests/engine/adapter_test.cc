// The engine adapter run as the program runs it, over the real UCI engine.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "chess/fen.h"
#include "engine/adapter_position.h"
#include "engine/engine_link.h"
#include "platform/headless/posix_child_process.h"
#include "temp_dir.h"

namespace ravelin::engine {
namespace {

// Waits for the engine's answer without ever asserting how long it takes: the bound only stops a
// broken engine from hanging the test.
constexpr auto kPatience = std::chrono::seconds(60);

class AdapterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("RAVELIN_ENGINE_DEPTH", "4", 1);
        std::string reason;
        process_ = platform::PosixProcessLauncher::StartPosix(RAVELIN_ENGINE_BINARY, {"/xboard"},
                                                              dir_.Path().string(), reason);
        ASSERT_NE(process_, nullptr) << reason;
        banner_ = ReadUntil([](const std::string& text) { return text.find("\r\n") != std::string::npos; });
    }

    void Send(const std::string& commands) { ASSERT_TRUE(process_->Write(commands)); }

    // The raw text the adapter wrote until the predicate holds on all of it.
    std::string ReadUntil(const std::function<bool(const std::string&)>& done) {
        std::string text;
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (!done(text) && std::chrono::steady_clock::now() < deadline) {
            if (process_->WaitForOutput(200)) {
                const std::string piece = process_->ReadAvailable();
                if (piece.empty()) {
                    break;  // the adapter has ended
                }
                text += piece;
            }
        }
        return text;
    }
    static std::function<bool(const std::string&)> Holds(std::string part) {
        return [part](const std::string& text) { return text.find(part) != std::string::npos; };
    }

    testing::TempDir dir_;
    std::unique_ptr<platform::PosixChildProcess> process_;
    std::string banner_;
};

TEST_F(AdapterTest, PlaysBlackAfterNewAndAnswersInWholeCrLfLines) {
    ASSERT_NE(banner_.find("\r\n"), std::string::npos);
    // Several commands in one write, each with its status line, as the program sends them.
    Send("new\n.\nponder off\ndisplay general\n.\ne4\n.\n");
    const std::string text = ReadUntil(Holds("move "));
    const std::size_t at = text.find("move ");
    ASSERT_NE(at, std::string::npos) << text;
    const std::size_t end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    // The answer is a legal Black reply to 1.e4.
    const std::string reply = text.substr(at + 5, end - at - 5);
    PlayedMove first;
    PlayedMove second;
    ASSERT_TRUE(PlaySanMove(std::string(chess::kStartFen), "e4", first));
    EXPECT_TRUE(PlaySanMove(first.fen, reply, second)) << reply;
    EXPECT_EQ(text.find("Error"), std::string::npos) << text;
    EXPECT_EQ(text.find("\n\r\n"), std::string::npos) << "an empty line";
    for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', lf + 1)) {
        EXPECT_EQ(text[lf - 1], '\r');
    }
    Send("exit\n");
    EXPECT_TRUE(ReadUntil([](const std::string&) { return false; }).empty());
    // It has closed its output; it ends by itself and is reaped.
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (process_->IsRunning() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(process_->IsRunning());
}

TEST_F(AdapterTest, RefusesPositionsTheEngineCannotTakeAndCarriesOn) {
    struct Case {
        const char* setboard;
        const char* reason;
    };
    const Case cases[] = {
        {"setboard 4k3/8/8/8/8/8/8/4KK2 w", "king"},
        {"setboard 4k3/8/8/8/8/8/4R3/4K3 w", "not to move is in check"},
        {"setboard 4k2P/8/8/8/8/8/8/4K3 w", "pawn"},
        {"setboard 4k3/8/8/8/8/8/8/4K3 w KQ", "castling"},
    };
    for (const Case& test : cases) {
        Send(std::string(test.setboard) + "\n.\n");
        const std::string text = ReadUntil(Holds("\r\n"));
        EXPECT_NE(text.find("Error (illegal position)"), std::string::npos) << test.setboard << ": " << text;
        EXPECT_NE(text.find(test.reason), std::string::npos) << text;
    }
    // An impossible en passant text is dropped, not passed on: the position is analysed.
    Send("setboard 4k3/8/8/3pP3/8/8/8/4K3 w - zz9\nanalyze\n.\n");
    const std::string lines = ReadUntil(Holds("  4 "));
    EXPECT_NE(lines.find("  4 "), std::string::npos) << lines;
    EXPECT_EQ(lines.find("Error"), std::string::npos) << lines;
    Send("foo\n.\n");
    EXPECT_NE(ReadUntil(Holds("unknown")).find("Error (unknown command): foo"), std::string::npos);
}

TEST_F(AdapterTest, TerminationEndsTheAdapterAndItsBackEnd) {
    Send("analyze\n.\n");
    ReadUntil(Holds("  2 "));
    process_->Terminate();
    EXPECT_FALSE(process_->IsRunning());
}

}  // namespace
}  // namespace ravelin::engine

// libs: ravelin_engine ravelin_chess ravelin_platform
// Arbitrary bytes as the engine's output (cut into lines in pieces, searched for the engine's move,
// its help prompt cut off), and as the two sides of the adapter: commands from the program and
// lines from the back end, taken in turns, with a game file for its "read" command.
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/adapter_session.h"
#include "engine/engine_output.h"
#include "engine/line_assembler.h"
#include "fuzz_files.h"

namespace {

// Small pieces, so that lines are split across reads as they are from a pipe.
constexpr std::size_t kPieceSize = 7;

std::vector<std::string> LinesOf(std::string_view bytes) {
    ravelin::engine::LineAssembler assembler(512);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size(); at += kPieceSize) {
        for (std::string& line : assembler.Feed(bytes.substr(at, kPieceSize))) {
            lines.push_back(std::move(line));
        }
    }
    if (std::string rest = assembler.TakeRest(); !rest.empty()) {
        lines.push_back(std::move(rest));
    }
    return lines;
}

// Any line that could be a "read" command, whatever its case or blanks.
bool MentionsRead(std::string_view line) {
    std::string lower(line);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower.find("read") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace engine = ravelin::engine;
    const auto parts = ravelin::fuzz::SplitParts(data, size, 3);
    const std::vector<std::string> output = LinesOf(parts[1]);
    engine::FindEngineMove(output);
    engine::CutHelpPrompt(std::string(parts[1]));

    // The adapter reads no file but the one the input supplies.
    const std::string gameFile = ravelin::fuzz::ScratchDirectory() + "/adapter-game.pgn";
    ravelin::fuzz::WriteBytes(gameFile, parts[2]);
    engine::AdapterSession session(
        engine::AdapterSettings{}, [](const std::string&) {}, [](const std::string&) {});
    session.Start();
    std::vector<std::string> commands = LinesOf(parts[0]);
    std::size_t backend = 0;
    for (std::string& command : commands) {
        if (MentionsRead(command)) {
            command = "read " + gameFile;
        }
        if (!session.HandleProgramLine(command)) {
            break;
        }
        if (backend < output.size()) {
            session.HandleBackendLine(output[backend++]);
        }
    }
    while (backend < output.size()) {
        session.HandleBackendLine(output[backend++]);
    }
    session.Finish();
    return 0;
}

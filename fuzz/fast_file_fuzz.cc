// libs: ravelin_search
// Arbitrary bytes as a fast file pair beside a small PGN file: the freshness test of X.TRH, the
// record walk of X.TRF (whole-file buffer and a small refilled window) and the replay of every
// record on a FastBoard must stay inside their buffers and tables whatever the bytes are.

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "search/fast_file_reader.h"
#include "search/fast_move.h"

namespace {

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A window of a few bytes makes the walk refill often.
constexpr std::size_t kSmallWindow = 6;

void Walk(ravelin::search::FastMoveReader& reader) {
    std::vector<ravelin::search::FastMove> moves;
    ravelin::search::FastMove result = 0;
    while (reader.Next(moves, result) == ravelin::search::FastMoveReader::Step::kRecord) {
        ravelin::search::FastBoard board = ravelin::search::FastStartBoard();
        int ply = 1;
        for (const ravelin::search::FastMove move : moves) {
            ravelin::search::ApplyFastMove(board, move, ply++);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string directory = [] {
        std::string made =
            (std::filesystem::temp_directory_path() / ("ravelin-fastfuzz-" + std::to_string(getpid())))
                .string();
        std::filesystem::create_directories(made);
        return made;
    }();
    // The first byte splits the rest into the header file and the move file; the second is the game count.
    const std::size_t rest = size < 2 ? 0 : size - 2;
    const std::size_t headerSize = size < 2 ? 0 : (data[0] * rest) / 255;
    const int gameCount = size < 2 ? 0 : data[1];
    const std::uint8_t* header = data + (size < 2 ? 0 : 2);
    const std::string pgn = directory + "/games.pgn";
    WriteFile(pgn, nullptr, 0);
    WriteFile(directory + "/games.TRH", header, headerSize);
    WriteFile(directory + "/games.TRF", header + headerSize, rest - headerSize);

    ravelin::search::FastHeaderIsCurrent(::open((directory + "/games.TRH").c_str(), O_RDONLY), gameCount);
    ravelin::search::CheckFastFile(pgn, gameCount);
    ravelin::search::FastMoveReader whole;
    if (whole.Open(directory + "/games.TRF")) {
        Walk(whole);
    }
    ravelin::search::FastMoveReader window;
    if (window.OpenWithWindow(directory + "/games.TRF", kSmallWindow)) {
        Walk(window);
    }
    return 0;
}

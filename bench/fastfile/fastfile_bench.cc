// fastfile_bench FILE.pgn: indexes the file (not timed), then makes its fast file as "Make Fast
// File" does and prints games, seconds, games per second and the outcome, on every core the process
// may use (taskset chooses them); then the position index and header places written after it. The files are
// written beside the PGN file.

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "gamefile/game_index.h"
#include "platform/memory_allocation.h"
#include "search/fast_file_output.h"
#include "search/fast_file_writer.h"
#include "search/header_fast_records.h"
#include "search/ordered_work.h"
#include "search/position_index.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fastfile_bench FILE.pgn\n");
        return 2;
    }
    // As the programs do at their start.
    ravelin::platform::KeepLargeBlocksInHeap();
    const std::string path = argv[1];
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    ravelin::gamefile::GameIndex index;
    ravelin::gamefile::IndexGameFile(fd, path, false, index);
    ::close(fd);

    ravelin::search::FastFileJob job;
    job.pgnPath = path;
    job.offsets = index.offsets;
    const auto start = std::chrono::steady_clock::now();
    const ravelin::search::FastFileOutcome outcome = ravelin::search::WriteFastFile(job, {});
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The position index the program writes after the fast file (timed on its own).
    const auto indexStart = std::chrono::steady_clock::now();
    const bool indexed =
        ravelin::search::WritePositionIndexFile(ravelin::search::FastMoveFilePath(path)) &&
        ravelin::search::FastHeaderRecords::WritePlacesFile(ravelin::search::FastHeaderFilePath(path));
    const double indexSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - indexStart).count();
    std::printf(
        "file %s\ngames %d\nwritten %d\nrepositions %d\nseconds %.3f\ngames/s %.0f\noutcome %s\n"
        "threads %u\nposition index %s %.3f s\n",
        path.c_str(), index.Count(), outcome.gamesWritten, outcome.repositions, seconds,
        seconds > 0 ? outcome.gamesWritten / seconds : 0.0,
        std::string(ravelin::search::FastFileStatusMessage(outcome.status)).c_str(),
        ravelin::search::CoreCount(), indexed ? "written" : "failed", indexSeconds);
    return outcome.status == ravelin::search::FastFileStatus::kComplete ||
                   outcome.status == ravelin::search::FastFileStatus::kFenWarning
               ? 0
               : 1;
}

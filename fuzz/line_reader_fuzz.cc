// libs: ravelin_gamefile
// Reads arbitrary bytes as PGN lines in every mode. In indexing mode the line counts must add up
// to the input's size, since game offsets are built from them.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gamefile/line_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int fd = memfd_create("pgn", 0);
    if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) {
        std::abort();
    }
    using ravelin::gamefile::LineReaderMode;
    for (LineReaderMode mode :
         {LineReaderMode::kNormal, LineReaderMode::kIndexing, LineReaderMode::kKeepLeadingBlanks}) {
        ravelin::gamefile::LineReader reader;
        reader.Attach(fd);
        reader.Seek(0);
        reader.mode = mode;
        char line[ravelin::gamefile::kLineBufferSize];
        std::size_t total = 0;
        for (;;) {
            int count = reader.ReadLine(line);
            if (count == 0) {
                break;
            }
            if (std::strlen(line) > ravelin::gamefile::kMaxLineLength) {
                std::abort();
            }
            total += static_cast<std::size_t>(count);
        }
        if (mode == LineReaderMode::kIndexing && total != size) {
            std::abort();
        }
        if (reader.byteCounter != size) {
            std::abort();
        }
    }
    close(fd);
    return 0;
}

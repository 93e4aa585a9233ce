// libs: ravelin_gamefile ravelin_chess
// Arbitrary bytes as the tag lines of games, read header after header with and without the ECO
// source tags: every slot must stay inside its 256 bytes and end with a NUL.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gamefile/game_header.h"
#include "gamefile/line_reader.h"

namespace {

// At the end of the file a header comes back empty at once, so a fixed count of reads is cheap.
constexpr int kMaxHeaders = 16;

void CheckSlots(const ravelin::gamefile::GameHeader& header) {
    for (int slot = 0; slot < ravelin::gamefile::kTagSlotCount; ++slot) {
        const auto& text = header.slots[static_cast<std::size_t>(slot)];
        const std::size_t length = header.lengths[static_cast<std::size_t>(slot)];
        if (length >= text.size() || text[length] != '\0') {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int fd = memfd_create("pgn", 0);
    if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) {
        std::abort();
    }
    for (bool openingTags : {false, true}) {
        ravelin::gamefile::LineReader reader;
        reader.Attach(fd);
        reader.Seek(0);
        for (int n = 0; n < kMaxHeaders; ++n) {
            ravelin::gamefile::GameHeader header;
            header.openingTags = openingTags;
            ravelin::gamefile::ParseGameHeader(reader, header, false);
            CheckSlots(header);
        }
    }
    close(fd);
    return 0;
}

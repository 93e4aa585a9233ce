// libs: ravelin_database ravelin_search ravelin_chess ravelin_platform
// Arbitrary bytes as the five files of a game database (.dbg games, .DBH header, .DBM moves, .DBP
// positions, .DBR root, given by its non-empty entries), a search text and, when not empty, the undo
// journal an interrupted add leaves (.DBU), which the check follows first. The check runs first; a database
// that opens has its games read back as PGN and is searched by name and by position, all inside its files.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "chess/fen.h"
#include "database/database_check.h"
#include "database/database_format.h"
#include "database/database_reader.h"
#include "database/database_search.h"
#include "fuzz_files.h"

namespace {

constexpr int kMaxGamesRead = 32;

// The root file has one fixed size of several megabytes, too big to mutate quickly: an input part
// made of 12-byte items (a key's 4-byte index, then its 8-byte entry) stands for the table with
// those entries set and all others empty (-1, -1). A part of any other length is the file itself.
constexpr std::size_t kSparseItemSize = 4 + ravelin::database::kRootEntrySize;

std::string RootFileOf(std::string_view part) {
    if (part.empty() || part.size() % kSparseItemSize != 0) {
        return std::string(part);
    }
    std::string root = ravelin::database::EncodeRootTable(ravelin::database::EmptyRootTable());
    for (std::size_t at = 0; at < part.size(); at += kSparseItemSize) {
        const auto* item = reinterpret_cast<const std::uint8_t*>(part.data() + at);
        const std::uint32_t key = static_cast<std::uint32_t>(ravelin::database::ReadI32(item)) %
                                  static_cast<std::uint32_t>(ravelin::database::kKeyCount);
        root.replace(key * ravelin::database::kRootEntrySize, ravelin::database::kRootEntrySize,
                     part.substr(at + 4, ravelin::database::kRootEntrySize));
    }
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace database = ravelin::database;
    const auto parts = ravelin::fuzz::SplitParts(data, size, 7);
    const database::DatabasePaths paths = database::PathsOf(ravelin::fuzz::ScratchDirectory() + "/games.dbg");
    const std::string* const files[] = {&paths.games, &paths.header, &paths.moves, &paths.positions,
                                        &paths.root};
    for (std::size_t i = 0; i < 4; ++i) {
        ravelin::fuzz::WriteBytes(*files[i], parts[i]);
    }
    ravelin::fuzz::WriteBytes(*files[4], RootFileOf(parts[4]));
    if (parts[6].empty()) {
        std::remove(paths.undoJournal.c_str());
    } else {
        ravelin::fuzz::WriteBytes(paths.undoJournal, parts[6]);
    }
    database::DatabaseImage image;
    database::CheckDatabase(paths, &image);

    database::Database opened;
    if (opened.Open(paths.games) != nullptr) {
        return 0;
    }
    std::string text;
    for (int index = 0; index < std::min(opened.GameCount(), kMaxGamesRead); ++index) {
        database::ReadGameText(opened, index, text);
    }
    database::DatabaseCriteria byName;
    byName.white = std::string(parts[5].substr(0, database::kMaxKeyNameLetters));
    byName.eitherColor = true;
    database::SearchDatabase(opened, byName);
    database::DatabaseCriteria byPosition;
    byPosition.position = database::FastBoardOfFen(parts[5]);
    if (!byPosition.position) {
        byPosition.position = database::FastBoardOfFen(ravelin::chess::kStartFen);
    }
    byPosition.sortByYear = true;
    database::SearchDatabase(opened, byPosition);
    return 0;
}

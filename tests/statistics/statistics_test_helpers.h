#pragma once

// The shipped ECO table and PGN files of tests/data copied into a temporary directory (the
// reports write their caches beside the file).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "eco/eco_table.h"
#include "gamefile/game_index.h"
#include "platform/working_paths.h"
#include "statistics/report_source.h"
#include "temp_dir.h"

namespace ravelin::statistics::testing {

inline const eco::EcoTable& ShippedTable() {
    static const eco::EcoTable table = [] {
        eco::EcoTable loaded;
        EXPECT_TRUE(
            eco::LoadEcoTable(loaded, platform::ShippedDataDirectory() + "/eco",
                              [](eco::EcoMessageKind, std::string_view text) { ADD_FAILURE() << text; }));
        return loaded;
    }();
    return table;
}

// Copies tests/data/pgn/name into the directory (unpacking an .xz file) and returns its path.
inline std::string CopyData(const ravelin::testing::TempDir& dir, const std::string& name) {
    const std::string source = ravelin::testing::TestDataPath("pgn/" + name);
    if (name.ends_with(".xz")) {
        const std::string path = dir.File(name.substr(0, name.size() - 3));
        EXPECT_EQ(std::system(("xz -dc '" + source + "' > '" + path + "'").c_str()), 0);
        return path;
    }
    return dir.Write(name, ravelin::testing::ReadWholeFile(source));
}

// Every game of an indexed file.
struct IndexedFile {
    explicit IndexedFile(std::string pgnPath) : path(std::move(pgnPath)) {
        gamefile::IndexGameFileAt(path, index);
        source.path = path;
        source.index = &index;
        source.gameCount = index.Count();
        source.warn = [this](std::string_view text) { warnings.emplace_back(text); };
    }
    std::string path;
    gamefile::GameIndex index;
    ReportSource source;
    std::vector<std::string> warnings;
};

}  // namespace ravelin::statistics::testing

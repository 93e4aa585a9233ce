#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "temp_dir.h"
#include "utilities/pgn_text.h"

namespace ravelin::utilities::testing {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;

inline std::string PgnExtract() {
    for (const char* candidate :
         {"/usr/games/pgn-extract", "/usr/bin/pgn-extract", "/usr/local/bin/pgn-extract"}) {
        if (std::filesystem::exists(candidate)) {
            return candidate;
        }
    }
    return "";
}

// The output of a shell command.
inline std::string Run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char block[4096];
        std::size_t got = 0;
        while ((got = std::fread(block, 1, sizeof block, pipe)) > 0) {
            output.append(block, got);
        }
        pclose(pipe);
    }
    return output;
}

// The games pgn-extract reads in the file, as its "N games matched" count (extra = more options).
inline int PgnExtractCount(const std::string& path, const std::string& extra = "") {
    const std::string out = Run(PgnExtract() + " " + extra + " -o /dev/null '" + path + "' 2>&1");
    std::size_t at = out.rfind(" games matched");
    if (at == std::string::npos) {
        at = out.rfind(" game matched");
    }
    const std::size_t start = out.find_last_not_of("0123456789", at - 1) + 1;
    return at == std::string::npos ? -1 : std::stoi(out.substr(start, at - start));
}

// The moves of every game as pgn-extract writes them without tags, comments, NAGs and variations.
inline std::string PgnExtractMoves(const std::string& path) {
    return Run(PgnExtract() + " -s --notags -C -N -V -w 100000 '" + path + "'");
}

inline PgnText Loaded(const std::string& path) {
    PgnText text;
    EXPECT_EQ(LoadPgnText(path, text), nullptr);
    return text;
}

// A copy of a file of the test data, or several one after another, in the directory.
inline std::string CopyOf(const TempDir& dir, std::string_view name,
                          std::initializer_list<const char*> files) {
    std::string bytes;
    for (const char* file : files) {
        bytes += ReadWholeFile(TestDataPath(std::string("pgn/") + file));
    }
    return dir.Write(name, bytes);
}

}  // namespace ravelin::utilities::testing

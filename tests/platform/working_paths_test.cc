#include "platform/working_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_dir.h"

namespace ravelin::platform {
namespace {

using testing::TempDir;

// The program's own installation wins over RAVELIN_DATA_DIR, which serves a program that has no
// share/ravelin beside it; with neither, the expected place is named.
TEST(ShippedData, FoundBesideTheProgramThenThroughTheEnvironment) {
    struct Case {
        bool installed;  // PREFIX/share/ravelin exists
        bool variableSet;
        bool expectInstalled;
    };
    const Case cases[] = {
        {true, true, true},
        {true, false, true},
        {false, true, false},
        {false, false, true},
    };
    for (const Case& c : cases) {
        TempDir prefix;
        TempDir elsewhere;
        const std::string program = prefix.File("bin/ravelin");
        const std::string installed = (prefix.Path() / "share" / "ravelin").string();
        if (c.installed) {
            std::filesystem::create_directories(installed);
        }
        const std::string variable = elsewhere.Path().string();
        const std::string found =
            FindShippedDataDirectory(program, c.variableSet ? variable.c_str() : nullptr);
        EXPECT_EQ(found, c.expectInstalled ? installed : variable)
            << "installed " << c.installed << ", variable set " << c.variableSet;
    }
}

}  // namespace
}  // namespace ravelin::platform

// The programs as installed by `cmake --install` into a prefix of their own: run from another
// directory, they find their shipped data beside them; the desktop entry, the PGN file type, the
// icon and the manual pages pass the tools the desktop itself reads them with.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "temp_dir.h"

namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;

struct ShellRun {
    int exitCode = -1;
    std::string output;
};

// Runs a shell command and collects what it prints on stdout.
ShellRun Shell(const std::string& command) {
    ShellRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> chunk;
    std::size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) {
        run.output.append(chunk.data(), got);
    }
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

bool Install(const TempDir& prefix) {
    return Shell(std::string(RAVELIN_CMAKE_COMMAND) + " --install " + Quoted(RAVELIN_BINARY_DIR) +
                 " --prefix " + Quoted(prefix.Path().string()) + " >/dev/null 2>&1")
               .exitCode == 0;
}

// RAVELIN_DATA_DIR names an empty folder: only the data beside the installed programs can be found.
TEST(Installed, ProgramsFindTheirDataBesideThemFromAnotherDirectory) {
    TempDir prefix;
    ASSERT_TRUE(Install(prefix));
    TempDir files;
    TempDir empty;
    ASSERT_TRUE(std::filesystem::is_regular_file(prefix.Path() / "share/ravelin/sample.pgn"));
    std::filesystem::copy_file(prefix.Path() / "share/ravelin/sample.pgn", files.Path() / "games.pgn");
    const std::string bin = (prefix.Path() / "bin").string();
    const std::string from =
        "cd " + Quoted(files.Path().string()) + " && RAVELIN_DATA_DIR=" + Quoted(empty.Path().string()) + " ";

    ShellRun help = Shell(from + Quoted(bin + "/ravelin-cli") + " --help 2>/dev/null");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output.rfind("usage: ravelin-cli", 0), 0u) << help.output;
    ShellRun eco = Shell(from + Quoted(bin + "/ravelin-cli") + " --workdir " + Quoted(files.File("work")) +
                         " eco games.pgn 2 2>&1");
    EXPECT_EQ(eco.exitCode, 0);
    EXPECT_EQ(eco.output, "2: E14 Queen's Indian Defense, with e3\n");
    // The installed diagram images go beside a page.
    ShellRun page = Shell(from + Quoted(bin + "/ravelin-cli") + " --workdir " + Quoted(files.File("work")) +
                          " diagram games.pgn 2 --ply 1 --html page.html 2>&1");
    EXPECT_EQ(page.exitCode, 0) << page.output;
    EXPECT_TRUE(std::filesystem::is_regular_file(files.Path() / "wpb.gif"));

#ifdef RAVELIN_GUI_BINARY
    help = Shell(from + Quoted(bin + "/ravelin") + " --help 2>/dev/null");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output.rfind("usage: ravelin", 0), 0u) << help.output;

    // The installed program draws the window exactly as the one of the build tree does, and not as
    // a copy of it does that has no data beside it.
    auto screenshot = [&](const std::string& program, const std::string& name) {
        const std::string picture = files.File(name);
        const int exitCode = Shell(from + "QT_QPA_PLATFORM=offscreen " + Quoted(program) + " --workdir " +
                                   Quoted(files.File("work-" + name)) + " --screenshot " + Quoted(picture) +
                                   " games.pgn >/dev/null 2>&1")
                                 .exitCode;
        EXPECT_EQ(exitCode, 0) << name;
        return ReadWholeFile(picture);
    };
    TempDir bare;
    std::filesystem::create_directories(bare.Path() / "bin");
    std::filesystem::copy_file(bin + "/ravelin", bare.Path() / "bin/ravelin");
    const std::string installed = screenshot(bin + "/ravelin", "installed.png");
    const std::string built = screenshot(RAVELIN_GUI_BINARY, "built.png");
    const std::string withoutData = screenshot(bare.File("bin/ravelin"), "without-data.png");
    ASSERT_FALSE(installed.empty());
    EXPECT_TRUE(installed == built) << "the installed program draws another window than the built one";
    EXPECT_FALSE(installed == withoutData) << "the window looks the same without the shipped data";
#endif
}

#ifdef RAVELIN_GUI_BINARY
bool HaveTool(const std::string& tool) {
    return Shell("command -v " + tool + " >/dev/null 2>&1").exitCode == 0;
}

// The file manager's road from a PGN file to the program: the shared MIME database maps *.pgn to
// the type, the desktop database maps the type to the entry, the entry runs the installed program
// and names an installed icon.
TEST(Installed, PgnFilesOpenWithTheDesktopEntry) {
    if (!HaveTool("desktop-file-validate") || !HaveTool("update-desktop-database") ||
        !HaveTool("update-mime-database")) {
        GTEST_SKIP() << "desktop-file-utils or shared-mime-info is not installed";
    }
    TempDir prefix;
    ASSERT_TRUE(Install(prefix));
    const std::filesystem::path share = prefix.Path() / "share";
    const std::string entry = (share / "applications/ravelin.desktop").string();

    ShellRun validate = Shell("desktop-file-validate " + Quoted(entry) + " 2>&1");
    EXPECT_EQ(validate.exitCode, 0);
    EXPECT_EQ(validate.output, "");
    ASSERT_EQ(Shell("update-mime-database " + Quoted((share / "mime").string()) + " 2>&1").exitCode, 0);
    EXPECT_NE(ReadWholeFile((share / "mime/globs2").string()).find(":application/x-chess-pgn:*.pgn\n"),
              std::string::npos);
    ASSERT_EQ(
        Shell("update-desktop-database " + Quoted((share / "applications").string()) + " 2>&1").exitCode, 0);
    EXPECT_NE(ReadWholeFile((share / "applications/mimeinfo.cache").string())
                  .find("\napplication/x-chess-pgn=ravelin.desktop;\n"),
              std::string::npos);

    const std::string text = ReadWholeFile(entry);
    EXPECT_NE(text.find("\nExec=ravelin %f\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file(prefix.Path() / "bin/ravelin"));
    // The engine the desktop program uses when none is chosen stands beside it.
    EXPECT_TRUE(std::filesystem::is_regular_file(prefix.Path() / "bin/ravelin-engine"));
    EXPECT_NE(text.find("\nIcon=ravelin\n"), std::string::npos);
    const std::filesystem::path icons = share / "icons/hicolor";
    EXPECT_TRUE(std::filesystem::is_regular_file(icons / "scalable/apps/ravelin.svg"));
    // Each PNG is as large as the folder it is in says, or the icon theme passes it over.
    int pngs = 0;
    for (const auto& folder : std::filesystem::directory_iterator(icons)) {
        const std::filesystem::path png = folder.path() / "apps/ravelin.png";
        if (!std::filesystem::exists(png)) {
            continue;
        }
        const std::string bytes = ReadWholeFile(png.string());
        ASSERT_GE(bytes.size(), 24u) << png;
        auto big_endian = [&](std::size_t at) {
            return (static_cast<unsigned char>(bytes[at]) << 24) |
                   (static_cast<unsigned char>(bytes[at + 1]) << 16) |
                   (static_cast<unsigned char>(bytes[at + 2]) << 8) |
                   static_cast<unsigned char>(bytes[at + 3]);
        };
        const std::string size = std::to_string(big_endian(16)) + "x" + std::to_string(big_endian(20));
        EXPECT_EQ(folder.path().filename().string(), size);
        ++pngs;
    }
    EXPECT_GE(pngs, 4);

    if (HaveTool("groff")) {
        for (const char* page : {"ravelin.1", "ravelin-cli.1", "ravelin-engine.1"}) {
            const std::string path = (share / "man/man1" / page).string();
            ShellRun render = Shell("groff -man -Tutf8 -ww -z " + Quoted(path) + " 2>&1");
            EXPECT_EQ(render.exitCode, 0) << page;
            EXPECT_EQ(render.output, "") << page;
        }
    }
}
#endif

}  // namespace

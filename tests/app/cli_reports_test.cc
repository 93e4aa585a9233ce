// The report commands of ravelin-cli: HTML pages whose every image is there and decodes, and the
// diagram pictures.

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "cli_test_helpers.h"

namespace ravelin::testing {
namespace {

const std::string kGame =
    "[Event \"Club & <Cup>\"]\r\n[Site \"Here\"]\r\n[Date \"2001.02.03\"]\r\n[White \"Smith & Sons\"]\r\n"
    "[Black \"<b>Jones</b>\"]\r\n[Result \"1-0\"]\r\n\r\n"
    "1.e4 e5 {A comment with <script>alert(1)</script> & more} 2.Nf3 Nc6 3.Bb5 a6 1-0\r\n";

// Every image the page names, which must stand beside it and decode as a 40 x 40 GIF.
std::set<std::string> CheckImagesOfPage(const std::string& page) {
    const std::string html = ReadWholeFile(page);
    const std::filesystem::path folder = std::filesystem::path(page).parent_path();
    std::set<std::string> names;
    const std::regex image(R"(<IMG SRC="([^"]+)\">)");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), image); it != std::sregex_iterator();
         ++it) {
        names.insert((*it)[1]);
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        int error = 0;
        GifFileType* gif = DGifOpenFileName((folder / name).c_str(), &error);
        if (gif == nullptr) {
            ADD_FAILURE() << "missing or not a GIF";
            continue;
        }
        EXPECT_EQ(DGifSlurp(gif), GIF_OK);
        EXPECT_EQ(gif->ImageCount, 1);
        EXPECT_EQ(gif->SWidth, 40);
        EXPECT_EQ(gif->SHeight, 40);
        DGifCloseFile(gif, &error);
    }
    return names;
}

TEST(CliReports, PagesShowEveryImageTheyNameAndEscapeTheGameText) {
    TempDir dir;
    const std::string games = dir.Write("games.pgn", kGame);
    // A picture of the user's own beside the page is kept.
    std::filesystem::create_directory(dir.File("pages"));
    const std::string own = dir.Write("pages/wpb.gif", "mine");

    ASSERT_EQ(RunCli("html " + games + " 1 " + dir.File("pages/game.html"), dir).exitCode, 0);
    ASSERT_EQ(
        RunCli("diagram " + games + " 1 --ply 3 --html " + dir.File("pages/diagram.html"), dir).exitCode, 0);
    ASSERT_EQ(
        RunCli("diagram " + games + " 1 --ply 0 --flip --html " + dir.File("other/start.html"), dir).exitCode,
        1)
        << "the folder of the page does not exist";
    EXPECT_EQ(ReadWholeFile(own), "mine");

    std::filesystem::remove(own);
    ASSERT_EQ(RunCli("diagram " + games + " 1 --ply 6 --html " + dir.File("pages/after.html"), dir).exitCode,
              0);
    const std::set<std::string> onPage = CheckImagesOfPage(dir.File("pages/game.html"));
    EXPECT_TRUE(onPage.contains("wbw.gif")) << "the bishop on b5 at the end";
    CheckImagesOfPage(dir.File("pages/diagram.html"));
    CheckImagesOfPage(dir.File("pages/after.html"));

    const std::string page = ReadWholeFile(dir.File("pages/game.html"));
    EXPECT_NE(page.find("<title>Smith &amp; Sons - &lt;b&gt;Jones&lt;/b&gt;</title>"), std::string::npos)
        << page;
    EXPECT_NE(page.find("<h3>Club &amp; &lt;Cup&gt;, Here, 2001.02.03</h3>"), std::string::npos) << page;
    EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; more"), std::string::npos) << page;
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("<p><b>1.e4 e5 </b></p>\r\n<blockquote><p>\r\n"), std::string::npos) << page;
    EXPECT_NE(page.find("<p><b>2.Nf3 Nc6 3.Bb5 a6 </b></p>"), std::string::npos) << page;
    EXPECT_TRUE(
        page.ends_with("<I>Position after 3... a6</I>\r\n</TABLE>\r\n</center>\r\n</body>\r\n</html>\r\n"));
    EXPECT_NE(ReadWholeFile(dir.File("pages/diagram.html")).find("<I>Position after 2. Nf3</I>"),
              std::string::npos);
}

TEST(CliReports, DiagramPicturesHaveTheirSizesAndRefuseAPlyBeyondTheGame) {
    TempDir dir;
    const std::string games = dir.Write("games.pgn", kGame);
    const std::uintmax_t sizes[] = {103478, 105406, 106054, 108006, 108662, 110638};
    for (int border = 0; border <= 5; ++border) {
        const std::string bmp = dir.File("d" + std::to_string(border) + ".bmp");
        ASSERT_EQ(RunCli("diagram " + games + " 1 --ply 4 --colour --border " + std::to_string(border) +
                             " --bmp " + bmp,
                         dir)
                      .exitCode,
                  0);
        EXPECT_EQ(std::filesystem::file_size(bmp), sizes[border]);
    }
    ASSERT_EQ(RunCli("diagram " + games + " 1 --ply 6 --jpeg " + dir.File("d.jpg"), dir).exitCode, 0);
    EXPECT_TRUE(ReadWholeFile(dir.File("d.jpg")).starts_with("\xFF\xD8\xFF"));
    const CliRun beyond = RunCli("diagram " + games + " 1 --ply 7 --bmp " + dir.File("x.bmp"), dir);
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.bmp")));
    EXPECT_EQ(RunCli("diagram " + games + " 1 --ply 2 --border 6 --bmp " + dir.File("x.bmp"), dir).exitCode,
              2);
}

}  // namespace
}  // namespace ravelin::testing

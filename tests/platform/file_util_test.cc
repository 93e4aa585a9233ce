#include "platform/file_util.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace ravelin::platform {
namespace {

using testing::ReadWholeFile;
using testing::TempDir;

std::optional<RewriteStep> killStep;

void KillAtStep(RewriteStep step) {
    if (killStep == step) {
        kill(getpid(), SIGKILL);
    }
}

// Contents big enough to pass through the write buffer several times, different at every offset.
std::string Pattern(char seed, std::size_t size) {
    std::string text(size, ' ');
    for (std::size_t i = 0; i < size; ++i) {
        text[i] = static_cast<char>(seed + static_cast<char>(i % 23));
    }
    return text;
}

struct CrashCase {
    const char* name;
    std::optional<RewriteStep> step;  // where the process dies; none: inside the producer
    bool expectNew;
};

TEST(WriteFileReplacingTest, AProcessKilledAtAnyStepLeavesExactlyTheOldOrTheNewFile) {
    const CrashCase cases[] = {
        {"while producing", std::nullopt, false},
        {"after creating the temporary file", RewriteStep::kTemporaryCreated, false},
        {"after writing", RewriteStep::kContentsWritten, false},
        {"after syncing", RewriteStep::kContentsSynced, false},
        {"after the rename", RewriteStep::kRenamed, true},
    };
    const std::string oldContents = Pattern('a', 3 << 20);
    const std::string newContents = Pattern('A', (5 << 20) + 17);
    for (const CrashCase& crash : cases) {
        SCOPED_TRACE(crash.name);
        TempDir dir;
        const std::string path = dir.Write("games.pgn", oldContents);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            killStep = crash.step;
            SetRewriteObserver(KillAtStep);
            WriteFileReplacing(path, [&](FileSink& sink) {
                constexpr std::size_t kPiece = 65536;
                for (std::size_t at = 0; at < newContents.size(); at += kPiece) {
                    if (!crash.step && at >= newContents.size() / 2) {
                        kill(getpid(), SIGKILL);
                    }
                    if (!sink.Write(newContents.data() + at, std::min(kPiece, newContents.size() - at))) {
                        return false;
                    }
                }
                return true;
            });
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_TRUE(ReadWholeFile(path) == (crash.expectNew ? newContents : oldContents));
    }
}

TEST(WriteFileReplacingTest, KeepsPermissionsAndWritesThroughALinkToItsTarget) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "real");
    const std::string target = dir.Write("real/games.pgn", "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const std::string link = dir.File("link.pgn");
    std::filesystem::create_symlink("real/games.pgn", link);

    ASSERT_TRUE(WriteFileReplacing(link, "new contents", 12));

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target), "new contents");
    struct stat info;
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // Nothing but the two names is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "real"), {}), 1);
}

TEST(WriteFileReplacingTest, AFailedProducerLeavesTheFileAndNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.Write("games.pgn", "old");
    EXPECT_FALSE(WriteFileReplacing(path, [](FileSink& sink) { return sink.Write("partial") && false; }));
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(AppendToFileTest, AddsToTheEndAndKeepsTheFileWholeOnAFailure) {
    TempDir dir;
    const std::string path = dir.Write("games.pgn", "first\r\n");
    std::int64_t oldSize = 0;
    ASSERT_TRUE(AppendToFile(
        path, [](FileSink& sink) { return sink.Write("second\r\n"); }, oldSize));
    EXPECT_EQ(oldSize, 7);
    const std::string big = Pattern('x', 3 << 20);
    EXPECT_FALSE(AppendToFile(
        path, [&](FileSink& sink) { return sink.Write(big) && false; }, oldSize));
    EXPECT_EQ(ReadWholeFile(path), "first\r\nsecond\r\n");
    EXPECT_FALSE(AppendToFile(
        dir.File("missing.pgn"), [](FileSink&) { return true; }, oldSize));
}

}  // namespace
}  // namespace ravelin::platform

#include "tree/merge_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "search/fast_file_output.h"
#include "temp_dir.h"
#include "tree_test_support.h"

namespace ravelin::tree {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;

class MergeFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pgn = dir.Write("d.pgn", ReadWholeFile(TestDataPath("pgn/dortmund.pgn")));
        testing_support::TreeFile made(pgn, true);
        trf = search::FastMoveFilePath(pgn);
        records = ReadWholeFile(trf);
        ASSERT_GT(records.size(), 2u);
    }
    TempDir dir;
    std::string pgn;
    std::string trf;
    std::string records;
};

// A merge file of only its end word, appended to, equals the fast file; a second append stores the
// games twice, the first end word overwritten; the merge file's old tree goes.
TEST_F(MergeFileTest, AppendWritesOverTheEndWord) {
    const std::string merge = dir.Write("m.trm", std::string(2, '\0'));
    dir.Write("m.MTE", "old tree");
    EXPECT_EQ(CopyFastFileIntoMerge(trf, merge, true), MergeCopy::kComplete);
    EXPECT_EQ(ReadWholeFile(merge), records);
    EXPECT_FALSE(std::filesystem::exists(dir.File("m.MTE")));
    EXPECT_EQ(CopyFastFileIntoMerge(trf, merge, true), MergeCopy::kComplete);
    EXPECT_EQ(ReadWholeFile(merge), records.substr(0, records.size() - 2) + records);
}

// A file that does not end in the end word is not written over.
TEST_F(MergeFileTest, AppendRefusesAFileWithoutItsEndWord) {
    for (const std::string& text :
         {std::string("\x01\x02\x03\x04", 4), std::string("\0\0\0", 3), std::string()}) {
        const std::string merge = dir.Write("bad.trm", text);
        EXPECT_EQ(CopyFastFileIntoMerge(trf, merge, true), MergeCopy::kNotTerminated);
        EXPECT_EQ(ReadWholeFile(merge), text);
    }
}

// A write that fails part-way leaves the merge file exactly as it was.
TEST_F(MergeFileTest, AFailedAppendIsCutBack) {
    const std::string before = records;
    const std::string merge = dir.Write("full.trm", before);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = before.size() + records.size() / 2;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const MergeCopy result = CopyFastFileIntoMerge(trf, merge, true);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &old), 0);
    EXPECT_EQ(result, MergeCopy::kWriteError);
    EXPECT_EQ(ReadWholeFile(merge), before);
}

// The open file and the files kept beside it can never be made a merge file.
TEST_F(MergeFileTest, TheOpenFileAndItsOwnFilesAreProtected) {
    const std::vector<std::string> own = ProtectedFilesOf(pgn, {});
    for (const char* name : {"d.pgn", "d.TRF", "d.TRH", "d.TRE", "d.TRX", "./d.pgn"}) {
        EXPECT_TRUE(IsProtected(dir.File(name), own)) << name;
    }
    EXPECT_FALSE(IsProtected(dir.File("m.trm"), own));
}

}  // namespace
}  // namespace ravelin::tree

// "Save Combination" and "Load Combination" of the criteria editors' menus: the header criteria,
// the variation and the position in one criteria file.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "chess/board.h"
#include "search/criteria_file.h"
#include "search/position_lists.h"
#include "search/search_result.h"
#include "shell/command_ids.h"
#include "shell/display_mode.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using testing_support::Session;

std::int32_t WordAt(const std::string& bytes, std::size_t offset) {
    std::int32_t word = 0;
    std::memcpy(&word, bytes.data() + offset, sizeof word);
    return word;
}

class CombinationFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session = std::make_unique<Session>(work.Path().string());
        session->Start();
        // The editors' own commands are seen, not run.
        for (const int id : {kCmdEditVariation, kCmdEditPosition}) {
            session->window.Handlers().Set(id, [this, id] { posted.push_back(id); });
        }
        session->ClearRecords();
    }
    search::SearchCriteria& Criteria() { return session->window.Search().criteria; }
    void Command(int id, const std::string& file) {
        session->platform.fileChoices.push_back(files.File(file));
        session->Command(id);
    }
    // The criteria of all three kinds, the position as the position editor's board holds it.
    void FillCriteria() {
        Criteria().header[search::HeaderField::kWhite] = "Morrow";
        chess::SetSanText(Criteria().variation.whiteMoves[0], "e4");
        chess::SetSanText(Criteria().variation.blackMoves[0], "c5");
        session->window.Search().criteriaBoard.squares[7][1] =
            chess::MakePiece(chess::Side::kWhite, chess::kKing);
    }
    void ClearCriteria() {
        Criteria() = search::SearchCriteria{};
        session->window.Search().criteriaBoard.Clear();
    }

    TempDir work;
    TempDir files;
    std::unique_ptr<Session> session;
    std::vector<int> posted;
};

TEST_F(CombinationFilesTest, SavedCombinationHoldsAllThreePartsForEveryLoadCommand) {
    FillCriteria();
    Command(kCmdSaveCombination, "both");
    EXPECT_EQ(session->platform.fileRequests.back().title, "Select Search Criteria File");
    const std::string bytes = ReadWholeFile(files.File("both.ser"));
    ASSERT_EQ(bytes.size(), 8u + 11 * 80 + 3200 + 640);
    EXPECT_EQ(WordAt(bytes, 0), search::kHeaderSearch);
    EXPECT_EQ(WordAt(bytes, 4), search::kWithBoth);

    ClearCriteria();
    Command(kCmdLoadPosition, "both.ser");
    EXPECT_EQ(search::PositionEntryText(Criteria().position.white[0]), "Kg1");
    ClearCriteria();
    session->window.displayMode = kModeVariationEdit;
    posted.clear();
    Command(kCmdLoadCombination, "both.ser");
    EXPECT_EQ(Criteria().header[search::HeaderField::kWhite], "Morrow");
    EXPECT_EQ(chess::SanView(Criteria().variation.blackMoves[0]), "c5");
    EXPECT_EQ(session->window.Search().criteriaBoard.squares[7][1],
              chess::MakePiece(chess::Side::kWhite, chess::kKing));
    EXPECT_EQ(posted, std::vector<int>{kCmdEditVariation});
    EXPECT_TRUE(session->platform.MessageTexts().empty());
}

TEST_F(CombinationFilesTest, LoadCombinationOfASingleKindKeepsTheOtherParts) {
    search::SearchCriteria position;
    search::SetPositionEntry(position.position.white[0], "Qd1");
    files.Write("queen.ser", search::EncodeCriteriaFile(search::kPositionSearch, 0, position));
    files.Write("short.ser", std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8));
    chess::SetSanText(Criteria().variation.whiteMoves[0], "d4");
    session->window.displayMode = kModePositionEdit;
    Command(kCmdLoadCombination, "queen.ser");
    EXPECT_EQ(search::PositionEntryText(Criteria().position.white[0]), "Qd1");
    EXPECT_EQ(chess::SanView(Criteria().variation.whiteMoves[0]), "d4");
    EXPECT_EQ(posted, std::vector<int>{kCmdEditPosition});

    Command(kCmdLoadCombination, "short.ser");
    Command(kCmdLoadCombination, "missing.ser");
    EXPECT_EQ(session->platform.MessageTexts(),
              (std::vector<std::string>{"Invalid search file.", "Error opening file."}));
    EXPECT_EQ(chess::SanView(Criteria().variation.whiteMoves[0]), "d4");
    EXPECT_EQ(posted.size(), 1u);
}

}  // namespace
}  // namespace ravelin::shell

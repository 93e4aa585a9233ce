#include "tree/eco_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "temp_dir.h"

namespace ravelin::tree {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using Texts = std::vector<std::string>;

constexpr int kBase = 2;
const char* const kFiles[] = {"ravelin.eco", "ravelin.ecn", "ravelin.ecm", "ravelin.ecs"};

// A table of two base lines and two added ones, and an editor whose questions are answered Yes.
struct Table {
    Table() {
        EcoTableFiles files;
        files.codes = {"C20", "D02", "C20", "D02"};
        files.names = {"King's Pawn", "Queen's Pawn", "Mine", "Also mine"};
        files.moves = {"1.e4 e5", "1.d4 d5 2.Nf3", "1.e4 e5 2.f4", "1.d4 d5 2.Nf3 Nf6"};
        files.order = {0, 2, 1, 3};
        EXPECT_TRUE(WriteEcoTableFiles(dir.Path().string(), files));
        editor.Enter();
    }
    EcoTableFiles Files() const {
        EcoTableFiles files;
        EXPECT_TRUE(ReadEcoTableFiles(dir.Path().string(), files));
        return files;
    }
    std::string Snapshot() const {
        std::string all;
        for (const char* name : kFiles) {
            all += ReadWholeFile(dir.File(name)) + "|";
        }
        return all;
    }
    TempDir dir;
    Texts told;
    std::deque<std::optional<std::string>> names;
    EcoEditor editor{dir.Path().string(), kBase,
                     EcoEditorHost{[this](std::string_view q) { return told.emplace_back(q), true; },
                                   [this](const std::string&) {
                                       std::optional<std::string> name = names.front();
                                       names.pop_front();
                                       return name;
                                   },
                                   [this](std::string_view text) { told.emplace_back(text); }, [] {}}};
};

// The refusals, each leaving the files as they were.
TEST(EcoEditor, RefusalsLeaveTheTableAlone) {
    struct Case {
        const char* name;
        int selected;
        EcoPosition position;
        void (EcoEditor::*command)(const EcoPosition&);
        const char* told;
    };
    const Texts sixtyOne(61, "Nf3");
    const std::vector<Case> cases = {
        {"add without moves", -1, {{}, 0, false}, &EcoEditor::AddLine, kEnterALineFirst},
        {"add with no current line", -1, {{"a3"}, -1, false}, &EcoEditor::AddLine, kNoCurrentEcoLine},
        {"add the line itself", -1, {{"e4", "e5"}, 0, false}, &EcoEditor::AddLine, kLineAlreadyInTable},
        {"add beyond 30 moves", -1, {sixtyOne, 0, true}, &EcoEditor::AddLine, kTooManyEcoMoves},
        {"modify unselected", -1, {{"e4"}, 0, false}, &EcoEditor::ModifyLine, kSelectALineFirst},
        {"modify the last base line",
         kBase - 1,
         {{"e4"}, 0, false},
         &EcoEditor::ModifyLine,
         kCannotModifyBase},
        {"rename without moves", 2, {{}, 0, false}, &EcoEditor::ModifyName, kSelectALineFirst},
    };
    for (const Case& c : cases) {
        Table table;
        const std::string before = table.Snapshot();
        table.editor.Select(c.selected);
        (table.editor.*c.command)(c.position);
        EXPECT_EQ(table.told, Texts{c.told}) << c.name;
        EXPECT_EQ(table.Snapshot(), before) << c.name;
    }
    Table table;
    table.editor.Select(kBase - 1);
    table.editor.DeleteLine();
    EXPECT_EQ(table.told, Texts{kCannotDeleteBase});
}

// A line added from the end of another takes its code and stands after it in the ECO order; a
// shorter one asks about the line it is part of and stands before it.
TEST(EcoEditor, AddedLinesTakeTheCodeAndPlaceOfTheirLine) {
    Table table;
    table.names = {"Queen's Gambit mine", "Short"};
    table.editor.AddLine({{"d4", "d5", "Nf3", "Nf6", "c4"}, 3, true});
    table.editor.AddLine({{"d4", "d5"}, 1, false});
    EXPECT_EQ(table.told, (Texts{kLineAdded, kLineIncluded, kLineAdded}));
    const EcoTableFiles files = table.Files();
    EXPECT_EQ(files.codes, (Texts{"C20", "D02", "C20", "D02", "D02", "D02"}));
    EXPECT_EQ(files.moves[4], "1.d4 d5 2.Nf3 Nf6 3.c4");
    EXPECT_EQ(files.order, (std::vector<std::uint32_t>{0, 2, 5, 1, 3, 4}));
    EXPECT_EQ(table.editor.Selected(), 5);
}

// Deleting an added line that is not the last lowers the later numbers in the order; names with a
// line break are refused.
TEST(EcoEditor, DeleteRenumbersAndNamesStayOneLine) {
    Table table;
    table.editor.Select(2);
    table.editor.DeleteLine();
    EcoTableFiles files = table.Files();
    EXPECT_EQ(files.names, (Texts{"King's Pawn", "Queen's Pawn", "Also mine"}));
    EXPECT_EQ(files.order, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(table.editor.Selected(), 1);
    std::string problem;
    EXPECT_EQ(CleanEcoName("Two\nlines", problem), "");
    EXPECT_EQ(problem, kEcoNameLineBreak);
    EXPECT_EQ(CleanEcoName("  \t\r", problem), "");
    EXPECT_EQ(problem, kNullEcoName);
    EXPECT_EQ(CleanEcoName("Name  \x01", problem), "Name");
}

// Exit without saving puts back the files of the entry exactly; Save makes them the previous
// version that Restore brings back.
TEST(EcoEditor, ExitSaveAndRestore) {
    Table table;
    const std::string entered = table.Snapshot();
    table.names = {"New", "Newer"};
    table.editor.AddLine({{"e4", "e5", "f4", "exf4"}, 2, true});
    ASSERT_NE(table.Snapshot(), entered);
    table.editor.Exit();
    EXPECT_EQ(table.Snapshot(), entered);
    EXPECT_FALSE(table.editor.Active());

    ASSERT_TRUE(table.editor.Enter());
    table.editor.AddLine({{"e4", "e5", "f4", "exf4"}, 2, true});
    const std::string saved = table.Snapshot();
    table.dir.Write("ecotree.tre", "tree");
    table.editor.Save();
    EXPECT_FALSE(std::filesystem::exists(table.dir.File("ecotree.tre")));
    ASSERT_TRUE(table.editor.Enter());
    table.editor.Restore();
    EXPECT_EQ(table.Snapshot(), entered);
    EXPECT_NE(saved, entered);
}

// A missing backup is found before any table file is touched; a backup that cannot be written keeps
// the editor from being entered.
TEST(EcoEditor, BackupsAreCheckedFirst) {
    Table table;
    table.names = {"New"};
    table.editor.AddLine({{"e4", "e5", "f4", "exf4"}, 2, true});
    const std::string edited = table.Snapshot();
    std::filesystem::remove(table.dir.File("ravelin.bcm"));
    table.told.clear();
    table.editor.Exit();
    EXPECT_EQ(table.told, (Texts{kExitQuestion, kTableMayBeCorrupted}));
    EXPECT_EQ(table.Snapshot(), edited);

    Table blocked;
    std::filesystem::remove(blocked.dir.File("ravelin.bco"));
    std::filesystem::create_directory(blocked.dir.File("ravelin.bco"));
    std::filesystem::create_directory(blocked.dir.File("ravelin.bco/keep"));
    blocked.told.clear();
    EcoEditor fresh(blocked.dir.Path().string(), kBase,
                    {[](std::string_view) { return true; }, [](const std::string&) { return std::nullopt; },
                     [&](std::string_view text) { blocked.told.emplace_back(text); }, [] {}});
    EXPECT_FALSE(fresh.Enter());
    EXPECT_EQ(blocked.told, Texts{kBackupNotWritten});
}

}  // namespace
}  // namespace ravelin::tree

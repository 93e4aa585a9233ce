#include "settings/screen_layout.h"

#include <gtest/gtest.h>

#include <optional>

namespace ravelin::settings {
namespace {

using K = ScreenLayoutKind;

SettingsRecord Record(int boardSize, bool enhancedMenu = false, bool columnFormat = false,
                      bool replay = false) {
    SettingsRecord record;
    record.SetInt(kOffsetBoardSize, boardSize);
    record.SetEnhancedMenu(enhancedMenu);
    record.SetColumnFormat(columnFormat);
    record.SetAnalysisReplayMode(replay);
    return record;
}

// (That the layouts grow with the board is met where a forced layout must be smaller.)
TEST(ScreenLayoutTest, TheAlternateLayoutTakesTheSmallOne) {
    EXPECT_EQ(LayoutOfKind(K::kAlternate).squareSize, LayoutOfKind(K::kSmall).squareSize);
    EXPECT_EQ(LayoutOfKind(K::kAlternate).metrics, LayoutOfKind(K::kSmall).metrics);
    // Large system fonts change the text font only.
    EXPECT_NE(ScreenLayoutFonts(K::kSmall, true)[0].face, ScreenLayoutFonts(K::kSmall, false)[0].face);
    EXPECT_EQ(ScreenLayoutFonts(K::kLarge, true)[1].height, ScreenLayoutFonts(K::kLarge, false)[1].height);
}

// Over every screen and option: the chosen board size is kept while the screen is wide enough for
// it (1024 pixels for medium, 1280 for large), else the next smaller one is taken, and a board size
// outside 0-2 counts as small; analysis replay always takes the alternate layout. The window is made
// for that layout, the board with its one-square border fits in the window, the window stays on the
// screen, and a layout other than the chosen board size is reported as forced.
TEST(ScreenLayoutTest, ChosenLayoutFitsTheWindowAndTheWindowTheScreen) {
    struct Screen {
        int width;
        int height;
    };
    const Screen screens[] = {{640, 480},  {800, 600},   {900, 675},   {1023, 768},  {1024, 768},
                              {1152, 864}, {1279, 1024}, {1280, 1024}, {1600, 1200}, {1920, 1200}};
    for (const Screen& screen : screens) {
        for (int boardSize : {-1, 0, 1, 2, 7}) {
            for (int options = 0; options < 8; ++options) {
                bool replay = (options & 4) != 0;
                SettingsRecord record = Record(boardSize, options & 1, options & 2, replay);
                SCOPED_TRACE(::testing::Message() << screen.width << "x" << screen.height << " board "
                                                  << boardSize << " options " << options);
                WindowRect rect = ComputeWindowRect(record, screen.width, screen.height);
                ScreenLayout layout = ApplyScreenLayout(record, ChooseLayoutFit(screen.width, boardSize), 2);
                const K chosen = boardSize == 1 ? K::kMedium : boardSize == 2 ? K::kLarge : K::kSmall;
                const K fits = chosen == K::kLarge && screen.width >= 1280   ? K::kLarge
                               : chosen != K::kSmall && screen.width >= 1024 ? K::kMedium
                                                                             : K::kSmall;
                EXPECT_EQ(layout.kind, replay ? K::kAlternate : fits);
                EXPECT_EQ(rect.layout, layout.kind);
                // In analysis replay the alternate layout's kind follows the display mode.
                EXPECT_EQ(layout.alternateKind, replay ? 1 : 0);
                EXPECT_EQ(ApplyScreenLayout(record, 0, 0).alternateKind, replay ? 2 : 0);
                EXPECT_LE(layout.Squares(10), rect.width);
                EXPECT_LE(layout.Squares(10), rect.height);
                const K wanted = replay ? K::kAlternate : chosen;
                EXPECT_EQ(rect.forcedLayout.has_value(), layout.kind != wanted);
                if (rect.forcedLayout) {
                    EXPECT_EQ(*rect.forcedLayout, layout.kind);
                    EXPECT_LT(layout.squareSize, LayoutOfKind(wanted).squareSize);
                }
                // On 640x480 the replay window is 800x572 and the enhanced menu makes the window
                // 12 pixels taller than the screen: only the other windows are held to it.
                if (screen.width == 640 && (replay || (options & 1))) {
                    continue;
                }
                EXPECT_GE(rect.x, 0);
                EXPECT_GE(rect.y, 0);
                EXPECT_LE(rect.x + rect.width, screen.width);
                EXPECT_LE(rect.y + rect.height, screen.height);
            }
        }
    }
}

TEST(ScreenLayoutTest, ColumnFormatWidensAndEnhancedMenuHeightensTheSmallWindow) {
    for (int width : {800, 1280}) {
        WindowRect plain = ComputeWindowRect(Record(0), width, 1024);
        EXPECT_GT(ComputeWindowRect(Record(0, false, true), width, 1024).width, plain.width) << width;
        EXPECT_GT(ComputeWindowRect(Record(0, true, false), width, 1024).height, plain.height) << width;
    }
}

// The saved rectangle of the layout in force wins: the small one, the "other" one of the medium
// layout, or the large one. The alternate layout has one of its own, but the other one wins over
// it. A rectangle of zero width counts as not saved, without a fallback to another one.
TEST(WindowRectTest, SavedRectangleOfTheLayoutInForceWins) {
    constexpr SavedRect kSmall{700, 500, 11, 12}, kOther{990, 730, 21, 22}, kLarge{1260, 970, 31, 32},
        kAlternate{1010, 700, 41, 42};
    enum Saved { kS = 1, kO = 2, kL = 4, kA = 8, kAll = 15 };
    struct Row {
        int width, boardSize;
        bool replay;
        int saved;
        std::optional<SavedRect> expected;  // none: as without saved rectangles
    };
    const Row rows[] = {
        {1280, 0, false, kAll, kSmall},     {800, 1, false, kAll, kSmall},
        {1024, 2, false, kAll, kOther},     {1280, 2, false, kAll, kLarge},
        {1280, 2, false, kO, std::nullopt}, {1280, 0, true, kS | kL | kA, kAlternate},
        {1280, 0, true, kAll, kOther},      {800, 0, true, kS | kO | kL, kOther},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << row.width << " board " << row.boardSize << " saved " << row.saved);
        const SettingsRecord plain = Record(row.boardSize, false, false, row.replay);
        SettingsRecord record = plain;
        record.SetSmallWindowRect((row.saved & kS) != 0 ? kSmall : SavedRect{});
        record.SetOtherWindowRect((row.saved & kO) != 0 ? kOther : SavedRect{});
        record.SetLargeWindowRect((row.saved & kL) != 0 ? kLarge : SavedRect{0, 900, 100, 100});
        record.SetAlternateWindowRect((row.saved & kA) != 0 ? kAlternate : SavedRect{});
        const WindowRect rect = ComputeWindowRect(record, row.width, row.width * 3 / 4);
        const WindowRect unsaved = ComputeWindowRect(plain, row.width, row.width * 3 / 4);
        const SavedRect expected =
            row.expected.value_or(SavedRect{unsaved.width, unsaved.height, unsaved.x, unsaved.y});
        EXPECT_EQ((SavedRect{rect.width, rect.height, rect.x, rect.y}), expected);
    }
}

}  // namespace
}  // namespace ravelin::settings

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

TEST(ScreenLayoutTest, LayoutsGrowWithTheBoardAndTheAlternateTakesTheSmallOne) {
    const K kinds[] = {K::kSmall, K::kMedium, K::kLarge};
    for (int i = 1; i < 3; ++i) {
        EXPECT_GT(LayoutOfKind(kinds[i]).squareSize, LayoutOfKind(kinds[i - 1]).squareSize);
        EXPECT_GT(ScreenLayoutFonts(kinds[i], false)[1].height,
                  ScreenLayoutFonts(kinds[i - 1], false)[1].height);
    }
    EXPECT_EQ(LayoutOfKind(K::kAlternate).squareSize, LayoutOfKind(K::kSmall).squareSize);
    EXPECT_EQ(LayoutOfKind(K::kAlternate).metrics, LayoutOfKind(K::kSmall).metrics);
    // Large system fonts change the text font only.
    EXPECT_NE(ScreenLayoutFonts(K::kSmall, true)[0].face, ScreenLayoutFonts(K::kSmall, false)[0].face);
    EXPECT_EQ(ScreenLayoutFonts(K::kLarge, true)[1].height, ScreenLayoutFonts(K::kLarge, false)[1].height);
}

// The chosen board size is kept while the screen is wide enough for it, else the next smaller one
// that fits is taken; a board size outside 0-2 counts as small.
TEST(ScreenLayoutTest, EachBoardSizeNeedsItsScreenWidth) {
    struct Row {
        int width;
        int boardSize;
        K expected;
    };
    const Row rows[] = {
        {1023, 1, K::kSmall},  {1024, 1, K::kMedium}, {800, 2, K::kSmall},   {1023, 2, K::kSmall},
        {1024, 2, K::kMedium}, {1279, 2, K::kMedium}, {1280, 2, K::kLarge},  {640, 1, K::kSmall},
        {1920, 0, K::kSmall},  {1920, 7, K::kSmall},  {1920, -1, K::kSmall},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "width " << row.width << " board " << row.boardSize);
        int fit = ChooseLayoutFit(row.width, row.boardSize);
        EXPECT_EQ(ApplyScreenLayout(Record(row.boardSize), fit, 2).kind, row.expected);
        EXPECT_EQ(ComputeWindowRect(Record(row.boardSize), row.width, 1024).layout, row.expected);
    }
}

// Over every screen and option: the window is made for the layout the fit chooses (analysis replay
// always takes the alternate one), the board with its one-square border fits in the window, the
// window stays on the screen, and a layout other than the chosen board size is reported as forced.
TEST(ScreenLayoutTest, ChosenLayoutFitsTheWindowAndTheWindowTheScreen) {
    struct Screen {
        int width;
        int height;
    };
    const Screen screens[] = {{640, 480},  {800, 600},   {900, 675},   {1023, 768},  {1024, 768},
                              {1152, 864}, {1279, 1024}, {1280, 1024}, {1600, 1200}, {1920, 1200}};
    for (const Screen& screen : screens) {
        for (int boardSize = 0; boardSize < 3; ++boardSize) {
            for (int options = 0; options < 8; ++options) {
                bool replay = (options & 4) != 0;
                SettingsRecord record = Record(boardSize, options & 1, options & 2, replay);
                SCOPED_TRACE(::testing::Message() << screen.width << "x" << screen.height << " board "
                                                  << boardSize << " options " << options);
                WindowRect rect = ComputeWindowRect(record, screen.width, screen.height);
                ScreenLayout layout = ApplyScreenLayout(record, ChooseLayoutFit(screen.width, boardSize), 2);
                EXPECT_EQ(rect.layout, layout.kind);
                // In analysis replay the alternate layout's kind follows the display mode.
                EXPECT_EQ(layout.alternateKind, replay ? 1 : 0);
                EXPECT_EQ(ApplyScreenLayout(record, 0, 0).alternateKind, replay ? 2 : 0);
                EXPECT_LE(layout.Squares(10), rect.width);
                EXPECT_LE(layout.Squares(10), rect.height);
                K wanted = replay ? K::kAlternate : static_cast<K>(boardSize);
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

constexpr SavedRect kSmallSaved{700, 500, 11, 12};
constexpr SavedRect kOtherSaved{990, 730, 21, 22};
constexpr SavedRect kLargeSaved{1260, 970, 31, 32};
constexpr SavedRect kAlternateSaved{1010, 700, 41, 42};

SettingsRecord WithAllSaved(int boardSize, bool replay) {
    SettingsRecord record = Record(boardSize, false, false, replay);
    record.SetSmallWindowRect(kSmallSaved);
    record.SetOtherWindowRect(kOtherSaved);
    record.SetLargeWindowRect(kLargeSaved);
    record.SetAlternateWindowRect(kAlternateSaved);
    return record;
}

SavedRect AsSaved(const WindowRect& rect) {
    return {rect.width, rect.height, rect.x, rect.y};
}

TEST(WindowRectTest, SavedRectangleOfTheLayoutInForceWins) {
    struct Row {
        const char* name;
        int width;
        int boardSize;
        SavedRect expected;
    };
    const Row rows[] = {
        {"small layout uses the small rectangle", 1280, 0, kSmallSaved},
        {"640 small uses the small rectangle", 640, 0, kSmallSaved},
        {"medium forced small uses the small rectangle", 800, 1, kSmallSaved},
        {"640 large forced small uses the small rectangle", 640, 2, kSmallSaved},
        {"medium uses the other rectangle", 1024, 1, kOtherSaved},
        {"large shrunk to medium uses the other rectangle", 1024, 2, kOtherSaved},
        {"large uses its own rectangle", 1280, 2, kLargeSaved},
    };
    for (const Row& row : rows) {
        WindowRect rect = ComputeWindowRect(WithAllSaved(row.boardSize, false), row.width, 1024);
        EXPECT_EQ(AsSaved(rect), row.expected) << row.name;
    }
}

TEST(WindowRectTest, RectangleWithZeroWidthCountsAsNotSaved) {
    SettingsRecord record = Record(2);
    record.SetLargeWindowRect({0, 900, 100, 100});
    record.SetOtherWindowRect(kOtherSaved);
    EXPECT_EQ(AsSaved(ComputeWindowRect(record, 1280, 1024)),
              AsSaved(ComputeWindowRect(Record(2), 1280, 1024)))
        << "no fallback to another layout's rectangle";
}

// The alternate layout has a rectangle of its own, but the one of the layouts without their own
// wins over it.
TEST(WindowRectTest, AlternateLayoutSharesTheOtherLayoutsRectangleLast) {
    SettingsRecord record = WithAllSaved(0, true);
    record.SetOtherWindowRect({});
    EXPECT_EQ(AsSaved(ComputeWindowRect(record, 1280, 1024)), kAlternateSaved) << "not the small rectangle";
    record.SetOtherWindowRect(kOtherSaved);
    EXPECT_EQ(AsSaved(ComputeWindowRect(record, 1280, 1024)), kOtherSaved);
    record.SetAlternateWindowRect({});
    EXPECT_EQ(AsSaved(ComputeWindowRect(record, 800, 600)), kOtherSaved);
}

}  // namespace
}  // namespace ravelin::settings

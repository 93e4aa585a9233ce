#include "settings/screen_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace ravelin::settings {
namespace {

using K = ScreenLayoutKind;
constexpr int kSmall = 0;
constexpr int kMedium = 1;
constexpr int kLarge = 2;

SettingsRecord Record(int boardSize, bool enhancedMenu = false, bool columnFormat = false,
                      bool replay = false) {
    SettingsRecord record;
    record.SetInt(kOffsetBoardSize, boardSize);
    record.SetEnhancedMenu(enhancedMenu);
    record.SetColumnFormat(columnFormat);
    record.SetAnalysisReplayMode(replay);
    return record;
}

TEST(ScreenLayoutTest, EachLayoutHasItsSquareAndMetrics) {
    struct Row {
        K kind;
        int square;
        std::array<int, 6> metrics;
    };
    const Row rows[] = {
        {K::kSmall, 40, {54, 23, 22, 34, 28, 42}},
        {K::kMedium, 60, {73, 24, 29, 45, 36, 56}},
        {K::kLarge, 80, {71, 26, 28, 43, 34, 54}},
        {K::kAlternate, 40, {54, 23, 22, 34, 28, 42}},
    };
    for (const Row& row : rows) {
        ScreenLayout layout = LayoutOfKind(row.kind);
        EXPECT_EQ(layout.kind, row.kind);
        EXPECT_EQ(layout.squareSize, row.square);
        EXPECT_EQ(layout.metrics, row.metrics);
        EXPECT_EQ(layout.TextRow(), row.metrics[0]);
        EXPECT_EQ(layout.HalfSquare() * 2, row.square);
        EXPECT_EQ(layout.Squares(15), row.square * 15);
    }
}

TEST(ScreenLayoutTest, FontsFollowTheLayoutAndLargeSystemFonts) {
    auto small = ScreenLayoutFonts(K::kSmall, false);
    EXPECT_EQ(small[0].face, "System");
    EXPECT_EQ(small[0].height, 16);
    EXPECT_EQ(small[0].width, 7);
    EXPECT_EQ(small[1].face, "Arial");
    EXPECT_EQ(small[1].height, 14);
    auto smallLarge = ScreenLayoutFonts(K::kSmall, true);
    EXPECT_EQ(smallLarge[0].face, "Verdana");
    EXPECT_TRUE(smallLarge[0].bold);
    EXPECT_EQ(ScreenLayoutFonts(K::kMedium, false)[1].height, 22);
    EXPECT_EQ(ScreenLayoutFonts(K::kLarge, false)[1].height, 28);
}

TEST(ScreenLayoutTest, FitFollowsScreenWidthAndBoardSize) {
    struct Row {
        int width;
        int boardSize;
        int fit;
    };
    const Row rows[] = {
        {640, kSmall, 1},  {640, kMedium, 1},  {640, kLarge, 1},   {800, kSmall, 1},   {800, kMedium, 1},
        {800, kLarge, 1},  {1023, kMedium, 1}, {1024, kSmall, 0},  {1024, kMedium, 0}, {1024, kLarge, 2},
        {1279, kLarge, 2}, {1280, kSmall, 0},  {1280, kMedium, 0}, {1280, kLarge, 0},  {1920, kLarge, 0},
        {1024, 7, 0},      {800, -1, 1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ChooseLayoutFit(row.width, row.boardSize), row.fit)
            << "width " << row.width << " board " << row.boardSize;
    }
}

TEST(ScreenLayoutTest, ApplyScreenLayoutChoosesByBoardSizeAndFit) {
    struct Row {
        int boardSize;
        int fit;
        K expected;
    };
    const Row rows[] = {
        {kSmall, 0, K::kSmall},  {kSmall, 1, K::kSmall},  {kSmall, 2, K::kSmall}, {kMedium, 0, K::kMedium},
        {kMedium, 1, K::kSmall}, {kMedium, 2, K::kSmall}, {kLarge, 0, K::kLarge}, {kLarge, 1, K::kSmall},
        {kLarge, 2, K::kMedium}, {9, 0, K::kSmall},
    };
    for (const Row& row : rows) {
        ScreenLayout layout = ApplyScreenLayout(Record(row.boardSize), row.fit, 2);
        EXPECT_EQ(layout.kind, row.expected) << "board " << row.boardSize << " fit " << row.fit;
        EXPECT_EQ(layout.alternateKind, 0);
        EXPECT_EQ(layout.squareSize, LayoutOfKind(row.expected).squareSize);
    }
}

TEST(ScreenLayoutTest, AnalysisReplayReplacesEveryLayoutWithTheAlternate) {
    for (int boardSize : {kSmall, kMedium, kLarge}) {
        for (int fit : {0, 1, 2}) {
            SettingsRecord record = Record(boardSize, false, false, true);
            ScreenLayout inGame = ApplyScreenLayout(record, fit, 2);
            EXPECT_EQ(inGame.kind, K::kAlternate);
            EXPECT_EQ(inGame.alternateKind, 1) << "game display mode uses kind 1";
            EXPECT_EQ(inGame.squareSize, 40);
            EXPECT_EQ(ApplyScreenLayout(record, fit, 20).alternateKind, 2);
            EXPECT_EQ(ApplyScreenLayout(record, fit, 0).alternateKind, 2);
        }
    }
}

struct RectRow {
    const char* name;
    int width;
    int boardSize;
    bool enhanced;
    bool column;
    bool replay;
    int x, y, w, h;
    K layout;
    std::optional<K> forced;
};

TEST(WindowRectTest, ComputedRectangleWithoutSavedRectangles) {
    const RectRow rows[] = {
        {"640 small keeps full width", 640, kSmall, false, false, false, 0, 0, 640, 480, K::kSmall,
         std::nullopt},
        {"640 medium forced small", 640, kMedium, true, false, false, 0, 0, 640, 492, K::kSmall, K::kSmall},
        {"640 large forced small, column ignored", 640, kLarge, false, true, false, 0, 0, 640, 480, K::kSmall,
         K::kSmall},
        {"800 small", 800, kSmall, false, false, false, 10, 10, 650, 480, K::kSmall, std::nullopt},
        {"800 small column enhanced", 800, kSmall, true, true, false, 10, 10, 675, 492, K::kSmall,
         std::nullopt},
        {"1024 small", 1024, kSmall, false, false, false, 60, 50, 650, 480, K::kSmall, std::nullopt},
        {"1280 small column", 1280, kSmall, false, true, false, 60, 50, 675, 480, K::kSmall, std::nullopt},
        {"800 medium forced small", 800, kMedium, false, false, false, 10, 10, 650, 480, K::kSmall,
         K::kSmall},
        {"800 medium column enhanced", 800, kMedium, true, true, false, 10, 10, 675, 492, K::kSmall,
         K::kSmall},
        {"900 medium treated as 800", 900, kMedium, false, false, false, 10, 10, 650, 480, K::kSmall,
         K::kSmall},
        {"1024 medium", 1024, kMedium, false, false, false, 5, 5, 975, 715, K::kMedium, std::nullopt},
        {"1024 medium enhanced", 1024, kMedium, true, false, false, 5, 5, 975, 722, K::kMedium, std::nullopt},
        {"1280 medium column", 1280, kMedium, false, true, false, 5, 5, 975, 715, K::kMedium, std::nullopt},
        {"800 large forced small", 800, kLarge, false, false, false, 10, 10, 650, 480, K::kSmall, K::kSmall},
        {"800 large column", 800, kLarge, true, true, false, 10, 10, 675, 492, K::kSmall, K::kSmall},
        {"1024 large shrinks to medium", 1024, kLarge, true, false, false, 5, 5, 975, 722, K::kMedium,
         K::kMedium},
        {"1279 large shrinks to medium", 1279, kLarge, false, false, false, 5, 5, 975, 715, K::kMedium,
         K::kMedium},
        {"1280 large", 1280, kLarge, false, false, false, 0, 0, 1250, 960, K::kLarge, std::nullopt},
        {"1280 large enhanced", 1280, kLarge, true, true, false, 0, 0, 1250, 960, K::kLarge, std::nullopt},
        {"1920 large", 1920, kLarge, false, false, false, 0, 0, 1250, 960, K::kLarge, std::nullopt},
        {"replay on 800", 800, kSmall, true, false, true, 0, 0, 800, 572, K::kAlternate, std::nullopt},
        {"replay on 1024", 1024, kMedium, false, true, true, 0, 0, 1024, 740, K::kAlternate, std::nullopt},
        {"replay on 1280 large", 1280, kLarge, true, false, true, 0, 0, 1024, 740, K::kAlternate,
         std::nullopt},
        {"replay on 640", 640, kSmall, false, false, true, 0, 0, 800, 572, K::kAlternate, std::nullopt},
    };
    for (const RectRow& row : rows) {
        SettingsRecord record = Record(row.boardSize, row.enhanced, row.column, row.replay);
        WindowRect rect = ComputeWindowRect(record, row.width, 1024);
        EXPECT_EQ(rect.x, row.x) << row.name;
        EXPECT_EQ(rect.y, row.y) << row.name;
        EXPECT_EQ(rect.width, row.w) << row.name;
        EXPECT_EQ(rect.height, row.h) << row.name;
        EXPECT_EQ(rect.layout, row.layout) << row.name;
        EXPECT_EQ(rect.forcedLayout, row.forced) << row.name;
    }
}

TEST(WindowRectTest, ForcedLayoutAgreesWithTheFitOfTheStandardScreens) {
    for (int width : {640, 800, 1024, 1280}) {
        for (int boardSize : {kSmall, kMedium, kLarge}) {
            SettingsRecord record = Record(boardSize);
            WindowRect rect = ComputeWindowRect(record, width, 768);
            ScreenLayout layout = ApplyScreenLayout(record, ChooseLayoutFit(width, boardSize), 2);
            EXPECT_EQ(rect.layout, layout.kind) << "width " << width << " board " << boardSize;
        }
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
        {"small layout uses the small rectangle", 1280, kSmall, kSmallSaved},
        {"640 small uses the small rectangle", 640, kSmall, kSmallSaved},
        {"medium forced small uses the small rectangle", 800, kMedium, kSmallSaved},
        {"640 large forced small uses the small rectangle", 640, kLarge, kSmallSaved},
        {"medium uses the other rectangle", 1024, kMedium, kOtherSaved},
        {"large shrunk to medium uses the other rectangle", 1024, kLarge, kOtherSaved},
        {"large uses its own rectangle", 1280, kLarge, kLargeSaved},
    };
    for (const Row& row : rows) {
        WindowRect rect = ComputeWindowRect(WithAllSaved(row.boardSize, false), row.width, 1024);
        EXPECT_EQ(AsSaved(rect), row.expected) << row.name;
    }
}

TEST(WindowRectTest, RectangleWithZeroWidthCountsAsNotSaved) {
    SettingsRecord record = Record(kLarge);
    record.SetLargeWindowRect({0, 900, 100, 100});
    record.SetOtherWindowRect({990, 730, 21, 22});
    WindowRect rect = ComputeWindowRect(record, 1280, 1024);
    EXPECT_EQ(AsSaved(rect), (SavedRect{1250, 960, 0, 0})) << "no fallback to another layout's rectangle";
}

TEST(WindowRectTest, AlternateLayoutUsesItsSavedRectangle) {
    SettingsRecord record = Record(kSmall, false, false, true);
    record.SetAlternateWindowRect(kAlternateSaved);
    record.SetSmallWindowRect(kSmallSaved);
    record.SetLargeWindowRect(kLargeSaved);
    WindowRect rect = ComputeWindowRect(record, 1280, 1024);
    EXPECT_EQ(AsSaved(rect), kAlternateSaved) << "the small rectangle is not the alternate layout's";
    EXPECT_EQ(rect.layout, K::kAlternate);
}

TEST(WindowRectTest, AlternateLayoutSharesTheOtherLayoutsRectangleLast) {
    SettingsRecord record = WithAllSaved(kMedium, true);
    EXPECT_EQ(AsSaved(ComputeWindowRect(record, 1280, 1024)), kOtherSaved);
    record.SetAlternateWindowRect({});
    EXPECT_EQ(AsSaved(ComputeWindowRect(record, 800, 600)), kOtherSaved);
}

}  // namespace
}  // namespace ravelin::settings

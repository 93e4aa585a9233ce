#include "settings/screen_layout.h"

namespace ravelin::settings {

namespace {

constexpr int kWideScreen = 1280;
constexpr int kMediumScreen = 1024;
constexpr int kTinyScreen = 640;

constexpr int kNarrowWindowWidth = 650;
constexpr int kNarrowColumnWindowWidth = 675;

// The historical screens were 640, 800, 1024 and 1280 pixels wide; every width between 640 and
// 1024 is given what an 800-pixel screen gets, so that no window is made wider than its screen.
bool IsNarrowScreen(int screenWidth) {
    return screenWidth < kMediumScreen;
}

ScreenLayoutKind KindOfBoardSize(BoardSizeOption size) {
    switch (size) {
        case BoardSizeOption::kMedium:
            return ScreenLayoutKind::kMedium;
        case BoardSizeOption::kLarge:
            return ScreenLayoutKind::kLarge;
        case BoardSizeOption::kSmall:
            break;
    }
    return ScreenLayoutKind::kSmall;
}

void Place(WindowRect& rect, const SavedRect& saved) {
    rect.x = saved.x;
    rect.y = saved.y;
    rect.width = saved.width;
    rect.height = saved.height;
}

}  // namespace

ScreenLayout LayoutOfKind(ScreenLayoutKind kind) {
    ScreenLayout layout;
    layout.kind = kind;
    switch (kind) {
        case ScreenLayoutKind::kMedium:
            layout.squareSize = 60;
            layout.metrics = {73, 24, 29, 45, 36, 56};
            break;
        case ScreenLayoutKind::kLarge:
            layout.squareSize = 80;
            layout.metrics = {71, 26, 28, 43, 34, 54};
            break;
        case ScreenLayoutKind::kSmall:
        case ScreenLayoutKind::kAlternate:
            layout.squareSize = 40;
            layout.metrics = {54, 23, 22, 34, 28, 42};
            break;
    }
    return layout;
}

std::array<ScreenFont, 2> ScreenLayoutFonts(ScreenLayoutKind kind, bool largeFonts) {
    ScreenFont text = largeFonts ? ScreenFont{"Verdana", 16, 7, true} : ScreenFont{"System", 16, 7, false};
    int arialHeight = 14;
    if (kind == ScreenLayoutKind::kMedium) {
        arialHeight = 22;
    } else if (kind == ScreenLayoutKind::kLarge) {
        arialHeight = 28;
    }
    return {text, ScreenFont{"Arial", arialHeight, 0, false}};
}

int ChooseLayoutFit(int screenWidth, int boardSize) {
    if (boardSize < 0 || boardSize > 2) {
        boardSize = static_cast<int>(BoardSizeOption::kSmall);
    }
    bool large = boardSize == static_cast<int>(BoardSizeOption::kLarge);
    if (screenWidth >= kWideScreen || (screenWidth >= kMediumScreen && !large)) {
        return 0;
    }
    if (screenWidth >= kMediumScreen) {
        return 2;
    }
    return 1;
}

ScreenLayout ApplyScreenLayout(const SettingsRecord& record, int fit, int displayMode) {
    if (record.AnalysisReplayMode()) {
        ScreenLayout layout = LayoutOfKind(ScreenLayoutKind::kAlternate);
        layout.alternateKind = displayMode == 2 ? 1 : 2;
        return layout;
    }
    BoardSizeOption size = record.BoardSize();
    if ((size == BoardSizeOption::kMedium && fit == 0) || (size == BoardSizeOption::kLarge && fit == 2)) {
        return LayoutOfKind(ScreenLayoutKind::kMedium);
    }
    if (size == BoardSizeOption::kLarge && fit == 0) {
        return LayoutOfKind(ScreenLayoutKind::kLarge);
    }
    return LayoutOfKind(ScreenLayoutKind::kSmall);
}

WindowRect ComputeWindowRect(const SettingsRecord& record, int screenWidth,
                             [[maybe_unused]] int screenHeight) {
    const bool enhancedMenu = record.EnhancedMenu();
    const int narrowWidth = record.ColumnFormat() ? kNarrowColumnWindowWidth : kNarrowWindowWidth;
    WindowRect rect;
    rect.width = screenWidth;
    rect.height = enhancedMenu ? 492 : 480;

    auto forceSmall = [&rect, narrowWidth] {
        rect.layout = ScreenLayoutKind::kSmall;
        rect.forcedLayout = ScreenLayoutKind::kSmall;
        rect.x = 10;
        rect.y = 10;
        rect.width = narrowWidth;
    };

    if (record.AnalysisReplayMode()) {
        rect.layout = ScreenLayoutKind::kAlternate;
        SavedRect saved = record.AlternateWindowRect();
        if (saved.width != 0) {
            Place(rect, saved);
        } else if (IsNarrowScreen(screenWidth)) {
            rect.width = 800;
            rect.height = 572;
        } else {
            rect.width = 1024;
            rect.height = 740;
        }
    } else {
        const BoardSizeOption size = record.BoardSize();
        rect.layout = KindOfBoardSize(size);
        if (screenWidth == kTinyScreen) {
            if (size != BoardSizeOption::kSmall) {
                rect.layout = ScreenLayoutKind::kSmall;
                rect.forcedLayout = ScreenLayoutKind::kSmall;
            }
        } else if (size == BoardSizeOption::kSmall) {
            bool narrow = IsNarrowScreen(screenWidth);
            rect.x = narrow ? 10 : 60;
            rect.y = narrow ? 10 : 50;
            rect.width = narrowWidth;
        } else if (size == BoardSizeOption::kMedium && IsNarrowScreen(screenWidth)) {
            forceSmall();
        } else if (size == BoardSizeOption::kLarge && screenWidth >= kWideScreen) {
            rect.width = 1250;
            rect.height = 960;
        } else if (size == BoardSizeOption::kLarge && IsNarrowScreen(screenWidth)) {
            forceSmall();
        } else {
            if (size == BoardSizeOption::kLarge) {
                rect.layout = ScreenLayoutKind::kMedium;
                rect.forcedLayout = ScreenLayoutKind::kMedium;
            }
            rect.x = 5;
            rect.y = 5;
            rect.width = 975;
            rect.height = enhancedMenu ? 722 : 715;
        }
    }

    // A rectangle the user left the window in wins over the computed one. The alternate layout
    // shares the rectangle of the layouts without one of their own.
    SavedRect saved;
    if (rect.layout == ScreenLayoutKind::kLarge) {
        saved = record.LargeWindowRect();
    } else if (rect.layout == ScreenLayoutKind::kSmall) {
        saved = record.SmallWindowRect();
    } else {
        saved = record.OtherWindowRect();
    }
    if (saved.width != 0) {
        Place(rect, saved);
    }
    return rect;
}

}  // namespace ravelin::settings

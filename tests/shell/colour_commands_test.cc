// The "Colors/Screen" menu through the main window: the colour chooser of each item, the presets,
// "Reset Colors", "Highlight Current Position" and "Reset Screen".

#include "shell/commands/colour_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/board_geometry.h"
#include "display/game_display.h"
#include "settings/screen_layout.h"
#include "settings/settings_startup.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/colour_dialogs.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using display::RgbColour;
using settings::Rgb;
using testing::TempDir;
using testing_support::Session;

// After 2.Nf3 the game has the variation 2.Bc4 Nf6.
const std::string kGame =
    "[Event \"Colours\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 (2.Bc4 Nf6) 2...Nc6 3.Bb5 a6 *\n";

class ColourCommandsTest : public ::testing::Test {
  public:
    void SetUp() override { StartSession(); }
    // Moves in letters, so that a move's text can be found among the texts.
    void StartSession(const std::function<void(settings::SettingsRecord&)>& change = nullptr) {
        session = std::make_unique<Session>(work.Path().string());
        session->Start(files.Write("colours.pgn", kGame));
        session->window.Settings().SetNotationStyle(0);
        if (change) {
            change(session->window.Settings());
        }
        session->Command(kCmdDisplayGame);
        session->ClearRecords();
    }
    // Answers the next colour chooser with colour (nullopt: Cancel) and keeps what it opened with.
    void Choose(int commandId, std::optional<std::uint32_t> colour) {
        session->platform.dialogScript = [this, colour](platform::Dialog& dialog) {
            auto* chooser = dynamic_cast<ColourChooserDialog*>(&dialog);
            if (chooser == nullptr) {
                return false;
            }
            opened = *chooser;
            if (colour) {
                chooser->colour = *colour;
            }
            return colour.has_value();
        };
        session->Command(commandId);
    }
    display::GameDisplay& Display() { return session->window.Viewer().Display(); }
    display::GameViewState State() { return session->window.Viewer().State(); }
    RgbColour SquarePixel(int file, int rank) {
        const display::PixelRect inner = display::SquareInterior(Display().Screen().View(), file, rank);
        return Display().Screen().Image().Pixel(inner.x + inner.width / 2, inner.y + inner.height / 2);
    }
    // The text item of the current move in the move list.
    const display::TextItem* CurrentMoveItem(const display::GameViewState& state, const std::string& move) {
        for (const display::TextItem& item : state.texts) {
            if (item.bold && item.text.find(move) != std::string::npos) {
                return &item;
            }
        }
        return nullptr;
    }
    settings::SettingsRecord Saved() { return *settings::ReadSettingsFile(work.File("savinfo.opt")); }

    TempDir work;
    TempDir files;
    std::unique_ptr<Session> session;
    std::optional<ColourChooserDialog> opened;
};

TEST_F(ColourCommandsTest, ChosenColourIsDrawnAtOnceAndWrittenToTheOptionsFile) {
    struct Case {
        int command;
        std::uint32_t colour;
        std::function<RgbColour(ColourCommandsTest&)> drawn;
    };
    const Case cases[] = {
        {kCmdDarkSquaresColour, Rgb(10, 20, 30), [](ColourCommandsTest& t) { return t.SquarePixel(1, 3); }},
        {kCmdLightSquaresColour, Rgb(200, 150, 100),
         [](ColourCommandsTest& t) { return t.SquarePixel(1, 4); }},
        {kCmdBackgroundColour, Rgb(40, 50, 60), [](ColourCommandsTest& t) { return t.State().background; }},
        {kCmdCurrentPositionColour, Rgb(0, 120, 0),
         [](ColourCommandsTest& t) { return t.CurrentMoveItem(t.State(), "e4")->colour; }},
    };
    session->window.Viewer().Key(GameKey::kNext);
    for (const Case& c : cases) {
        const settings::SettingsRecord before = session->window.Settings();
        Choose(c.command, c.colour);
        ASSERT_TRUE(opened.has_value()) << c.command;
        EXPECT_EQ(opened->Title(), "Color");
        // The chooser starts from the item's colour, which is also among the custom colours.
        EXPECT_NE(opened->colour, c.colour) << c.command;
        EXPECT_NE(std::find(opened->customColours.begin(), opened->customColours.end(), opened->colour),
                  opened->customColours.end())
            << c.command;
        EXPECT_EQ(c.drawn(*this), display::FromColourValue(c.colour)) << c.command;
        EXPECT_EQ(Saved(), session->window.Settings()) << c.command;
        EXPECT_NE(Saved(), before) << c.command;
    }
}

TEST_F(ColourCommandsTest, BlackLightSquaresSurviveTheNextStart) {
    // The options file reads black light squares as "never set" and puts the first-run board back.
    Choose(kCmdLightSquaresColour, Rgb(0, 0, 0));
    StartSession();
    EXPECT_EQ(SquarePixel(1, 4), (RgbColour{1, 1, 1}));
}

TEST_F(ColourCommandsTest, ColumnTextStandsOnItsColours) {
    StartSession([](settings::SettingsRecord& settings) { settings.SetColumnFormat(true); });
    Choose(kCmdMovesTextBackgroundColour, Rgb(250, 240, 200));
    Choose(kCmdGridColour, Rgb(90, 90, 200));
    Choose(kCmdMoveNumberBackgroundColour, Rgb(200, 220, 240));
    const display::GameViewState state = State();
    ASSERT_TRUE(state.textPanel.has_value());
    EXPECT_EQ(state.textPanel->background, (RgbColour{250, 240, 200}));
    EXPECT_EQ(state.textPanel->frame, (RgbColour{90, 90, 200}));
    EXPECT_FALSE(state.textPanel->rect.Contains(0, 0));
    int numbered = 0;
    for (const display::TextItem& item : state.texts) {
        if (item.text.rfind("2.Nf3", 0) == 0) {
            ++numbered;
            ASSERT_TRUE(item.box.has_value());
            EXPECT_EQ(*item.box, (RgbColour{200, 220, 240}));
            // The box holds the number, not the move.
            EXPECT_GT(item.boxWidth, 0);
            EXPECT_LT(item.boxWidth, display::EstimatedTextWidth("2.Nf3", item.fontPixels, item.font));
        }
        // Moves without a number, and the variations, stand on the panel alone.
        if (item.text == "e5 " || item.colour == display::FromColourValue(settings::Rgb(84, 0, 168))) {
            EXPECT_FALSE(item.box.has_value()) << item.text;
        }
    }
    EXPECT_EQ(numbered, 1);
}

TEST_F(ColourCommandsTest, ReplayMoveIsMarkedInTheHighlightColourUntilTheMarkIsTurnedOff) {
    ASSERT_TRUE(session->window.Menus().Checked(kCmdHighlightCurrentPosition));
    Choose(kCmdReplayHighlightColour, Rgb(255, 230, 120));
    for (int k = 0; k < 3; ++k) {
        session->window.Viewer().Key(GameKey::kNext);
    }
    session->Command(kCmdPlayAnalysis);
    ASSERT_TRUE(Display().AnalysisReplayActive());
    const display::GameViewState replayed = State();
    const display::TextItem* marked = CurrentMoveItem(replayed, "Bc4");
    ASSERT_NE(marked, nullptr);
    ASSERT_TRUE(marked->box.has_value());
    EXPECT_EQ(*marked->box, (RgbColour{255, 230, 120}));
    EXPECT_EQ(marked->colour, display::kTextColour);

    session->Command(kCmdHighlightCurrentPosition);
    EXPECT_FALSE(session->window.Menus().Checked(kCmdHighlightCurrentPosition));
    EXPECT_EQ(Saved().HighlightCurrentPosition(), 0);
    const display::GameViewState unmarked = State();
    const display::TextItem* coloured = CurrentMoveItem(unmarked, "Bc4");
    ASSERT_NE(coloured, nullptr);
    EXPECT_FALSE(coloured->box.has_value());
    EXPECT_EQ(coloured->colour, display::FromColourValue(session->window.Settings().CurrentPositionColour()));
    // The mark is a setting: the next start shows it as it was left.
    StartSession();
    EXPECT_FALSE(session->window.Menus().Checked(kCmdHighlightCurrentPosition));
}

TEST_F(ColourCommandsTest, PresetsDialogSavesAndAppliesPresets) {
    session->platform.questionAnswers = {platform::kAnswerYes, platform::kAnswerYes};
    session->Command(kCmdResetColours);
    const settings::ColourPreset reset = settings::kBuiltInColourPresets[5];
    EXPECT_EQ(session->window.Settings().DarkSquaresColour(), reset.darkSquares);

    std::optional<int> checkedOnOpening;
    session->platform.dialogScript = [&](platform::Dialog& dialog) {
        auto* presets = dynamic_cast<PresetsDialog*>(&dialog);
        if (presets == nullptr) {
            return false;
        }
        checkedOnOpening = presets->checkedPreset;
        presets->checkedPreset = 2;
        presets->PressSave();
        presets->checkedPreset = 4;
        return true;
    };
    session->Command(kCmdPresetColours);
    EXPECT_EQ(session->platform.dialogTitles.back(), "Select Preset Color Scheme");
    EXPECT_EQ(checkedOnOpening, 6);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"New preset number 2 saved."});
    const settings::SettingsRecord saved = Saved();
    EXPECT_EQ(saved.Preset(1), reset);
    EXPECT_EQ(saved.DarkSquaresColour(), settings::kBuiltInColourPresets[3].darkSquares);
    EXPECT_EQ(SquarePixel(1, 3), display::FromColourValue(settings::kBuiltInColourPresets[3].darkSquares));
}

TEST_F(ColourCommandsTest, ResetScreenForgetsTheSavedPlacesAndTakesTheChosenBoardSize) {
    settings::SettingsRecord& settings = session->window.Settings();
    ASSERT_EQ(session->window.Layout().kind, settings::ScreenLayoutKind::kSmall);
    settings.SetSmallWindowRect({700, 500, 300, 200});
    settings.SetOtherWindowRect({1000, 700, 20, 20});
    // Chosen without the Options dialog, as an options file of another screen may hold it.
    settings.SetBoardSize(settings::BoardSizeOption::kMedium);
    std::optional<settings::WindowRect> placed;
    session->window.onWindowRect = [&](const settings::WindowRect& rect) { placed = rect; };
    session->Command(kCmdResetScreen);
    EXPECT_EQ(session->window.Layout().kind, settings::ScreenLayoutKind::kMedium);
    EXPECT_EQ(Display().Options().squareSize, 60);
    ASSERT_TRUE(placed.has_value());
    // A medium board on a screen of 1280 pixels: the window at (5, 5), 975 wide.
    EXPECT_EQ(placed->x, 5);
    EXPECT_EQ(placed->y, 5);
    EXPECT_EQ(placed->width, 975);
    EXPECT_EQ(Saved().SmallWindowRect(), settings::SavedRect{});
    EXPECT_EQ(Saved().OtherWindowRect(), settings::SavedRect{});
}

}  // namespace
}  // namespace ravelin::shell

#include "shell/dialogs/options_dialog.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "settings/settings_startup.h"
#include "shell/command_ids.h"
#include "shell/commands/options_apply.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using testing_support::Session;
using Texts = std::vector<std::string>;

// Piece letters must be single different letters in any case, the column format needs game mode;
// slide speed and print lines are converted both ways; an entry reached by its id is cut to length.
TEST(OptionsDialogAlone, ChecksAndConverts) {
    const std::pair<std::array<std::string, 5>, std::string> letters[] = {
        {{"k", "Q", "R", "B", "K"}, "Characters must be different."},
        // Not a letter is found before a repeat.
        {{"K", "K", "R", "3", "N"}, "Only valid characters are A to Z."},
        {{"K", "Q", "", "B", "N"}, "Only valid characters are A to Z."},
        {{"K", "Q", "RR", "B", "N"}, "Only valid characters are A to Z."},
        {{"k", "d", "t", "l", "s"}, ""},
    };
    for (const auto& [entered, message] : letters) {
        OptionsDialog dialog = OptionsDialog::FromSettings(settings::SettingsRecord{}, kModeGame);
        dialog.letters = entered;
        EXPECT_EQ(dialog.Validate(), message) << entered[0] << entered[1] << entered[4];
    }
    OptionsDialog text = OptionsDialog::FromSettings(settings::SettingsRecord{}, kModeText);
    text.columnFormat = true;
    EXPECT_EQ(text.Validate(), "The column format is only available in game mode.");
    settings::SettingsRecord settings;
    for (const auto& [entered, stored] :
         {std::pair{"250", 1}, {"200", 1}, {"1", 200}, {"0", 0}, {"abc", 0}, {"-5", 26}}) {
        OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeGame);
        dialog.slideSpeed = entered;
        dialog.StoreInto(settings);
        EXPECT_EQ(settings.SlideDelay(), stored) << "speed " << entered;
    }
    settings.SetMaxPrintLines(0);
    OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeGame);
    EXPECT_EQ(dialog.slideSpeed, "175");
    EXPECT_EQ(dialog.maxPrintLines, "70");
    for (const auto& [entered, stored] :
         {std::pair{"-12", 70}, {"55", 55}}) {  // a negative count: the default
        dialog.maxPrintLines = entered;
        dialog.StoreInto(settings);
        EXPECT_EQ(settings.MaxPrintLines(), stored);
    }
    dialog.SetText(kOptAutoPlayDelay, "123456789");
    EXPECT_EQ(dialog.autoPlayDelay, "1234567");
}

// Runs Options with a script that changes the controls and presses OK.
void RunOptions(Session& session, const std::function<void(OptionsDialog&)>& change) {
    session.OnDialog<OptionsDialog>([change](OptionsDialog& dialog) {
        change(dialog);
        return true;
    });
    session.Command(kCmdOptions);
}

settings::SettingsRecord Saved(const OwnSession& session) {
    return *settings::ReadSettingsFile(session.work.File("savinfo.opt"));
}

// Refused letters or Cancel store nothing; accepted changes are written to the options file.
TEST(OptionsCommand, AcceptedChangesAreWrittenToTheOptionsFileAndRefusedOnesNot) {
    OwnSession session;
    settings::SettingsRecord before = session.window.Settings();
    RunOptions(session, [](OptionsDialog& dialog) {
        dialog.slideSpeed = "5";
        dialog.letters = {"K", "Q", "R", "B", "K"};
    });
    EXPECT_EQ(session.window.Settings(), before);
    session.platform.dialogScript = nullptr;
    session.Command(kCmdOptions);
    EXPECT_EQ(session.window.Settings(), before);
    RunOptions(session, [](OptionsDialog& dialog) {
        dialog.slideSpeed = "250";
        dialog.autoPlayDelay = "0.5";
        dialog.displayCoordinates = false;
        dialog.letters = {"k", "d", "t", "l", "s"};
    });
    EXPECT_EQ(session.platform.dialogTitles, Texts(3, "Edit Options"));
    settings::SettingsRecord saved = Saved(session);
    EXPECT_EQ(saved.SlideDelay(), 1);
    EXPECT_EQ(saved.AutoPlayDelayText(), "0.5");
    EXPECT_FALSE(saved.DisplayCoordinates());
    EXPECT_EQ(saved.PieceLetters(), "KDTLS");
    EXPECT_TRUE(saved.CustomPieceLetters());
    session.Command(kCmdAutoPlay);
    EXPECT_EQ(session.platform.timers[kAutoPlayTimer], 500);
}

TEST(OptionsCommand, ModBlueSavesTheBoardColoursAndClassicOffersThemBack) {
    OwnSession session;
    settings::SettingsRecord& settings = session.window.Settings();
    const std::uint32_t light = settings.LightSquaresColour();
    const std::uint32_t dark = settings.DarkSquaresColour();
    int reloads = 0;
    session.window.hooks.reloadPieceSet = [&] { ++reloads; };
    RunOptions(session, [](OptionsDialog& dialog) { dialog.SetChecked(240, true); });
    EXPECT_EQ(settings.LightSquaresColour(), kModBlueLight);
    EXPECT_EQ(settings.DarkSquaresColour(), kModBlueDark);
    EXPECT_EQ(settings.BackgroundColour(), kSchemeBackground);
    EXPECT_EQ(PreviousColours(settings).light, light);
    EXPECT_EQ(PreviousColours(settings).dark, dark);
    EXPECT_EQ(reloads, 1);
    session.platform.questionAnswers.push_back(platform::kAnswerYes);
    RunOptions(session, [](OptionsDialog& dialog) { dialog.SetChecked(237, true); });
    ASSERT_EQ(session.platform.messages.size(), 1u);
    EXPECT_EQ(session.platform.messages[0].text, "Do you want to restore the previous board colors?");
    EXPECT_EQ(settings.LightSquaresColour(), light);
    EXPECT_EQ(settings.DarkSquaresColour(), dark);
    EXPECT_EQ(reloads, 2);
    EXPECT_EQ(Saved(session).LightSquaresColour(), light);
}

TEST(OptionsCommand, BoardSizeChangeWhileStayingModBlueAsksNothing) {
    OwnSession session;
    RunOptions(session, [](OptionsDialog& dialog) { dialog.SetChecked(240, true); });
    RunOptions(session, [](OptionsDialog& dialog) { dialog.boardSize = 1; });
    EXPECT_TRUE(session.platform.messages.empty());
    EXPECT_EQ(session.window.Settings().LightSquaresColour(), kModBlueLight);
}

TEST(OptionsCommand, BoardSizeTheScreenCannotHoldWarnsAndTakesTheLargestThatFits) {
    using settings::ScreenLayoutKind;
    const std::tuple<int, int, int, std::string, ScreenLayoutKind> cases[] = {
        {1024, 768, 2, "The screen resolution must be at least 1280 x 1024 to activate the large board.",
         ScreenLayoutKind::kMedium},
        {800, 600, 1, "The screen resolution must be at least 1024 x 768 to activate the medium board.",
         ScreenLayoutKind::kSmall},
        {1600, 1200, 2, "", ScreenLayoutKind::kLarge},
    };
    for (const auto& [width, height, boardSize, message, layout] : cases) {
        SCOPED_TRACE(width);
        OwnSession session("", "games.pgn", width, height);
        RunOptions(session, [size = boardSize](OptionsDialog& dialog) { dialog.boardSize = size; });
        EXPECT_EQ(session.Messages(), message.empty() ? Texts{} : Texts{message});
        EXPECT_EQ(static_cast<int>(session.window.Settings().BoardSize()), boardSize);
        EXPECT_EQ(session.window.Layout().kind, layout);
    }
}

// Turning the enhanced menu off attaches the standard bar at once; Display Opening shows the game
// again, Hide Game Text starts running, and the first analysis replay brings its colours.
TEST(OptionsCommand, EnhancedMenuDisplayOpeningAndHideGameTextTakeEffectAtOnce) {
    OwnSession session;
    ASSERT_TRUE(session.window.View().ownMenuBar);
    EXPECT_EQ(session.window.View().menuBarHeight, 25);
    std::optional<settings::WindowRect> rect;
    session.window.onWindowRect = [&](const settings::WindowRect& r) { rect = r; };
    RunOptions(session, [](OptionsDialog& dialog) { dialog.enhancedMenu = false; });
    EXPECT_FALSE(session.window.View().ownMenuBar);
    EXPECT_EQ(session.window.View().menuBarHeight, 0);
    ASSERT_TRUE(rect.has_value());
    RunOptions(session, [](OptionsDialog& dialog) { dialog.enhancedMenu = true; });
    EXPECT_TRUE(session.window.View().ownMenuBar);
    session.window.displayMode = kModeGame;
    session.window.databaseOpen = true;
    int shown = 0;
    session.window.Handlers().Set(kCmdDisplayGame, [&] { ++shown; });
    RunOptions(session, [](OptionsDialog& dialog) { dialog.displayOpening = true; });
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(session.window.Settings().DisplayOpening());
    EXPECT_FALSE(session.window.HideGameTextRunning());
    RunOptions(session, [](OptionsDialog& dialog) { dialog.hideGameText = true; });
    EXPECT_TRUE(session.window.HideGameTextRunning());
    EXPECT_FALSE(session.window.Settings().DisplayGameButtons());
    // The first analysis replay gets its colours and the alternate layout.
    RunOptions(session, [](OptionsDialog& dialog) { dialog.analysisReplayMode = true; });
    settings::SettingsRecord& settings = session.window.Settings();
    EXPECT_EQ(settings.LightSquaresColour(), kReplayLight);
    EXPECT_EQ(settings.DarkSquaresColour(), kReplayDark);
    EXPECT_TRUE(settings.DisplayGameButtons());
    EXPECT_EQ(settings.Int(settings::kOffsetAnalysisReplayColoursOnce), 1);
    EXPECT_EQ(session.window.Layout().kind, settings::ScreenLayoutKind::kAlternate);
}

}  // namespace
}  // namespace ravelin::shell

#include "shell/dialogs/options_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings_startup.h"
#include "shell/command_ids.h"
#include "shell/commands/options_apply.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

OptionsDialog WithLetters(std::array<std::string, 5> letters) {
    settings::SettingsRecord settings;
    OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeGame);
    dialog.letters = std::move(letters);
    return dialog;
}

TEST(OptionsChecksTest, RepeatedLetterIsRefused) {
    OptionsDialog dialog = WithLetters({"K", "Q", "R", "B", "K"});
    EXPECT_EQ(dialog.Validate(), "Characters must be different.");
}

TEST(OptionsChecksTest, DigitOrEmptyLetterIsRefusedBeforeTheRepeatCheck) {
    EXPECT_EQ(WithLetters({"K", "K", "R", "3", "N"}).Validate(), "Only valid characters are A to Z.");
    EXPECT_EQ(WithLetters({"K", "Q", "", "B", "N"}).Validate(), "Only valid characters are A to Z.");
    EXPECT_EQ(WithLetters({"K", "Q", "RR", "B", "N"}).Validate(), "Only valid characters are A to Z.");
}

TEST(OptionsChecksTest, LowerCaseLettersCountAsCapitals) {
    OptionsDialog same = WithLetters({"k", "Q", "R", "B", "K"});
    EXPECT_EQ(same.Validate(), "Characters must be different.");
    OptionsDialog lower = WithLetters({"k", "d", "t", "l", "s"});
    EXPECT_EQ(lower.Validate(), "");
    settings::SettingsRecord settings;
    lower.StoreInto(settings);
    EXPECT_EQ(settings.PieceLetters(), "KDTLS");
    EXPECT_TRUE(settings.CustomPieceLetters());
}

TEST(OptionsChecksTest, ColumnFormatChangeOnlyInGameMode) {
    settings::SettingsRecord settings;
    OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeText);
    dialog.columnFormat = true;
    EXPECT_EQ(dialog.Validate(), "The column format is only available in game mode.");
    dialog.displayMode = kModeGame;
    EXPECT_EQ(dialog.Validate(), "");
}

TEST(OptionsConversionTest, SlideSpeedIsStoredAsDelay) {
    const std::pair<std::string, int> cases[] = {
        {"250", 1}, {"175", 26}, {"0", 0}, {"200", 1}, {"1", 200}, {"abc", 0}, {"-5", 26},
    };
    for (const auto& [entered, stored] : cases) {
        settings::SettingsRecord settings;
        OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeGame);
        dialog.slideSpeed = entered;
        dialog.StoreInto(settings);
        EXPECT_EQ(settings.SlideDelay(), stored) << "speed " << entered;
    }
}

TEST(OptionsConversionTest, StoredDelayIsShownAsSpeed) {
    settings::SettingsRecord settings;
    settings.SetSlideDelay(26);
    settings.SetMaxPrintLines(0);
    OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeGame);
    EXPECT_EQ(dialog.slideSpeed, "175");
    EXPECT_EQ(dialog.maxPrintLines, "70");
}

TEST(OptionsConversionTest, NegativePrintLineCountTakesTheDefault) {
    settings::SettingsRecord settings;
    OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeGame);
    dialog.maxPrintLines = "-12";
    dialog.StoreInto(settings);
    EXPECT_EQ(settings.MaxPrintLines(), 70);
    dialog.maxPrintLines = "55";
    dialog.StoreInto(settings);
    EXPECT_EQ(settings.MaxPrintLines(), 55);
}

TEST(OptionsConversionTest, ResetFillsTheControlsNotTheSettings) {
    settings::SettingsRecord settings;
    settings.SetPieceStyle(1);
    OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeGame);
    dialog.Reset();
    EXPECT_EQ(dialog.slideSpeed, "175");
    EXPECT_EQ(dialog.maxPrintLines, "70");
    EXPECT_EQ(dialog.autoPlayDelay, "1");
    EXPECT_TRUE(dialog.Checked(237));  // "Classic"
    EXPECT_TRUE(dialog.Checked(kOptBoardSmall));
    EXPECT_TRUE(dialog.Checked(kOptEnhancedMenu));
    EXPECT_TRUE(dialog.Checked(kOptNotationFigurine));
    EXPECT_TRUE(dialog.Checked(kOptEditDragDrop));
    EXPECT_TRUE(dialog.Checked(kOptHighlightNone));
    EXPECT_EQ(dialog.Text(kOptLetterFirst), "K");
    EXPECT_EQ(settings.PieceStyle(), 1);
}

TEST(OptionsConversionTest, ControlsAreReachableById) {
    settings::SettingsRecord settings;
    OptionsDialog dialog = OptionsDialog::FromSettings(settings, kModeGame);
    dialog.SetChecked(240, true);
    EXPECT_EQ(dialog.pieceStyle, 7);
    EXPECT_FALSE(dialog.Checked(237));
    dialog.SetText(kOptAutoPlayDelay, "123456789");
    EXPECT_EQ(dialog.autoPlayDelay, "1234567");
    for (const OptionsControl& control : OptionsControls()) {
        EXPECT_FALSE(control.label.empty()) << control.id;
    }
}

class OptionsCommandTest : public ::testing::Test {
  protected:
    std::unique_ptr<Session> Started(int screenWidth = 1280, int screenHeight = 1024) {
        auto session = std::make_unique<Session>(work.Path().string(), screenWidth, screenHeight);
        session->Start();
        session->ClearRecords();
        return session;
    }
    // Runs Options with a script that changes the controls and presses OK.
    void RunOptions(Session& session, std::function<void(OptionsDialog&)> change) {
        session.platform.dialogScript = [change](platform::Dialog& dialog) {
            auto* options = dynamic_cast<OptionsDialog*>(&dialog);
            if (options == nullptr) {
                return false;
            }
            change(*options);
            return true;
        };
        session.Command(kCmdOptions);
    }
    settings::SettingsRecord Saved() { return *settings::ReadSettingsFile(work.File("savinfo.opt")); }

    TempDir work;
};

TEST_F(OptionsCommandTest, AcceptedChangesAreWrittenToTheOptionsFile) {
    auto session = Started();
    RunOptions(*session, [](OptionsDialog& dialog) {
        dialog.slideSpeed = "250";
        dialog.autoPlayDelay = "0.5";
        dialog.displayCoordinates = false;
        dialog.letters = {"k", "d", "t", "l", "s"};
    });
    EXPECT_EQ(session->platform.dialogTitles, std::vector<std::string>{"Edit Options"});
    settings::SettingsRecord saved = Saved();
    EXPECT_EQ(saved.SlideDelay(), 1);
    EXPECT_EQ(saved.AutoPlayDelayText(), "0.5");
    EXPECT_FALSE(saved.DisplayCoordinates());
    EXPECT_EQ(saved.PieceLetters(), "KDTLS");
    session->Command(kCmdAutoPlay);
    EXPECT_EQ(session->platform.timers[kAutoPlayTimer], 500);
}

TEST_F(OptionsCommandTest, RefusedLettersStoreNothing) {
    auto session = Started();
    RunOptions(*session, [](OptionsDialog& dialog) {
        dialog.slideSpeed = "5";
        dialog.letters = {"K", "Q", "R", "B", "K"};
    });
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"Characters must be different."});
    EXPECT_EQ(session->window.Settings().SlideDelay(), 0);
    EXPECT_EQ(session->window.Settings().PieceLetters(), "KQRBN");
}

TEST_F(OptionsCommandTest, CancelChangesNothing) {
    auto session = Started();
    settings::SettingsRecord before = session->window.Settings();
    session->Command(kCmdOptions);
    EXPECT_EQ(session->window.Settings(), before);
}

TEST_F(OptionsCommandTest, TurningEnhancedMenuOffAttachesTheStandardBarAtOnce) {
    auto session = Started();
    ASSERT_TRUE(session->window.View().ownMenuBar);
    EXPECT_EQ(session->window.View().menuBarHeight, 25);
    std::optional<settings::WindowRect> rect;
    session->window.onWindowRect = [&](const settings::WindowRect& r) { rect = r; };
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.enhancedMenu = false; });
    EXPECT_FALSE(session->window.View().ownMenuBar);
    EXPECT_EQ(session->window.View().menuBarHeight, 0);
    ASSERT_TRUE(rect.has_value());
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.enhancedMenu = true; });
    EXPECT_TRUE(session->window.View().ownMenuBar);
}

TEST_F(OptionsCommandTest, ModBlueSavesTheBoardColoursAndClassicOffersThemBack) {
    auto session = Started();
    std::uint32_t light = session->window.Settings().LightSquaresColour();
    std::uint32_t dark = session->window.Settings().DarkSquaresColour();
    int reloads = 0;
    session->window.hooks.reloadPieceSet = [&] { ++reloads; };
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.SetChecked(240, true); });
    settings::SettingsRecord& settings = session->window.Settings();
    EXPECT_EQ(settings.LightSquaresColour(), kModBlueLight);
    EXPECT_EQ(settings.DarkSquaresColour(), kModBlueDark);
    EXPECT_EQ(settings.BackgroundColour(), kSchemeBackground);
    EXPECT_EQ(PreviousColours(settings).light, light);
    EXPECT_EQ(PreviousColours(settings).dark, dark);
    EXPECT_EQ(reloads, 1);

    session->platform.questionAnswers.push_back(platform::kAnswerYes);
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.SetChecked(237, true); });
    ASSERT_EQ(session->platform.messages.size(), 1u);
    EXPECT_EQ(session->platform.messages[0].text, "Do you want to restore the previous board colors?");
    EXPECT_EQ(settings.LightSquaresColour(), light);
    EXPECT_EQ(settings.DarkSquaresColour(), dark);
    EXPECT_EQ(reloads, 2);
    EXPECT_EQ(Saved().LightSquaresColour(), light);
}

TEST_F(OptionsCommandTest, BoardSizeChangeWhileStayingModBlueAsksNothing) {
    auto session = Started();
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.SetChecked(240, true); });
    session->ClearRecords();
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.boardSize = 1; });
    EXPECT_TRUE(session->platform.messages.empty());
    EXPECT_EQ(session->window.Settings().LightSquaresColour(), kModBlueLight);
}

TEST_F(OptionsCommandTest, LargeBoardOnA1024ScreenWarnsAndUsesMedium) {
    auto session = Started(1024, 768);
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.boardSize = 2; });
    EXPECT_EQ(session->platform.MessageTexts(),
              std::vector<std::string>{
                  "The screen resolution must be at least 1280 x 1024 to activate the large board."});
    EXPECT_EQ(session->window.Settings().BoardSize(), settings::BoardSizeOption::kLarge);
    EXPECT_EQ(session->window.Layout().kind, settings::ScreenLayoutKind::kMedium);
}

TEST_F(OptionsCommandTest, MediumBoardOnAnSmallScreenWarnsAndStaysSmall) {
    auto session = Started(800, 600);
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.boardSize = 1; });
    EXPECT_EQ(session->platform.MessageTexts(),
              std::vector<std::string>{
                  "The screen resolution must be at least 1024 x 768 to activate the medium board."});
    EXPECT_EQ(session->window.Settings().BoardSize(), settings::BoardSizeOption::kMedium);
    EXPECT_EQ(session->window.Layout().kind, settings::ScreenLayoutKind::kSmall);
}

TEST_F(OptionsCommandTest, LargeBoardOnAWideScreenIsTakenSilently) {
    auto session = Started(1600, 1200);
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.boardSize = 2; });
    EXPECT_TRUE(session->platform.messages.empty());
    EXPECT_EQ(session->window.Layout().kind, settings::ScreenLayoutKind::kLarge);
}

TEST_F(OptionsCommandTest, FirstAnalysisReplayGetsItsColoursAndButtons) {
    auto session = Started();
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.analysisReplayMode = true; });
    settings::SettingsRecord& settings = session->window.Settings();
    EXPECT_EQ(settings.LightSquaresColour(), kReplayLight);
    EXPECT_EQ(settings.DarkSquaresColour(), kReplayDark);
    EXPECT_TRUE(settings.DisplayGameButtons());
    EXPECT_EQ(settings.VariationsColour(), settings::Rgb(84, 0, 168));
    EXPECT_EQ(settings.ReplayHighlightColour(), settings::Rgb(160, 160, 160));
    EXPECT_EQ(settings.Int(settings::kOffsetAnalysisReplayColoursOnce), 1);
    EXPECT_EQ(session->window.Layout().kind, settings::ScreenLayoutKind::kAlternate);
}

TEST_F(OptionsCommandTest, DisplayOpeningInGameModeRedisplaysTheGame) {
    auto session = Started();
    session->window.displayMode = kModeGame;
    std::vector<int> shown;
    session->window.Handlers().Set(kCmdDisplayGame, [&] { shown.push_back(kCmdDisplayGame); });
    session->window.databaseOpen = true;
    RunOptions(*session, [](OptionsDialog& dialog) { dialog.displayOpening = true; });
    EXPECT_EQ(shown, std::vector<int>{kCmdDisplayGame});
    EXPECT_TRUE(session->window.Settings().DisplayOpening());
}

TEST_F(OptionsCommandTest, HideGameTextChangeMovesTheRunningState) {
    auto session = Started();
    EXPECT_FALSE(session->window.HideGameTextRunning());
    RunOptions(*session, [](OptionsDialog& dialog) {
        dialog.hideGameText = true;
        dialog.displayGameButtons = true;
    });
    EXPECT_TRUE(session->window.HideGameTextRunning());
    EXPECT_TRUE(session->window.Settings().DisplayGameButtons());
}

TEST_F(OptionsCommandTest, OptionsAreRefusedWhileAWorkerRuns) {
    struct Busy : gamefile::BackgroundOperation {
        bool IsRunning() const override { return true; }
        gamefile::BackgroundKind Kind() const override { return gamefile::BackgroundKind::kAdjustFile; }
        void RequestCancel() override {}
        void Join() override {}
    } busy;
    auto session = Started();
    session->window.SetBackgroundOperation(&busy);
    session->Command(kCmdOptions);
    EXPECT_TRUE(session->platform.dialogTitles.empty());
    EXPECT_EQ(session->platform.MessageTexts(),
              std::vector<std::string>{"Must terminate file adjust first."});
    session->window.SetBackgroundOperation(nullptr);
}

}  // namespace
}  // namespace ravelin::shell

#include "display/colour_items.h"

#include <gtest/gtest.h>

#include "display/board_colours.h"
#include "display/colour_presets.h"
#include "platform/headless/headless_platform.h"
#include "settings/settings_startup.h"

namespace ravelin::display {
namespace {

using settings::Rgb;

struct ColourFixture : ::testing::Test {
    ColourFixture() : boxes(platform) {
        settings::StartupEnvironment environment;
        settings::ApplyFirstRunDefaults(record, environment);
        settings::ApplyStartFixups(record, environment);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& m : platform.messages) {
            texts.push_back(m.text);
        }
        return texts;
    }

    platform::HeadlessPlatform platform;
    settings::MessageBoxes boxes;
    settings::SettingsRecord record;
};

// --- Colour items ---

TEST(ColourItemTable, ElevenItemsWithoutResetColors) {
    EXPECT_EQ(ColourItems().size(), 11u);
    EXPECT_EQ(FindColourItem(kResetColoursItem), nullptr);
    EXPECT_EQ(FindColourItem(1)->menuEntry, "Dark Squares");
    EXPECT_EQ(FindColourItem(12)->menuEntry, "Highlight Color");
    EXPECT_EQ(FindColourItem(13), nullptr);
}

TEST_F(ColourFixture, PickedColourIsStoredAndKeptAcrossStartFixups) {
    EXPECT_EQ(ColourItemValue(record, 4), Rgb(255, 0, 0));
    EXPECT_TRUE(SetColourItem(record, 4, Rgb(0, 128, 0)));
    settings::ApplyStartFixups(record, {});
    EXPECT_EQ(record.LastMoveColour(), Rgb(0, 128, 0));
    EXPECT_EQ(BoardColoursFrom(record).lastMove, (RgbColour{0, 128, 0}));
}

TEST_F(ColourFixture, ChooserCustomColoursAreTheElevenItemsThenWhite) {
    SetColourItem(record, 8, Rgb(1, 2, 3));
    const auto colours = ChooserCustomColours(record);
    EXPECT_EQ(colours[0], record.DarkSquaresColour());
    EXPECT_EQ(colours[6], Rgb(1, 2, 3));
    EXPECT_EQ(colours[10], record.ReplayHighlightColour());
    for (std::size_t i = 11; i < 16; ++i) {
        EXPECT_EQ(colours[i], Rgb(255, 255, 255));
    }
}

// --- "Reset Colors" ---

TEST_F(ColourFixture, ResetAnsweredNoChangesNothing) {
    SetColourItem(record, 1, Rgb(9, 9, 9));
    settings::SettingsRecord before = record;
    platform.questionAnswers = {platform::kAnswerNo};
    EXPECT_FALSE(ResetColours(record, boxes));
    EXPECT_EQ(record, before);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Reset to original colors. Are you sure?"});
}

TEST_F(ColourFixture, ResetRestoresPresetSixAndItemDefaults) {
    SetColourItem(record, 1, Rgb(9, 9, 9));
    SetColourItem(record, 6, Rgb(9, 9, 9));
    SetColourItem(record, 11, Rgb(9, 9, 9));
    record.SetPreset(5, {1, 2, 3, 4});
    platform.questionAnswers = {platform::kAnswerYes};
    EXPECT_TRUE(ResetColours(record, boxes));
    EXPECT_EQ(record.Preset(5), settings::kBuiltInColourPresets[5]);
    EXPECT_EQ(record.DarkSquaresColour(), Rgb(162, 189, 217));
    EXPECT_EQ(record.LightSquaresColour(), Rgb(231, 241, 250));
    EXPECT_EQ(record.BackgroundColour(), Rgb(255, 255, 221));
    EXPECT_EQ(record.BorderColour(), Rgb(192, 192, 192));
    EXPECT_EQ(record.VariationsColour(), Rgb(84, 0, 168));
    EXPECT_EQ(record.GridColour(), Rgb(0, 0, 0));
    EXPECT_EQ(record.MoveNumberBackgroundColour(), Rgb(232, 232, 232));
}

// --- Presets ---

TEST_F(ColourFixture, ResetColoursMatchPresetSix) {
    RestoreOriginalColours(record);
    EXPECT_EQ(MatchingPreset(record), 6);
}

TEST_F(ColourFixture, OwnColoursMatchNoPreset) {
    SetColourItem(record, 2, Rgb(1, 1, 1));
    EXPECT_EQ(MatchingPreset(record), 0);
}

TEST_F(ColourFixture, SchemeAppliesThePresetAndItsBorder) {
    record.SetColour(settings::kOffsetBorderColour, Rgb(5, 5, 5));
    EXPECT_TRUE(ApplyColourScheme(record, 4));
    EXPECT_EQ(record.DarkSquaresColour(), Rgb(64, 128, 128));
    EXPECT_EQ(record.LightSquaresColour(), Rgb(224, 224, 224));
    EXPECT_EQ(record.BorderColour(), Rgb(192, 192, 192));
    EXPECT_EQ(MatchingPreset(record), 4);
    EXPECT_FALSE(ApplyColourScheme(record, 0));
}

TEST_F(ColourFixture, SaveWithoutCheckedPresetAsksToSelectOne) {
    EXPECT_FALSE(SavePreset(record, 0, boxes));
    EXPECT_EQ(Texts(), std::vector<std::string>{"Select a preset color number first."});
}

TEST_F(ColourFixture, SaveAnsweredNoKeepsThePreset) {
    SetColourItem(record, 1, Rgb(7, 7, 7));
    platform.questionAnswers = {platform::kAnswerNo};
    EXPECT_FALSE(SavePreset(record, 2, boxes));
    EXPECT_EQ(record.Preset(1), settings::kBuiltInColourPresets[1]);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Overwrite preset number 2?"});
}

TEST_F(ColourFixture, SaveAnsweredYesStoresTheFourColoursAndConfirms) {
    SetColourItem(record, 1, Rgb(7, 7, 7));
    platform.questionAnswers = {platform::kAnswerYes};
    EXPECT_TRUE(SavePreset(record, 2, boxes));
    settings::ColourPreset saved = record.Preset(1);
    EXPECT_EQ(saved.darkSquares, Rgb(7, 7, 7));
    EXPECT_EQ(saved.lightSquares, record.LightSquaresColour());
    EXPECT_EQ(saved.background, record.BackgroundColour());
    EXPECT_EQ(saved.lastMove, record.LastMoveColour());
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"Overwrite preset number 2?", "New preset number 2 saved."}));
    EXPECT_EQ(MatchingPreset(record), 2);
}

}  // namespace
}  // namespace ravelin::display

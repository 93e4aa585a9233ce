#include "display/colour_items.h"

#include <gtest/gtest.h>

#include "display/board_colours.h"
#include "display/presets_dialog.h"
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

    // The board colours as a preset keeps them.
    settings::ColourPreset Shown() const {
        return {record.BackgroundColour(), record.LightSquaresColour(), record.DarkSquaresColour(),
                record.LastMoveColour()};
    }

    platform::HeadlessPlatform platform;
    settings::MessageBoxes boxes;
    settings::SettingsRecord record;
};

TEST_F(ColourFixture, EachItemKeepsItsPickedColourAcrossStartFixups) {
    EXPECT_FALSE(SetColourItem(record, kResetColoursItem, Rgb(1, 1, 1)));
    for (const ColourItem& item : ColourItems()) {
        ColourChooserDialog dialog = OpenColourChooser(record, item.number);
        EXPECT_EQ(dialog.colour, ColourItemValue(record, item.number));
        dialog.colour = Rgb(0, 128, static_cast<std::uint32_t>(item.number));
        EXPECT_TRUE(AcceptColourChooser(record, dialog)) << item.menuEntry;
    }
    settings::ApplyStartFixups(record, {});
    for (const ColourItem& item : ColourItems()) {
        EXPECT_EQ(ColourItemValue(record, item.number), Rgb(0, 128, static_cast<std::uint32_t>(item.number)))
            << item.menuEntry;
    }
    EXPECT_EQ(record.LastMoveColour(), ColourItemValue(record, 4));
    EXPECT_EQ(BoardColoursFrom(record).lastMove, (RgbColour{0, 128, 4}));
}

TEST_F(ColourFixture, ResetAsksAndOnYesRestoresPresetSixAndItemDefaults) {
    for (int number : {1, 6, 11}) {
        SetColourItem(record, number, Rgb(9, 9, 9));
    }
    record.SetPreset(5, {1, 2, 3, 4});
    settings::SettingsRecord before = record;
    platform.questionAnswers = {platform::kAnswerNo, platform::kAnswerYes};
    EXPECT_FALSE(ResetColours(record, boxes));
    EXPECT_EQ(record, before);
    EXPECT_TRUE(ResetColours(record, boxes));
    EXPECT_EQ(Texts(), std::vector<std::string>(2, "Reset to original colors. Are you sure?"));
    EXPECT_EQ(record.Preset(5), settings::kBuiltInColourPresets[5]);
    EXPECT_EQ(Shown(), settings::kBuiltInColourPresets[5]);
    for (const ColourItem& item : ColourItems()) {
        if (item.number >= 6) {
            EXPECT_EQ(ColourItemValue(record, item.number), item.resetColour) << item.menuEntry;
        }
    }
    EXPECT_EQ(OpenPresetsDialog(record).checkedPreset, 6) << "the presets dialog shows the reset preset";
}

TEST_F(ColourFixture, OkAppliesTheCheckedPresetAndItsBorder) {
    EXPECT_EQ(OpenPresetsDialog(record).Title(), "Select Preset Color Scheme");
    record.SetColour(settings::kOffsetBorderColour, Rgb(5, 5, 5));
    PresetsDialog dialog;
    dialog.checkedPreset = 4;
    EXPECT_TRUE(AcceptPresetsDialog(record, dialog));
    EXPECT_EQ(Shown(), settings::kBuiltInColourPresets[3]);
    EXPECT_EQ(record.BorderColour(), Rgb(192, 192, 192));
    EXPECT_EQ(OpenPresetsDialog(record).checkedPreset, 4);
    SetColourItem(record, 2, Rgb(1, 1, 1));
    EXPECT_EQ(OpenPresetsDialog(record).checkedPreset, 0) << "own colours check no preset";
    dialog.checkedPreset = 0;
    EXPECT_FALSE(AcceptPresetsDialog(record, dialog));
}

TEST_F(ColourFixture, SaveAsksBeforeOverwritingTheCheckedPreset) {
    PresetsDialog dialog;
    EXPECT_FALSE(SaveCheckedPreset(record, dialog, boxes));
    SetColourItem(record, 1, Rgb(7, 7, 7));
    dialog.checkedPreset = 2;
    platform.questionAnswers = {platform::kAnswerNo, platform::kAnswerYes};
    EXPECT_FALSE(SaveCheckedPreset(record, dialog, boxes));
    EXPECT_EQ(record.Preset(1), settings::kBuiltInColourPresets[1]);
    EXPECT_TRUE(SaveCheckedPreset(record, dialog, boxes));
    EXPECT_EQ(record.Preset(1), Shown());
    EXPECT_EQ(Shown().darkSquares, Rgb(7, 7, 7));
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"Select a preset color number first.", "Overwrite preset number 2?",
                                        "Overwrite preset number 2?", "New preset number 2 saved."}));
    EXPECT_EQ(OpenPresetsDialog(record).checkedPreset, 2);
}

}  // namespace
}  // namespace ravelin::display

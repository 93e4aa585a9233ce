#pragma once

// The colours the board is painted in, taken from the settings record.

#include "display/rgb_image.h"
#include "settings/settings_record.h"

namespace ravelin::display {

struct BoardColours {
    RgbColour light;
    RgbColour dark;
    RgbColour border;
    RgbColour background;
    RgbColour lastMove;
};

BoardColours BoardColoursFrom(const settings::SettingsRecord& record);

}  // namespace ravelin::display

#include "display/board_colours.h"

namespace ravelin::display {

BoardColours BoardColoursFrom(const settings::SettingsRecord& record) {
    return {FromColourValue(record.LightSquaresColour()), FromColourValue(record.DarkSquaresColour()),
            FromColourValue(record.BorderColour()), FromColourValue(record.BackgroundColour()),
            FromColourValue(record.LastMoveColour())};
}

}  // namespace ravelin::display

#include "display/game_view_state.h"

namespace ravelin::display {

namespace {

constexpr int kEstimatePerMille = 620;
constexpr int kPerMille = 1000;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

int EstimatedTextWidth(std::string_view text, int fontPixels, TextFont) {
    int characters = 0;
    for (char c : text) {
        if (!IsContinuationByte(c)) {
            ++characters;
        }
    }
    return (characters * fontPixels * kEstimatePerMille + kPerMille - 1) / kPerMille;
}

std::string FitText(std::string_view text, int maxWidth, int fontPixels, TextFont font,
                    const TextMeasure& measure) {
    const TextMeasure& width = measure ? measure : TextMeasure(EstimatedTextWidth);
    std::string_view fitted = text;
    while (!fitted.empty() && width(fitted, fontPixels, font) > maxWidth) {
        fitted.remove_suffix(1);
        while (!fitted.empty() && IsContinuationByte(fitted.back())) {
            fitted.remove_suffix(1);
        }
        // A lead byte whose continuation was just dropped goes too.
        if (!fitted.empty() && (static_cast<unsigned char>(fitted.back()) & 0xC0) == 0xC0) {
            fitted.remove_suffix(1);
        }
    }
    return std::string(fitted);
}

}  // namespace ravelin::display

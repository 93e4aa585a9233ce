#include "display/figurine_text.h"

#include <algorithm>
#include <string>

namespace ravelin::display {

void AppendMoveText(std::vector<TextItem>& out, const TextItem& base, std::string_view prefix,
                    std::string_view move, int maxWidth, const FigurineSet* figurines,
                    std::string_view pieceLetters, const TextMeasure& measure) {
    const TextMeasure& width = measure ? measure : TextMeasure(EstimatedTextWidth);
    const chess::PieceCode kind =
        figurines != nullptr ? FigurineKindOfMove(move, pieceLetters) : chess::kEmpty;
    const RgbImage* bitmap = figurines != nullptr ? figurines->Bitmap(kind) : nullptr;
    if (bitmap == nullptr) {
        TextItem item = base;
        item.text =
            FitText(std::string(prefix) + std::string(move), maxWidth, item.fontPixels, item.font, measure);
        out.push_back(item);
        return;
    }
    int used = 0;
    if (!prefix.empty()) {
        TextItem item = base;
        item.text = FitText(prefix, maxWidth, item.fontPixels, item.font, measure);
        used = width(item.text, item.fontPixels, item.font);
        out.push_back(item);
    }
    TextItem item = base;
    item.x = base.x + used;
    item.figurineKind = kind;
    item.figurine = bitmap;
    item.textOffset = bitmap->width + kFigurineTextGap;
    const int room = std::max(0, maxWidth - used - item.textOffset);
    item.text = FitText(move.substr(1), room, item.fontPixels, item.font, measure);
    out.push_back(item);
}

int FigurineTop(const TextItem& item) {
    if (item.figurine == nullptr) {
        return item.y;
    }
    return item.y + (item.lineHeight - item.figurine->height) / 2;
}

}  // namespace ravelin::display

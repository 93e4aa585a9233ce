#include "tree/line_text.h"

#include "chess/san_reader.h"
#include "search/fast_move.h"

namespace ravelin::tree {

bool ParseLineText(std::string_view text, chess::ChessContext& context, TreeLine& line,
                   std::string& badMove) {
    line = TreeLine{};
    context.batch = true;
    context.fenSwitch = false;
    context.setupSwitch = false;
    context.moves.Clear();
    chess::SetStartPosition(context);
    int ply = 1;
    while (!text.empty()) {
        const std::size_t space = text.find_first_of(" \t\n");
        std::string_view token = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        if (const std::size_t dot = token.rfind('.'); dot != std::string_view::npos) {
            token.remove_prefix(dot + 1);
        }
        if (token.empty()) {
            continue;
        }
        chess::SanText san{};
        if (token.size() > static_cast<std::size_t>(chess::kMaxSanLength) || ply > chess::kMaxPly) {
            badMove = std::string(token);
            return false;
        }
        chess::SetSanText(san, token);
        if (!chess::ApplySan(context, ply, san, chess::FromHint{})) {
            badMove = std::string(token);
            return false;
        }
        chess::SavePosition(context, ply);
        line.words.push_back(search::DeriveFastMove(context.history, ply));
        line.texts.emplace_back(chess::SanView(san));
        ++ply;
    }
    return true;
}

}  // namespace ravelin::tree

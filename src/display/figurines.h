#pragma once

// The small piece pictures drawn in place of the piece letter of a move text. One set serves the
// normal and medium boards, a larger one the large board. They are drawn by AND with what is below,
// so their white is see-through on any background.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chess/board.h"
#include "display/rgb_image.h"
#include "settings/settings_record.h"

namespace ravelin::display {

inline constexpr std::string_view kFigurineError = "Error creating figurine DC";
inline constexpr int kFigurineKinds = 5;  // knight, bishop, rook, queen, king
inline constexpr int kFigurineSizeNormal = 16;
inline constexpr int kFigurineSizeLarge = 24;

// The figurine's name ("Snbitmap" .. "Skxbitmap") for a piece kind 2-6.
std::string_view FigurineName(chess::PieceCode kind, bool large);
// Its file in the program's own data folder: the name in lower case with ".bmp".
std::string FigurineFileName(chess::PieceCode kind, bool large);
bool UsesLargeFigurines(settings::BoardSizeOption size);
// Every figurine file name, both sizes.
std::vector<std::string> AllFigurineFileNames();

// The piece kind whose figurine replaces the first character of a move: that character is one of
// the piece letters (King, Queen, Rook, Bishop, Knight order, as the settings keep them). 0 when the
// move starts otherwise (a pawn move or castling).
chess::PieceCode FigurineKindOfMove(std::string_view move, std::string_view pieceLetters);

class FigurineSet {
  public:
    // Reads the five figurines of one size, each cut to the columns that hold ink; nothing when one
    // is unreadable or larger than the size.
    static std::optional<FigurineSet> Load(const std::string& dataDirectory, bool large);

    int Size() const { return size_; }
    // The figurine of a kind 2-6; null for any other kind.
    const RgbImage* Bitmap(chess::PieceCode kind) const;
    // ANDs the figurine of kind into image, left edge at x and centred in the text line from lineTop
    // of lineHeight pixels. Returns the width taken, 0 for a kind without figurine.
    int Draw(RgbImage& image, chess::PieceCode kind, int x, int lineTop, int lineHeight) const;

  private:
    std::array<RgbImage, kFigurineKinds> bitmaps_;
    int size_ = 0;
};

// Holds the figurines of one size and loads again only when the folder or the size changes. A
// failed load is remembered, not retried on every paint, and its message is handed out once for the
// caller to show outside painting.
class FigurineCache {
  public:
    // The set for this folder and size, or null when a figurine could not be loaded.
    const FigurineSet* Get(const std::string& directory, bool large);
    // kFigurineError after a failed load not yet reported; empty otherwise.
    std::string TakeFailureMessage();

  private:
    std::string directory_;
    int large_ = -1;  // -1: nothing asked for yet
    std::optional<FigurineSet> set_;
    std::string pendingMessage_;
};

}  // namespace ravelin::display

#include "display/figurines.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "display/bmp_reader.h"

namespace ravelin::display {

namespace {

constexpr std::array<std::string_view, kFigurineKinds> kNormalNames = {"Snbitmap", "Sbbitmap", "Srbitmap",
                                                                       "Sqbitmap", "Skbitmap"};
constexpr std::array<std::string_view, kFigurineKinds> kLargeNames = {"Snxbitmap", "Sbxbitmap", "Srxbitmap",
                                                                      "Sqxbitmap", "Skxbitmap"};
// Kinds in the order of the settings' piece letters (King, Queen, Rook, Bishop, Knight).
constexpr std::array<chess::PieceCode, kFigurineKinds> kLetterKinds = {
    chess::kKing, chess::kQueen, chess::kRook, chess::kBishop, chess::kKnight};

bool HasFigurine(chess::PieceCode kind) {
    return kind >= chess::kKnight && kind <= chess::kKing;
}

std::size_t FigurineIndex(chess::PieceCode kind) {
    return static_cast<std::size_t>(kind - chess::kKnight);
}

bool ColumnHasInk(const RgbImage& image, int x) {
    constexpr RgbColour kPaper{255, 255, 255};
    for (int y = 0; y < image.height; ++y) {
        if (!(image.Pixel(x, y) == kPaper)) {
            return true;
        }
    }
    return false;
}

// The figurine without the white columns at its sides: each piece then stands as close to the
// text around it as its own width allows. A figurine without ink stays whole.
RgbImage CropToInk(const RgbImage& image) {
    int left = 0;
    while (left < image.width && !ColumnHasInk(image, left)) {
        ++left;
    }
    int right = image.width;
    while (right > left && !ColumnHasInk(image, right - 1)) {
        --right;
    }
    if (left == right) {
        return image;
    }
    RgbImage cropped(right - left, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = left; x < right; ++x) {
            cropped.SetPixel(x - left, y, image.Pixel(x, y));
        }
    }
    return cropped;
}

}  // namespace

std::string_view FigurineName(chess::PieceCode kind, bool large) {
    if (!HasFigurine(kind)) {
        return {};
    }
    return large ? kLargeNames[FigurineIndex(kind)] : kNormalNames[FigurineIndex(kind)];
}

std::string FigurineFileName(chess::PieceCode kind, bool large) {
    std::string name(FigurineName(kind, large));
    if (name.empty()) {
        return name;
    }
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return name + ".bmp";
}

bool UsesLargeFigurines(settings::BoardSizeOption size) {
    return size == settings::BoardSizeOption::kLarge;
}

std::vector<std::string> AllFigurineFileNames() {
    std::vector<std::string> names;
    for (bool large : {false, true}) {
        for (chess::PieceCode kind = chess::kKnight; kind <= chess::kKing; ++kind) {
            names.push_back(FigurineFileName(kind, large));
        }
    }
    return names;
}

chess::PieceCode FigurineKindOfMove(std::string_view move, std::string_view pieceLetters) {
    if (move.empty() || move.front() == 'O') {
        return chess::kEmpty;
    }
    for (std::size_t i = 0; i < kLetterKinds.size() && i < pieceLetters.size(); ++i) {
        if (move.front() == pieceLetters[i]) {
            return kLetterKinds[i];
        }
    }
    return chess::kEmpty;
}

std::optional<FigurineSet> FigurineSet::Load(const std::string& dataDirectory, bool large) {
    FigurineSet set;
    set.size_ = large ? kFigurineSizeLarge : kFigurineSizeNormal;
    for (chess::PieceCode kind = chess::kKnight; kind <= chess::kKing; ++kind) {
        BmpReadResult read = ReadBmpFile(dataDirectory + "/" + FigurineFileName(kind, large));
        // A picture larger than its size would spill over the neighbouring lines and moves.
        if (!read.image || read.image->width > set.size_ || read.image->height > set.size_) {
            return std::nullopt;
        }
        set.bitmaps_[FigurineIndex(kind)] = CropToInk(*read.image);
    }
    return set;
}

const RgbImage* FigurineSet::Bitmap(chess::PieceCode kind) const {
    return HasFigurine(kind) ? &bitmaps_[FigurineIndex(kind)] : nullptr;
}

int FigurineSet::Draw(RgbImage& image, chess::PieceCode kind, int x, int lineTop, int lineHeight) const {
    if (!HasFigurine(kind)) {
        return 0;
    }
    const RgbImage& figurine = bitmaps_[FigurineIndex(kind)];
    int top = lineTop + (lineHeight - figurine.height) / 2;
    for (int fy = 0; fy < figurine.height; ++fy) {
        for (int fx = 0; fx < figurine.width; ++fx) {
            if (!image.Contains(x + fx, top + fy)) {
                continue;
            }
            RgbColour below = image.Pixel(x + fx, top + fy);
            RgbColour ink = figurine.Pixel(fx, fy);
            image.SetPixel(x + fx, top + fy,
                           {static_cast<std::uint8_t>(below.red & ink.red),
                            static_cast<std::uint8_t>(below.green & ink.green),
                            static_cast<std::uint8_t>(below.blue & ink.blue)});
        }
    }
    return figurine.width;
}

const FigurineSet* FigurineCache::Get(const std::string& directory, bool large) {
    const int wanted = large ? 1 : 0;
    if (directory != directory_ || wanted != large_) {
        directory_ = directory;
        large_ = wanted;
        set_ = FigurineSet::Load(directory, large);
        if (!set_) {
            pendingMessage_ = kFigurineError;
        }
    }
    return set_ ? &*set_ : nullptr;
}

std::string FigurineCache::TakeFailureMessage() {
    return std::exchange(pendingMessage_, std::string());
}

}  // namespace ravelin::display

#include "display/piece_set.h"

#include "display/bmp_reader.h"

namespace ravelin::display {

namespace {

constexpr int kDefaultPieceStyle = 4;

constexpr std::array<std::string_view, kPieceStyleCount> kStyleNames = {
    "Modern 1", "Sharp", "Staunton 1", "Staunton 2", "Classic", "Modern 2", "Modern 3", "Mod Blue"};

// Per style: normal, medium, large.
constexpr std::array<std::array<std::string_view, 3>, kPieceStyleCount> kFileNames = {{
    {"modern1.bmp", "modbig1.bmp", "modhuge1.bmp"},
    {"sharp.bmp", "sharpbig.bmp", "sharphuge.bmp"},
    {"staun1.bmp", "stbig1.bmp", "sthuge1.bmp"},
    {"staun2.bmp", "stbig2.bmp", "sthuge2.bmp"},
    {"classic.bmp", "classbig.bmp", "classhuge.bmp"},
    {"modern2.bmp", "modbig2.bmp", "modhuge2.bmp"},
    {"modern3.bmp", "modbig3.bmp", "modhuge3.bmp"},
    {"modblue.bmp", "bigblue.bmp", "hugeblue.bmp"},
}};

int SizeIndex(settings::BoardSizeOption size) {
    int index = static_cast<int>(size);
    return index >= 0 && index <= 2 ? index : 0;
}

}  // namespace

int SquareSizeOf(settings::BoardSizeOption size) {
    constexpr std::array<int, 3> kSizes = {kNormalSquareSize, kMediumSquareSize, kLargeSquareSize};
    return kSizes[static_cast<std::size_t>(SizeIndex(size))];
}

const std::array<std::string_view, kPieceStyleCount>& PieceStyleNames() {
    return kStyleNames;
}

std::string_view PieceSetFileName(int style, settings::BoardSizeOption size) {
    int index = style >= 0 && style < kPieceStyleCount ? style : kDefaultPieceStyle;
    return kFileNames[static_cast<std::size_t>(index)][static_cast<std::size_t>(SizeIndex(size))];
}

std::vector<std::string_view> AllPieceSetFileNames() {
    std::vector<std::string_view> names;
    for (const auto& style : kFileNames) {
        names.insert(names.end(), style.begin(), style.end());
    }
    return names;
}

CellOrigin PieceCellOrigin(chess::PieceCode code, int squareSize) {
    int kind = chess::KindOf(code);
    int colour = chess::IsBlackPiece(code) ? 1 : 0;
    int column = 2 * ((kind - 1) % 3) + colour;
    int row = kind <= 3 ? 0 : 1;
    return {column * squareSize, row * squareSize};
}

PieceSet::PieceSet(RgbImage bitmap, int squareSize) : bitmap_(std::move(bitmap)), squareSize_(squareSize) {
    std::size_t cellPixels = static_cast<std::size_t>(squareSize) * static_cast<std::size_t>(squareSize);
    for (int colour = 0; colour < 2; ++colour) {
        for (int kind = chess::kPawn; kind <= chess::kKing; ++kind) {
            chess::PieceCode code = kind + colour * chess::kBlackOffset;
            CellOrigin origin = PieceCellOrigin(code, squareSize);
            std::vector<std::uint8_t>& mask = masks_[static_cast<std::size_t>(MaskIndex(code))];
            mask.assign(cellPixels, 0);
            if (!bitmap_.Contains(origin.x, origin.y)) {
                continue;
            }
            RgbColour key = bitmap_.Pixel(origin.x, origin.y);
            for (int y = 0; y < squareSize; ++y) {
                for (int x = 0; x < squareSize; ++x) {
                    int bx = origin.x + x;
                    int by = origin.y + y;
                    bool opaque = bitmap_.Contains(bx, by) && bitmap_.Pixel(bx, by) != key;
                    mask[static_cast<std::size_t>(y * squareSize + x)] = opaque ? 1 : 0;
                }
            }
        }
    }
}

int PieceSet::MaskIndex(chess::PieceCode code) {
    return (chess::KindOf(code) - 1) + (chess::IsBlackPiece(code) ? kPieceKindCount : 0);
}

bool PieceSet::Opaque(chess::PieceCode code, int x, int y) const {
    if (!chess::IsWhitePiece(code) && !chess::IsBlackPiece(code)) {
        return false;
    }
    if (x < 0 || y < 0 || x >= squareSize_ || y >= squareSize_) {
        return false;
    }
    return masks_[static_cast<std::size_t>(MaskIndex(code))][static_cast<std::size_t>(y * squareSize_ + x)] !=
           0;
}

RgbColour PieceSet::CellPixel(chess::PieceCode code, int x, int y) const {
    CellOrigin origin = PieceCellOrigin(code, squareSize_);
    return bitmap_.Pixel(origin.x + x, origin.y + y);
}

PieceSetLoad LoadPieceSet(const std::string& workingDirectory, int style, settings::BoardSizeOption size) {
    PieceSetLoad load;
    std::string path = workingDirectory + "/" + std::string(PieceSetFileName(style, size));
    BmpReadResult read = ReadBmpFile(path);
    if (!read.image) {
        load.error = read.error;
        return load;
    }
    load.set.emplace(std::move(*read.image), SquareSizeOf(size));
    return load;
}

const PieceSet* PieceSetCache::Get(const std::string& workingDirectory, int style,
                                   settings::BoardSizeOption size) {
    Key wanted{workingDirectory, style, static_cast<int>(size)};
    if (wanted != key_) {
        key_ = wanted;
        set_.reset();
        PieceSetLoad load = LoadPieceSet(workingDirectory, style, size);
        if (load.set) {
            set_ = std::move(load.set);
            pendingMessage_.clear();
        } else {
            pendingMessage_ = std::string(load.error);
        }
    }
    return set_ ? &*set_ : nullptr;
}

std::string PieceSetCache::TakeFailureMessage() {
    std::string message;
    message.swap(pendingMessage_);
    return message;
}

void PieceSetCache::Release() {
    key_ = Key{};
    set_.reset();
}

}  // namespace ravelin::display

#include "display/bmp_reader.h"

#include <array>
#include <bit>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace ravelin::display {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kOffsetPixelData = 10;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kV2HeaderSize = 52;
constexpr std::size_t kV3HeaderSize = 56;
constexpr std::size_t kV4HeaderSize = 108;
constexpr std::size_t kV5HeaderSize = 124;
constexpr std::size_t kMaskFieldsSize = 12;       // red, green, blue masks after a 40-byte header
constexpr std::size_t kAlphaMaskFieldsSize = 16;  // the same with an alpha mask

constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::uint32_t kCompressionAlphaBitFields = 6;

struct Reader {
    std::span<const std::uint8_t> data;

    bool Has(std::size_t offset, std::size_t width) const {
        return offset <= data.size() && width <= data.size() - offset;
    }
    std::uint32_t U16(std::size_t at) const {
        return static_cast<std::uint32_t>(data[at]) | (static_cast<std::uint32_t>(data[at + 1]) << 8);
    }
    std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows stored top-down
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kCompressionRgb;
    std::uint32_t coloursUsed = 0;
    std::size_t headerSize = 0;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
    std::size_t paletteStart = 0;
    std::size_t paletteEntrySize = 4;
};

// Extracts the channel under mask and widens it to 8 bits.
std::uint8_t MaskedChannel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = std::countr_zero(mask);
    std::uint32_t bits = static_cast<std::uint32_t>(std::popcount(mask));
    std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) {
        return static_cast<std::uint8_t>(value >> (bits - 8));
    }
    std::uint32_t top = (1u << bits) - 1;
    return static_cast<std::uint8_t>((value * 255 + top / 2) / top);
}

bool ReadHeader(const Reader& in, Header& header) {
    if (!in.Has(0, kFileHeaderSize + 4) || in.data[0] != 'B' || in.data[1] != 'M') {
        return false;
    }
    header.headerSize = in.U32(kFileHeaderSize);
    std::size_t at = kFileHeaderSize;
    if (!in.Has(at, header.headerSize)) {
        return false;
    }
    if (header.headerSize == kCoreHeaderSize) {
        header.width = in.U16(at + 4);
        header.height = static_cast<std::int16_t>(in.U16(at + 6));
        header.bitsPerPixel = in.U16(at + 10);
        header.paletteEntrySize = 3;
        header.paletteStart = at + kCoreHeaderSize;
    } else if (header.headerSize == kInfoHeaderSize || header.headerSize == kV2HeaderSize ||
               header.headerSize == kV3HeaderSize || header.headerSize == kV4HeaderSize ||
               header.headerSize == kV5HeaderSize) {
        header.width = in.I32(at + 4);
        header.height = in.I32(at + 8);
        header.bitsPerPixel = in.U16(at + 14);
        header.compression = in.U32(at + 16);
        header.coloursUsed = in.U32(at + 32);
        header.paletteStart = at + header.headerSize;
    } else {
        return false;
    }
    if (header.width <= 0 || header.height == 0) {
        return false;
    }
    switch (header.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
            if (header.compression != kCompressionRgb) {
                return false;
            }
            break;
        case 16:
            header.masks = {0x7C00, 0x03E0, 0x001F};
            break;
        case 24:
            if (header.compression != kCompressionRgb) {
                return false;
            }
            break;
        case 32:
            header.masks = {0xFF0000, 0x00FF00, 0x0000FF};
            break;
        default:
            return false;
    }
    bool bitFields =
        header.compression == kCompressionBitFields || header.compression == kCompressionAlphaBitFields;
    if (!bitFields && header.compression != kCompressionRgb) {
        return false;  // run-length and embedded JPEG or PNG pictures are not piece sets
    }
    if (bitFields) {
        std::size_t maskAt = at + kInfoHeaderSize;
        if (!in.Has(maskAt, kMaskFieldsSize)) {
            return false;
        }
        header.masks = {in.U32(maskAt), in.U32(maskAt + 4), in.U32(maskAt + 8)};
        if (header.headerSize == kInfoHeaderSize) {
            // The masks follow the short header instead of living inside it.
            header.paletteStart +=
                header.compression == kCompressionAlphaBitFields ? kAlphaMaskFieldsSize : kMaskFieldsSize;
        }
    }
    return true;
}

}  // namespace

BmpReadResult DecodeBmp(std::span<const std::uint8_t> data) {
    BmpReadResult result;
    Reader in{data};
    Header header;
    if (!ReadHeader(in, header)) {
        result.error = kBmpInfoError;
        return result;
    }
    std::int64_t rows = header.height < 0 ? -header.height : header.height;
    if (header.width > kMaxBmpDimension || rows > kMaxBmpDimension || header.width * rows > kMaxBmpPixels) {
        result.error = kBmpSurfaceError;
        return result;
    }
    std::size_t pixelOffset = in.U32(kOffsetPixelData);

    std::vector<RgbColour> palette;
    if (header.bitsPerPixel <= 8) {
        // The palette fills the gap between the headers and the pixels, never more than the bit
        // depth can index.
        std::size_t available = pixelOffset > header.paletteStart
                                    ? (pixelOffset - header.paletteStart) / header.paletteEntrySize
                                    : 0;
        std::size_t count = std::size_t{1} << header.bitsPerPixel;
        if (header.coloursUsed != 0 && header.coloursUsed < count) {
            count = header.coloursUsed;
        }
        if (available < count) {
            count = available;
        }
        if (count == 0 || !in.Has(header.paletteStart, count * header.paletteEntrySize)) {
            result.error = kBmpPaletteError;
            return result;
        }
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t at = header.paletteStart + i * header.paletteEntrySize;
            palette.push_back({in.data[at + 2], in.data[at + 1], in.data[at]});
        }
        result.hadPalette = true;
    }

    std::uint64_t rowBits = static_cast<std::uint64_t>(header.width) * header.bitsPerPixel;
    std::uint64_t stride = (rowBits + 31) / 32 * 4;
    std::uint64_t lastRowBytes = (rowBits + 7) / 8;
    std::uint64_t needed = stride * static_cast<std::uint64_t>(rows - 1) + lastRowBytes;
    if (pixelOffset < header.paletteStart || pixelOffset > data.size() ||
        needed > data.size() - pixelOffset) {
        result.error = kBmpBitsError;
        return result;
    }

    RgbImage image(static_cast<int>(header.width), static_cast<int>(rows));
    for (int row = 0; row < image.height; ++row) {
        int y = header.height < 0 ? row : image.height - 1 - row;
        std::size_t rowStart = pixelOffset + static_cast<std::size_t>(stride) * static_cast<std::size_t>(row);
        for (int x = 0; x < image.width; ++x) {
            RgbColour colour;
            std::size_t ux = static_cast<std::size_t>(x);
            switch (header.bitsPerPixel) {
                case 1:
                case 4:
                case 8: {
                    std::size_t bitIndex = ux * header.bitsPerPixel;
                    std::uint8_t byte = in.data[rowStart + bitIndex / 8];
                    std::size_t shift = 8 - header.bitsPerPixel - bitIndex % 8;
                    std::size_t index = (byte >> shift) & ((1u << header.bitsPerPixel) - 1);
                    // An index past a short palette shows black rather than reading beyond it.
                    colour = index < palette.size() ? palette[index] : RgbColour{};
                    break;
                }
                case 24: {
                    std::size_t at = rowStart + ux * 3;
                    colour = {in.data[at + 2], in.data[at + 1], in.data[at]};
                    break;
                }
                default: {
                    std::size_t bytes = header.bitsPerPixel / 8;
                    std::size_t at = rowStart + ux * bytes;
                    std::uint32_t pixel = bytes == 2 ? in.U16(at) : in.U32(at);
                    colour = {MaskedChannel(pixel, header.masks[0]), MaskedChannel(pixel, header.masks[1]),
                              MaskedChannel(pixel, header.masks[2])};
                    break;
                }
            }
            image.SetPixel(x, y, colour);
        }
    }
    result.image = std::move(image);
    return result;
}

BmpReadResult ReadBmpFile(const std::string& path) {
    BmpReadResult failed;
    failed.error = kBmpOpenError;
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
        return failed;
    }
    if (size > kMaxBmpFileSize) {
        failed.error = kBmpSurfaceError;
        return failed;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return failed;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        return failed;
    }
    return DecodeBmp(bytes);
}

}  // namespace ravelin::display

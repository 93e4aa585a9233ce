#include "display/bmp_writer.h"

#include <cstddef>

#include "platform/file_util.h"

namespace ravelin::display {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBitsPerPixel = 24;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const RgbImage& image) {
    std::size_t rowBytes = static_cast<std::size_t>(image.width) * kBytesPerPixel;
    std::size_t stride = (rowBytes + 3) / 4 * 4;
    std::size_t pixelBytes = stride * static_cast<std::size_t>(image.height);
    std::size_t dataOffset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<std::uint8_t> out;
    out.reserve(dataOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<std::uint32_t>(dataOffset + pixelBytes));
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(dataOffset));
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(image.width));
    PutU32(out, static_cast<std::uint32_t>(image.height));
    PutU16(out, 1);
    PutU16(out, kBitsPerPixel);
    PutU32(out, 0);  // uncompressed
    PutU32(out, static_cast<std::uint32_t>(pixelBytes));
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            RgbColour c = image.Pixel(x, y);
            out.push_back(c.blue);
            out.push_back(c.green);
            out.push_back(c.red);
        }
        for (std::size_t pad = rowBytes; pad < stride; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

bool WriteBmpFile(const std::string& path, const RgbImage& image) {
    std::vector<std::uint8_t> bytes = EncodeBmp24(image);
    return platform::WriteFileReplacing(path, bytes.data(), bytes.size(), platform::Durability::kCache);
}

}  // namespace ravelin::display

#pragma once

// Reading Windows BMP files: the classic 40-byte information header with its palette, and the
// variants common tools write (the 12-byte core header, V4/V5 headers, 16/24/32-bit pixels with or
// without bit-field masks, top-down rows). Every field is checked against the file's size before
// it is used, so a damaged file gives one of the five messages and never a read past its end.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "display/rgb_image.h"

namespace ravelin::display {

inline constexpr std::string_view kBmpOpenError = "Error opening BMP file.";
inline constexpr std::string_view kBmpInfoError = "Error getting BMP info.";
inline constexpr std::string_view kBmpBitsError = "Error getting BMP bits.";
inline constexpr std::string_view kBmpPaletteError = "Error getting BMP pal.";
// The picture is too large to hold in memory.
inline constexpr std::string_view kBmpSurfaceError = "Error creating memory DC.";

// Limits well above any piece set or diagram, so that a forged header cannot ask for gigabytes.
inline constexpr int kMaxBmpDimension = 16384;
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 26;
inline constexpr std::uintmax_t kMaxBmpFileSize = std::uintmax_t{1} << 28;

struct BmpReadResult {
    std::optional<RgbImage> image;
    std::string_view error;  // empty when image is set
    bool hadPalette = false;
};

BmpReadResult DecodeBmp(std::span<const std::uint8_t> data);
BmpReadResult ReadBmpFile(const std::string& path);

}  // namespace ravelin::display

#pragma once

// The one picture type of the display code: rows of 8-bit red, green, blue triples, top row first.
// Every drawing operation clips to the image, so no caller can write outside it.

#include <cstdint>
#include <vector>

namespace ravelin::display {

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// Settings keep colours as platform colour values 0x00BBGGRR.
constexpr RgbColour FromColourValue(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}
constexpr std::uint32_t ToColourValue(RgbColour colour) {
    return static_cast<std::uint32_t>(colour.red) | (static_cast<std::uint32_t>(colour.green) << 8) |
           (static_cast<std::uint32_t>(colour.blue) << 16);
}

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The smallest rectangle holding both; an empty rectangle adds nothing.
PixelRect UniteRects(const PixelRect& a, const PixelRect& b);

inline constexpr int kBytesPerPixel = 3;

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;  // width * height * 3, row after row

    RgbImage() = default;
    RgbImage(int w, int h, RgbColour fill = {});

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Outside the image: black.
    RgbColour Pixel(int x, int y) const;
    // Outside the image: nothing happens.
    void SetPixel(int x, int y, RgbColour colour);
    void FillRect(const PixelRect& rect, RgbColour colour);
    // Copies a rectangle of source to the same place in this image (both clipped).
    void CopyRectFrom(const RgbImage& source, const PixelRect& rect);

    friend bool operator==(const RgbImage&, const RgbImage&) = default;
};

}  // namespace ravelin::display

#include "display/rgb_image.h"

#include <algorithm>
#include <cstddef>

namespace ravelin::display {

namespace {

std::size_t Offset(const RgbImage& image, int x, int y) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
            static_cast<std::size_t>(x)) *
           kBytesPerPixel;
}

PixelRect Clip(const PixelRect& rect, int width, int height) {
    int left = std::max(rect.x, 0);
    int top = std::max(rect.y, 0);
    int right = std::min(rect.x + rect.width, width);
    int bottom = std::min(rect.y + rect.height, height);
    return {left, top, right - left, bottom - top};
}

}  // namespace

PixelRect UniteRects(const PixelRect& a, const PixelRect& b) {
    if (a.Empty()) {
        return b;
    }
    if (b.Empty()) {
        return a;
    }
    int left = std::min(a.x, b.x);
    int top = std::min(a.y, b.y);
    int right = std::max(a.x + a.width, b.x + b.width);
    int bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}

RgbImage::RgbImage(int w, int h, RgbColour fill) : width(std::max(w, 0)), height(std::max(h, 0)) {
    bytes.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kBytesPerPixel);
    FillRect({0, 0, width, height}, fill);
}

RgbColour RgbImage::Pixel(int x, int y) const {
    if (!Contains(x, y)) {
        return {};
    }
    std::size_t at = Offset(*this, x, y);
    return {bytes[at], bytes[at + 1], bytes[at + 2]};
}

void RgbImage::SetPixel(int x, int y, RgbColour colour) {
    if (!Contains(x, y)) {
        return;
    }
    std::size_t at = Offset(*this, x, y);
    bytes[at] = colour.red;
    bytes[at + 1] = colour.green;
    bytes[at + 2] = colour.blue;
}

void RgbImage::FillRect(const PixelRect& rect, RgbColour colour) {
    PixelRect clipped = Clip(rect, width, height);
    for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
        for (int x = clipped.x; x < clipped.x + clipped.width; ++x) {
            std::size_t at = Offset(*this, x, y);
            bytes[at] = colour.red;
            bytes[at + 1] = colour.green;
            bytes[at + 2] = colour.blue;
        }
    }
}

void RgbImage::CopyRectFrom(const RgbImage& source, const PixelRect& rect) {
    PixelRect clipped = Clip(Clip(rect, width, height), source.width, source.height);
    for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
        std::size_t from = Offset(source, clipped.x, y);
        std::size_t to = Offset(*this, clipped.x, y);
        std::copy_n(source.bytes.begin() + static_cast<std::ptrdiff_t>(from),
                    static_cast<std::size_t>(clipped.width) * kBytesPerPixel,
                    bytes.begin() + static_cast<std::ptrdiff_t>(to));
    }
}

}  // namespace ravelin::display

#pragma once

// Writing pictures as uncompressed 24-bit bottom-up Windows BMP files with the 40-byte header,
// the variant every reader understands.

#include <cstdint>
#include <string>
#include <vector>

#include "display/rgb_image.h"

namespace ravelin::display {

std::vector<std::uint8_t> EncodeBmp24(const RgbImage& image);

// Writes through a temporary file renamed over path; false when it could not be written.
bool WriteBmpFile(const std::string& path, const RgbImage& image);

}  // namespace ravelin::display

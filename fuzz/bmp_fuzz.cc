// libs: ravelin_display
// Arbitrary bytes as a BMP file (piece sets, pictures): the decoder must refuse what it cannot
// read with its message and never read past the data or make a picture of another size.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "display/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ravelin::display::BmpReadResult result = ravelin::display::DecodeBmp(std::span(data, size));
    if (result.image.has_value() == !result.error.empty()) {
        std::abort();
    }
    if (result.image && result.image->bytes.size() != static_cast<std::size_t>(result.image->width) *
                                                          static_cast<std::size_t>(result.image->height) *
                                                          3) {
        std::abort();
    }
    return 0;
}

#include "display/bmp_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "display/bmp_writer.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

// A BMP with a header of headerSize bytes (12, 40, 108 or 124), bits per pixel, optional top-down
// rows, a palette (for 8 bits and fewer) and bit-field masks (for 16 and 32 bits when non-empty;
// 16-bit pixels are built as 5-6-5).
struct BmpLayout {
    std::uint32_t headerSize = 40;
    std::uint32_t bitsPerPixel = 24;
    bool topDown = false;
    std::vector<RgbColour> palette;
    std::vector<std::uint32_t> masks;  // red, green, blue
};

// pixels: for palette images the palette index in .red; else the colour.
std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout, const RgbImage& pixels) {
    const bool core = layout.headerSize == 12;
    const bool masksAfterHeader = !layout.masks.empty() && layout.headerSize == 40;
    const std::uint32_t entry = core ? 3 : 4;
    const std::uint32_t dataOffset = 14 + layout.headerSize + (masksAfterHeader ? 12 : 0) +
                                     static_cast<std::uint32_t>(layout.palette.size()) * entry;
    const std::uint32_t stride =
        (static_cast<std::uint32_t>(pixels.width) * layout.bitsPerPixel + 31) / 32 * 4;
    const std::uint32_t height = static_cast<std::uint32_t>(layout.topDown ? -pixels.height : pixels.height);
    std::vector<std::uint8_t> out;
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    out = {'B', 'M'};
    put(dataOffset + stride * static_cast<std::uint32_t>(pixels.height), 4);
    put(0, 4);
    put(dataOffset, 4);
    put(layout.headerSize, 4);
    const int dimension = core ? 2 : 4;
    put(static_cast<std::uint32_t>(pixels.width), dimension);
    put(height, dimension);
    put(1, 2);
    put(layout.bitsPerPixel, 2);
    if (!core) {
        for (std::uint32_t value :
             {layout.masks.empty() ? 0u : 3u, stride * static_cast<std::uint32_t>(pixels.height), 2835u,
              2835u, static_cast<std::uint32_t>(layout.palette.size()), 0u}) {
            put(value, 4);
        }
        if (masksAfterHeader || layout.headerSize > 40) {
            for (std::size_t i = 0; i < 3; ++i) {
                put(i < layout.masks.size() ? layout.masks[i] : 0, 4);
            }
        }
        out.resize(14 + layout.headerSize + (masksAfterHeader ? 12 : 0), 0);
    }
    for (const RgbColour& c : layout.palette) {
        out.insert(out.end(), {c.blue, c.green, c.red});
        if (!core) {
            out.push_back(0);
        }
    }
    for (int row = 0; row < pixels.height; ++row) {
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < pixels.width; ++x) {
            const RgbColour c = pixels.Pixel(x, layout.topDown ? row : pixels.height - 1 - row);
            const std::size_t bits = static_cast<std::size_t>(x) * layout.bitsPerPixel;
            if (layout.bitsPerPixel <= 8) {
                line[bits / 8] |= static_cast<std::uint8_t>(c.red << (8 - layout.bitsPerPixel - bits % 8));
            } else if (layout.bitsPerPixel == 16) {
                std::uint32_t v = ((c.red >> 3) << 11) | ((c.green >> 2) << 5) | (c.blue >> 3);
                line[bits / 8] = static_cast<std::uint8_t>(v);
                line[bits / 8 + 1] = static_cast<std::uint8_t>(v >> 8);
            } else {
                std::copy_n(std::array<std::uint8_t, 4>{c.blue, c.green, c.red, 0xFF}.begin(),
                            layout.bitsPerPixel / 8, line.begin() + static_cast<std::ptrdiff_t>(bits / 8));
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

// A picture in which every pixel differs from its neighbours, so a flip or offset shows.
RgbImage PatternImage(int width, int height) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y,
                           {static_cast<std::uint8_t>(x * 17 + y), static_cast<std::uint8_t>(y * 29 + 3),
                            static_cast<std::uint8_t>((x ^ y) * 7)});
        }
    }
    return image;
}

BmpReadResult Decode(const std::vector<std::uint8_t>& bytes) {
    return DecodeBmp(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
}

TEST(BmpRoundTrip, WriterOutputReadsBackPixelForPixel) {
    for (int width : {1, 2, 3, 4, 5, 40}) {
        RgbImage image = PatternImage(width, 7);
        BmpReadResult read = Decode(EncodeBmp24(image));
        ASSERT_TRUE(read.image) << width;
        EXPECT_EQ(*read.image, image) << "row padding lost at width " << width;
    }
}

// The header variants common tools write, each read to the picture it holds; a palette file shows
// each index looked up, an index past the palette black.
TEST(BmpVariants, EveryHeaderAndDepthReadsItsPicture) {
    const std::vector<RgbColour> four = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {10, 20, 30}};
    const std::vector<RgbColour> two = {{255, 255, 255}, {9, 9, 9}};
    const std::vector<std::uint32_t> masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    const std::pair<const char*, BmpLayout> cases[] = {
        {"top-down rows", {40, 24, true, {}, {}}},
        {"32 bits without masks", {40, 32, false, {}, {}}},
        {"V4 bit fields", {108, 32, true, {}, masks}},
        {"V5 bit fields", {124, 32, true, {}, masks}},
        {"4 bits", {40, 4, false, four, {}}},
        {"8 bits", {40, 8, false, four, {}}},
        {"1 bit", {40, 1, false, two, {}}},
        {"core header", {12, 1, false, two, {}}},
    };
    for (const auto& [name, layout] : cases) {
        RgbImage pixels = PatternImage(9, 3);
        RgbImage expected = pixels;
        for (int y = 0; y < 3 && !layout.palette.empty(); ++y) {
            for (int x = 0; x < 9; ++x) {
                const std::size_t index = static_cast<std::size_t>(x + y) % (layout.palette.size() + 1) %
                                          (std::size_t{1} << layout.bitsPerPixel);
                pixels.SetPixel(x, y, {static_cast<std::uint8_t>(index), 0, 0});
                expected.SetPixel(x, y, index < layout.palette.size() ? layout.palette[index] : RgbColour{});
            }
        }
        BmpReadResult read = Decode(BuildBmp(layout, pixels));
        ASSERT_TRUE(read.image) << name << ": " << read.error;
        EXPECT_EQ(*read.image, expected) << name;
        EXPECT_EQ(read.hadPalette, !layout.palette.empty()) << name;
    }
    // 16-bit pixels with masks after the header: 5-6-5 channels widened back to 8 bits.
    RgbImage sixteen(3, 2, {248, 252, 248});
    sixteen.SetPixel(0, 0, {8, 4, 16});
    BmpReadResult read = Decode(BuildBmp({40, 16, false, {}, {0xF800, 0x07E0, 0x001F}}, sixteen));
    ASSERT_TRUE(read.image) << read.error;
    EXPECT_EQ(read.image->Pixel(0, 0), (RgbColour{8, 4, 16}));
    EXPECT_EQ(read.image->Pixel(2, 1), (RgbColour{255, 255, 255}));
}

// --- Damaged files give the five messages ---

TEST(BmpMessages, EachDamageGivesItsMessage) {
    ravelin::testing::TempDir dir;
    EXPECT_EQ(ReadBmpFile(dir.File("none.bmp")).error, kBmpOpenError);
    EXPECT_EQ(ReadBmpFile(dir.Path().string()).error, kBmpOpenError);

    EXPECT_EQ(Decode({}).error, kBmpInfoError);
    EXPECT_EQ(Decode({'P', 'K', 3, 4}).error, kBmpInfoError);
    EXPECT_EQ(Decode(BuildBmp({40, 8, false, {}, {}}, RgbImage(4, 4))).error, kBmpPaletteError);
    // A good file with 32-bit fields forged, or its last byte gone.
    auto forged = [](std::initializer_list<std::pair<std::size_t, std::uint32_t>> fields) {
        std::vector<std::uint8_t> bytes = EncodeBmp24(PatternImage(8, 8));
        for (auto [at, value] : fields) {
            for (std::size_t i = 0; i < 4; ++i) {
                bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
            }
        }
        return bytes;
    };
    std::vector<std::uint8_t> cut = forged({});
    cut.pop_back();
    EXPECT_EQ(Decode(cut).error, kBmpBitsError);
    EXPECT_EQ(Decode(forged({{14, 77}})).error, kBmpInfoError) << "header size";
    EXPECT_EQ(Decode(forged({{18, 0}})).error, kBmpInfoError) << "zero width";
    EXPECT_EQ(Decode(forged({{18, 0xFFFFFFFCu}})).error, kBmpInfoError) << "negative width";
    EXPECT_EQ(Decode(forged({{30, 1}})).error, kBmpInfoError) << "run-length";
    EXPECT_EQ(Decode(forged({{28, 7}})).error, kBmpInfoError) << "depth";
    EXPECT_EQ(Decode(forged({{10, 0xFFFFFFF0u}})).error, kBmpBitsError) << "data offset";
    // Giant dimensions are refused before anything is allocated.
    EXPECT_EQ(Decode(forged({{18, 0x7FFFFFFF}, {22, 0x7FFFFFFF}})).error, kBmpSurfaceError);
    EXPECT_EQ(Decode(forged({{18, 16000}, {22, 16000}})).error, kBmpSurfaceError);
}

// Every prefix of valid files of each variant, and any header byte forged to an extreme value: a
// message or a picture, never a read past the end (the sanitizer build checks the reads).
TEST(BmpMessages, TruncatedOrForgedFilesAreReportedNotOverread) {
    const std::vector<std::vector<std::uint8_t>> files = {
        EncodeBmp24(PatternImage(5, 3)),
        BuildBmp({124, 32, true, {}, {0xFF0000, 0xFF00, 0xFF}}, PatternImage(3, 3)),
        BuildBmp({108, 16, true, {}, {0xF800, 0x07E0, 0x001F}}, PatternImage(3, 3)),
        BuildBmp({40, 4, false, {{1, 2, 3}, {4, 5, 6}}, {}}, RgbImage(5, 3)),
        BuildBmp({12, 8, false, {{1, 2, 3}}, {}}, RgbImage(3, 2)),
    };
    for (const auto& file : files) {
        const BmpReadResult whole = Decode(file);
        ASSERT_TRUE(whole.image);
        for (std::size_t length = 0; length < file.size(); ++length) {
            BmpReadResult read = Decode({file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)});
            // Only the padding of the last row may be missing from a readable file.
            EXPECT_TRUE(read.image ? file.size() - length < 4 : !read.error.empty()) << length;
            if (read.image) {
                EXPECT_EQ(*read.image, *whole.image);
            }
        }
        for (std::size_t at = 0; at < 70 && at < file.size(); ++at) {
            for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                std::vector<std::uint8_t> forged = file;
                forged[at] = value;
                BmpReadResult read = Decode(forged);
                EXPECT_TRUE(read.image.has_value() != !read.error.empty()) << at;
            }
        }
    }
}

}  // namespace
}  // namespace ravelin::display

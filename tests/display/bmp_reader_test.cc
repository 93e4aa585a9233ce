#include "display/bmp_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "display/bmp_writer.h"
#include "display_test_helpers.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using testing::BmpLayout;
using testing::BuildBmp;
using testing::PatternImage;

BmpReadResult Decode(const std::vector<std::uint8_t>& bytes) {
    return DecodeBmp(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
}

// The picture a palette file shows: each index looked up, indices past the palette black.
RgbImage LookUp(const RgbImage& indices, const std::vector<RgbColour>& palette) {
    RgbImage image(indices.width, indices.height);
    for (int y = 0; y < indices.height; ++y) {
        for (int x = 0; x < indices.width; ++x) {
            std::size_t index = indices.Pixel(x, y).red;
            image.SetPixel(x, y, index < palette.size() ? palette[index] : RgbColour{0, 0, 0});
        }
    }
    return image;
}

RgbImage Indices(int width, int height, int count) {
    RgbImage indices(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            indices.SetPixel(x, y, {static_cast<std::uint8_t>((x + y) % count), 0, 0});
        }
    }
    return indices;
}

TEST(BmpRoundTrip, WriterOutputReadsBackPixelForPixel) {
    for (int width : {1, 2, 3, 4, 5, 40}) {
        RgbImage image = PatternImage(width, 7);
        BmpReadResult read = Decode(EncodeBmp24(image));
        ASSERT_TRUE(read.image) << width;
        EXPECT_EQ(*read.image, image) << "row padding lost at width " << width;
    }
    ravelin::testing::TempDir dir;
    RgbImage image = PatternImage(13, 9);
    ASSERT_TRUE(WriteBmpFile(dir.File("a.bmp"), image));
    BmpReadResult read = ReadBmpFile(dir.File("a.bmp"));
    ASSERT_TRUE(read.image);
    EXPECT_EQ(*read.image, image);
}

// The header variants common tools write, each read to the picture it holds.
TEST(BmpVariants, EveryHeaderAndDepthReadsItsPicture) {
    const std::vector<RgbColour> four = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {10, 20, 30}};
    const std::vector<RgbColour> two = {{255, 255, 255}, {9, 9, 9}};
    const std::vector<std::uint32_t> masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    RgbImage beyondPalette(2, 1);
    beyondPalette.SetPixel(1, 0, {200, 0, 0});
    // 5-6-5 channels widened back to 8 bits.
    RgbImage sixteen(3, 2, {248, 252, 248});
    sixteen.SetPixel(0, 0, {8, 4, 16});
    RgbImage sixteenRead(3, 2, {255, 255, 255});
    sixteenRead.SetPixel(0, 0, {8, 4, 16});
    struct Case {
        const char* name;
        BmpLayout layout;
        RgbImage pixels;
        RgbImage expected;
        bool palette;
    };
    const Case cases[] = {
        {"top-down rows", {40, 24, true, {}, {}}, PatternImage(6, 5), PatternImage(6, 5), false},
        {"32 bits without masks", {40, 32, false, {}, {}}, PatternImage(5, 4), PatternImage(5, 4), false},
        {"V4 bit fields", {108, 32, true, {}, masks}, PatternImage(7, 3), PatternImage(7, 3), false},
        {"V5 bit fields", {124, 32, true, {}, masks}, PatternImage(7, 3), PatternImage(7, 3), false},
        {"16-bit masks after the header",
         {40, 16, false, {}, {0xF800, 0x07E0, 0x001F}},
         sixteen,
         sixteenRead,
         false},
        {"4 bits", {40, 4, false, four, {}}, Indices(9, 3, 4), LookUp(Indices(9, 3, 4), four), true},
        {"8 bits", {40, 8, false, four, {}}, Indices(9, 3, 4), LookUp(Indices(9, 3, 4), four), true},
        {"1 bit", {40, 1, false, two, {}}, Indices(10, 2, 2), LookUp(Indices(10, 2, 2), two), true},
        {"core header", {12, 1, false, two, {}}, Indices(10, 2, 2), LookUp(Indices(10, 2, 2), two), true},
        {"index past a short palette shows black",
         {40, 8, false, two, {}},
         beyondPalette,
         LookUp(beyondPalette, two),
         true},
    };
    for (const Case& c : cases) {
        BmpReadResult read = Decode(BuildBmp(c.layout, c.pixels));
        ASSERT_TRUE(read.image) << c.name << ": " << read.error;
        EXPECT_EQ(*read.image, c.expected) << c.name;
        EXPECT_EQ(read.hadPalette, c.palette) << c.name;
    }
}

// --- Damaged files give the five messages ---

TEST(BmpMessages, EachDamageGivesItsMessage) {
    ravelin::testing::TempDir dir;
    EXPECT_EQ(ReadBmpFile(dir.File("none.bmp")).error, kBmpOpenError);
    EXPECT_EQ(ReadBmpFile(dir.Path().string()).error, kBmpOpenError);

    const std::vector<std::uint8_t> good = EncodeBmp24(PatternImage(8, 8));
    auto with = [&good](const std::function<void(std::vector<std::uint8_t>&)>& damage) {
        std::vector<std::uint8_t> bytes = good;
        damage(bytes);
        return Decode(bytes).error;
    };
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(Decode({}).error, kBmpInfoError);
    EXPECT_EQ(Decode({'P', 'K', 3, 4}).error, kBmpInfoError);
    EXPECT_EQ(with([](Bytes& b) { testing::SetU32(b, 14, 77); }), kBmpInfoError) << "header size";
    EXPECT_EQ(with([](Bytes& b) { testing::SetU32(b, 18, 0); }), kBmpInfoError) << "zero width";
    EXPECT_EQ(with([](Bytes& b) { testing::SetU32(b, 18, static_cast<std::uint32_t>(-4)); }), kBmpInfoError);
    EXPECT_EQ(with([](Bytes& b) { testing::SetU32(b, 30, 1); }), kBmpInfoError) << "run-length";
    EXPECT_EQ(with([](Bytes& b) { b[28] = 7; }), kBmpInfoError) << "depth";
    EXPECT_EQ(with([](Bytes& b) { b.pop_back(); }), kBmpBitsError);
    EXPECT_EQ(with([](Bytes& b) { testing::SetU32(b, 10, 0xFFFFFFF0u); }), kBmpBitsError) << "data offset";
    EXPECT_EQ(Decode(BuildBmp({40, 8, false, {}, {}}, RgbImage(4, 4))).error, kBmpPaletteError);
    // Giant dimensions are refused before anything is allocated.
    EXPECT_EQ(with([](Bytes& b) {
                  testing::SetU32(b, 18, 0x7FFFFFFF);
                  testing::SetU32(b, 22, 0x7FFFFFFF);
              }),
              kBmpSurfaceError);
    EXPECT_EQ(with([](Bytes& b) {
                  testing::SetU32(b, 18, 16000);
                  testing::SetU32(b, 22, 16000);
              }),
              kBmpSurfaceError);
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

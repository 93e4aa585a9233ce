#include "display/bmp_reader.h"

#include <gtest/gtest.h>

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

// --- Pictures written by the program come back unchanged ---

TEST(BmpRoundTrip, WriterOutputReadsBackPixelForPixel) {
    for (int width : {1, 2, 3, 4, 5, 40}) {
        RgbImage image = PatternImage(width, 7);
        BmpReadResult read = Decode(EncodeBmp24(image));
        ASSERT_TRUE(read.image) << width;
        EXPECT_EQ(*read.image, image) << "row padding lost at width " << width;
    }
}

TEST(BmpRoundTrip, FileWrittenThenReadFromDisk) {
    ravelin::testing::TempDir dir;
    RgbImage image = PatternImage(13, 9);
    ASSERT_TRUE(WriteBmpFile(dir.File("a.bmp"), image));
    BmpReadResult read = ReadBmpFile(dir.File("a.bmp"));
    ASSERT_TRUE(read.image);
    EXPECT_EQ(*read.image, image);
}

// --- Header variants of common tools are not misread ---

TEST(BmpVariants, TopDownRowsAreNotUpsideDown) {
    RgbImage image = PatternImage(6, 5);
    BmpReadResult read = Decode(BuildBmp({40, 24, true, {}, {}}, image));
    ASSERT_TRUE(read.image);
    EXPECT_EQ(*read.image, image);
}

TEST(BmpVariants, ThirtyTwoBitWithoutMasksReadsBlueGreenRed) {
    RgbImage image = PatternImage(5, 4);
    BmpReadResult read = Decode(BuildBmp({40, 32, false, {}, {}}, image));
    ASSERT_TRUE(read.image);
    EXPECT_EQ(*read.image, image);
}

TEST(BmpVariants, V4AndV5HeadersWithBitFieldsAreNotTakenForPalettes) {
    RgbImage image = PatternImage(7, 3);
    for (std::uint32_t headerSize : {108u, 124u}) {
        BmpReadResult read =
            Decode(BuildBmp({headerSize, 32, true, {}, {0x00FF0000, 0x0000FF00, 0x000000FF}}, image));
        ASSERT_TRUE(read.image) << headerSize;
        EXPECT_FALSE(read.hadPalette);
        EXPECT_EQ(*read.image, image) << headerSize;
    }
}

TEST(BmpVariants, BitFieldMasksAfterShortHeaderAreRead) {
    RgbImage image(3, 2, {248, 252, 248});
    image.SetPixel(0, 0, {8, 4, 16});
    BmpReadResult read = Decode(BuildBmp({40, 16, false, {}, {0xF800, 0x07E0, 0x001F}}, image));
    ASSERT_TRUE(read.image);
    // 5-6-5 channels widened back to 8 bits.
    EXPECT_EQ(read.image->Pixel(1, 1), (RgbColour{255, 255, 255}));
    EXPECT_EQ(read.image->Pixel(0, 0), (RgbColour{8, 4, 16}));
}

TEST(BmpVariants, PalettedDepthsLookUpTheirColours) {
    std::vector<RgbColour> palette = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {10, 20, 30}};
    RgbImage indices(9, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 9; ++x) {
            indices.SetPixel(x, y, {static_cast<std::uint8_t>((x + y) % 4), 0, 0});
        }
    }
    for (std::uint32_t bits : {4u, 8u}) {
        BmpReadResult read = Decode(BuildBmp({40, bits, false, palette, {}}, indices));
        ASSERT_TRUE(read.image) << bits;
        EXPECT_TRUE(read.hadPalette);
        EXPECT_EQ(read.image->Pixel(0, 0), palette[0]);
        EXPECT_EQ(read.image->Pixel(3, 0), palette[3]);
        EXPECT_EQ(read.image->Pixel(8, 2), palette[2]);
    }
}

TEST(BmpVariants, OneBitAndCoreHeaderFiles) {
    std::vector<RgbColour> palette = {{255, 255, 255}, {0, 0, 0}};
    RgbImage indices(10, 2);
    indices.SetPixel(9, 1, {1, 0, 0});
    for (std::uint32_t headerSize : {12u, 40u}) {
        BmpReadResult read = Decode(BuildBmp({headerSize, 1, false, palette, {}}, indices));
        ASSERT_TRUE(read.image) << headerSize;
        EXPECT_EQ(read.image->Pixel(9, 1), (RgbColour{0, 0, 0}));
        EXPECT_EQ(read.image->Pixel(8, 1), (RgbColour{255, 255, 255}));
    }
}

TEST(BmpVariants, IndexBeyondShortPaletteShowsBlack) {
    std::vector<RgbColour> palette = {{255, 255, 255}, {9, 9, 9}};
    RgbImage indices(2, 1);
    indices.SetPixel(1, 0, {200, 0, 0});
    BmpReadResult read = Decode(BuildBmp({40, 8, false, palette, {}}, indices));
    ASSERT_TRUE(read.image);
    EXPECT_EQ(read.image->Pixel(1, 0), (RgbColour{0, 0, 0}));
}

// --- Damaged files give the five messages ---

TEST(BmpMessages, MissingFileCannotBeOpened) {
    ravelin::testing::TempDir dir;
    EXPECT_EQ(ReadBmpFile(dir.File("none.bmp")).error, kBmpOpenError);
    EXPECT_EQ(ReadBmpFile(dir.Path().string()).error, kBmpOpenError);
}

TEST(BmpMessages, NotABitmapOrBadHeaderIsAnInfoError) {
    EXPECT_EQ(Decode({}).error, kBmpInfoError);
    EXPECT_EQ(Decode({'P', 'K', 3, 4}).error, kBmpInfoError);
    std::vector<std::uint8_t> good = EncodeBmp24(PatternImage(4, 4));
    std::vector<std::uint8_t> badHeaderSize = good;
    testing::SetU32(badHeaderSize, 14, 77);
    EXPECT_EQ(Decode(badHeaderSize).error, kBmpInfoError);
    std::vector<std::uint8_t> zeroWidth = good;
    testing::SetU32(zeroWidth, 18, 0);
    EXPECT_EQ(Decode(zeroWidth).error, kBmpInfoError);
    std::vector<std::uint8_t> negativeWidth = good;
    testing::SetU32(negativeWidth, 18, static_cast<std::uint32_t>(-4));
    EXPECT_EQ(Decode(negativeWidth).error, kBmpInfoError);
    std::vector<std::uint8_t> runLength = good;
    testing::SetU32(runLength, 30, 1);
    EXPECT_EQ(Decode(runLength).error, kBmpInfoError);
    std::vector<std::uint8_t> oddDepth = good;
    oddDepth[28] = 7;
    EXPECT_EQ(Decode(oddDepth).error, kBmpInfoError);
}

TEST(BmpMessages, ShortPixelDataIsABitsError) {
    std::vector<std::uint8_t> bytes = EncodeBmp24(PatternImage(8, 8));
    bytes.resize(bytes.size() - 1);
    EXPECT_EQ(Decode(bytes).error, kBmpBitsError);
    std::vector<std::uint8_t> offsetPastEnd = EncodeBmp24(PatternImage(8, 8));
    testing::SetU32(offsetPastEnd, 10, 0xFFFFFFF0u);
    EXPECT_EQ(Decode(offsetPastEnd).error, kBmpBitsError);
}

TEST(BmpMessages, PalettedFileWithoutPaletteIsAPaletteError) {
    RgbImage indices(4, 4);
    EXPECT_EQ(Decode(BuildBmp({40, 8, false, {}, {}}, indices)).error, kBmpPaletteError);
}

TEST(BmpMessages, GiantDimensionsAreRefusedBeforeAllocating) {
    std::vector<std::uint8_t> bytes = EncodeBmp24(PatternImage(2, 2));
    testing::SetU32(bytes, 18, 0x7FFFFFFF);
    testing::SetU32(bytes, 22, 0x7FFFFFFF);
    EXPECT_EQ(Decode(bytes).error, kBmpSurfaceError);
    testing::SetU32(bytes, 18, 16000);
    testing::SetU32(bytes, 22, 16000);
    EXPECT_EQ(Decode(bytes).error, kBmpSurfaceError);
}

// Every prefix of valid files of each variant: a message or a picture, never a read past the end
// (the sanitizer build checks the reads).
TEST(BmpMessages, EveryTruncationIsReportedNotOverread) {
    std::vector<std::vector<std::uint8_t>> files = {
        EncodeBmp24(PatternImage(5, 3)),
        BuildBmp({124, 32, true, {}, {0xFF0000, 0xFF00, 0xFF}}, PatternImage(3, 3)),
        BuildBmp({40, 4, false, {{1, 2, 3}, {4, 5, 6}}, {}}, RgbImage(5, 3)),
        BuildBmp({12, 8, false, {{1, 2, 3}}, {}}, RgbImage(3, 2)),
    };
    for (const auto& file : files) {
        for (std::size_t length = 0; length < file.size(); ++length) {
            std::vector<std::uint8_t> prefix(file.begin(),
                                             file.begin() + static_cast<std::ptrdiff_t>(length));
            BmpReadResult read = Decode(prefix);
            // Only the padding of the last row may be missing from a readable file.
            bool paddingOnly = file.size() - length < 4;
            EXPECT_TRUE(read.image ? paddingOnly : !read.error.empty()) << length;
            if (read.image) {
                EXPECT_EQ(*read.image, *Decode(file).image);
            }
        }
        EXPECT_TRUE(Decode(file).image);
    }
}

}  // namespace
}  // namespace ravelin::display

namespace ravelin::display {
namespace {

// Any header byte forged to an extreme value: a message or a picture, never a stray read.
TEST(BmpMessages, ForgedHeaderBytesNeverOverread) {
    std::vector<std::vector<std::uint8_t>> files = {
        testing::BuildBmp({40, 8, false, {{1, 2, 3}, {4, 5, 6}}, {}}, RgbImage(5, 3)),
        testing::BuildBmp({108, 16, true, {}, {0xF800, 0x07E0, 0x001F}}, testing::PatternImage(3, 3)),
    };
    for (const auto& file : files) {
        for (std::size_t at = 0; at < 70 && at < file.size(); ++at) {
            for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                std::vector<std::uint8_t> forged = file;
                forged[at] = value;
                BmpReadResult read = DecodeBmp(forged);
                EXPECT_TRUE(read.image.has_value() != !read.error.empty()) << at;
            }
        }
    }
}

}  // namespace
}  // namespace ravelin::display

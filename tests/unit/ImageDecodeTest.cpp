// TGA and JPEG decoding: header refusals, the BGR swap, row order, alpha pairs and broken files.
#include "unit/PictureFiles.h"

#include "render/ImageDecode.h"

#include <gtest/gtest.h>

TEST(TgaDecode, SwapsBgrAndKeepsAlpha)
{
    // 2 x 1, 24 bits: blue then green in file order (B, G, R bytes).
    auto rgb = MakeTga(2, 1, 24, {255, 0, 0, 0, 255, 0});
    DecodedImage img;
    ASSERT_TRUE(DecodeTga(rgb.data(), rgb.size(), img));
    EXPECT_EQ(img.width, 2u);
    EXPECT_EQ(img.bytesPerPixel, 3u);
    EXPECT_EQ(img.pixels, (std::vector<uint8_t>{0, 0, 255, 0, 255, 0}));
    auto rgba = MakeTga(1, 2, 32, {10, 20, 30, 40, 50, 60, 70, 80});
    ASSERT_TRUE(DecodeTga(rgba.data(), rgba.size(), img));
    EXPECT_EQ(img.bytesPerPixel, 4u);
    EXPECT_EQ(img.height, 2u);
    EXPECT_EQ(img.pixels, (std::vector<uint8_t>{30, 20, 10, 40, 70, 60, 50, 80}));
}

TEST(TgaDecode, RefusesOtherTypesDepthsAndShortFiles)
{
    DecodedImage img;
    img.width = 77;
    auto rle = MakeTga(1, 1, 24, {1, 2, 3});
    rle[2] = 10;  // run-length encoded
    EXPECT_FALSE(DecodeTga(rle.data(), rle.size(), img));
    auto withId = MakeTga(1, 1, 24, {1, 2, 3});
    withId[0] = 4;
    EXPECT_FALSE(DecodeTga(withId.data(), withId.size(), img));
    auto sixteen = MakeTga(1, 1, 16, {1, 2});
    EXPECT_FALSE(DecodeTga(sixteen.data(), sixteen.size(), img));
    auto zero = MakeTga(0, 1, 24, {});
    EXPECT_FALSE(DecodeTga(zero.data(), zero.size(), img));
    // Width x height x depth past the end of the file.
    auto shortFile = MakeTga(4, 4, 32, std::vector<uint8_t>(63, 1));
    EXPECT_FALSE(DecodeTga(shortFile.data(), shortFile.size(), img));
    EXPECT_FALSE(DecodeTga(shortFile.data(), 17, img));
    EXPECT_FALSE(DecodeTga(nullptr, 0, img));
    EXPECT_EQ(img.width, 77u);  // refusals leave the output alone
    auto exact = MakeTga(4, 4, 32, std::vector<uint8_t>(64, 1));
    EXPECT_TRUE(DecodeTga(exact.data(), exact.size(), img));
}

TEST(TgaDecode, FormatIsChosenByTheLastCharacter)
{
    EXPECT_TRUE(IsTgaName("mui/font.tga"));
    EXPECT_TRUE(IsTgaName("MUI/FONT.TGA"));
    EXPECT_FALSE(IsTgaName("textures/sky.tga.jpg"));
    EXPECT_FALSE(IsTgaName("clouds.jpeg"));
    EXPECT_FALSE(IsTgaName(""));
}

TEST(JpegDecode, RowsComeOutBottomUp)
{
    // 16 x 16 colour picture: white top half, black bottom half.
    std::vector<uint8_t> px(16 * 16 * 3, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16 * 3; ++x)
            px[y * 16 * 3 + x] = 255;
    auto jpeg = MakeJpeg(16, 16, 3, px);
    ASSERT_FALSE(jpeg.empty());
    DecodedImage img;
    ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), img));
    EXPECT_EQ(img.width, 16u);
    EXPECT_EQ(img.height, 16u);
    EXPECT_EQ(img.bytesPerPixel, 3u);
    EXPECT_LT(img.pixels[0], 30);                      // row 0 is the bottom: black
    EXPECT_GT(img.pixels[15 * 16 * 3], 225);           // the last row is the top: white
}

TEST(JpegDecode, ColourAndAlphaPairs)
{
    auto colour = MakeJpeg(8, 8, 3, std::vector<uint8_t>(8 * 8 * 3, 200));
    auto alpha = MakeJpeg(8, 8, 1, std::vector<uint8_t>(8 * 8, 100));
    auto small = MakeJpeg(4, 8, 1, std::vector<uint8_t>(4 * 8, 100));
    DecodedImage c, a, s, out;
    ASSERT_TRUE(DecodeJpeg(colour.data(), colour.size(), c));
    ASSERT_TRUE(DecodeJpeg(alpha.data(), alpha.size(), a));
    ASSERT_TRUE(DecodeJpeg(small.data(), small.size(), s));
    EXPECT_EQ(a.bytesPerPixel, 1u);
    ASSERT_TRUE(MergeColourAlpha(c, a, out));
    EXPECT_EQ(out.bytesPerPixel, 4u);
    EXPECT_NEAR(out.pixels[0], 200, 3);
    EXPECT_NEAR(out.pixels[3], 100, 3);
    EXPECT_FALSE(MergeColourAlpha(c, s, out));  // sizes differ
    EXPECT_FALSE(MergeColourAlpha(a, c, out));  // components swapped
}

TEST(JpegDecode, BrokenFilesFailWithoutEndingTheProcess)
{
    auto jpeg = MakeJpeg(32, 32, 3, std::vector<uint8_t>(32 * 32 * 3, 128));
    DecodedImage img;
    EXPECT_FALSE(DecodeJpeg(jpeg.data(), 2, img));          // just the start marker
    std::vector<uint8_t> garbage(300, 0x5A);
    EXPECT_FALSE(DecodeJpeg(garbage.data(), garbage.size(), img));
    // Corrupting the header half-way makes libjpeg give up; no crash, a refusal.
    for (size_t at = 2; at < std::min<size_t>(jpeg.size(), 200); at += 3) {
        auto bad = jpeg;
        bad[at] ^= 0xFF;
        DecodedImage tmp;
        DecodeJpeg(bad.data(), bad.size(), tmp);
    }
    // A picture claiming a side over the limit is refused before its pixels are allocated.
    auto huge = MakeJpeg(8, 8, 3, std::vector<uint8_t>(8 * 8 * 3, 1));
    for (size_t i = 0; i + 8 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {  // start of frame: height at +5, width at +7
            huge[i + 5] = 0xFF;
            huge[i + 6] = 0xF0;
            break;
        }
    }
    EXPECT_FALSE(DecodeJpeg(huge.data(), huge.size(), img));
}

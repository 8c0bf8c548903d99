// Forge writers: pictures keep their orientation and channels through the game's decoders,
// parameter text reads back through the game's parameter reader, and the noise that tiling
// textures are painted from really tiles.
#include "core/ForgeRandom.h"
#include "core/Image.h"
#include "render/ImageDecode.h"
#include "resources/ParamFile.h"
#include "writers/ImageWriters.h"
#include "writers/ParamText.h"

#include <gtest/gtest.h>

namespace {

// Bottom row red, top row blue, the rest green: row 0 is the bottom of the picture.
Image Marked(int w, int h, int channels)
{
    Image img(w, h, channels, Color(0, 1, 0, 0.5f));
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < 8; ++y) {
            img.Set(x, y, Color(1, 0, 0, 1));
            img.Set(x, h - 1 - y, Color(0, 0, 1, 1));
        }
    }
    return img;
}

} // namespace

TEST(ForgeImageWriters, TgaKeepsRowsChannelsAndAlphaForTheGame)
{
    for (int bits : {24, 32}) {
        const std::vector<uint8_t> tga = WriteTga(Marked(32, 32, 4), bits);
        ASSERT_EQ(tga.size(), 18u + 32 * 32 * bits / 8);
        DecodedImage d;
        ASSERT_TRUE(DecodeTga(tga.data(), tga.size(), d));
        ASSERT_EQ(d.bytesPerPixel, static_cast<uint32_t>(bits / 8));
        const uint8_t* bottom = &d.pixels[0];
        const uint8_t* top = &d.pixels[(31 * 32) * d.bytesPerPixel];
        EXPECT_EQ(bottom[0], 255);   // red stays at the bottom, in RGB order
        EXPECT_EQ(bottom[2], 0);
        EXPECT_EQ(top[2], 255);
        if (bits == 32) {
            const uint8_t* mid = &d.pixels[(16 * 32 + 3) * 4];
            EXPECT_NEAR(mid[3], 128, 1);
        }
    }
    EXPECT_TRUE(WriteTga(Image(), 24).empty());
    EXPECT_TRUE(WriteTga(Marked(4, 4, 3), 16).empty());
}

TEST(ForgeImageWriters, JpegComesBackTheRightWayUpThroughTheGamesDecoder)
{
    const std::vector<uint8_t> rgb = WriteJpeg(Marked(64, 32, 3), 3, 95);
    DecodedImage d;
    ASSERT_TRUE(DecodeJpeg(rgb.data(), rgb.size(), d));
    ASSERT_EQ(d.bytesPerPixel, 3u);
    ASSERT_EQ(d.width, 64u);
    ASSERT_EQ(d.height, 32u);
    // The game's decode stores rows bottom-up, so row 0 must be the forge's row 0 (red).
    EXPECT_GT(d.pixels[(2 * 64 + 10) * 3 + 0], 200);
    EXPECT_LT(d.pixels[(2 * 64 + 10) * 3 + 2], 60);
    EXPECT_GT(d.pixels[(29 * 64 + 10) * 3 + 2], 200);

    const std::vector<uint8_t> grey = WriteJpeg(Marked(64, 32, 1), 1, 95);
    ASSERT_TRUE(DecodeJpeg(grey.data(), grey.size(), d));
    EXPECT_EQ(d.bytesPerPixel, 1u) << "cloud pictures are one channel: the game takes each byte as alpha";
    EXPECT_TRUE(WriteJpeg(Marked(8, 8, 3), 2, 90).empty());
}

TEST(ForgeParamText, ReadsBackThroughTheGamesParameterReader)
{
    ParamText t;
    t.Comment("a comment line, ignored by the reader");
    t.SetFloat("m_speed", 0.19);
    t.SetFloats("m_row", {45, 40, 30.5});
    t.SetVec4("m_nozzle", 0, -0.12, 0, 1);
    t.Set("name0", "EnemyBoat1");
    t.SetInt("enemies_count", 3);
    t.Set("title", "Morning river");
    t.SetInt("enemies_count", 4);   // a second set replaces the first
    const std::vector<uint8_t> b = t.Bytes();
    ParamFile p;
    p.Parse(b.data(), b.size(), true);
    EXPECT_FLOAT_EQ(p.GetFloat("m_speed", "9"), 0.19f);
    EXPECT_EQ(p.GetString("m_row", ""), "45 40 30.5");
    EXPECT_FLOAT_EQ(p.GetFloat("m_nozzle.y", "9"), -0.12f);
    EXPECT_FLOAT_EQ(p.GetFloat("m_nozzle.w", "9"), 1.0f);
    EXPECT_EQ(p.GetString("name0", ""), "EnemyBoat1");
    EXPECT_EQ(p.GetInt("enemies_count", "0"), 4);
    EXPECT_EQ(p.GetString("title", ""), "Morning river");
    EXPECT_EQ(p.Size(), 9u) << "the comment adds no pairs";
    EXPECT_EQ(ParamText::Float(1.5), "1.5");
    EXPECT_EQ(ParamText::Float(-0.0000001), "0");
}

TEST(ForgeNoise, TilingNoiseRepeatsAndRandomStaysInRange)
{
    for (float y = 0.0f; y < 8.0f; y += 0.37f)
        for (float x = 0.0f; x < 8.0f; x += 0.41f) {
            EXPECT_NEAR(FractalNoise(7, x, y, 4, 16), FractalNoise(7, x + 16.0f, y, 4, 16), 1e-5f);
            EXPECT_NEAR(FractalNoise(7, x, y, 4, 16), FractalNoise(7, x, y + 16.0f, 4, 16), 1e-5f);
        }
    ForgeRandom a(42), b(42);
    for (int i = 0; i < 1000; ++i) {
        const float f = a.Float();
        EXPECT_GE(f, 0.0f);
        EXPECT_LT(f, 1.0f);
        const int n = a.Int(7);
        EXPECT_GE(n, 0);
        EXPECT_LT(n, 7);
        b.Float();
        b.Int(7);
    }
    EXPECT_EQ(a.Next64(), b.Next64()) << "the same seed gives the same sequence";
    EXPECT_EQ(a.Int(0), 0);
}

// The font's glyph scan, text widths, and word wrap and scrolling of the scrolling text.
#include "unit/PictureFiles.h"

#include "render/BitmapText.h"
#include "render/ScrollingText.h"

#include <gtest/gtest.h>

#include <string>

TEST(GlyphScan, ExactlyNinetyFourGlyphsMakeAFont)
{
    CBitmapText font;
    auto f93 = MakeFontTga(93);
    auto f95 = MakeFontTga(95);
    auto f94 = MakeFontTga(94);
    EXPECT_FALSE(font.BuildGlyphs(f93.data(), f93.size()));
    EXPECT_FALSE(font.BuildGlyphs(f95.data(), f95.size()));
    EXPECT_FALSE(font.IsValid());
    ASSERT_TRUE(font.BuildGlyphs(f94.data(), f94.size()));
    // Glyph 0 ('!') is 3 columns from column 2, one texel of margin each side, on the top line.
    const uint32_t w = 2 + 16 * 8 + 2;
    const uint32_t h = 4 + 6 * 14;
    const auto& g = font.GetGlyph(0);
    EXPECT_FLOAT_EQ(g.uLeft, 1.0f / w);
    EXPECT_FLOAT_EQ(g.uRight, 5.0f / w);
    EXPECT_FLOAT_EQ(g.vTop, (h - 5.0f) / h);
    EXPECT_FLOAT_EQ(g.vBottom, (h - 14.0f) / h);
    EXPECT_FLOAT_EQ(font.LineHeight(), 9.0f / h);
    // Glyph 17 is the second of the second line: 4 columns wide at column 10.
    const auto& g17 = font.GetGlyph(17);
    EXPECT_FLOAT_EQ(g17.uLeft, 9.0f / w);
    EXPECT_FLOAT_EQ(g17.uRight, 14.0f / w);
    EXPECT_FLOAT_EQ(g17.vTop, (h - 19.0f) / h);
}

TEST(GlyphScan, WrongPicturesAreRefused)
{
    CBitmapText font;
    auto good = MakeFontTga(94);
    auto rgb = MakeTga(4, 4, 24, std::vector<uint8_t>(48, 255));
    EXPECT_FALSE(font.BuildGlyphs(rgb.data(), rgb.size()));
    auto rle = good;
    rle[2] = 10;
    EXPECT_FALSE(font.BuildGlyphs(rle.data(), rle.size()));
    EXPECT_FALSE(font.BuildGlyphs(good.data(), 17));
    EXPECT_FALSE(font.BuildGlyphs(good.data(), good.size() - 1));  // pixels past the end
    // Garbage alpha: a noise picture is scanned to the end and refused, without reading outside.
    std::vector<uint8_t> noise(64 * 64 * 4);
    uint32_t s = 12345;
    for (auto& b : noise) {
        s = s * 1103515245u + 12345u;
        b = static_cast<uint8_t>(s >> 24);
    }
    auto noisy = MakeTga(64, 64, 32, noise);
    CBitmapText::Glyph glyphs[CBitmapText::kGlyphCount];
    float lh;
    uint32_t w, h;
    EXPECT_GE(CBitmapText::ScanGlyphs(noisy.data(), noisy.size(), glyphs, lh, w, h), 0);
    EXPECT_FALSE(font.BuildGlyphs(noisy.data(), noisy.size()));
    // A glyph starting in the last column ends its line and is not counted.
    std::vector<uint8_t> edge(8 * 4 * 4, 0);
    for (int r = 0; r < 4; ++r)
        edge[(r * 8 + 7) * 4 + 3] = 255;
    auto edgePic = MakeTga(8, 4, 32, edge);
    EXPECT_EQ(CBitmapText::ScanGlyphs(edgePic.data(), edgePic.size(), glyphs, lh, w, h), 0);
    EXPECT_FALSE(font.BuildGlyphs("/nonexistent/font.tga"));
}

TEST(TextWidth, SpacesGapsAndGlyphs)
{
    CBitmapText font;
    auto f = MakeFontTga(94);
    ASSERT_TRUE(font.BuildGlyphs(f.data(), f.size()));
    // 'A' (glyph 32) is 3 columns wide; u runs from one texel left of its first column to one
    // right of its last (4 texels) on a line 9 rows high: w = s * 4 / 9.
    const float w = font.TextWidth(" ", 18.0f);
    EXPECT_FLOAT_EQ(w, 8.0f);
    EXPECT_FLOAT_EQ(font.TextWidth("A A", 18.0f), 3.2f * w);
    EXPECT_FLOAT_EQ(font.TextWidth("", 18.0f), 0.0f);
    // Characters without a glyph add nothing.
    EXPECT_FLOAT_EQ(font.TextWidth("A\x01\xff", 18.0f), 1.1f * w);
    // Width scales with the size.
    EXPECT_FLOAT_EQ(font.TextWidth("Hello, world!", 36.0f), 2.0f * font.TextWidth("Hello, world!", 18.0f));
}

TEST(ScrollingText, WrapsWordsAtTheWidth)
{
    CBitmapText font;
    auto f = MakeFontTga(94);
    ASSERT_TRUE(font.BuildGlyphs(f.data(), f.size()));
    // Size 18: a space is 8 wide, "AA" 2 * 8.8 = 17.6, "AA " 25.6.
    CScrollingText text(&font, 60.0f, 18.0f, 10, 1);
    const std::string s = "AA AA AA\nAA\rAAAAAAAAAA AA";
    text.SetText(s.data(), s.size());
    const auto& lines = text.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "AA AA ");       // 51.2 wide: the next word does not fit
    EXPECT_EQ(lines[1], "AAAA ");        // the line feed is ignored, so "AA\nAA" is one word
    EXPECT_EQ(lines[2], "AAAAAAAAAA ");  // a word wider than the width stands alone, no empty line before it
    EXPECT_EQ(lines[3], "AA ");
}

TEST(ScrollingText, ScrollingStaysInBounds)
{
    CBitmapText font;
    auto f = MakeFontTga(94);
    ASSERT_TRUE(font.BuildGlyphs(f.data(), f.size()));
    CScrollingText shortText(&font, 1000.0f, 18.0f, 10, 3);
    const std::string three = "one\rtwo\rthree";
    shortText.SetText(three.data(), three.size());
    ASSERT_EQ(shortText.Lines().size(), 3u);
    shortText.ScrollDown();
    EXPECT_EQ(shortText.FirstVisibleLine(), 0);
    CScrollingText longText(&font, 1000.0f, 18.0f, 4, 3);
    std::string many;
    for (int i = 0; i < 12; ++i)
        many += "line\r";
    longText.SetText(many.data(), many.size());
    ASSERT_EQ(longText.Lines().size(), 13u);  // the text's own closing return adds an empty line
    longText.ScrollDown();
    EXPECT_EQ(longText.FirstVisibleLine(), 3);
    for (int i = 0; i < 5; ++i)
        longText.ScrollDown();
    EXPECT_EQ(longText.FirstVisibleLine(), 9);  // 13 lines - 4 visible
    longText.ScrollUp();
    EXPECT_EQ(longText.FirstVisibleLine(), 6);
    for (int i = 0; i < 5; ++i)
        longText.ScrollUp();
    EXPECT_EQ(longText.FirstVisibleLine(), 0);
}

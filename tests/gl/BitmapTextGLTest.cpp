// A line of bitmap text drawn into a frame: glyphs land where the widths say, in the asked colour.
#include "RenderGLFixture.h"
#include "unit/PictureFiles.h"

#include "render/BitmapText.h"
#include "render/Texture.h"

TEST_F(RenderGLTest, LineOfTextDrawsItsGlyphs)
{
    const auto fontPicture = MakeFontTga(94);
    CTexture fontTexture;
    ASSERT_TRUE(fontTexture.LoadFromMemory(fontPicture.data(), fontPicture.size(), true, false, false));
    glBindTexture(GL_TEXTURE_2D, fontTexture.GLName());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    CBitmapText font;
    font.SetTexture(&fontTexture);
    ASSERT_TRUE(font.BuildGlyphs(fontPicture.data(), fontPicture.size()));

    ScreenView();
    // Size 90: 'A' is 40 wide with a 4-wide gap; its ink is the middle 3/4 (30 pixels).
    font.Draw("A A", 90.0f, 20.0f, 150.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f);
    const auto px = ReadPixels();
    EXPECT_EQ(At(px, 40, 100).r, 255);   // inside the first 'A'
    EXPECT_EQ(At(px, 40, 100).g, 0);
    EXPECT_EQ(At(px, 40, 165).r, 0);     // below the baseline
    EXPECT_EQ(At(px, 40, 55).r, 0);      // above the glyph's top
    EXPECT_EQ(At(px, 70, 100).r, 0);     // in the space
    EXPECT_EQ(At(px, 20 + 44 + 40 + 20, 100).r, 255);  // inside the second 'A'
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[1], 1.0f);
}

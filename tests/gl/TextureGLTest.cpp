// Textures on a real context: upload paths, wrap modes, quad orientation and bank rebuilds.
#include "RenderGLFixture.h"
#include "unit/PictureFiles.h"

#include "render/ResourceBank.h"
#include "render/Texture.h"

namespace {

// 2 x 2 picture in file order (bottom row first): bottom red, green; top blue, white.
std::vector<uint8_t> FourColours()
{
    return MakeTga(2, 2, 24, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
}

}  // namespace

TEST_F(RenderGLTest, QuadPutsThePicturesTopRowAtTheSmallerY)
{
    Write("dat/four.tga", FourColours());
    CTexture tex;
    ASSERT_TRUE(tex.LoadFromGroup(&m_group, Path("dat/four.tga"), false, false));
    EXPECT_NE(tex.GLName(), 0u);
    EXPECT_EQ(tex.BytesPerPixel(), 3u);
    glBindTexture(GL_TEXTURE_2D, tex.GLName());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    ScreenView();
    glEnable(GL_TEXTURE_2D);
    tex.DrawQuad(0, 0, 0, 256, 256);
    glDisable(GL_TEXTURE_2D);
    const auto px = ReadPixels();
    const Rgb topLeft = At(px, 64, 64), topRight = At(px, 192, 64);
    const Rgb bottomLeft = At(px, 64, 192), bottomRight = At(px, 192, 192);
    EXPECT_EQ(topLeft.b, 255);
    EXPECT_EQ(topLeft.r, 0);
    EXPECT_EQ(topRight.r + topRight.g + topRight.b, 255 * 3);
    EXPECT_EQ(bottomLeft.r, 255);
    EXPECT_EQ(bottomLeft.g, 0);
    EXPECT_EQ(bottomRight.g, 255);
    EXPECT_EQ(bottomRight.r, 0);
}

TEST_F(RenderGLTest, WrapModesAndMipmaps)
{
    Write("dat/four.tga", FourColours());
    CTexture noMip, clamped, wrapped;
    ASSERT_TRUE(noMip.LoadFromGroup(&m_group, Path("dat/four.tga"), false, false));
    ASSERT_TRUE(clamped.LoadFromGroup(&m_group, Path("dat/four.tga"), false, true));
    ASSERT_TRUE(wrapped.LoadFromGroup(&m_group, Path("dat/four.tga"), true, true));
    GLint mode = 0;
    glBindTexture(GL_TEXTURE_2D, noMip.GLName());
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &mode);
    EXPECT_EQ(mode, GL_REPEAT);  // without mipmaps the texture repeats though wrap was off
    glBindTexture(GL_TEXTURE_2D, clamped.GLName());
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &mode);
    EXPECT_EQ(mode, GL_CLAMP);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &mode);
    EXPECT_EQ(mode, GL_LINEAR_MIPMAP_NEAREST);
    glBindTexture(GL_TEXTURE_2D, wrapped.GLName());
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &mode);
    EXPECT_EQ(mode, GL_REPEAT);
    // An odd-width RGB picture uploads with tightly packed rows.
    Write("dat/odd.tga", MakeTga(3, 3, 24, std::vector<uint8_t>(27, 128)));
    CTexture odd;
    EXPECT_TRUE(odd.LoadFromGroup(&m_group, Path("dat/odd.tga"), false, false));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// An RGB picture is kept with an opaque alpha channel, mipmapped or not (so that it is textured
// by the same driver shader as an RGBA picture), and still draws as an RGB one: modulated by a
// half-transparent colour over red, the colour's alpha alone sets the blend.
TEST_F(RenderGLTest, RgbPicturesHoldAnOpaqueAlphaAndBlendByTheColoursAlpha)
{
    Write("dat/grey.tga", MakeTga(2, 2, 24, std::vector<uint8_t>(12, 200)));
    for (const bool mipmaps : {false, true}) {
        SCOPED_TRACE(mipmaps ? "mipmapped" : "without mipmaps");
        CTexture tex;
        ASSERT_TRUE(tex.LoadFromGroup(&m_group, Path("dat/grey.tga"), false, mipmaps));
        EXPECT_EQ(tex.BytesPerPixel(), 3u);  // the picture's own depth
        glBindTexture(GL_TEXTURE_2D, tex.GLName());
        GLint alphaBits = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
        EXPECT_GT(alphaBits, 0);

        glClearColor(1, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        ScreenView();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1, 1, 1, 0.5f);
        tex.DrawQuad(0, 0, 0, 64, 64);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glColor4f(1, 1, 1, 1);
        const Rgb p = At(ReadPixels(), 32, 32);
        // Half the grey 200 over half of full red.
        EXPECT_NEAR(p.r, 228, 2);
        EXPECT_NEAR(p.g, 100, 2);
        EXPECT_NEAR(p.b, 100, 2);
    }
    glClearColor(0, 0, 0, 1);
}

TEST_F(RenderGLTest, FailedDecodeKeepsTheTextureAndReleaseClearsTheName)
{
    Write("dat/four.tga", FourColours());
    auto rle = FourColours();
    rle[2] = 10;
    Write("dat/rle.tga", rle);
    CTexture tex;
    ASSERT_TRUE(tex.LoadFromGroup(&m_group, Path("dat/four.tga"), false, false));
    const uint32_t name = tex.GLName();
    EXPECT_FALSE(tex.LoadFromGroup(&m_group, Path("dat/rle.tga"), false, false));
    EXPECT_FALSE(tex.LoadFromGroup(&m_group, Path("dat/none.tga"), false, false));
    EXPECT_EQ(tex.GLName(), name);
    EXPECT_TRUE(glIsTexture(name));
    tex.Release();
    EXPECT_EQ(tex.GLName(), 0u);
    EXPECT_FALSE(glIsTexture(name));
    EXPECT_TRUE(tex.LoadFromDisk(Path("dat/four.tga"), false, false));
    EXPECT_FALSE(tex.LoadFromDisk(Path("dat/none.tga"), false, false));
}

TEST_F(RenderGLTest, JpegAlonePairsAndBankRebuild)
{
    Write("dat/grey.jpg", MakeJpeg(8, 8, 1, std::vector<uint8_t>(64, 80)));
    Write("dat/colour.jpg", MakeJpeg(8, 8, 3, std::vector<uint8_t>(192, 200)));
    CResourceBank* bank = CResourceBank::CreateBank("gl_test", &m_group);
    CTexture* grey = bank->AddTexture(Path("dat/grey.jpg"), "grey", false, false);
    EXPECT_EQ(grey->GLName(), 0u);  // a one-component JPEG on its own is refused
    CTexture* colour = bank->AddTexture(Path("dat/colour.jpg"), "colour", true, true);
    EXPECT_EQ(colour->BytesPerPixel(), 3u);
    CTexture* pair = bank->AddTextureWithAlpha(Path("dat/colour.jpg"), Path("dat/grey.jpg"), "pair", false, false);
    EXPECT_NE(pair->GLName(), 0u);
    EXPECT_EQ(pair->BytesPerPixel(), 4u);
    CResourceBank::ReleaseAllGLObjects();
    EXPECT_EQ(colour->GLName(), 0u);
    EXPECT_EQ(pair->GLName(), 0u);
    CResourceBank::CreateAllGLObjects();
    EXPECT_NE(colour->GLName(), 0u);
    EXPECT_EQ(pair->BytesPerPixel(), 4u);  // rebuilt from its descriptor with the alpha file
    EXPECT_NE(pair->GLName(), 0u);
    CResourceBank::DeleteBank("gl_test");
}

TEST_F(RenderGLTest, LazyTexturesLoadOnFirstUseAndComeBackAfterEveryRelease)
{
    Write("dat/four.tga", FourColours());
    Write("dat/colour.jpg", MakeJpeg(8, 8, 3, std::vector<uint8_t>(192, 200)));
    Write("dat/grey.jpg", MakeJpeg(8, 8, 1, std::vector<uint8_t>(64, 80)));
    CResourceBank* bank = CResourceBank::CreateBank("gl_test", &m_group);
    CTexture* four = bank->AddLazyTexture(Path("dat/four.tga"), "", "four", false, false);
    CTexture* pair = bank->AddLazyTexture(Path("dat/colour.jpg"), Path("dat/grey.jpg"), "pair", false, true);
    CTexture* missing = bank->AddLazyTexture(Path("dat/none.tga"), "", "none", false, false);
    CTexture* eager = bank->AddTexture(Path("dat/four.tga"), "eager", false, false);
    EXPECT_FALSE(four->IsResident());  // nothing is read before the first use
    EXPECT_FALSE(pair->IsResident());
    EXPECT_TRUE(eager->IsResident());

    // The picture a lazy texture draws, read back through a quad over the whole view.
    auto topLeftIsBlue = [&](const CTexture& t) {
        glClear(GL_COLOR_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, t.GLName());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        ScreenView();
        glEnable(GL_TEXTURE_2D);
        t.DrawQuad(0, 0, 0, 256, 256);
        glDisable(GL_TEXTURE_2D);
        const Rgb c = At(ReadPixels(), 64, 64);
        return c.b == 255 && c.r == 0;
    };
    EXPECT_EQ(four->Width(), 2u);  // the size alone loads it too
    EXPECT_TRUE(four->IsResident());
    EXPECT_TRUE(topLeftIsBlue(*four));
    EXPECT_EQ(pair->BytesPerPixel(), 4u);
    EXPECT_EQ(missing->GLName(), 0u);

    // Given back while a game is played; used again, it is read again.
    CResourceBank::ReleaseAllLazyTextures();
    EXPECT_FALSE(four->IsResident());
    EXPECT_FALSE(pair->IsResident());
    EXPECT_TRUE(eager->IsResident());  // the others stay
    EXPECT_TRUE(topLeftIsBlue(*four));
    EXPECT_NE(pair->GLName(), 0u);

    // A new GL context: every texture of the bank is rebuilt, the lazy ones on their next use.
    CResourceBank::ReleaseAllGLObjects();
    EXPECT_FALSE(four->IsResident());
    CResourceBank::CreateAllGLObjects();
    EXPECT_TRUE(eager->IsResident());
    EXPECT_TRUE(topLeftIsBlue(*four));
    EXPECT_EQ(pair->BytesPerPixel(), 4u);
    EXPECT_NE(pair->GLName(), 0u);
    EXPECT_EQ(missing->GLName(), 0u);
    CResourceBank::DeleteBank("gl_test");
}

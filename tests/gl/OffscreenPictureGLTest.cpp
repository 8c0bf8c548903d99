// The offscreen copy of a picture: exact both ways, placed where asked, and tied to its context.
#include "GLTestContext.h"

#include "render/OffscreenPicture.h"

using OffscreenPictureGLTest = GLTestContext;

namespace {

// Four quadrants of different colours over the window, with an odd row and column through them,
// so that a copy turned over or shifted by a pixel shows.
void DrawQuadrants(int size)
{
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, size, size);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, size, 0, size, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    const int h = size / 2;
    const unsigned char colours[4][3] = {{200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {200, 200, 10}};
    glBegin(GL_QUADS);
    for (int q = 0; q < 4; ++q) {
        const int x = (q % 2) * h, y = (q / 2) * h;
        glColor3ub(colours[q][0], colours[q][1], colours[q][2]);
        glVertex2i(x, y), glVertex2i(x + h, y), glVertex2i(x + h, y + h), glVertex2i(x, y + h);
    }
    glColor3ub(255, 255, 255);
    glVertex2i(0, 37), glVertex2i(size, 37), glVertex2i(size, 38), glVertex2i(0, 38);
    glVertex2i(91, 0), glVertex2i(92, 0), glVertex2i(92, size), glVertex2i(91, size);
    glEnd();
    glColor3ub(255, 255, 255);
}

}  // namespace

TEST_F(OffscreenPictureGLTest, CopiesBackExactlyWhereAskedAndOnlyInItsOwnContext)
{
    DrawQuadrants(width);
    const std::vector<unsigned char> drawn = ReadPixels();
    COffscreenPicture picture;
    EXPECT_FALSE(picture.HasPicture());
    ASSERT_TRUE(picture.Capture(0, 0, width, height)) << "llvmpipe has framebuffer objects and blits";
    ASSERT_TRUE(picture.HasPicture());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    picture.Present(0, 0);
    EXPECT_EQ(ReadPixels(), drawn);

    // A part of the window, copied back elsewhere: the part's pixels land row for row.
    ASSERT_TRUE(picture.Capture(64, 16, 100, 50));
    EXPECT_EQ(picture.Width(), 100);
    glClear(GL_COLOR_BUFFER_BIT);
    picture.Present(10, 150);
    const std::vector<unsigned char> moved = ReadPixels();
    int differ = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            for (int c = 0; c < 3; ++c)
                differ += moved[((150 + y) * width + 10 + x) * 4 + c] != drawn[((16 + y) * width + 64 + x) * 4 + c];
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(moved[(5 * width + 5) * 4], 0) << "nothing outside the copy";

    // A new context: the old buffer went with the old one; nothing is copied from it.
    m_window.DestroyGLContext();
    ASSERT_TRUE(m_window.CreateGLContext());
    EXPECT_FALSE(picture.HasPicture());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    picture.Present(0, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(ReadPixels()[(100 * width + 100) * 4 + 2], 0);
    // And it is made again in the new one.
    DrawQuadrants(width);
    ASSERT_TRUE(picture.Capture(0, 0, width, height));
    glClear(GL_COLOR_BUFFER_BIT);
    picture.Present(0, 0);
    EXPECT_EQ(ReadPixels(), drawn);
    picture.Release();
    EXPECT_FALSE(picture.HasPicture());
}

TEST_F(OffscreenPictureGLTest, WithoutAContextNothingIsKept)
{
    COffscreenPicture picture;
    m_window.DestroyGLContext();
    EXPECT_FALSE(picture.Capture(0, 0, width, height));
    EXPECT_FALSE(picture.HasPicture());
    picture.Present(0, 0);
    picture.Release();
}

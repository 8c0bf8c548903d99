// The platform window gives a working GL context with the multitexture entry points.
#include "GLTestContext.h"

using GLContext = GLTestContext;

TEST_F(GLContext, ClearsAndReadsBack)
{
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    auto px = ReadPixels();
    EXPECT_EQ(px[0], 255);
    EXPECT_EQ(px[1], 0);
    EXPECT_NE(platform::GLProcAddress("glActiveTextureARB"), nullptr);
}

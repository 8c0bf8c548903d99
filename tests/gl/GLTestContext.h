// A hidden window with a current GL context for the gl tests (run under Xvfb).
#pragma once

#include "platform/GL.h"
#include "platform/Platform.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class GLTestContext : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        if (!platform::InitVideo(&error))
            GTEST_SKIP() << "no display: " << error;
        ASSERT_TRUE(m_window.Open("gl test", 0, 0, width, height));
        ASSERT_TRUE(m_window.CreateGLContext());
        glViewport(0, 0, width, height);
    }
    void TearDown() override { m_window.Close(); }

    // RGBA pixels of the back buffer, bottom row first.
    std::vector<unsigned char> ReadPixels()
    {
        std::vector<unsigned char> px(static_cast<size_t>(width) * height * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        return px;
    }

    int width = 256, height = 256;
    platform::Window m_window;
};

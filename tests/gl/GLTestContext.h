// A hidden window with a current GL context for the gl tests (run under Xvfb).
#pragma once

#include "platform/GL.h"
#include "platform/Platform.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
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

    // The finished frame as RGBA rows (bottom up); also written as NAME.tga into the folder
    // "GW_SCREENSHOT_DIR" names, when set, for a look at what the tests saw.
    std::vector<unsigned char> ReadFrame(const char* name)
    {
        glFinish();
        std::vector<unsigned char> px = ReadPixels();
        if (const char* dir = std::getenv("GW_SCREENSHOT_DIR")) {
            std::vector<unsigned char> tga(18, 0);
            tga[2] = 2;
            tga[12] = static_cast<unsigned char>(width & 255), tga[13] = static_cast<unsigned char>(width >> 8);
            tga[14] = static_cast<unsigned char>(height & 255), tga[15] = static_cast<unsigned char>(height >> 8);
            tga[16] = 24;
            for (size_t i = 0; i < px.size(); i += 4)
                tga.insert(tga.end(), {px[i + 2], px[i + 1], px[i]});
            std::ofstream(std::string(dir) + "/" + name + ".tga", std::ios::binary)
                .write(reinterpret_cast<const char*>(tga.data()), static_cast<std::streamsize>(tga.size()));
        }
        return px;
    }

    int width = 256, height = 256;
    platform::Window m_window;
};

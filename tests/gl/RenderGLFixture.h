// A GL test fixture for the renderer: a temporary folder of model files read through a group,
// orthographic set-ups and pixel look-ups in the read-back frame.
#pragma once

#include "GLTestContext.h"

#include "resources/ResourceGroup.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

class RenderGLTest : public GLTestContext {
protected:
    void SetUp() override
    {
        GLTestContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_dir = std::filesystem::temp_directory_path() / ("gw_render_gl_" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir / "dat");
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glColor4f(1, 1, 1, 1);
    }
    void TearDown() override
    {
        if (!m_dir.empty())
            std::filesystem::remove_all(m_dir);
        GLTestContext::TearDown();
    }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    // Model space -1..1 in x and y, looking down -z.
    void ModelView()
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    // The 800 x 600-style screen layer: pixels with y growing downwards.
    void ScreenView()
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, width, height, 0, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    struct Rgb {
        int r, g, b;
    };
    // Pixel at x from the left, y from the top.
    static Rgb At(const std::vector<unsigned char>& px, int w, int h, int x, int y)
    {
        const size_t i = (static_cast<size_t>(h - 1 - y) * w + x) * 4;
        return {px[i], px[i + 1], px[i + 2]};
    }
    Rgb At(const std::vector<unsigned char>& px, int x, int y) const { return At(px, width, height, x, y); }

    std::filesystem::path m_dir;
    ResourceGroup m_group{"render_gl_test"};
};

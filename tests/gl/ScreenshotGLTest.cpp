// F12 screenshots: the frame's rectangle written as a PNG into a folder made on first use, read
// back pixel by pixel; two pictures in one second get two names; the log names each file.
#include "GLTestContext.h"

#include "app/Log.h"
#include "app/Screenshot.h"
#include "unit/PngRead.h"

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

class ScreenshotGLTest : public GLTestContext {};

TEST_F(ScreenshotGLTest, TheFrameIsReadBackFromThePng)
{
    const fs::path root = fs::temp_directory_path() / ("gw_shots_" + std::to_string(getpid()));
    fs::remove_all(root);
    const fs::path folder = root / "Pictures" / "gorgewing2";
    const std::string log = (root.string() + ".log");
    ASSERT_TRUE(LogOpen(log.c_str()));

    // Blue over the whole frame, red in its lower left quarter (GL rows count from the bottom).
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, width / 2, height / 2);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glFinish();

    // The whole frame, then a rectangle of it (as in a letterboxed full screen).
    const std::string whole = SaveScreenshot(folder.string(), 0, 0, width, height);
    const std::string part = SaveScreenshot(folder.string(), 0, 64, width, 128);
    LogOpen(nullptr);
    ASSERT_FALSE(whole.empty());
    ASSERT_FALSE(part.empty());
    EXPECT_NE(whole, part);  // a second picture never overwrites the first
    EXPECT_EQ(fs::path(whole).parent_path(), folder);
    EXPECT_EQ(fs::path(whole).filename().string().rfind("gorgewing2-", 0), 0u);

    Png png;
    ASSERT_TRUE(ReadPng(whole, png));
    EXPECT_EQ(png.width, static_cast<uint32_t>(width));
    EXPECT_EQ(png.height, static_cast<uint32_t>(height));
    EXPECT_EQ(png.channels, 3);  // no alpha: the back buffer's alpha is not the picture's
    using C = std::array<int, 3>;
    EXPECT_EQ(png.At(10, 10), (C{0, 0, 255}));                        // top left: blue
    EXPECT_EQ(png.At(10, height - 10), (C{255, 0, 0}));               // bottom left: red
    EXPECT_EQ(png.At(width - 10, height - 10), (C{0, 0, 255}));       // bottom right: blue
    ASSERT_TRUE(ReadPng(part, png));
    EXPECT_EQ(png.height, 128u);
    EXPECT_EQ(png.At(10, 10), (C{0, 0, 255}));   // GL rows 191.. are blue
    EXPECT_EQ(png.At(10, 120), (C{255, 0, 0}));  // GL row 71 is red

    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "Screenshot: " + whole + "\nScreenshot: " + part + "\n");
    fs::remove_all(root);
    fs::remove(log);
}

TEST_F(ScreenshotGLTest, AFolderThatCannotBeMadeCostsOnlyThePicture)
{
    const fs::path file = fs::temp_directory_path() / ("gw_shots_file_" + std::to_string(getpid()));
    std::ofstream(file) << "not a folder";
    EXPECT_EQ(SaveScreenshot((file / "gorgewing2").string(), 0, 0, width, height), "");
    EXPECT_EQ(SaveScreenshot("", 0, 0, width, height), "");
    fs::remove(file);
}

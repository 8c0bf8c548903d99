// gw-view shot end to end under the display: a textured 3DS model, a unit with a child and a
// line of bitmap text rendered to PNG files, decoded here and checked pixel by pixel.
#include "unit/L3DSBuilder.h"
#include "unit/PictureFiles.h"
#include "unit/PngRead.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ViewShotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no display";
        m_tool = std::string(GW_BIN_DIR) + "/gw-view";
        ASSERT_TRUE(fs::exists(m_tool)) << "build the gw-view target first";
        m_dir = fs::temp_directory_path() / ("gw_viewshot_" + std::to_string(getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        if (!m_dir.empty() && !HasFailure())
            fs::remove_all(m_dir);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    void Write(const std::string& name, const std::string& text) const { std::ofstream(Path(name)) << text; }
    int Shot(const std::string& args) const
    {
        // Under the sanitizer build the display libraries (dbus, the GL driver) leak a few
        // bytes at exit; the tool's own objects are leak-checked by the in-process tests.
        const int raw = std::system(("ASAN_OPTIONS=detect_leaks=0 " + m_tool + " shot " + args).c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    static bool IsBackground(const std::array<int, 3>& c) { return c[0] == 41 && c[1] == 48 && c[2] == 61; }

    std::string m_tool;
    fs::path m_dir;
};

}  // namespace

TEST_F(ViewShotTest, TexturedModel)
{
    // A 2 x 2 square standing in the x-z plane, facing the viewer, textured red.
    const std::vector<float> square = {-1, 0, -1, 1, 0, -1, 1, 0, 1, -1, 0, 1};
    Write("flag.3ds", File3DS({Material3DS("cloth", 255, 255, 255, "red.tga"),
                               MeshObject3DS("flag", square, {{0, 1, 2, 1}, {0, 2, 3, 1}}, "cloth",
                                             {0, 0, 1, 0, 1, 1, 0, 1})}));
    Write("red.tga", MakeTga(2, 2, 24, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255}));
    ASSERT_EQ(Shot(Path("flag.3ds") + " " + Path("flag.png") + " --yaw 0 --pitch 0 --size 200x160"), 0);
    Png png;
    ASSERT_TRUE(ReadPng(Path("flag.png"), png));
    EXPECT_EQ(png.width, 200u);
    EXPECT_EQ(png.height, 160u);
    const auto centre = png.At(100, 80);
    EXPECT_GT(centre[0], 150);  // red, lit
    EXPECT_LT(centre[1], 40);
    EXPECT_LT(centre[2], 40);
    EXPECT_TRUE(IsBackground(png.At(3, 3)));
    EXPECT_TRUE(IsBackground(png.At(196, 156)));
}

TEST_F(ViewShotTest, UnitWithAChild)
{
    // Body x -1..0 and a flag group x 0.5..1, both in the x-z plane; textured green, unlit.
    Write("pair.obj",
          "g body\nv -1 0 -0.5\nv 0 0 -0.5\nv 0 0 0.5\nv -1 0 0.5\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
          "f 1/1 2/2 3/3\nf 1/1 3/3 4/4\n"
          "g flag\nv 0.5 0 -0.25\nv 1 0 -0.25\nv 1 0 0.25\nv 0.5 0 0.25\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
          "f 5/5 6/6 7/7\nf 5/5 7/7 8/8\n");
    Write("green.tga", MakeTga(2, 2, 24, {0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0}));
    Write("pair.unt", "faces_file_name " + Path("pair.obj") + "\ntex_file_name " + Path("green.tga") + "\n");
    ASSERT_EQ(Shot(Path("pair.unt") + " " + Path("pair.png") + " --yaw 0 --pitch 0 --size 256x256"), 0);
    Png png;
    ASSERT_TRUE(ReadPng(Path("pair.png"), png));
    // Normalised, the body spans x -0.5..0 and the child 0.25..0.5; the view is 2 tan 15° wide.
    auto column = [](float x) { return static_cast<uint32_t>((x / 0.5359f + 1.0f) * 0.5f * 256.0f); };
    const auto body = png.At(column(-0.25f), 128);
    const auto child = png.At(column(0.375f), 128);
    EXPECT_EQ(body[1], 255);
    EXPECT_EQ(body[0], 0);
    EXPECT_EQ(child[1], 255);  // the child is drawn at its offset
    EXPECT_TRUE(IsBackground(png.At(column(0.125f), 128)));
    EXPECT_TRUE(IsBackground(png.At(column(0.375f), 128 - 40)));  // the child is only 0.25 high
    EXPECT_EQ(png.At(column(-0.25f), 128 - 40)[1], 255);        // the body 0.5
}

TEST_F(ViewShotTest, LineOfText)
{
    Write("font.tga", MakeFontTga(94));
    ASSERT_EQ(Shot(Path("font.tga") + " " + Path("text.png") + " --size 256x256 --text 'A A'"), 0);
    Png png;
    ASSERT_TRUE(ReadPng(Path("text.png"), png));
    // Size 102.4 (0.4 of the height): 'A' is 45.5 wide, the ink its right three quarters;
    // baseline at 179.2, top at 76.8.
    const auto firstA = png.At(40, 128);
    EXPECT_GT(firstA[0], 240);
    EXPECT_GT(firstA[2], 240);
    EXPECT_TRUE(IsBackground(png.At(80, 128)));   // the space
    EXPECT_GT(png.At(135, 128)[1], 240);          // the second 'A'
    EXPECT_TRUE(IsBackground(png.At(40, 60)));    // above the line
    EXPECT_TRUE(IsBackground(png.At(40, 200)));   // below it
    // Not a font: refused.
    Write("skin.tga", MakeTga(2, 2, 24, std::vector<uint8_t>(12, 9)));
    EXPECT_EQ(Shot(Path("skin.tga") + " " + Path("bad.png") + " --text 'A'"), 1);
    EXPECT_FALSE(fs::exists(Path("bad.png")));
}

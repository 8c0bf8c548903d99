// The level drawn in a real GL context: terrain chunks from display lists with both texture
// units, the single-texture path, fog towards the distance, the sky colour past the level's end.
#include "GLTestContext.h"
#include "unit/DomeMesh.h"
#include "unit/PictureFiles.h"

#include "app/AppWindow.h"
#include "game/GameData.h"
#include "render/ResourceBank.h"
#include "resources/ResourceGroup.h"
#include "world/Clouds.h"
#include "world/Level.h"
#include "world/Terrain.h"
#include "world/Water.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::vector<uint8_t> Solid(int side, uint8_t r, uint8_t g, uint8_t b)
{
    std::vector<uint8_t> px;
    for (int i = 0; i < side * side; ++i)
        px.insert(px.end(), {r, g, b});
    return MakeJpeg(side, side, 3, px);
}

class LevelGLTest : public GLTestContext {
protected:
    void SetUp() override
    {
        GLTestContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        AppWindow::InitMultiTexture();
        m_old = std::filesystem::current_path();
        m_dir = std::filesystem::temp_directory_path() / ("gw_level_gl_" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir / "levels/level01");
        std::filesystem::current_path(m_dir);
        Put("levels/level01/height.raw", std::vector<uint8_t>(256 * 256, 50));
        Put("levels/level01/main.jpg", Solid(8, 230, 20, 20));
        Put("levels/level01/detail.jpg", Solid(8, 128, 128, 128));
        Put("levels/level01/water.jpg", Solid(8, 20, 20, 230));
        std::vector<uint8_t> grey(16 * 16, 255);
        Put("levels/level01/clouds.jpg", MakeJpeg(16, 16, 1, grey));
        Put("levels/level01/noise.jpg", MakeJpeg(16, 16, 1, grey));
        PutTerra("h_dist 0.5\nh_max 10\n", "m_fog_color.x 0\nm_fog_color.y 1\nm_fog_color.z 0\n",
                 "h_water -1\nwater_size 40\nk_water_tex 4\nwater_transparency 1\n");
        Put("levels/level01/clouds.cld",
            "clouds_file_name levels/level01/clouds.jpg\nclouds_noise_file_name levels/level01/noise.jpg\n"
            "m_sky_red 0\nm_sky_green 0\nm_sky_blue 255\n");
        ResourceGroup::CreateGroup(kLevelsGroup)->SetKey(kLevelsPackKey);
    }
    void TearDown() override
    {
        m_level.reset();
        CResourceBank::DeleteAllBanks();
        ResourceGroup::DeleteAllGroups();
        if (!m_dir.empty()) {
            std::filesystem::current_path(m_old);
            std::filesystem::remove_all(m_dir);
        }
        GLTestContext::TearDown();
    }
    void Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    void Put(const std::string& name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }

    // Draws the level seen from eye towards target.
    std::vector<unsigned char> Frame(const Vec3& eye, const Vec3& target, const Vec3& up)
    {
        glEnable(GL_DEPTH_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(70.0, 1.0, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
        m_level->SetViewPosition(Vec3(eye.x, eye.y, eye.z));
        m_level->UpdateLevel(1.0f);
        m_level->DrawLevel();
        return ReadPixels();
    }
    // terra.ter over the flat height image: the given spacing and top height, fog and water.
    void PutTerra(const char* ground, const char* fog, const char* water)
    {
        Put("levels/level01/terra.ter", std::string("k_scale 1\nraw_name levels/level01/height.raw\nlines 4\n") + ground +
                                            "k_detail_tex 4\nmain_tex levels/level01/main.jpg\n"
                                            "detail_tex levels/level01/detail.jpg\nplane_pos_z 3\n" +
                                            fog + "m_fog_type 2\n" + water + "water_tex levels/level01/water.jpg\n");
    }
    // The first level of the forged set, loaded into m_level as the game loads it.
    bool LoadFirstLevel()
    {
        m_level = std::make_unique<CLevel>(&m_game, nullptr);
        return m_level->LoadLevel(1);
    }
    // A faceted dome with patchy clouds over it, as the forge makes them, in a sky of the given
    // colour (0 … 255 a channel).
    void PutCloudyDome(int red, int green, int blue)
    {
        std::vector<uint8_t> patches(32 * 32);
        for (size_t i = 0; i < patches.size(); ++i)
            patches[i] = static_cast<uint8_t>((i * 37 + (i / 32) * 11) % 256);
        Put("levels/level01/patches.jpg", MakeJpeg(32, 32, 1, patches));
        Put("levels/level01/dome.obj", DomeObj(24, 8));
        Put("levels/level01/clouds.cld",
            "faces_file_name levels/level01/dome.obj\nclouds_file_name levels/level01/patches.jpg\n"
            "clouds_noise_file_name levels/level01/patches.jpg\nm_intensity 0.6\n"
            "m_clouds_red 255\nm_clouds_green 255\nm_clouds_blue 255\nm_sky_red " +
                std::to_string(red) + "\nm_sky_green " + std::to_string(green) + "\nm_sky_blue " + std::to_string(blue) +
                "\n");
    }
    // A 70-degree view from eye towards target that reaches the dome, depth test as the game's.
    void Look(const Vec3& eye, const Vec3& target)
    {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(70.0, 1.0, 0.1, 400.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 0, 1);
        m_level->SetViewPosition(eye);
    }
    // DrawLevel's fog, terrain, dome and water around the eye, with the sky pass as given
    // (whole, or cut down to the faces whose depth can hide clouds).
    void DrawWithSkyPass(const Vec3& eye, bool skyPass)
    {
        m_level->SetupFog();
        m_level->GetTerrain()->Draw();
        // The dome where DrawSky puts it: 10 ahead of the view, scaled (140, 140, 80).
        glDisable(GL_FOG);
        glPushMatrix();
        glTranslatef(eye.x, eye.y + 10.0f, 0.0f);
        glScalef(140.0f, 140.0f, 80.0f);
        m_level->Clouds()->Draw(skyPass);
        glPopMatrix();
        glEnable(GL_FOG);
        m_level->GetWater()->Draw();
        glDisable(GL_FOG);
    }
    static size_t DifferingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
    {
        size_t n = 0;
        for (size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 4)
            if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2])
                ++n;
        return n;
    }
    static void Pixel(const std::vector<unsigned char>& px, int w, int x, int y, int& r, int& g, int& b)
    {
        const size_t i = (static_cast<size_t>(y) * w + x) * 4;
        r = px[i];
        g = px[i + 1];
        b = px[i + 2];
    }

    GameData m_game;
    std::unique_ptr<CLevel> m_level;
    std::filesystem::path m_dir, m_old;
};

TEST_F(LevelGLTest, TerrainSeenFromAboveShowsTheMainTextureWithTheDetailAddedSigned)
{
    if (!HasMultiTexture)
        GTEST_SKIP() << "no multitexture";
    ASSERT_TRUE(LoadFirstLevel());
    const Terrain& t = *m_level->GetTerrain();
    ASSERT_EQ(t.DisplayListCount(), 16u);
    const auto px = Frame(Vec3(0, 100, 6), Vec3(0, 100.01f, 0), Vec3(0, 1, 0));
    int r, g, b;
    Pixel(px, width, width / 2, height / 2, r, g, b);
    EXPECT_GT(r, 180);
    EXPECT_LT(g, 70);
    EXPECT_LT(b, 70);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LevelGLTest, ChunksAreCompiledAheadOfTheViewAndDroppedBehindIt)
{
    if (!HasMultiTexture)
        GTEST_SKIP() << "no multitexture";
    ASSERT_TRUE(LoadFirstLevel());
    const Terrain& t = *m_level->GetTerrain();
    ASSERT_EQ(t.DisplayListCount(), 16u);
    // Loaded: the three chunks around the start and the one after them, no more.
    EXPECT_EQ(t.CompiledChunkCount(), 4u);
    // The whole level flown a frame a step: the ground just ahead is always there, while only
    // a few chunks hold display lists at any time.
    auto groundAhead = [&](float y) {
        const auto px = Frame(Vec3(0, y, 6), Vec3(0, y + 3, 0), Vec3(0, 0, 1));
        int r, g, b;
        Pixel(px, width, width / 2, height / 4, r, g, b);
        return r > 100 && g < 60 && b < 60;  // the red ground, not the sky, the water or the fog
    };
    int bare = 0;
    size_t most = 0;
    for (float y = 2.0f; y < t.Length() - 40.0f; y += 1.5f) {
        if (!groundAhead(y)) {
            ++bare;
            ADD_FAILURE() << "no ground ahead at y " << y << " chunks " << t.CompiledChunkCount();
        }
        most = std::max(most, t.CompiledChunkCount());
    }
    EXPECT_EQ(bare, 0);
    EXPECT_LE(most, 5u);
    EXPECT_GE(most, 3u);
    // Back at the start in one jump: its chunks are compiled again for that very frame.
    EXPECT_TRUE(groundAhead(10.0f));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LevelGLTest, SingleTexturePathDrawsTheDetailTextureAlone)
{
    ASSERT_TRUE(LoadFirstLevel());
    m_level->GetTerrain()->SetMultiTexture(false);
    const auto px = Frame(Vec3(0, 100, 6), Vec3(0, 100.01f, 0), Vec3(0, 1, 0));
    int r, g, b;
    Pixel(px, width, width / 2, height / 2, r, g, b);
    EXPECT_NEAR(r, 128, 20);
    EXPECT_NEAR(g, 128, 20);
    EXPECT_NEAR(b, 128, 20);
}

TEST_F(LevelGLTest, DistantGroundFadesIntoTheFogAndPastTheEndOnlyWaterRemains)
{
    ASSERT_TRUE(LoadFirstLevel());
    // Looking along the valley just above the ground: the far ground is pure fog colour.
    auto px = Frame(Vec3(0, 100, 2.5f), Vec3(0, 130, 1.96f), Vec3(0, 0, 1));
    int r, g, b;
    Pixel(px, width, width / 2, height / 2 - 2, r, g, b);
    EXPECT_LT(r, 30);
    EXPECT_GT(g, 225);
    EXPECT_LT(b, 30);
    // Far past the last chunk no terrain is drawn; the water, which follows the view, remains.
    px = Frame(Vec3(0, 5000, 6), Vec3(0, 5000.01f, 0), Vec3(0, 1, 0));
    Pixel(px, width, width / 2, height / 2, r, g, b);
    EXPECT_LT(r, 40);
    EXPECT_LT(g, 40);
    EXPECT_GT(b, 200);
}

TEST_F(LevelGLTest, SkyPassLeftOutWhereTheFrameHoldsTheSkyColourChangesNoPixel)
{
    // Fog and sky of one colour, a faceted dome and patchy clouds over it, as the forge makes
    // them; the frame is cleared in that colour.
    PutTerra("h_dist 0.5\nh_max 10\n", "m_fog_color.x 0.721569\nm_fog_color.y 0.8\nm_fog_color.z 0.878431\n",
             "h_water 0.5\nwater_size 60\nk_water_tex 4\nwater_transparency 0.72\n");
    PutCloudyDome(184, 204, 224);
    ASSERT_TRUE(LoadFirstLevel());
    ASSERT_FALSE(CClouds::SkyPassNeeded(m_level->Clouds()->SkyColor(), m_level->FogColor()));

    // Low over the valley looking ahead and a little up, so that the dome's upright band at
    // the horizon and the faces above it are both in sight; the far plane holds the dome.
    const Vec3 eye(0, 100, 2.5f);
    auto frame = [&](bool skyPass) {
        m_level->ClearFrame();
        Look(eye, eye + Vec3(0, 30, 6));
        DrawWithSkyPass(eye, skyPass);
        return ReadFrame(skyPass ? "sky_pass_whole" : "sky_pass_left_out");
    };
    m_level->UpdateLevel(1.0f);
    const auto whole = frame(true);
    const auto leftOut = frame(false);
    ASSERT_EQ(whole.size(), leftOut.size());
    EXPECT_EQ(DifferingPixels(whole, leftOut), 0u);
    // The frame holds clouds (not only the clear colour), or the comparison says nothing.
    size_t clouded = 0;
    for (size_t i = 0; i < whole.size(); i += 4)
        if (std::abs(whole[i] - 184) > 6 && whole[i + 1] > 200)
            ++clouded;
    EXPECT_GT(clouded, whole.size() / 4 / 20);
}

TEST_F(LevelGLTest, FrameIsClearedInTheSkyColourAndSkyDifferentFromFogKeepsTheWholeSkyPass)
{
    // A high plateau (z 19.6) that runs on far beyond the dome's wall, fog green, sky blue-grey.
    PutTerra("h_dist 3\nh_max 100\n", "m_fog_color.x 0\nm_fog_color.y 1\nm_fog_color.z 0\n",
             "h_water -1\nwater_size 40\nk_water_tex 4\nwater_transparency 1\n");
    PutCloudyDome(40, 60, 200);
    ASSERT_TRUE(LoadFirstLevel());
    EXPECT_NEAR((m_level->SkyColor() - Vec3(40 / 255.0f, 60 / 255.0f, 200 / 255.0f)).Length(), 0.0f, 1e-6f);

    const Vec3 eye(0, 100, 25);
    m_level->UpdateLevel(1.0f);

    // Up through the hole at the dome's top the frame shows what it was cleared in: the sky.
    Look(eye, Vec3(0, 110, 80));
    m_level->ClearFrame();
    m_level->DrawLevel();
    auto px = ReadFrame("clear_sky_hole");
    int r, g, b;
    Pixel(px, width, width / 2, height / 2, r, g, b);
    EXPECT_NEAR(r, 40, 2);
    EXPECT_NEAR(g, 60, 2);
    EXPECT_NEAR(b, 200, 2);

    // Ahead, the plateau lies behind the dome's wall, fogged green: the game's frame is the
    // one with the whole sky pass (forced by a clear colour other than the sky's), and not the
    // one with the pass cut down, which would let the green show through.
    const Vec3 ahead(0, 300, 19);
    auto frame = [&](int pass, const char* name) {
        Look(eye, ahead);
        m_level->ClearFrame();
        if (pass == 0) {
            m_level->DrawLevel();
        } else if (pass == 1) {
            glClearColor(1, 0, 1, 1);
            m_level->DrawLevel();
            const Vec3 sky = m_level->SkyColor();
            glClearColor(sky.x, sky.y, sky.z, 1);
        } else {
            DrawWithSkyPass(eye, false);
        }
        return ReadFrame(name);
    };
    const auto game = frame(0, "sky_fog_differ_game");
    const auto whole = frame(1, "sky_fog_differ_whole_pass");
    const auto cut = frame(2, "sky_fog_differ_cut_pass");
    EXPECT_EQ(DifferingPixels(game, whole), 0u);
    EXPECT_GT(DifferingPixels(game, cut), game.size() / 4 / 50);
}

TEST_F(LevelGLTest, ReloadGraphicsRebuildsTheChunkLists)
{
    ASSERT_TRUE(LoadFirstLevel());
    m_level->ReloadGraphics();
    EXPECT_EQ(m_level->GetTerrain()->DisplayListCount(), m_level->GetTerrain()->UsesMultiTexture() ? 16u : 0u);
    EXPECT_NE(m_game.m_clouds_texture, nullptr);
    const auto px = Frame(Vec3(0, 100, 6), Vec3(0, 100.01f, 0), Vec3(0, 1, 0));
    int r, g, b;
    Pixel(px, width, width / 2, height / 2, r, g, b);
    EXPECT_GT(r, 100);
}

}  // namespace

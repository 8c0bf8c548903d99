// CLevel without a GL context: loading a level's files, the water, fog and clouds it reads, the
// queries, and the broken level files that must still load.
#include "LevelFiles.h"
#include "PictureFiles.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "render/FacesDepot.h"
#include "resources/ParamFile.h"
#include "world/Clouds.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"
#include "world/Terrain.h"
#include "world/Water.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

std::vector<uint8_t> GreyJpeg(int side, int value)
{
    return MakeJpeg(side, side, 1, std::vector<uint8_t>(static_cast<size_t>(side) * side, static_cast<uint8_t>(value)));
}

const char* kDome = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nf 1/1 2/2 3/3\n";

class LevelTest : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        // Band rows rise from 0 (river) to 200 (hills) with the column across the valley.
        Write("levels/level01/height.raw", Heights(256, [](int c, int) { return std::abs((c % 64) - 32) * 6; }));
        Write("levels/level01/terra.ter", TerraText());
        Write("levels/level01/clouds.jpg", GreyJpeg(16, 200));
        Write("levels/level01/noise.jpg", GreyJpeg(16, 100));
        Write("levels/level01/dome.obj", kDome);
        Write("levels/level01/clouds.cld",
              "faces_file_name levels/level01/dome.obj\nclouds_file_name levels/level01/clouds.jpg\n"
              "clouds_noise_file_name levels/level01/noise.jpg\nm_intensity 0.5\n"
              "m_clouds_delta.x 3\nm_clouds_delta.y 4\nm_clouds_delta.w 0.1\n"
              "m_clouds_noise_delta.x 2\nm_clouds_noise_delta.w 0.5\n"
              "m_clouds_red 250\nm_clouds_green 240\nm_clouds_blue 230\n"
              "m_sky_red 51\nm_sky_green 102\nm_sky_blue 255\n");
    }
    GameData m_game;
};

TEST_F(LevelTest, LoadsEveryPartOfTheLevel)
{
    CLevel level(&m_game, nullptr, false);
    EXPECT_FLOAT_EQ(level.FlyingHeight(), 1.0f);
    ASSERT_TRUE(level.LoadLevel(1));
    EXPECT_EQ(level.LevelNumber(), 1);
    EXPECT_FLOAT_EQ(level.HalfWidth(), 16.0f);
    EXPECT_FLOAT_EQ(level.Length(), 510.0f);
    EXPECT_FLOAT_EQ(level.FlyingHeight(), 3.0f);
    EXPECT_FLOAT_EQ(level.WaterHeight(), 2.0f);
    // No fog keys: the documented colour, linear.
    EXPECT_FLOAT_EQ(level.FogColor().y, 0.88f);
    EXPECT_EQ(level.FogType(), 2);
    EXPECT_EQ(CLevel::FogMode(level.FogType()), GL_LINEAR);
    ASSERT_NE(level.Clouds(), nullptr);
    EXPECT_NEAR(level.Clouds()->SkyColor().x, 0.2f, 1e-6f);
    EXPECT_NEAR(level.Clouds()->SkyColor().z, 1.0f, 1e-6f);
    ASSERT_NE(level.Enemies(), nullptr);
    EXPECT_EQ(level.Enemies()->Enemies().size(), 0u);
    // Heights through the level: the river at the valley centre, hills at the sides.
    EXPECT_FLOAT_EQ(level.GroundHeight(0.0f, 100.0f), 0.0f);
    EXPECT_FALSE(level.IsAboveWater(0.0f, 100.0f));
    EXPECT_TRUE(level.IsAboveWater(-14.0f, 100.0f));
}

TEST_F(LevelTest, AboveWaterIncludesEquality)
{
    // Column 36 holds |36 - 32| × 6 = 24; with h_max 255 its height is exactly 24.
    Write("levels/level01/terra.ter", TerraText(0.5f, "h_max 255\nh_water 24\n"));
    CLevel level(&m_game, nullptr, false);
    ASSERT_TRUE(level.LoadLevel(1));
    const float x = 36 * 0.5f - 16.0f;
    ASSERT_FLOAT_EQ(level.GroundHeight(x, 50.0f), level.WaterHeight());
    EXPECT_TRUE(level.IsAboveWater(x, 50.0f));
    EXPECT_FALSE(level.IsAboveWater(x - 0.2f, 50.0f));
}

TEST_F(LevelTest, UpdateFlowsWaterDriftsCloudsAndFinishesAtTheEnd)
{
    CLevel level(&m_game, nullptr, false);
    ASSERT_TRUE(level.LoadLevel(1));
    level.SetViewPosition(Vec3(0, 100, 3));
    level.UpdateLevel(10.0f);
    EXPECT_FLOAT_EQ(level.GetWater()->Offset().y, -0.1f);
    // The cloud drift direction (3, 4) is normalised; speed 0.1.
    EXPECT_NEAR(level.Clouds()->CloudOffset().x, 0.6f, 1e-5f);
    EXPECT_NEAR(level.Clouds()->CloudOffset().y, 0.8f, 1e-5f);
    // The noise drift is used as read.
    EXPECT_NEAR(level.Clouds()->NoiseOffset().x, 10.0f, 1e-4f);
    EXPECT_FALSE(level.IsFinished());
    level.SetViewPosition(Vec3(0, 890 * 0.5f, 3));
    EXPECT_FALSE(level.IsFinished());  // copied from the terrain on the next update
    level.UpdateLevel(1.0f);
    EXPECT_TRUE(level.IsFinished());
    // A new level starts unfinished.
    ASSERT_TRUE(level.LoadLevel(1));
    EXPECT_FALSE(level.IsFinished());
}

TEST_F(LevelTest, WaterTextureIsAnchoredToTheWorld)
{
    CLevel level(&m_game, nullptr, false);
    ASSERT_TRUE(level.LoadLevel(1));
    Water& w = *level.GetWater();
    EXPECT_FLOAT_EQ(w.Size(), 40.0f);
    EXPECT_FLOAT_EQ(w.Transparency(), 0.7f);
    EXPECT_TRUE(w.Blends());
    float s0 = 0, t0 = 0, s1 = 0, t1 = 0;
    w.SetViewPosition(Vec3(0, 0, 0));
    w.TexCoordAt(5.0f, 10.0f, s0, t0);
    EXPECT_FLOAT_EQ(s0, 5.0f / 40.0f * 4.0f);
    EXPECT_FLOAT_EQ(t0, 10.0f / 40.0f * 4.0f);
    // The quad moves with the view by (2, 7); the corner that now covers the same world point
    // has the same coordinates.
    w.SetViewPosition(Vec3(2, 7, 0));
    w.TexCoordAt(3.0f, 3.0f, s1, t1);
    EXPECT_FLOAT_EQ(s1, s0);
    EXPECT_FLOAT_EQ(t1, t0);
    // Flowing shifts the texture by the offset.
    w.Flow(100.0f);
    w.TexCoordAt(3.0f, 3.0f, s1, t1);
    EXPECT_FLOAT_EQ(t1, (7 + 3 - 1.0f) / 40.0f * 4.0f);
}

TEST_F(LevelTest, WaterWithoutTransparencyKeyIsFullyClear)
{
    Write("levels/level01/terra.ter", "h_water 1\nwater_size 10\n");
    CLevel level(&m_game, nullptr, false);
    EXPECT_FALSE(level.LoadLevel(1));  // no terrain
    EXPECT_FLOAT_EQ(level.GetWater()->Transparency(), 0.0f);
    EXPECT_FLOAT_EQ(level.GetWater()->Repeat(), 0.0f);
    Write("levels/level01/terra.ter", "water_transparency 1\n");
    ASSERT_FALSE(level.LoadLevel(1));
    EXPECT_FALSE(level.GetWater()->Blends());
}

TEST_F(LevelTest, MissingFilesStillGiveALevel)
{
    CLevel level(&m_game, nullptr, false);
    EXPECT_FALSE(level.LoadLevel(7));
    EXPECT_FLOAT_EQ(level.HalfWidth(), 0.0f);
    EXPECT_FLOAT_EQ(level.GroundHeight(1, 2), 0.0f);
    EXPECT_FLOAT_EQ(level.MeshHeight(1, 2), 0.0f);
    EXPECT_FLOAT_EQ(level.FlyingHeight(), 0.0f);
    EXPECT_TRUE(level.IsAboveWater(1, 2));  // 0 ground, 0 water
    level.SetViewPosition(Vec3(0, 1e6f, 0));
    level.UpdateLevel(1.0f);
    EXPECT_FALSE(level.IsFinished());
    EXPECT_FLOAT_EQ(level.Clouds()->SkyColor().x, 0.0f);
}

TEST_F(LevelTest, HostileLevelFilesLoadWithoutCrashing)
{
    const std::vector<std::string> bad = {
        "raw_name levels/level01/height.raw lines 4 h_dist -1 h_max 10 k_detail_tex 8 main_tex a detail_tex b",
        "raw_name levels/level01/height.raw lines 0 h_dist 1 h_max 10 k_detail_tex 8 main_tex a detail_tex b",
        "raw_name levels/level01/height.raw lines 9999 h_dist 1 h_max 10 k_detail_tex 8 main_tex a detail_tex b",
        "raw_name levels/level01/missing.raw lines 4 h_dist 1 h_max 10 k_detail_tex 8 main_tex a detail_tex b",
        "raw_name levels/level01/height.raw lines 4 h_dist 1 h_max 10 k_detail_tex 8 main_tex a detail_tex b "
        "m_fog_type 77 k_scale 0",
        "raw_name levels/level01/height.raw lines 4 h_dist nan h_max inf k_detail_tex 8 main_tex a detail_tex b",
        "k_scale -3 raw_name levels/level01/height.raw lines 4 h_dist 1 h_max 10 k_detail_tex 8 main_tex a "
        "detail_tex b water_size 0",
    };
    for (const std::string& text : bad) {
        Write("levels/level01/terra.ter", text);
        CLevel level(&m_game, nullptr, false);
        EXPECT_FALSE(level.LoadLevel(1)) << text;
        level.SetViewPosition(Vec3(0, 50, 3));
        level.UpdateLevel(1.0f);
        EXPECT_TRUE(std::isfinite(level.GroundHeight(0, 50))) << text;
        EXPECT_TRUE(std::isfinite(level.MeshHeight(0, 50))) << text;
    }
    // Fog type outside 0 … 2 is linear.
    Write("levels/level01/terra.ter", TerraText(0.5f, "m_fog_type 77\n"));
    CLevel level(&m_game, nullptr, false);
    ASSERT_TRUE(level.LoadLevel(1));
    EXPECT_EQ(CLevel::FogMode(level.FogType()), GL_LINEAR);
    EXPECT_EQ(CLevel::FogMode(0), GL_EXP);
    EXPECT_EQ(CLevel::FogMode(1), GL_EXP2);
    EXPECT_EQ(CLevel::FogMode(-1), GL_LINEAR);
}

TEST_F(LevelTest, CloudFileFailuresAndDriftEdgeCases)
{
    ResourceGroup& group = *ResourceGroup::GetGroup(kLevelsGroup);
    {
        // A one-character picture name: no cloud layer, the sky stays black.
        Write("c.cld", "faces_file_name levels/level01/dome.obj\nclouds_file_name x\nm_sky_red 255\n");
        CClouds c(false);
        EXPECT_FALSE(c.Load(group, "c.cld"));
        EXPECT_FLOAT_EQ(c.SkyColor().x, 0.0f);
    }
    {
        // A picture that does not decode.
        Write("junk.jpg", "not a picture");
        Write("c.cld", "clouds_file_name junk.jpg\nclouds_noise_file_name levels/level01/noise.jpg\n");
        CClouds c(false);
        EXPECT_FALSE(c.Load(group, "c.cld"));
    }
    {
        // Zero drift direction with a speed: the clouds stand still (no division by zero).
        Write("c.cld", "clouds_file_name levels/level01/clouds.jpg\nclouds_noise_file_name levels/level01/noise.jpg\n"
                       "m_clouds_delta.w 5\nm_clouds_noise_delta.y 1\n");
        CClouds c(false);
        ASSERT_TRUE(c.Load(group, "c.cld"));
        c.Update(100.0f);
        EXPECT_FLOAT_EQ(c.CloudOffset().x, 0.0f);
        EXPECT_FALSE(std::isnan(c.CloudOffset().y));
        EXPECT_FLOAT_EQ(c.NoiseOffset().y, 0.0f);  // noise speed 0: still
        ASSERT_NE(c.Dome(), nullptr);  // the name defaults to "0": a dome with nothing in it
        EXPECT_EQ(c.Dome()->FaceCount(), 0u);
    }
    {
        // A dome whose faces point outside its arrays keeps only the faces that fit.
        Write("bad.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 99\nf -7 2 3\nvt 0 0\n");
        Write("c.cld", "faces_file_name bad.obj\nclouds_file_name levels/level01/clouds.jpg\n"
                       "clouds_noise_file_name levels/level01/noise.jpg\n");
        CClouds c(false);
        ASSERT_TRUE(c.Load(group, "c.cld"));
        ASSERT_NE(c.Dome(), nullptr);
        for (const auto& f : c.Dome()->m_faces)
            for (int v : f.v)
                EXPECT_TRUE(v >= 0 && static_cast<size_t>(v) < c.Dome()->VertexCount());
    }
}

TEST(CloudTexels, CloudColourWithPictureAsAlpha)
{
    DecodedImage grey;
    grey.width = 2;
    grey.height = 1;
    grey.bytesPerPixel = 1;
    grey.pixels = {10, 200};
    const uint8_t colour[3] = {1, 2, 3};
    DecodedImage t = CClouds::CloudTexels(grey, colour);
    ASSERT_EQ(t.pixels.size(), 8u);
    EXPECT_EQ(t.pixels[3], 10);
    EXPECT_EQ(t.pixels[4], 1);
    EXPECT_EQ(t.pixels[7], 200);
    // A colour picture: the first channel of each pixel.
    DecodedImage rgb = grey;
    rgb.bytesPerPixel = 3;
    rgb.pixels = {10, 11, 12, 200, 201, 202};
    t = CClouds::CloudTexels(rgb, colour);
    EXPECT_EQ(t.pixels[7], 200);
    // Pixels missing: nothing.
    rgb.pixels.resize(4);
    EXPECT_EQ(CClouds::CloudTexels(rgb, colour).width, 0u);
}

TEST(FogDepths, HalfAndFullFogOfEveryFogType)
{
    // What the fog leaves of a colour at eye depth z, as GL computes it with the level's fog.
    auto left = [](int type, float z) {
        switch (CLevel::FogMode(type)) {
        case GL_EXP: return std::exp(-0.28f * z);
        case GL_EXP2: return std::exp(-(0.28f * z) * (0.28f * z));
        default: return std::clamp((12.0f - z) / (12.0f - 8.0f), 0.0f, 1.0f);
        }
    };
    for (int type : {0, 1, 2, 7}) {
        float half = 0.0f, full = 0.0f;
        CLevel::FogDepths(type, half, full);
        EXPECT_GT(full, half) << type;
        EXPECT_NEAR(left(type, half), 0.5f, 1e-3f) << type;
        EXPECT_LE(left(type, full), 1.0f / 1024.0f + 1e-6f) << type;
        EXPECT_GT(left(type, full * 0.9f), 0.0f) << type;  // not far beyond where the colour goes
    }
}

}  // namespace

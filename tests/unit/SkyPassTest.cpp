// The sky pass of the cloud layer without a GL context: when the sky colour is already in the
// frame, and which dome faces must still be drawn for their depth.
#include "DomeMesh.h"
#include "LevelFiles.h"
#include "PictureFiles.h"

#include "render/FacesDepot.h"
#include "world/Clouds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(SkyPassNeeded, OnlyWhenSkyAndFogDifferInTheFrameBuffer)
{
    // The forge writes the sky as bytes and the fog as fractions of 255: one colour.
    EXPECT_FALSE(CClouds::SkyPassNeeded(Vec3(184 / 255.0f, 204 / 255.0f, 224 / 255.0f), Vec3(0.721569f, 0.8f, 0.878431f)));
    // One step apart in one channel.
    EXPECT_TRUE(CClouds::SkyPassNeeded(Vec3(184 / 255.0f, 204 / 255.0f, 224 / 255.0f), Vec3(184 / 255.0f, 205 / 255.0f, 224 / 255.0f)));
    // Within one step but on either side of a half-way point: two different bytes.
    EXPECT_TRUE(CClouds::SkyPassNeeded(Vec3(0.2f, 0.2f, 100.4f / 255.0f), Vec3(0.2f, 0.2f, 100.6f / 255.0f)));
    // Too close to half-way to say which byte it becomes: the pass stays.
    EXPECT_TRUE(CClouds::SkyPassNeeded(Vec3(0.2f, 0.2f, 100.5f / 255.0f), Vec3(0.2f, 0.2f, 100.5f / 255.0f)));
    // Beyond 0 … 1 the frame buffer clamps.
    EXPECT_FALSE(CClouds::SkyPassNeeded(Vec3(1.3f, -0.2f, 1.0f), Vec3(1.0f, 0.0f, 7.0f)));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(CClouds::SkyPassNeeded(Vec3(nan, 0, 0), Vec3(nan, 0, 0)));
}

class SkyPassFacesTest : public GameFolderTest {
protected:
    // A cloud layer (no GL) over the dome text.
    void Load(CClouds& c, const std::string& dome)
    {
        Write("levels/level01/dome.obj", dome);
        Write("levels/level01/clouds.jpg", MakeJpeg(4, 4, 1, std::vector<uint8_t>(16, 200)));
        Write("levels/level01/c.cld", "faces_file_name levels/level01/dome.obj\nclouds_file_name levels/level01/clouds.jpg\n"
                                      "clouds_noise_file_name levels/level01/clouds.jpg\n");
        ASSERT_TRUE(c.Load(*ResourceGroup::GetGroup(kLevelsGroup), "levels/level01/c.cld"));
        ASSERT_EQ(c.Dome()->FaceCount(), static_cast<size_t>(2 * kSegments * kRings));
    }
    static int RingOf(size_t face) { return static_cast<int>(face / (2 * kSegments)); }

    static constexpr int kSegments = 12, kRings = 5;
};

TEST_F(SkyPassFacesTest, InsideAConvexDomeOnlyTheUprightBandAndTheOpenEdgesStay)
{
    CClouds c(false);
    Load(c, DomeObj(kSegments, kRings));
    std::vector<uint8_t> draw;
    // The eye where the game puts it: a little above the horizon, off the dome's centre.
    const size_t kept = c.SkyPassFaces(Vec3(0.0f, -0.07f, 0.04f), draw);
    ASSERT_EQ(draw.size(), c.Dome()->FaceCount());
    EXPECT_EQ(kept, static_cast<size_t>(2 * 2 * kSegments));
    for (size_t i = 0; i < draw.size(); ++i) {
        // Ring 0 is upright (its lifted copy is level with the clouds) and borders the open
        // bottom; the top ring borders the hole at the top.
        const bool stays = RingOf(i) == 0 || RingOf(i) == kRings - 1;
        EXPECT_EQ(draw[i], stays ? 1 : 0) << "face " << i << " of ring " << RingOf(i);
    }
}

TEST_F(SkyPassFacesTest, EveryFaceStaysForAnEyeOutsideOrAConcaveDome)
{
    std::vector<uint8_t> draw;
    {
        CClouds c(false);
        Load(c, DomeObj(kSegments, kRings));
        // Above the dome, beyond its side, just inside an upright face (not clear of it), and
        // below the dome's open bottom (inside every face's plane, but under no face).
        const float r = 0.96f;  // the upright face between 0 and 30 degrees lies 0.961 out
        for (const Vec3& eye : {Vec3(0, 0, 1.5f), Vec3(1.2f, 0, 0.04f), Vec3(r * 0.9659f, r * 0.2588f, 0.0f),
                                Vec3(0, 0, -0.5f)}) {
            EXPECT_EQ(c.SkyPassFaces(eye, draw), c.Dome()->FaceCount());
            EXPECT_EQ(draw.size(), c.Dome()->FaceCount());
        }
        const float nan = std::numeric_limits<float>::quiet_NaN();
        EXPECT_EQ(c.SkyPassFaces(Vec3(nan, nan, nan), draw), c.Dome()->FaceCount());
    }
    {
        // One vertex dented inwards: the faces around it no longer bound a convex dome, and a
        // lifted face could stand in front of the clouds somewhere.
        CClouds c(false);
        Load(c, DomeObj(kSegments, kRings, 0.3f));
        EXPECT_EQ(c.SkyPassFaces(Vec3(0.0f, -0.07f, 0.04f), draw), c.Dome()->FaceCount());
    }
}

TEST_F(SkyPassFacesTest, ADomeWithoutFacesOrWithBrokenFacesKeepsWhatItHas)
{
    std::vector<uint8_t> draw;
    CClouds none(false);
    EXPECT_EQ(none.SkyPassFaces(Vec3(0, 0, 0), draw), 0u);
    EXPECT_TRUE(draw.empty());

    // A face with no area cannot make the dome concave; it stays in the sky pass, and the
    // rest of the dome is chosen as without it.
    CClouds c(false);
    Write("levels/level01/dome.obj", DomeObj(kSegments, kRings) + "f 1 1 2\n");
    Write("levels/level01/clouds.jpg", MakeJpeg(4, 4, 1, std::vector<uint8_t>(16, 200)));
    Write("levels/level01/c.cld", "faces_file_name levels/level01/dome.obj\nclouds_file_name levels/level01/clouds.jpg\n"
                                  "clouds_noise_file_name levels/level01/clouds.jpg\n");
    ASSERT_TRUE(c.Load(*ResourceGroup::GetGroup(kLevelsGroup), "levels/level01/c.cld"));
    const size_t faces = c.Dome()->FaceCount();
    c.SkyPassFaces(Vec3(0.0f, -0.07f, 0.04f), draw);
    ASSERT_EQ(draw.size(), faces);
    EXPECT_EQ(draw[faces - 1], 1);
    EXPECT_EQ(draw[2 * kSegments], 0);  // the ring above the upright band still goes
}

}  // namespace

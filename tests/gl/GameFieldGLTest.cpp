// The game field's screen layer read back: the cockpit view's green cross-hair around the centre
// of the 800 x 600 layout, none in the outer views; the player's shadow darkens the ground under
// the aircraft only while it is visible.
#include "GLTestContext.h"

#include "../unit/FlightTestWorld.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "player/Player.h"

namespace {

class GameFieldGL : public GLTestContext {
protected:
    void SetUp() override
    {
        width = 800;
        height = 600;
        GLTestContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // RGB at (x, y) of the layout (y down).
    void Pixel(const std::vector<unsigned char>& px, int x, int y, int rgb[3]) const
    {
        const size_t i = (static_cast<size_t>(height - 1 - y) * width + x) * 4;
        for (int c = 0; c < 3; ++c)
            rgb[c] = px[i + c];
    }
    bool Green(const std::vector<unsigned char>& px, int x, int y) const
    {
        int c[3];
        Pixel(px, x, y, c);
        return c[1] > 200 && c[0] < 50 && c[2] < 50;
    }
};

}  // namespace

TEST_F(GameFieldGL, CrosshairOnlyInTheCockpitView)
{
    GameData game;
    game.m_camera_pos = 0;
    CGameField field(&game, nullptr, nullptr, false);
    field.Draw();
    auto px = ReadPixels();
    // Arms from s to 3s (s = 8) on each side of the centre, nothing at the centre itself.
    EXPECT_TRUE(Green(px, 400 + 16, 300));
    EXPECT_TRUE(Green(px, 400 - 16, 300));
    // The vertical arms lie on the pixel edge at x = 400: either column may take them.
    EXPECT_TRUE(Green(px, 400, 300 + 16) || Green(px, 399, 300 + 16));
    EXPECT_TRUE(Green(px, 400, 300 - 16) || Green(px, 399, 300 - 16));
    EXPECT_FALSE(Green(px, 400, 300));
    EXPECT_FALSE(Green(px, 400 + 40, 300));

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game.m_camera_pos = 7;
    CGameField outer(&game, nullptr, nullptr, false);
    outer.Draw();
    px = ReadPixels();
    EXPECT_FALSE(Green(px, 400 + 16, 300));
}

TEST_F(GameFieldGL, ShadowDarkensTheGroundWhileVisible)
{
    GameData game;
    TuneForTests(game);
    FlightTestWorld world;
    world.ground = 0.0f;
    world.water = -1.0f;
    CPlayer player(&game, &world, nullptr);
    player.SelectAircraft(0);
    player.Shadow().SetSize(4.0f, 4.0f);
    player.Shadow().SetRoll(0.0f);  // level flight: full width
    player.Shadow().Place({0, 0, 3});
    // Looking straight down on the ground over a white background quad.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-5, 5, -5, 5, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    player.Shadow().Draw();
    auto px = ReadPixels();
    int c[3];
    Pixel(px, 400, 300, c);
    EXPECT_LT(c[0], 230) << "darkened under the aircraft";
    EXPECT_GT(c[0], 150) << "a fifth of black over white";
    Pixel(px, 20, 20, c);
    EXPECT_EQ(c[0], 255) << "nothing far from it";
    glClear(GL_COLOR_BUFFER_BIT);
    player.Shadow().SetVisible(false);
    player.Shadow().Draw();
    px = ReadPixels();
    Pixel(px, 400, 300, c);
    EXPECT_EQ(c[0], 255);
}

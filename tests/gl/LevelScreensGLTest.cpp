// The two level screens drawn with the forged layout, font and pictures, read back: the
// begin-level title in yellow, three aircraft previews over their Take Off buttons; the tally's
// red rows and its icons; the field under them. GW_SCREENSHOT_DIR keeps the frames as TGA pictures.
#define GL_GLEXT_PROTOTYPES 1  // the occlusion query that counts what the field draws
#include "ForgedDataGLContext.h"

#include "app/AppWindow.h"
#include "game/Game.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "game/LevelScreens.h"
#include "render/ResourceBank.h"
#include "resources/ResourceGroup.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class LevelScreensGL : public ForgedDataGLContext {
protected:
    void SetUp() override
    {
        ForgedDataGLContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_layout.Load(*m_group, *m_bank));
        m_game = std::make_unique<GameData>();
        m_game->LoadGameFile(*m_group);
        m_game->LoadModels(m_bank);
        m_field = std::make_unique<CGameField>(m_game.get(), m_layout.Font(), nullptr, false);
    }
    void TearDown() override
    {
        m_field.reset();
        m_game.reset();
        ForgedDataGLContext::TearDown();
    }
    std::vector<unsigned char> Frame(CScreen& screen, const char* name)
    {
        screen.Draw();
        return ReadFrame(name);
    }
    // Pixels of a rectangle (layout coordinates, y down) that pass a colour test.
    template <class Test>
    int Count(const std::vector<unsigned char>& px, int x0, int y0, int w, int h, Test test) const
    {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const size_t i = (static_cast<size_t>(height - 1 - y) * width + x) * 4;
                n += test(px[i], px[i + 1], px[i + 2]) ? 1 : 0;
            }
        return n;
    }

    CMenuLayout m_layout;
    std::unique_ptr<GameData> m_game;
    std::unique_ptr<CGameField> m_field;
};

auto Yellow = [](int r, int g, int b) { return r > 200 && g > 200 && b < 80; };
auto Red = [](int r, int g, int b) { return r > 200 && g < 80 && b < 60; };

}  // namespace

TEST_F(LevelScreensGL, BeginScreenShowsTitlePreviewsAndButtons)
{
    CBeginLevelScreen begin(m_field.get(), 0, m_layout, nullptr);
    const auto px = Frame(begin, "begin_level");
    EXPECT_GT(Count(px, 60, 30, 300, 35, Yellow), 200) << "the yellow title";
    // Each preview is a picture of many colours at its layout position; each button a band.
    for (int i = 0; i < 3; ++i) {
        const int x = m_layout.Int("m_plane" + std::to_string(i + 1) + "_prev_x");
        const int y = m_layout.Int("m_plane" + std::to_string(i + 1) + "_prev_y");
        // Lighter than the dark panel behind it: the grey jets and the olive helicopter.
        const int light = Count(px, x + 20, y + 20, 180, 160, [](int r, int g, int b) { return r + g + b > 230; });
        EXPECT_GT(light, 300) << "preview " << i;
    }
    ASSERT_NE(begin.AircraftButton(0), nullptr);
    EXPECT_GT(begin.AircraftButton(0)->Width(), 0.0f) << "the button has its look";
}

// The level's pre-warm is not part of the level start: the begin-level screen sends it on its
// second frame, once, and the screen looks the same with it.
TEST_F(LevelScreensGL, BeginScreenPrewarmsTheLevelOnItsSecondFrameUnseen)
{
    AppWindow::InitMultiTexture();
    ASSERT_TRUE(m_game->SelectLevelSet("levels/base.set"));
    CGameField field(m_game.get(), m_layout.Font(), nullptr, true);
    field.SetWriteSaveFile(false);
    field.NewLevel(1);
    EXPECT_FALSE(field.Prewarmed()) << "the level start leaves it to the screen";
    CBeginLevelScreen begin(&field, 0, m_layout, nullptr);
    const auto first = Frame(begin, "begin_level_first");
    EXPECT_FALSE(field.Prewarmed()) << "the first frame goes to the player at once";
    const auto second = Frame(begin, "begin_level_second");
    EXPECT_TRUE(field.Prewarmed());
    EXPECT_EQ(first, second) << "the pre-warm leaves no mark on the screen";
    field.NewLevel(1);
    EXPECT_FALSE(field.Prewarmed()) << "every level start wants its own";
}

// Under the begin-level screen (which clears the whole picture for its own) the game does not
// draw its field; once the aircraft has taken off it does.
TEST_F(LevelScreensGL, TheFieldIsDrawnOnlyWhenNoLevelScreenCoversIt)
{
    AppWindow::InitMultiTexture();
    ASSERT_TRUE(m_game->SelectLevelSet("levels/base.set"));
    CGame game(m_game.get(), &m_layout, nullptr, true);
    game.Field().SetWriteSaveFile(false);
    game.Update(16.666666f);
    ASSERT_NE(game.BeginScreen(), nullptr);
    GLuint query = 0;
    glGenQueries(1, &query);
    auto samplesDrawn = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        game.Draw();
        glEndQuery(GL_SAMPLES_PASSED);
        GLuint samples = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
        return samples;
    };
    EXPECT_EQ(samplesDrawn(), 0u) << "the begin-level screen covers the field";
    game.BeginScreen()->OnControlEvent(game.BeginScreen()->AircraftButton(0));
    game.OnDialogClosed(game.BeginScreen()->Result(), game.BeginScreen());
    ASSERT_EQ(game.GetPhase(), CGame::Playing);
    EXPECT_GT(samplesDrawn(), 100000u) << "in flight the field fills the picture";
    glDeleteQueries(1, &query);
}

TEST_F(LevelScreensGL, CompleteScreenShowsTheTallyRowsAndIcons)
{
    m_game->killCounts[0] = 3;
    m_game->killCounts[3] = 2;
    m_game->scoreLevel = 640;
    m_game->scoreGame = 640;
    CCompleteLevelScreen complete(m_field.get(), m_layout);
    const auto px = Frame(complete, "level_complete");
    EXPECT_GT(Count(px, 60, 30, 260, 35, Yellow), 150) << "the title";
    // The four rows' texts start 70 to the right of their icons.
    for (int y : {100, 173, 246, 320})
        EXPECT_GT(Count(px, 170, y - 10, 300, 22, Red), 40) << "row at " << y;
    EXPECT_GT(Count(px, 170, 460, 300, 24, Red), 40) << "the game total";
}

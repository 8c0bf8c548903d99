// CGameHud and CHelpOverlay: the texts, the bars' quads, lives never below 0, the hint per game
// and its fade and dark band, no hint from the seventh game on, none from level 4 on; the level
// tally's lines.
#include "unit/PictureFiles.h"

#include "game/GameData.h"
#include "game/GameHud.h"
#include "game/HelpOverlay.h"
#include "game/LevelScreens.h"
#include "render/BitmapText.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(GameHud, TextsAndLives)
{
    GameData game;
    CGameHud hud(&game, nullptr);
    hud.SetScore(1234);
    hud.SetLives(-2);
    hud.SetLevel(3);
    EXPECT_EQ(hud.Lives(), 0);
    EXPECT_EQ(hud.ScoreText(), "Score:    1234");
    EXPECT_EQ(hud.LivesText(), "Lives:   0");
    EXPECT_EQ(hud.LevelText(), "Level:   3");
    EXPECT_EQ(hud.TimeText(), "") << "only in custom games";
    game.customGame = 1;
    hud.SetSeconds(125);
    EXPECT_EQ(hud.TimeText(), "Time: 02:05");
}

TEST(GameHud, BarsShowTheLeftPartOfTheirTexture)
{
    const CGameHud::Quad half = CGameHud::BarQuad(128, 8, 50, 556);
    EXPECT_FLOAT_EQ(half.x, 443 - 64);
    EXPECT_FLOAT_EQ(half.y, 552);
    EXPECT_FLOAT_EQ(half.width, 64);
    EXPECT_FLOAT_EQ(half.uRight, 0.5f);
    const CGameHud::Quad over = CGameHud::BarQuad(128, 8, 140, 571);
    EXPECT_FLOAT_EQ(over.width, 128);
    EXPECT_FLOAT_EQ(over.uRight, 1.0f);
    const CGameHud::Quad under = CGameHud::BarQuad(128, 8, -3, 571);
    EXPECT_FLOAT_EQ(under.width, 0);
}

TEST(HelpOverlay, HintsFollowTheGameCountAndStopAfterSix)
{
    GameData game;
    CHelpOverlay::ResetCount();
    const int expected[6] = {1, 1, 2, 0, 1, 2};
    for (int i = 0; i < 6; ++i) {
        CHelpOverlay help(game, nullptr);
        EXPECT_EQ(help.HintIndex(), expected[i]) << "game " << i + 1;
        EXPECT_EQ(help.GetPhase(), CHelpOverlay::FadeIn);
    }
    CHelpOverlay seventh(game, nullptr);
    EXPECT_EQ(seventh.GetPhase(), CHelpOverlay::Done);
    CHelpOverlay::ResetCount();
}

TEST(HelpOverlay, TextsUseTheBindingsNames)
{
    GameData game;
    CHelpOverlay::ResetCount();
    CHelpOverlay help(game, nullptr);
    ASSERT_EQ(help.Hints().size(), 3u);
    EXPECT_EQ(help.Hints()[0], "For maneuver press LEFT SHIFT + LEFT/RIGHT (Button 2 joystick button)");
    EXPECT_EQ(help.Hints()[1], "To use primary weapon press LEFT CTRL key (Button 1 on joystick) \n To use secondary "
                               "weapon press SPACE key (Button 3 on joystick)");
    EXPECT_EQ(help.Hints()[2], "Press C key to change camera view");
    EXPECT_FLOAT_EQ(help.X(), 130.0f) << "the two-line hint";
    EXPECT_FLOAT_EQ(help.Y(), 100.0f);
    CHelpOverlay::ResetCount();
}

TEST(HelpOverlay, TheDarkBandCoversEveryLineOfTheHint)
{
    const std::vector<uint8_t> tga = MakeFontTga(CBitmapText::kGlyphCount);
    CBitmapText font;
    ASSERT_TRUE(font.BuildGlyphs(tga.data(), tga.size()));
    GameData game;
    CHelpOverlay::ResetCount();
    CHelpOverlay twoLines(game, &font);  // the first game shows the two-line hint
    ASSERT_EQ(twoLines.HintIndex(), 1);
    const std::string& text = twoLines.Text();
    const size_t feed = text.find('\n');
    ASSERT_NE(feed, std::string::npos);
    const float first = font.TextWidth(text.substr(0, feed).c_str(), 12);
    const float second = font.TextWidth(text.substr(feed + 1).c_str(), 12);
    const CHelpOverlay::Box band = twoLines.Backing();
    EXPECT_LT(band.x, twoLines.X());
    EXPECT_GE(band.x + band.width, twoLines.X() + std::max(first, second));
    EXPECT_LT(band.width, first + second) << "as wide as the widest line, not as both together";
    // Text rises 12 above its baseline at y 100; the second line stands 12 lower.
    EXPECT_LT(band.y, twoLines.Y() - 12);
    EXPECT_GT(band.y + band.height, twoLines.Y() + 12);

    CHelpOverlay again(game, &font);  // the second game shows it again
    CHelpOverlay oneLine(game, &font);
    ASSERT_EQ(oneLine.HintIndex(), 2);
    const CHelpOverlay::Box single = oneLine.Backing();
    EXPECT_LT(single.height, band.height);
    EXPECT_GE(single.x + single.width, oneLine.X() + font.TextWidth(oneLine.Text().c_str(), 12));
    EXPECT_FLOAT_EQ(CHelpOverlay(game, nullptr).Backing().width, 0) << "no font, no band";
    CHelpOverlay::ResetCount();
}

TEST(HelpOverlay, FadesInHoldsAndFadesOut)
{
    GameData game;
    CHelpOverlay::ResetCount();
    CGameHud hud(&game, nullptr);
    ASSERT_NE(hud.Help(), nullptr);
    const float dt = 16.666666f * 0.13f;
    int frames = 0;
    while (hud.Help() && frames < 10000) {
        hud.Update(dt);
        ++frames;
    }
    EXPECT_EQ(hud.Help(), nullptr);
    // 1/0.006 + 3000 + 1/0.007 units: about 1520 frames.
    EXPECT_GT(frames, 1450);
    EXPECT_LT(frames, 1600);
    CGameHud later(&game, nullptr);
    ASSERT_NE(later.Help(), nullptr);
    later.SetLevel(3);
    EXPECT_NE(later.Help(), nullptr);
    later.SetLevel(4);
    EXPECT_EQ(later.Help(), nullptr);
    CHelpOverlay::ResetCount();
}

TEST(LevelTally, NormalAndCustomLines)
{
    GameData game;
    game.killCounts[0] = 3;
    game.killCounts[2] = 2;
    game.m_score_plane = 80;
    game.m_score_boat = 50;
    game.scoreLevel = 12345;
    game.scoreGame = 20000;
    auto lines = CCompleteLevelScreen::TallyLines(game, 0);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "  3 x   80 =     240");
    EXPECT_EQ(lines[1], "  2 x   50 =     100");
    EXPECT_EQ(lines[4], "          _________");
    EXPECT_EQ(lines[5], "Level Total    12345   -  Lives Add   2");
    EXPECT_EQ(lines[6], "Game Total     20000");
    game.customGame = 1;
    lines = CCompleteLevelScreen::TallyLines(game, 125);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5], "Level Total    12345");
    EXPECT_EQ(lines[6], "Level Time: 02:05       Time Cost: 625");
}

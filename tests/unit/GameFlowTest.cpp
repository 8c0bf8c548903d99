// CGame and CGameField without a window: phases, lives and game over, extra lives from the level
// score, the last level, the freeze after regaining focus, the camera key's delays, the
// begin-level screen's fire and Escape, the custom game's restarts, and the saved state keys.
#include "FlightTestWorld.h"
#include "game/Game.h"
#include "game/GameField.h"
#include "game/LevelScreens.h"
#include "input/InputDevices.h"
#include "player/Player.h"
#include "resources/ParamFile.h"
#include "ui/GameStart.h"
#include "ui/SimpleButton.h"

#include <gtest/gtest.h>

namespace {

constexpr float kStep = 16.666666f;

class GameFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        TuneForTests(game);
        game.levelsCount = 3;
        input.SetFrozen(true);
        input.SetKeyboardValid(true);
        input.SetViewSize(800, 600);
        input.SetCursor(400, 300);
    }

    std::unique_ptr<CGame> Make(bool custom = false, int level = 2)
    {
        std::unique_ptr<CGame> g;
        if (custom)
            g = std::make_unique<CCustomGame>(&game, nullptr, level, &input, false);
        else
            g = std::make_unique<CGame>(&game, nullptr, &input, false);
        g->Field().SetWriteSaveFile(false);
        g->Field().SetClock([this] { return clockMs; });
        return g;
    }

    // Runs phase 0 and closes the begin-level screen with an aircraft button.
    void StartLevel(CGame& g, int aircraft = 0)
    {
        ASSERT_EQ(g.GetPhase(), CGame::StartLevel);
        g.Update(kStep);
        ASSERT_NE(g.BeginScreen(), nullptr);
        g.BeginScreen()->OnControlEvent(g.BeginScreen()->AircraftButton(aircraft));
        g.OnDialogClosed(g.BeginScreen()->Result(), g.BeginScreen());
        ASSERT_EQ(g.GetPhase(), CGame::Playing);
    }

    // Puts the player into a final state and runs the frames until the game reacts: the field
    // notices the state in its update, the game reads it at the next one.
    void EndRun(CGame& g, CPlayer::State state)
    {
        g.Field().Player()->SetState(state);
        for (int i = 0; i < 3 && g.GetPhase() == CGame::Playing && !g.HasEnded(); ++i)
            g.Update(kStep);
    }

    GameData game;
    InputDevices input;
    uint32_t clockMs = 1000;
};

}  // namespace

TEST_F(GameFlow, ADeathRestartsTheLevelWithOneLifeLessAndKeepsTheScore)
{
    auto g = Make();
    StartLevel(*g, 1);
    EXPECT_EQ(g->Field().Player()->Aircraft(), 1);
    EXPECT_EQ(g->Field().Lives(), 3);
    game.scoreLevel = 300;
    game.killCounts[0] = 2;
    EndRun(*g, CPlayer::Dead);
    EXPECT_EQ(g->GetPhase(), CGame::StartLevel);
    g->Update(kStep);
    EXPECT_EQ(g->Field().Lives(), 2);
    EXPECT_EQ(g->Field().Level(), 1);
    EXPECT_EQ(game.scoreLevel, 300);
    EXPECT_EQ(game.killCounts[0], 2);
    EXPECT_EQ(g->BeginScreen()->Choice(), 1) << "the previous aircraft is offered";
}

TEST_F(GameFlow, LivesRunOutAfterTheRunWithNoneLeft)
{
    auto g = Make();
    StartLevel(*g);
    int runs = 1;
    while (!g->HasEnded() && runs < 10) {
        EndRun(*g, CPlayer::Dead);
        if (g->HasEnded())
            break;
        StartLevel(*g);
        ++runs;
    }
    EXPECT_EQ(runs, 4) << "three lives, and one more run with 0 left";
    EXPECT_TRUE(g->IsOver());
    EXPECT_EQ(g->Result(), 0);
}

TEST_F(GameFlow, AScoreOf12000With5000PerLifeAddsTwoLives)
{
    auto g = Make();
    StartLevel(*g);
    game.scoreLevel = 12000;
    EndRun(*g, CPlayer::LevelFinished);
    EXPECT_EQ(g->GetPhase(), CGame::LevelComplete);
    ASSERT_NE(g->CompleteScreen(), nullptr);
    EXPECT_EQ(g->Field().Lives(), 5);
    EXPECT_EQ(game.scoreGame, 12000);
    EXPECT_EQ(g->FinalScore(), 12000);
    g->OnDialogClosed(0, g->CompleteScreen());
    EXPECT_EQ(g->GetPhase(), CGame::StartLevel);
    g->Update(kStep);
    EXPECT_EQ(g->Field().Level(), 2);
    EXPECT_EQ(game.scoreLevel, 0) << "a new level starts its own score";
    EXPECT_EQ(g->Field().Lives(), 5);
}

TEST_F(GameFlow, NoPointsPerLifeAddNoLivesInsteadOfDividingByZero)
{
    game.m_score_per_lives = 0;
    auto g = Make();
    StartLevel(*g);
    game.scoreLevel = 700;
    EndRun(*g, CPlayer::LevelFinished);
    EXPECT_EQ(g->Field().Lives(), 3);
}

TEST_F(GameFlow, TheLastLevelShowsTheTallyOnceThenEndsWithResultOne)
{
    game.levelsCount = 2;
    auto g = Make();
    StartLevel(*g);
    EndRun(*g, CPlayer::LevelFinished);
    g->OnDialogClosed(0, g->CompleteScreen());
    StartLevel(*g);
    EXPECT_EQ(g->Field().Level(), 2);
    EndRun(*g, CPlayer::LevelFinished);
    ASSERT_NE(g->CompleteScreen(), nullptr);
    EXPECT_FALSE(g->HasEnded());
    g->OnDialogClosed(0, g->CompleteScreen());
    EXPECT_TRUE(g->HasEnded());
    EXPECT_EQ(g->Result(), 1);
    EXPECT_TRUE(g->IsOver());
    EXPECT_TRUE(g->LevelEnded());
}

TEST_F(GameFlow, TheWorldWaitsAfterRegainingFocus)
{
    auto g = Make();
    StartLevel(*g);
    g->Activate();
    EXPECT_FLOAT_EQ(g->FreezeTime(), 13.0f);
    const float y0 = g->Field().Player()->Position().y;
    int frozen = 0;
    while (g->Field().Player()->Position().y == y0 && frozen < 100) {
        g->Update(kStep);
        ++frozen;
    }
    // 13 units at 2.17 a frame: six or seven frames held (13 is six steps up to rounding).
    EXPECT_GE(frozen, 7);
    EXPECT_LE(frozen, 8);
}

TEST_F(GameFlow, TakeOffBeforeTheBeginScreensSecondFrameStillPrewarmsTheLevel)
{
    auto g = Make();
    g->Update(kStep);
    ASSERT_NE(g->BeginScreen(), nullptr);
    EXPECT_FALSE(g->Field().Prewarmed()) << "the level start leaves it to the begin-level screen";
    g->BeginScreen()->OnControlEvent(g->BeginScreen()->AircraftButton(0));
    g->OnDialogClosed(g->BeginScreen()->Result(), g->BeginScreen());
    ASSERT_EQ(g->GetPhase(), CGame::Playing);
    EXPECT_TRUE(g->Field().Prewarmed()) << "the flight never starts without it";
}

TEST_F(GameFlow, EscapeOnTheBeginScreenGoesBackToTheMenu)
{
    auto g = Make();
    g->Update(kStep);
    g->BeginScreen()->OnKeyDown(27);
    EXPECT_EQ(g->BeginScreen()->Result(), 1);
    g->OnDialogClosed(1, g->BeginScreen());
    EXPECT_TRUE(g->HasEnded());
    EXPECT_EQ(g->Result(), 1);
    EXPECT_FALSE(g->IsOver());
}

TEST_F(GameFlow, TheQuitKeyLeavesAGameThatContinueResumes)
{
    auto g = Make();
    StartLevel(*g);
    for (int i = 0; i < 20; ++i)
        g->Update(kStep);
    const float y = g->Field().Player()->Position().y;
    g->OnKeyDown(27);
    EXPECT_TRUE(g->HasEnded());
    EXPECT_EQ(g->Result(), 0);
    EXPECT_FALSE(g->IsOver()) << "left, not lost";
    g->Update(kStep);
    EXPECT_FLOAT_EQ(g->Field().Player()->Position().y, y) << "nothing moves once left";
    g->Activate();  // pushed again by the menu
    EXPECT_FALSE(g->HasEnded());
    for (int i = 0; i < 20; ++i)
        g->Update(kStep);
    EXPECT_GT(g->Field().Player()->Position().y, y);
    EXPECT_EQ(g->Field().Level(), 1);
    EXPECT_EQ(g->Field().Lives(), 3);
}

TEST_F(GameFlow, FireOnTheBeginScreenKeepsThePreviousAircraft)
{
    auto g = Make();
    StartLevel(*g, 2);
    EndRun(*g, CPlayer::Dead);
    input.SetKey(game.m_fire_primary_key, true);
    g->Update(kStep);
    CBeginLevelScreen* begin = g->BeginScreen();
    ASSERT_NE(begin, nullptr);
    begin->Update(kStep);
    EXPECT_EQ(begin->Result(), 0);
    // Held since before the screen opened: not taken as a choice yet.
    input.SetKey(game.m_fire_primary_key, false);
    begin->Update(kStep);
    input.SetKey(game.m_fire_primary_key, true);
    begin->SetResult(-1);
    begin->Update(kStep);
    EXPECT_EQ(begin->Result(), 0);
    g->OnDialogClosed(begin->Result(), begin);
    EXPECT_EQ(g->Aircraft(), 2);
    EXPECT_TRUE(g->Field().Player()->IsHelicopter());
}

TEST_F(GameFlow, CameraKeyWaits300ThenSwitchesAtMostEvery100)
{
    game.m_camera_pos = 7;
    auto g = Make();
    StartLevel(*g);
    input.SetKey(game.m_camera_key, true);
    const float dt = kStep * 0.13f;
    int frame = 0;
    std::vector<int> switches;
    int last = g->Field().CameraIndex();
    for (; frame < 300; ++frame) {
        g->Field().Update(dt);
        if (g->Field().CameraIndex() != last) {
            switches.push_back(frame);
            last = g->Field().CameraIndex();
        }
    }
    ASSERT_GE(switches.size(), 3u);
    EXPECT_GE(switches[0] * dt, 299.0f * 1.0f - dt);
    EXPECT_LE(switches[0] * dt, 300.0f + dt);
    for (size_t i = 1; i < switches.size(); ++i)
        EXPECT_GE((switches[i] - switches[i - 1]) * dt, 99.0f);
    EXPECT_EQ(game.m_camera_pos, g->Field().CameraIndex());
    // From 7 the key wraps to 0: the cockpit.
    EXPECT_EQ(g->Field().CameraIndex(), static_cast<int>(switches.size() - 1) % 8);
}

TEST_F(GameFlow, ACustomGameClearsItsScoreOnEveryStartAndEndsAfterItsTally)
{
    auto g = Make(true, 2);
    EXPECT_EQ(game.customGame, 1);
    StartLevel(*g);
    EXPECT_EQ(g->Field().Level(), 2);
    game.scoreLevel = 400;
    game.killCounts[1] = 3;
    EndRun(*g, CPlayer::Dead);
    g->Update(kStep);
    EXPECT_EQ(game.scoreLevel, 0);
    EXPECT_EQ(game.killCounts[1], 0);
    EXPECT_EQ(g->Field().Level(), 2);
    g->OnDialogClosed(0, g->BeginScreen());
    game.scoreLevel = 1000;
    clockMs += 125000;
    g->Update(kStep);  // the field reads its clock
    EndRun(*g, CPlayer::LevelFinished);
    ASSERT_NE(g->CompleteScreen(), nullptr);
    EXPECT_EQ(game.scoreGame, 1000 - 625) << "the time cost";
    // The Top 7 gets the "Game Total" the tally shows, time charged.
    const std::vector<std::string> tally = CCompleteLevelScreen::TallyLines(game, g->Field().LevelSeconds());
    EXPECT_EQ(tally.back(), "Game Total       375");
    EXPECT_EQ(g->FinalScore(), 375);
    g->OnDialogClosed(0, g->CompleteScreen());
    EXPECT_TRUE(g->HasEnded());
    EXPECT_EQ(g->Result(), 1);
    EXPECT_TRUE(g->IsOver());
    EXPECT_EQ(NInterface::GameScreenScore(g.get()), 375) << "the score the menu hands the name dialog";
}

TEST_F(GameFlow, ADisplayChangeCatchesAHeldMouseInTheNewWindowAndLeavesAFreeOne)
{
    auto g = Make();
    StartLevel(*g);
    ASSERT_TRUE(input.MouseCaptured());
    input.SetViewSize(1024, 768);
    input.SetCursor(10, 10);
    NInterface::GameScreenDisplayChanged(g.get());
    int x = 0, y = 0;
    input.CursorPos(x, y);
    EXPECT_EQ(x, 512);
    EXPECT_EQ(y, 384);
    EXPECT_TRUE(input.MouseCaptured());

    g->OnKeyDown(27);  // left for the menu: the mouse is the player's again
    ASSERT_FALSE(input.MouseCaptured());
    input.SetCursor(10, 10);
    NInterface::GameScreenDisplayChanged(g.get());
    input.CursorPos(x, y);
    EXPECT_EQ(x, 10);
    EXPECT_FALSE(input.MouseCaptured());
}

TEST_F(GameFlow, SavedStateKeys)
{
    auto g = Make();
    StartLevel(*g);
    game.scoreGame = 1234;
    game.killCounts[9] = 7;
    ParamFile tree;
    g->SaveState(tree);
    EXPECT_EQ(tree.GetInt("gf_m_score_at_level_begin", "9"), 0);
    EXPECT_EQ(tree.GetInt("gf_m_is_game_over", "9"), 0);
    EXPECT_EQ(tree.GetInt("gf_m_lifes_count_at_level_begin", "0"), 3);
    EXPECT_EQ(tree.GetInt("gf_m_level_current", "0"), 1);
    EXPECT_EQ(tree.GetInt("gf_m_score_game", "0"), 1234);
    EXPECT_EQ(tree.GetInt("gf_m_score_counts", "0"), 10);
    EXPECT_EQ(tree.GetInt("gf_m_score_counts9", "0"), 7);
    // A file claiming more counters than there are reads only ten.
    tree.SetInt("gf_m_score_counts", 100000);
    tree.SetInt("gf_m_level_current", 99);
    auto h = Make();
    h->LoadState(tree);
    EXPECT_EQ(h->Field().Level(), 1) << "out of range: level 1";
    EXPECT_EQ(game.killCounts[9], 7);
}

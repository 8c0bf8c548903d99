// "data/save.sav" as the level starts and the main menu write it: the controls always, the game's
// state and kind only with autosave on, and never an earlier game left over in the file.
#include "FlightTestWorld.h"
#include "LevelFiles.h"

#include "app/AppWindow.h"
#include "game/Game.h"
#include "game/GameControls.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "player/Player.h"
#include "resources/AppConfig.h"
#include "resources/ParamFile.h"
#include "ui/MainMenu.h"

#include <gtest/gtest.h>

namespace {

class SavedGame : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        TuneForTests(game);
        game.levelsCount = 3;
        input.SetFrozen(true);
        oldAutosave = TheAppConfig().m_autosave;
    }
    void TearDown() override
    {
        TheAppConfig().m_autosave = oldAutosave;
        GameFolderTest::TearDown();
    }
    ParamFile ReadSave() const
    {
        ParamFile f;
        EXPECT_TRUE(f.Load(kSaveFile, true, kSaveKey));
        return f;
    }
    // An earlier saved game in the file, as a previous run with autosave on left it.
    void WriteEarlierGame() const
    {
        ParamFile old;
        old.SetInt("m_left_key", 30);
        old.SetInt("gf_m_level_current", 5);
        old.SetInt("gf_m_score_game", 777);
        old.SetInt("m_game_kind", 1);
        ASSERT_TRUE(old.Save(kSaveFile, kSaveKey));
    }
    static bool HasGameState(const ParamFile& f)
    {
        for (const auto& [key, value] : f.Pairs())
            if (key.rfind("gf_", 0) == 0 || key == "m_game_kind")
                return true;
        return false;
    }

    GameData game;
    InputDevices input;
    bool oldAutosave = false;
};

}  // namespace

TEST_F(SavedGame, AutosaveOffLeavesOnlyTheControlsAtALevelStart)
{
    WriteEarlierGame();
    TheAppConfig().m_autosave = false;
    game.m_left_key = 44;
    CGame g(&game, nullptr, &input, false);
    g.Field().NewLevel(2);
    const ParamFile f = ReadSave();
    EXPECT_EQ(f.GetInt("m_left_key", "0"), 44);
    EXPECT_TRUE(f.Has("m_mouseSens"));
    EXPECT_FALSE(HasGameState(f)) << "the earlier game is gone";
}

TEST_F(SavedGame, AutosaveOnWritesTheStartOfTheLevelBeingPlayed)
{
    TheAppConfig().m_autosave = true;
    CCustomGame g(&game, nullptr, 2, &input, false);
    game.scoreGame = 2500;
    game.scoreLevel = 130;
    game.killCounts[0] = 4;
    game.killCounts[9] = 2;
    g.Field().NewLevel(2);
    const ParamFile f = ReadSave();
    EXPECT_EQ(f.GetInt("m_left_key", "0"), game.m_left_key) << "the controls come first";
    EXPECT_EQ(f.GetInt("m_game_kind", "9"), 1);
    EXPECT_EQ(f.GetInt("gf_m_is_game_over", "9"), 0);
    EXPECT_EQ(f.GetInt("gf_m_score_at_level_begin", "9"), 0);
    EXPECT_EQ(f.GetInt("gf_m_lifes_count_at_level_begin", "0"), CGameField::kStartLives);
    EXPECT_EQ(f.GetInt("gf_m_level_current", "0"), 2);
    EXPECT_EQ(f.GetInt("gf_m_score_game", "0"), 2500);
    EXPECT_EQ(f.GetInt("gf_m_score_level", "0"), 130);
    EXPECT_EQ(f.GetInt("gf_m_score_counts", "0"), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(f.Has("gf_m_score_counts" + std::to_string(i))) << i;
    EXPECT_FALSE(f.Has("gf_m_score_counts10"));
    EXPECT_EQ(f.GetInt("gf_m_score_counts0", "0"), 4);
    EXPECT_EQ(f.GetInt("gf_m_score_counts9", "0"), 2);

    // A game over in the field is still written as 0 by the next start.
    g.Field().Player()->SetState(CPlayer::Dead);
    g.Field().Update(1.0f);
    ASSERT_TRUE(g.Field().Ended());
    g.Field().NewLevel(2);
    const ParamFile again = ReadSave();
    EXPECT_EQ(again.GetInt("gf_m_is_game_over", "9"), 0);
    EXPECT_EQ(again.GetInt("gf_m_lifes_count_at_level_begin", "0"), CGameField::kStartLives - 1);

    // Loading the state back restarts that level with those lives and scores.
    GameData other;
    TuneForTests(other);
    CGame h(&other, nullptr, &input, false);
    h.Field().SetWriteSaveFile(false);
    h.LoadState(again);
    EXPECT_EQ(h.Field().Level(), 2);
    EXPECT_EQ(h.Field().Lives(), CGameField::kStartLives - 1);
    EXPECT_EQ(other.scoreGame, 2500);
    EXPECT_EQ(other.killCounts[9], 2);
}

TEST_F(SavedGame, TheMenusSaveAtExitIsAFreshTree)
{
    WriteEarlierGame();
    AppWindow::Create("saved game test");
    {
        NInterface::CMainMenu menu(nullptr, nullptr, false);
        menu.LoadControls();
        EXPECT_EQ(GameData::Get().m_left_key, 30);

        TheAppConfig().m_autosave = false;
        menu.StoreControls();
        ParamFile f = ReadSave();
        EXPECT_EQ(f.GetInt("m_left_key", "0"), 30);
        EXPECT_FALSE(HasGameState(f));

        // With autosave on and a game held, its state and kind join the controls.
        TheAppConfig().m_autosave = true;
        auto* g = new CCustomGame(&GameData::Get(), nullptr, 1, &input, false);  // owned by the menu
        g->Field().SetWriteSaveFile(false);
        g->Field().NewLevel(1);
        menu.SetGameScreen(g);
        menu.StoreControls();
        f = ReadSave();
        EXPECT_EQ(f.GetInt("m_game_kind", "9"), 1);
        EXPECT_EQ(f.GetInt("gf_m_level_current", "0"), 1);
        EXPECT_EQ(f.GetInt("gf_m_score_counts", "0"), 10);

        // Without a game nothing of a game is written.
        menu.SetGameScreen(nullptr);
        delete g;
        menu.StoreControls();
        EXPECT_FALSE(HasGameState(ReadSave()));
    }
    AppWindow::Release();
    SetDefaultBindings(GameData::Get());
    GameData::Get().customGame = 0;
}

// The attract mode without a window: the idle time counted only on the bare menu with the option
// on, the demonstration flying a base level of the forged set, every way back (key, mouse button,
// joystick button, 60 seconds), and a held game, the game record, the save and the tables exactly
// as they were afterwards. The option's check box and its key in "data/save.sav" too.
#include "LevelFiles.h"

#include "app/AppWindow.h"
#include "game/AttractDemo.h"
#include "game/Game.h"
#include "game/GameControls.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "game/LevelScreens.h"
#include "input/InputDevices.h"
#include "player/Player.h"
#include "render/ResourceBank.h"
#include "resources/AppConfig.h"
#include "resources/FileIO.h"
#include "resources/GameFolders.h"
#include "resources/ParamFile.h"
#include "ui/MainMenu.h"
#include "ui/MenuLayout.h"
#include "ui/OptionsDialog.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr float kStep = 16.666666f;

class AttractMode : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        std::filesystem::create_symlink(std::string(GW_GAME_DIR) + "/levels/base.set", "levels/base.set");
        ResourceGroup* main = ResourceGroup::GetGroup(kMainGroup);
        main->SetKey(kMainPackKey);
        ASSERT_TRUE(main->MountPack(std::string(GW_GAME_DIR) + "/data/data.pk"));
        GameData::Destroy();
        GameData& g = GameData::Get();
        ASSERT_TRUE(g.LoadGameFile(*main));
        g.SelectLevelSet(GameData::kDefaultLevelsPack);
        ASSERT_GE(g.levelsCount, 1);
        app = AppWindow::Create("attract mode test");
        app->SetActive(true);  // the main loop updates only an active window
        menu = std::make_unique<NInterface::CMainMenu>(nullptr, nullptr, false);
        menu->SetAttractIdleMs(1000.0f);
        app->PushScreen(menu.get());
        oldAutosave = TheAppConfig().m_autosave;
    }
    void TearDown() override
    {
        TheAppConfig().m_autosave = oldAutosave;
        menu.reset();
        AppWindow::Release();
        GameData::Destroy();
        CResourceBank::DeleteAllBanks();
        GameFolderTest::TearDown();
    }
    // Frames of the main loop: deferred closes, results, the update of the top screen.
    void Frames(int n)
    {
        for (int i = 0; i < n; ++i)
            app->UpdateFrame(kStep);
    }
    void Key(int code)
    {
        platform::Message m;
        m.kind = platform::MsgKind::KeyDown;
        m.wparam = code;
        app->HandleMessage(m);
    }
    // Idle until the demonstration is on top.
    CAttractDemo* IdleIntoDemo()
    {
        Frames(61);
        CAttractDemo* demo = menu->Demo();
        EXPECT_NE(demo, nullptr);
        EXPECT_EQ(app->TopScreen(), demo);
        return demo;
    }
    void ExpectBackOnTheMenu()
    {
        Frames(1);
        EXPECT_EQ(menu->Demo(), nullptr);
        EXPECT_EQ(app->TopScreen(), menu.get());
        EXPECT_EQ(app->ScreenCount(), 1u);
        EXPECT_EQ(app->DialogCount(), 0u);
        EXPECT_LE(menu->IdleMs(), kStep + 0.01f);  // counted again from the menu's return
    }

    AppWindow* app = nullptr;
    std::unique_ptr<NInterface::CMainMenu> menu;
    bool oldAutosave = false;
};

}  // namespace

TEST_F(AttractMode, IdleTimeCountsOnlyOnTheBareMenuWithTheOptionOn)
{
    EXPECT_FLOAT_EQ(NInterface::CMainMenu::kAttractIdleMs, 30000.0f);
    Frames(40);
    EXPECT_NEAR(menu->IdleMs(), 40 * kStep, 0.1f);
    // Any input on the menu starts the count again.
    menu->OnMouseMove(10, 10, 0);
    EXPECT_FLOAT_EQ(menu->IdleMs(), 0.0f);
    Frames(40);
    menu->OnChar('a', 1);
    EXPECT_FLOAT_EQ(menu->IdleMs(), 0.0f);
    Frames(40);
    menu->OnLButtonUp(1, 1, 0);
    EXPECT_FLOAT_EQ(menu->IdleMs(), 0.0f);

    // A dialog open: the menu is not updated and nothing counts, however long it stays.
    menu->OnControlEvent(menu->QuitButton());
    ASSERT_EQ(app->DialogCount(), 1u);
    Frames(200);
    EXPECT_EQ(menu->Demo(), nullptr);
    EXPECT_FLOAT_EQ(menu->IdleMs(), 0.0f);
    app->TopDialog()->SetResult(1);
    app->CloseTop(true);
    Frames(1);
    ASSERT_EQ(app->DialogCount(), 0u);

    // The option off: no demonstration.
    GameData::Get().m_attract_mode = 0;
    Frames(200);
    EXPECT_EQ(menu->Demo(), nullptr);
    GameData::Get().m_attract_mode = 1;
    Frames(59);
    EXPECT_EQ(menu->Demo(), nullptr);
    Frames(2);
    ASSERT_NE(menu->Demo(), nullptr);
    EXPECT_EQ(app->TopScreen(), menu->Demo());
}

TEST_F(AttractMode, TheDemoFliesABaseLevelWithItsEnemiesAndAKeyGivesTheMenuBack)
{
    CAttractDemo* demo = IdleIntoDemo();
    ASSERT_NE(demo, nullptr);
    ASSERT_NE(demo->Field(), nullptr);
    EXPECT_TRUE(demo->Field()->Prewarmed()) << "the demonstration flies without a begin-level screen";
    EXPECT_GE(demo->Level(), 1);
    EXPECT_LE(demo->Level(), GameData::Get().levelsCount);
    const CPlayer* p = demo->Field()->Player();
    const float y0 = p->Position().y;
    ASSERT_NE(demo->Field()->World()->Enemies(), nullptr);
    EXPECT_GT(demo->Field()->World()->Enemies()->Enemies().size(), 10u);
    // The autopilot steers through its own devices, never the player's.
    EXPECT_NE(&demo->PilotInput(), &app->Input());
    Frames(300);
    EXPECT_GT(p->Position().y, y0 + 5.0f);
    EXPECT_FALSE(demo->Finished());
    EXPECT_EQ(menu->Demo(), demo);

    // A key: the demonstration takes it (the menu does not see it) and the menu is back.
    Key(27);
    ExpectBackOnTheMenu();
    EXPECT_EQ(menu->QuitDialog(), nullptr);
}

TEST_F(AttractMode, AMouseButtonAJoystickButtonOrSixtySecondsGiveTheMenuBack)
{
    IdleIntoDemo();
    platform::Message down;
    down.kind = platform::MsgKind::LButtonDown;
    app->HandleMessage(down);
    ExpectBackOnTheMenu();

    // A joystick button held from before the demonstration does not end it; a new press does.
    InputDevices::JoyState held;
    held.buttons[3] = 0x80;
    app->Input().SetJoystick(true, held);
    CAttractDemo* demo = IdleIntoDemo();
    Frames(5);
    EXPECT_EQ(app->TopScreen(), demo);
    app->Input().SetJoystick(true, InputDevices::JoyState{});
    Frames(5);
    EXPECT_EQ(app->TopScreen(), demo);
    InputDevices::JoyState press;
    press.buttons[0] = 0x80;
    app->Input().SetJoystick(true, press);
    Frames(1);
    ExpectBackOnTheMenu();
    app->Input().SetJoystick(false, InputDevices::JoyState{});

    // Alt+F4 while it flies: the demonstration ends and the menu, back on top, asks the window to
    // close as it does for Alt+F4 on itself.
    platform::Message posted;
    while (app->Pump().Peek(posted)) {
    }
    IdleIntoDemo()->OnCloseRequest();
    ExpectBackOnTheMenu();
    ASSERT_TRUE(app->Pump().Peek(posted));
    EXPECT_EQ(posted.kind, platform::MsgKind::Close);

    // Sixty seconds of frames: level 1 is not over before that.
    menu->StartDemo(1);
    ASSERT_NE(menu->Demo(), nullptr);
    int frames = 0;
    while (menu->Demo() && frames < 3700) {
        Frames(1);
        ++frames;
    }
    EXPECT_EQ(menu->Demo(), nullptr);
    EXPECT_GE(frames, 3599);
    EXPECT_LE(frames, 3601);
    EXPECT_EQ(app->TopScreen(), menu.get());
}

TEST_F(AttractMode, AHeldGameTheRecordTheSaveAndTheTablesAreExactlyAsTheyWere)
{
    GameData& g = GameData::Get();
    // A game held for Continue, partway into its first level.
    InputDevices input;
    input.SetFrozen(true);
    input.SetKeyboardValid(true);
    input.SetViewSize(800, 600);
    input.SetCursor(400, 300);
    auto* game = new CGame(&g, nullptr, &input, false);  // owned by the menu
    game->Field().SetWriteSaveFile(false);
    uint32_t clock = 5000;
    game->Field().SetClock([&clock] { return clock; });
    game->Update(kStep);  // phase 0 starts level 1 and shows the begin screen
    ASSERT_NE(game->BeginScreen(), nullptr);
    game->BeginScreen()->OnControlEvent(game->BeginScreen()->AircraftButton(1));
    Frames(1);  // the begin screen leaves the dialog stack (the game is not pushed here)
    ASSERT_EQ(app->DialogCount(), 0u);
    game->OnDialogClosed(game->BeginScreen()->Result(), game->BeginScreen());
    ASSERT_EQ(game->GetPhase(), CGame::Playing);
    for (int i = 0; i < 200; ++i)
        game->Update(kStep);
    g.scoreGame = 1234;
    g.scoreLevel = 321;
    g.killCounts[2] = 4;
    g.killCounts[7] = 1;
    g.m_custom_level_num = 3;
    menu->SetGameScreen(game);
    TheAppConfig().m_autosave = true;

    // The files a demonstration must not touch.
    ParamFile save;
    save.SetInt("m_left_key", 30);
    ASSERT_TRUE(WriteSaveFile(save));
    ASSERT_TRUE(g.scoreTables[0].Save(CurrentFolders().ScoresFile(0)));
    std::vector<uint8_t> saveBytes, tableBytes;
    ASSERT_TRUE(ReadWholeFile(CurrentFolders().SaveFile(), saveBytes));
    ASSERT_TRUE(ReadWholeFile(CurrentFolders().ScoresFile(0), tableBytes));
    std::filesystem::remove(CurrentFolders().ScoresFile(1));

    const GameRecordState before = GameRecordState::Take(g);
    CGameField& f = game->Field();
    const Vec3 pos = f.Player()->Position();
    const float fuel = f.Player()->Fuel();
    const int lives = f.Lives(), level = f.Level();
    const size_t enemies = f.World()->Enemies()->Enemies().size();
    CResourceBank* bank = CResourceBank::FindBank("CLevel");
    ASSERT_NE(bank, nullptr);

    CAttractDemo* demo = IdleIntoDemo();
    ASSERT_NE(demo, nullptr);
    EXPECT_NE(CResourceBank::FindBank("CLevel"), bank);  // the demonstration's level has its own
    Frames(400);
    EXPECT_EQ(g.scoreGame, 0);  // the demonstration scores for itself meanwhile
    Key(57);
    ExpectBackOnTheMenu();

    const GameRecordState after = GameRecordState::Take(g);
    EXPECT_EQ(after.scoreGame, before.scoreGame);
    EXPECT_EQ(after.scoreLevel, before.scoreLevel);
    for (int i = 0; i < GameData::kKillCounters; ++i)
        EXPECT_EQ(after.killCounts[i], before.killCounts[i]) << i;
    EXPECT_EQ(after.customGame, before.customGame);
    EXPECT_EQ(after.customLevelNum, before.customLevelNum);
    EXPECT_EQ(after.cameraPos, before.cameraPos);
    EXPECT_EQ(after.levelsPackName, before.levelsPackName);
    EXPECT_EQ(after.levelsCount, before.levelsCount);
    EXPECT_FLOAT_EQ(after.planePosY, before.planePosY);
    EXPECT_EQ(after.cloudsTexture, before.cloudsTexture);
    EXPECT_EQ(after.hintsShown, before.hintsShown);
    EXPECT_EQ(CResourceBank::FindBank("CLevel"), bank);

    // The menu still holds the game, and does not reopen the game dialog by itself.
    EXPECT_EQ(menu->GameScreen(), game);
    EXPECT_FALSE(menu->ReopenGameDialog());
    EXPECT_EQ(menu->GameDialog(), nullptr);
    EXPECT_EQ(f.Player()->Position().x, pos.x);
    EXPECT_EQ(f.Player()->Position().y, pos.y);
    EXPECT_EQ(f.Player()->Fuel(), fuel);
    EXPECT_EQ(f.Lives(), lives);
    EXPECT_EQ(f.Level(), level);
    EXPECT_EQ(f.World()->Enemies()->Enemies().size(), enemies);

    std::vector<uint8_t> saveAfter, tableAfter;
    ASSERT_TRUE(ReadWholeFile(CurrentFolders().SaveFile(), saveAfter));
    ASSERT_TRUE(ReadWholeFile(CurrentFolders().ScoresFile(0), tableAfter));
    EXPECT_EQ(saveAfter, saveBytes);
    EXPECT_EQ(tableAfter, tableBytes);
    EXPECT_FALSE(std::filesystem::exists(CurrentFolders().ScoresFile(1)));

    // Continue: the held game flies on from where it was.
    for (int i = 0; i < 30; ++i)
        game->Update(kStep);
    EXPECT_GT(f.Player()->Position().y, pos.y);
    EXPECT_EQ(g.scoreGame, 1234);
}

TEST_F(AttractMode, TheOptionIsAPreferenceOfTheSaveFileOnWhenMissing)
{
    GameData& g = GameData::Get();
    ParamFile f;
    g.m_attract_mode = 0;
    LoadControls(g, f);
    EXPECT_EQ(g.m_attract_mode, 1);
    f.SetInt("m_attract_mode", 0);
    LoadControls(g, f);
    EXPECT_EQ(g.m_attract_mode, 0);
    ParamFile out;
    StoreControls(g, out);
    EXPECT_EQ(out.GetString("m_attract_mode", "missing"), "0");

    // The Options check box shows it and changes it at once.
    CMenuLayout layout;
    NInterface::COptionsDialog options(layout, TheAppConfig(), g, nullptr);
    ASSERT_NE(options.AttractBox(), nullptr);
    EXPECT_FALSE(options.AttractBox()->IsChecked());
    options.AttractBox()->SetChecked(true);
    options.OnControlEvent(options.AttractBox());
    EXPECT_EQ(g.m_attract_mode, 1);
}

// Dialog screens: window pixels to dialog coordinates, Escape and Enter, and the dialogs' own
// rules (custom-game range, level-set listing, the options that apply at once or only on close,
// the main menu's quit key and its reopening of the game dialog).
#include "app/AppWindow.h"
#include "audio/SoundManager.h"
#include "game/Game.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "game/GameHud.h"
#include "input/InputDevices.h"
#include "resources/AppConfig.h"
#include "resources/PackFile.h"
#include "resources/ResourceGroup.h"
#include "ui/CustomGameDlg.h"
#include "ui/GameDlg.h"
#include "ui/KeyReader.h"
#include "ui/LevelSetDlg.h"
#include "ui/MainMenu.h"
#include "ui/OptionsDialog.h"
#include "ui/QuitDialog.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/SimpleEdit.h"
#include "ui/SimpleList.h"
#include "ui/TrackBar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace NInterface;

namespace {

// A widget that records the keys and clicks it gets.
class ProbeControl : public CControl {
public:
    bool OnLButtonDown(int x, int y, unsigned) override
    {
        lastX = x;
        lastY = y;
        return false;
    }
    void OnKeyDown(int vk) override { keys.push_back(vk); }
    int lastX = -1, lastY = -1;
    std::vector<int> keys;
};

class ProbeDialog : public CDialogScreen {
public:
    ProbeDialog() { m_controls.push_back(&probe); }
    void OnControlEvent(CControl*) override {}
    void ClientSize(int& w, int& h) const override
    {
        w = clientW;
        h = clientH;
    }
    ProbeControl probe;
    int clientW = 800, clientH = 600;
};

class Receiver : public CScreen {
public:
    void OnDialogClosed(int result, CDialogScreen* dialog) override
    {
        lastResult = result;
        lastDialog = dialog;
    }
    int lastResult = -1;
    CDialogScreen* lastDialog = nullptr;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppWindow::Create("dialog test");
        AppWindow::Get()->PushScreen(&receiver);
    }
    void TearDown() override { AppWindow::Release(); }
    Receiver receiver;
};

TEST(DialogScreen, WindowPixelsAreScaledToTheLayoutThenMadeRelative)
{
    EXPECT_EQ(CDialogScreen::ToDialog(800, 1600, 800, 100), 300);
    EXPECT_EQ(CDialogScreen::ToDialog(600, 1200, 600, 50), 250);
    EXPECT_EQ(CDialogScreen::ToDialog(399, 800, 800, 0.9f), 399) << "the corner's fraction is dropped";
    // A hostile layout corner far outside int ends clamped, never wrapped round.
    EXPECT_EQ(CDialogScreen::ToDialog(10, 800, 800, 3.0e9f), 10 - 2147483647);
    EXPECT_EQ(CDialogScreen::ToDialog(-2147483647, 800, 800, 2147483647.0f), -2147483647 - 1);
    EXPECT_EQ(CDialogScreen::ToDialog(2147483647, 400, 800, -3.0e9f), 2147483647);
    EXPECT_EQ(CDialogScreen::ToDialog(10, 0, 800, 5), 5) << "no client size: no scaling";

    ProbeDialog d;
    d.SetPosition(100, 50);
    d.clientW = 1600;
    d.clientH = 1200;
    d.OnLButtonDown(800, 600, 0);
    EXPECT_EQ(d.probe.lastX, 300);
    EXPECT_EQ(d.probe.lastY, 250);
}

TEST_F(DialogTest, EscapeCancelsAndEnterAcceptsAndTheKeyStillReachesTheWidgets)
{
    ProbeDialog d;
    AppWindow* app = AppWindow::Get();
    app->PushDialog(&d);
    d.OnKeyDown(27);
    EXPECT_EQ(d.probe.keys, std::vector<int>{27});
    EXPECT_EQ(app->DialogCount(), 1u) << "closing waits for the next update";
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(app->DialogCount(), 0u);
    EXPECT_EQ(receiver.lastResult, 1);
    EXPECT_EQ(receiver.lastDialog, &d);

    app->PushDialog(&d);
    d.OnKeyDown(13);
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(receiver.lastResult, 0);
}

TEST_F(DialogTest, QuitDialogButtonsCloseWithTheirResults)
{
    CMenuLayout layout;
    CQuitDalog q(layout);
    AppWindow* app = AppWindow::Get();
    app->PushDialog(&q);
    q.OnControlEvent(q.CancelButton());
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(receiver.lastResult, 1);
    app->PushDialog(&q);
    q.OnControlEvent(q.OkButton());
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(receiver.lastResult, 0);
}

TEST_F(DialogTest, CustomGameEditKeepsToTheSetsLevels)
{
    CMenuLayout layout;
    CCustomGameDlg d(layout, 9, 12);
    EXPECT_EQ(d.Edit()->Text(), "1") << "a kept level beyond the set starts at 1";
    EXPECT_TRUE(d.Edit()->IsFocused());
    d.Edit()->OnChar('0', 1);
    EXPECT_EQ(d.Edit()->Text(), "1") << "10 is refused";
    d.Edit()->OnKeyDown(0x08);
    d.Edit()->OnChar('0', 1);
    EXPECT_EQ(d.Edit()->Text(), "") << "0 is refused";
    d.Edit()->OnChar('7', 1);
    d.Edit()->OnChar('7', 1);
    EXPECT_EQ(d.Edit()->Text(), "7");

    AppWindow* app = AppWindow::Get();
    app->PushDialog(&d);
    d.OnKeyDown(13);
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(receiver.lastResult, 0);
    EXPECT_EQ(d.ChosenLevel(), 7);

    // An empty edit is no level: OK leaves the dialog open.
    CCustomGameDlg e(layout, 9, 4);
    EXPECT_EQ(e.Edit()->Text(), "4");
    e.Edit()->OnKeyDown(0x08);
    app->PushDialog(&e);
    e.OnControlEvent(e.OkButton());
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(app->DialogCount(), 1u);
    e.OnKeyDown(27);
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(receiver.lastResult, 1);
}

class LevelSetFolder : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_dir = std::filesystem::temp_directory_path() / ("gw_levelsets_" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(m_dir);
        DialogTest::TearDown();
    }
    void WriteSet(const std::string& name, const std::string& levelsTxt)
    {
        const std::string text = levelsTxt;
        std::vector<PackSource> files{{"levels/levels.txt", std::vector<uint8_t>(text.begin(), text.end()), true}};
        ASSERT_TRUE(WritePack((m_dir / name).string(), files, kLevelsPackKey));
    }
    std::filesystem::path m_dir;
};

TEST_F(LevelSetFolder, EverySetIsListedWithItsLevelCountAndTheCurrentOneSelected)
{
    WriteSet("base.set", "levels_count 10\n");
    WriteSet("extra.set", "title \"no count here\"\n");
    std::ofstream(m_dir / "readme.txt") << "not a set";
    std::ofstream(m_dir / "broken.set") << "garbage, not a pack";
    CMenuLayout layout;
    const std::string folder = m_dir.string();
    CLevelSetDlg d(layout, folder + "/extra.set", folder);
    ASSERT_EQ(d.List()->Items().size(), 3u);
    EXPECT_EQ(d.List()->Items()[0], "base (10)");
    EXPECT_EQ(d.List()->Items()[1], "broken (0)");
    EXPECT_EQ(d.List()->Items()[2], "extra (0)");
    EXPECT_EQ(d.List()->Selected(), 2);
    EXPECT_EQ(d.SelectedPath(), folder + "/extra.set");
    EXPECT_EQ(ResourceGroup::GetGroup("temp"), nullptr) << "the temporary group is gone";

    CLevelSetDlg none(layout, "levels/base.set", (m_dir / "missing").string());
    EXPECT_TRUE(none.List()->Items().empty());
    EXPECT_EQ(none.SelectedPath(), "");
}

TEST_F(LevelSetFolder, ASetWithATitleIsListedByItCleanedAsTheFontDrawsIt)
{
    WriteSet("valleys-7.set", "levels_count 10\nset_title \"Misty Gorges\"\n");
    WriteSet("odd.set", "levels_count 2\nset_title \"  \x01\xc3\xa9  \"\n");   // nothing drawable: the file name
    CMenuLayout layout;
    const std::string folder = m_dir.string();
    CLevelSetDlg d(layout, folder + "/valleys-7.set", folder);
    ASSERT_EQ(d.List()->Items().size(), 2u);
    EXPECT_EQ(d.List()->Items()[0], "odd (2)");
    EXPECT_EQ(d.List()->Items()[1], "Misty Gorges (10)");
    EXPECT_EQ(d.SelectedPath(), folder + "/valleys-7.set");
}

TEST_F(LevelSetFolder, FortySetsAreAllListedAndTheLastCanBeTheCurrentOne)
{
    for (int i = 0; i < 40; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "set%02d.set", i);
        WriteSet(name, "levels_count " + std::to_string(i % 9 + 1) + "\n");
    }
    CMenuLayout layout;
    const std::string folder = m_dir.string();
    CLevelSetDlg d(layout, folder + "/set39.set", folder);
    ASSERT_EQ(d.List()->Items().size(), 40u);
    EXPECT_EQ(d.List()->Items()[32], "set32 (6)");
    EXPECT_EQ(d.List()->Items()[39], "set39 (4)");
    EXPECT_EQ(d.List()->Selected(), 39);
    EXPECT_EQ(d.SelectedPath(), folder + "/set39.set");
}

TEST_F(DialogTest, OptionsApplyKeysOnlyThroughCloseButSoundAndMouseAtOnce)
{
    CMenuLayout layout;
    AppConfig config;
    GameData game;
    CSoundManager sound;
    AppWindow* app = AppWindow::Get();
    {
        COptionsDialog d(layout, config, game, &sound);
        EXPECT_EQ(d.KeyReader(0)->Code(), 203);
        EXPECT_FALSE(d.AutosaveBox()->IsChecked());
        EXPECT_TRUE(d.SoundBox()->IsChecked());
        app->PushDialog(&d);
        d.KeyReader(0)->SetCode(30);  // as if A had been captured
        d.JoyReader(1)->SetCode(5);
        d.SoundBox()->SetChecked(false);
        d.OnControlEvent(d.SoundBox());
        d.InvertBox()->SetChecked(true);
        d.OnControlEvent(d.InvertBox());
        d.MouseBar()->SetValue(2.75f);
        d.OnControlEvent(d.MouseBar());
        d.OnKeyDown(27);
        app->UpdateFrame(16.666666f);
        EXPECT_EQ(receiver.lastResult, 1);
    }
    EXPECT_EQ(game.m_left_key, 203) << "Escape keeps the old binding";
    EXPECT_EQ(game.m_fire_secondary_joy, 2);
    EXPECT_FALSE(config.m_sound);
    EXPECT_FALSE(sound.SamplesEnabled());
    EXPECT_TRUE(sound.InvertStereo());
    EXPECT_FLOAT_EQ(game.m_mouseSens, 2.75f);
    {
        COptionsDialog d(layout, config, game, &sound);
        EXPECT_TRUE(d.InvertBox()->IsChecked());
        EXPECT_FLOAT_EQ(d.MouseBar()->Value(), 2.75f);
        app->PushDialog(&d);
        d.KeyReader(0)->SetCode(30);
        d.KeyReader(7)->SetCode(47);
        d.JoyReader(1)->SetCode(5);
        d.AutosaveBox()->SetChecked(true);
        d.OnControlEvent(d.AutosaveBox());
        d.OnControlEvent(d.CloseButton());
        app->UpdateFrame(16.666666f);
        EXPECT_EQ(receiver.lastResult, 0);
    }
    EXPECT_EQ(game.m_left_key, 30) << "the close button applies the readers";
    EXPECT_EQ(game.m_camera_key, 47);
    EXPECT_EQ(game.m_fire_secondary_joy, 5);
    EXPECT_TRUE(config.m_autosave);
}

// A game screen stand-in for the menu.
class FakeGame : public CScreen {};

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppWindow::Create("menu test");
        AppWindow::Get()->SetActive(true);  // an inactive application updates nothing
    }
    void TearDown() override { AppWindow::Release(); }
};

TEST_F(MainMenuTest, EscapeOpensTheQuitDialogAsTheQuitButtonDoes)
{
    CMainMenu menu(nullptr, nullptr, false);
    AppWindow* app = AppWindow::Get();
    app->PushScreen(&menu);
    menu.OnKeyDown(27);
    ASSERT_NE(menu.QuitDialog(), nullptr);
    EXPECT_EQ(app->TopDialog(), menu.QuitDialog());
    menu.QuitDialog()->OnKeyDown(27);  // cancel
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(menu.QuitDialog(), nullptr);
    EXPECT_EQ(app->DialogCount(), 0u);

    menu.OnControlEvent(menu.QuitButton());
    ASSERT_NE(menu.QuitDialog(), nullptr);
    menu.QuitDialog()->OnKeyDown(13);  // yes: the window's close message is posted
    app->UpdateFrame(16.666666f);
    platform::Message msg;
    bool closePosted = false;
    while (app->Pump().Peek(msg))
        closePosted |= msg.kind == platform::MsgKind::Close;
    EXPECT_TRUE(closePosted);
}

TEST_F(MainMenuTest, LeavingAGameReopensTheGameDialogWithContinue)
{
    CMainMenu menu(nullptr, nullptr, false);
    AppWindow* app = AppWindow::Get();
    app->PushScreen(&menu);
    EXPECT_FALSE(menu.ReopenGameDialog());

    auto* game = new FakeGame;  // the menu owns its game screen
    menu.SetGameScreen(game);
    app->PushScreen(game);
    app->CloseTop(true);  // the game screen leaves: the menu is activated again
    EXPECT_TRUE(menu.ReopenGameDialog());
    EXPECT_EQ(menu.GameDialog(), nullptr);
    app->UpdateFrame(16.666666f);
    ASSERT_NE(menu.GameDialog(), nullptr);
    EXPECT_EQ(app->TopDialog(), menu.GameDialog());
    EXPECT_TRUE(menu.GameDialog()->ContinueButton()->IsEnabled());
    EXPECT_EQ(menu.GameDialog()->GameScreen(), game);

    // Back keeps the game for later.
    menu.GameDialog()->OnControlEvent(menu.GameDialog()->BackButton());
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(menu.GameDialog(), nullptr);
    EXPECT_EQ(menu.GameScreen(), game);
    EXPECT_FALSE(menu.ReopenGameDialog());

    // Continue hands the game back to the stack.
    menu.OnControlEvent(menu.GameButton());
    menu.GameDialog()->OnControlEvent(menu.GameDialog()->ContinueButton());
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(app->TopScreen(), game);
    EXPECT_EQ(menu.GameScreen(), game);
}

TEST_F(MainMenuTest, GameDialogWithoutAGameHasNoContinue)
{
    CMainMenu menu(nullptr, nullptr, false);
    AppWindow::Get()->PushScreen(&menu);
    menu.OnControlEvent(menu.GameButton());
    ASSERT_NE(menu.GameDialog(), nullptr);
    EXPECT_FALSE(menu.GameDialog()->ContinueButton()->IsEnabled());
    EXPECT_FALSE(menu.GameDialog()->HasGameInProgress());
    // Continue cannot close it with nothing to continue.
    menu.GameDialog()->OnControlEvent(menu.GameDialog()->ContinueButton());
    AppWindow::Get()->UpdateFrame(16.666666f);
    EXPECT_NE(menu.GameDialog(), nullptr);
}

} // namespace

namespace {

TEST_F(MainMenuTest, APressOnEmptySpaceDragsTheWindowButNotAPressOnAButton)
{
    CMainMenu menu(nullptr, nullptr, false);
    AppWindow::Get()->PushScreen(&menu);
    menu.OnLButtonDown(100, 200, platform::kMkLButton);
    EXPECT_TRUE(menu.IsDraggingWindow());
    menu.OnMouseMove(300, 300, 0);  // the button is no longer held
    EXPECT_FALSE(menu.IsDraggingWindow());
    menu.OnLButtonDown(100, 200, platform::kMkLButton);
    menu.OnLButtonUp(120, 210, 0);
    EXPECT_FALSE(menu.IsDraggingWindow());
    // Without a layout every button sits at the corner with no size: a press there is the game button's.
    menu.OnLButtonDown(0, 0, platform::kMkLButton);
    EXPECT_FALSE(menu.IsDraggingWindow());
    EXPECT_NE(menu.GameDialog(), nullptr);
}

} // namespace

namespace {

TEST_F(LevelSetFolder, GameDialogKeepsTheGameForTheSameSetAndDropsItForAnother)
{
    std::filesystem::create_directories(m_dir / "levels");
    const std::vector<uint8_t> a{'l', 'e', 'v', 'e', 'l', 's', '_', 'c', 'o', 'u', 'n', 't', ' ', '4'};
    const std::vector<uint8_t> b{'l', 'e', 'v', 'e', 'l', 's', '_', 'c', 'o', 'u', 'n', 't', ' ', '7'};
    ASSERT_TRUE(WritePack((m_dir / "levels/a.set").string(), {{"levels/levels.txt", a, true}}, kLevelsPackKey));
    ASSERT_TRUE(WritePack((m_dir / "levels/b.set").string(), {{"levels/levels.txt", b, true}}, kLevelsPackKey));
    const std::filesystem::path oldDir = std::filesystem::current_path();
    std::filesystem::current_path(m_dir);
    GameData& data = GameData::Get();
    const std::string oldSet = data.m_levels_pack_name;
    const int oldCount = data.levelsCount;
    data.SelectLevelSet("levels/a.set");
    EXPECT_EQ(data.levelsCount, 4);

    CMenuLayout layout;
    auto* game = new FakeGame;
    CScreen* deleted = nullptr;
    auto dlg = std::make_unique<CGameDlg>(layout, game, [&](CScreen* s) { deleted = s; });
    AppWindow* app = AppWindow::Get();
    app->PushDialog(dlg.get());
    EXPECT_TRUE(dlg->ContinueButton()->IsEnabled());

    // The current set chosen again: the game stays.
    dlg->OnControlEvent(dlg->LevelSetButton());
    auto* sets = dynamic_cast<CLevelSetDlg*>(dlg->OpenSubDialog());
    ASSERT_NE(sets, nullptr);
    ASSERT_EQ(sets->List()->Items().size(), 2u);
    EXPECT_EQ(sets->List()->Items()[1], "b (7)");
    EXPECT_EQ(sets->SelectedPath(), "levels/a.set");
    sets->OnControlEvent(sets->OkButton());
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(dlg->OpenSubDialog(), nullptr);
    EXPECT_EQ(dlg->GameScreen(), game);
    EXPECT_EQ(deleted, nullptr);

    // Another set: the game in progress goes and its holder hears of it.
    dlg->OnControlEvent(dlg->LevelSetButton());
    sets = dynamic_cast<CLevelSetDlg*>(dlg->OpenSubDialog());
    ASSERT_NE(sets, nullptr);
    sets->List()->SetSelected(1);
    sets->OnControlEvent(sets->OkButton());
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(deleted, game);
    EXPECT_EQ(dlg->GameScreen(), nullptr);
    EXPECT_FALSE(dlg->ContinueButton()->IsEnabled());
    EXPECT_EQ(data.m_levels_pack_name, "levels/b.set");
    EXPECT_EQ(data.levelsCount, 7);

    dlg.reset();
    std::filesystem::current_path(oldDir);
    data.SelectLevelSet(oldSet);
    data.levelsCount = oldCount;
}

} // namespace

namespace {

TEST_F(MainMenuTest, KeysReboundWhileAGameWaitsAreNamedInItsHintWhenItResumes)
{
    GameData& data = GameData::Get();
    const int oldPrimary = data.m_fire_primary_key, oldSecondary = data.m_fire_secondary_key;
    InputDevices input;
    input.SetFrozen(true);
    CHelpOverlay::ResetCount();  // the first game of a run shows the weapons hint
    CMainMenu menu(nullptr, nullptr, false);
    AppWindow* app = AppWindow::Get();
    app->PushScreen(&menu);
    auto* game = new CGame(&data, nullptr, &input, false);  // the menu owns its game screen
    menu.SetGameScreen(game);
    const CHelpOverlay* help = game->Field().Hud().Help();
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(help->HintIndex(), 1);
    EXPECT_NE(help->Text().find("primary weapon press " + InputDevices::KeyName(oldPrimary) + " key"), std::string::npos);
    game->Field().Hud().Update(250.0f);  // faded in
    const int phase = help->GetPhase();
    const float alpha = help->Alpha();

    menu.OnControlEvent(menu.OptionsButton());
    COptionsDialog* options = menu.OptionsDialog();
    ASSERT_NE(options, nullptr);
    options->KeyReader(4)->SetCode(30);  // A
    options->KeyReader(5)->SetCode(16);  // Q
    options->OnControlEvent(options->CloseButton());
    app->UpdateFrame(16.666666f);
    EXPECT_EQ(menu.OptionsDialog(), nullptr);

    help = game->Field().Hud().Help();
    ASSERT_NE(help, nullptr);
    EXPECT_NE(help->Text().find("primary weapon press A key"), std::string::npos) << help->Text();
    EXPECT_NE(help->Text().find("secondary weapon press Q key"), std::string::npos) << help->Text();
    EXPECT_EQ(help->HintIndex(), 1);
    EXPECT_FLOAT_EQ(help->X(), 130.0f);
    EXPECT_EQ(help->GetPhase(), phase) << "the fade goes on where it was";
    EXPECT_FLOAT_EQ(help->Alpha(), alpha);

    data.m_fire_primary_key = oldPrimary;
    data.m_fire_secondary_key = oldSecondary;
}

TEST_F(MainMenuTest, EnterMinimisesAndOpensNoDialog)
{
    CMainMenu menu(nullptr, nullptr, false);
    AppWindow* app = AppWindow::Get();
    app->PushScreen(&menu);
    ASSERT_FALSE(app->IsMinimized());
    menu.OnKeyDown(13);
    EXPECT_TRUE(app->IsMinimized());
    EXPECT_EQ(app->DialogCount(), 0u);
    EXPECT_EQ(menu.QuitDialog(), nullptr);
}

} // namespace

// The game-over and Top 7 dialogs: who qualifies, the name taken, the table written at once, the
// switch delay, clearing only after a yes, and the main menu sending a game's result to the table
// of its kind.
#include "LevelFiles.h"

#include "app/AppWindow.h"
#include "game/Game.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "game/ScoreTable.h"
#include "resources/GameFolders.h"
#include "input/InputDevices.h"
#include "resources/ParamFile.h"
#include "ui/EnterNameDlg.h"
#include "ui/MainMenu.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleEdit.h"
#include "ui/TextDlg.h"
#include "ui/Top7Dlg.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace NInterface;

namespace {

constexpr float kStep = 16.666666f;

class Top7Dialogs : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        AppWindow::Create("top 7 test");
        AppWindow::Get()->SetActive(true);
        AppWindow::Get()->PushScreen(&base);
    }
    void TearDown() override
    {
        AppWindow::Release();
        GameFolderTest::TearDown();
    }
    void Type(CScreen& s, const std::string& text)
    {
        for (char c : text)
            s.OnChar(static_cast<unsigned char>(c), 1);
    }
    bool FileHas(const std::string& file, const std::string& name) const
    {
        CScoreTable t;
        if (!t.Load(file))
            return false;
        for (const auto& e : t.Entries())
            if (e.name == name)
                return true;
        return false;
    }

    class Base : public CScreen {
    public:
        void OnDialogClosed(int result, CDialogScreen*) override { closed = result; }
        int closed = -1;
    } base;
    CMenuLayout layout;
};

// A custom game brought to its end the way the level flow ends it.
class FinishedCustomGame : public CCustomGame {
public:
    FinishedCustomGame(GameData* g, InputDevices* in) : CCustomGame(g, nullptr, 2, in, false) {}
    void Finish(int score)
    {
        m_field->SetWriteSaveFile(false);
        m_field->NewLevel(FirstLevel());
        m_over = true;
        m_final_score = score;
    }
};

}  // namespace

TEST_F(Top7Dialogs, AScoreOfZeroGetsNoPromptAndEntersNothing)
{
    CScoreTable table;
    CEnterNameDlg d(layout, table, CurrentFolders().ScoresFile(0), 0, 3);
    EXPECT_FALSE(d.Qualifies());
    EXPECT_FALSE(d.Edit()->IsEnabled());
    AppWindow::Get()->PushDialog(&d);
    Type(d, "Bob");
    d.OnControlEvent(d.CloseButton());
    AppWindow::Get()->UpdateFrame(kStep);
    EXPECT_EQ(base.closed, 0);
    EXPECT_TRUE(table.Entries().empty());
    EXPECT_FALSE(std::filesystem::exists(CurrentFolders().ScoresFile(0)));
}

TEST_F(Top7Dialogs, ATypedNameEntersTheTableAndItsFileAtOnce)
{
    CScoreTable table;
    table.Insert("old", 900, 4);
    CEnterNameDlg d(layout, table, CurrentFolders().ScoresFile(0), 1500, 3);
    ASSERT_TRUE(d.Qualifies());
    EXPECT_TRUE(d.Edit()->IsEnabled());
    AppWindow::Get()->PushDialog(&d);
    Type(d, "Mira Lindqvist-Oakes");  // more than the edit takes
    EXPECT_EQ(d.Edit()->Text().size(), 15u);
    d.OnKeyDown(13);
    d.OnControlEvent(d.CloseButton());  // a second way out before the close: entered once
    AppWindow::Get()->UpdateFrame(kStep);
    EXPECT_EQ(base.closed, 0);
    ASSERT_EQ(table.Entries().size(), 2u);
    EXPECT_EQ(table.Entries()[0].name, "Mira Lindqvist-");
    EXPECT_EQ(table.Entries()[0].level, 3);
    EXPECT_TRUE(FileHas(CurrentFolders().ScoresFile(0), "Mira Lindqvist-"));
}

TEST_F(Top7Dialogs, EscapeKeepsTheScoreUnderAnonymous)
{
    CScoreTable table;
    CEnterNameDlg d(layout, table, CurrentFolders().ScoresFile(1), 42, 1);
    AppWindow::Get()->PushDialog(&d);
    d.OnKeyDown(27);
    AppWindow::Get()->UpdateFrame(kStep);
    EXPECT_EQ(base.closed, 0) << "nothing to cancel: Escape closes with 0";
    ASSERT_EQ(table.Entries().size(), 1u);
    EXPECT_EQ(table.Entries()[0].name, "Anonymous");
    EXPECT_TRUE(FileHas(CurrentFolders().ScoresFile(1), "Anonymous"));
}

TEST_F(Top7Dialogs, SwitchingShowsTheOtherTableAndIgnoresButtonsDuringTheDelay)
{
    CScoreTable a, b;
    CScoreTable* tables[2] = {&a, &b};
    const std::string files[2] = {CurrentFolders().ScoresFile(0), CurrentFolders().ScoresFile(1)};
    CTop7Dlg d(layout, tables, files);
    AppWindow::Get()->PushDialog(&d);
    EXPECT_EQ(d.Shown(), 0);
    EXPECT_TRUE(d.CustomButton()->IsEnabled());
    EXPECT_FALSE(d.GameButton()->IsEnabled());
    EXPECT_LE(d.Delay(), 0.0f) << "the first press is taken";

    d.OnControlEvent(d.CustomButton());
    EXPECT_EQ(d.Shown(), 1);
    EXPECT_FALSE(d.CustomButton()->IsEnabled());
    EXPECT_TRUE(d.GameButton()->IsEnabled());
    EXPECT_FLOAT_EQ(d.Delay(), CTop7Dlg::kSwitchDelay);
    d.OnControlEvent(d.GameButton());
    d.OnControlEvent(d.CloseButton());
    AppWindow::Get()->UpdateFrame(kStep);
    EXPECT_EQ(d.Shown(), 1) << "ignored while the delay runs";
    EXPECT_EQ(base.closed, -1);
}

TEST_F(Top7Dialogs, ClearingAsksFirstAndOnlyYesEmptiesTheShownTable)
{
    CScoreTable a, b;
    a.Insert("normal", 10, 1);
    b.Insert("custom", 20, 1);
    ASSERT_TRUE(b.Save(CurrentFolders().ScoresFile(1)));
    CScoreTable* tables[2] = {&a, &b};
    const std::string files[2] = {CurrentFolders().ScoresFile(0), CurrentFolders().ScoresFile(1)};
    CTop7Dlg d(layout, tables, files, 1);
    AppWindow* app = AppWindow::Get();
    app->PushDialog(&d);
    EXPECT_EQ(d.Shown(), 1);

    // Cancel keeps the table.
    d.OnControlEvent(d.ClearButton());
    ASSERT_NE(d.ConfirmDialog(), nullptr);
    EXPECT_EQ(app->TopDialog(), d.ConfirmDialog());
    EXPECT_EQ(d.ConfirmDialog()->Message(), "Are you sure?");
    EXPECT_EQ(d.ConfirmDialog()->Width(), 500);
    EXPECT_EQ(d.ConfirmDialog()->Height(), 250);
    d.ConfirmDialog()->OnControlEvent(d.ConfirmDialog()->CancelButton());
    app->UpdateFrame(kStep);
    EXPECT_EQ(d.ConfirmDialog(), nullptr);
    EXPECT_EQ(app->TopDialog(), &d);
    EXPECT_EQ(b.Entries().size(), 1u);

    // OK clears the shown table only, in memory and in its file.
    d.OnControlEvent(d.ClearButton());
    ASSERT_NE(d.ConfirmDialog(), nullptr);
    d.ConfirmDialog()->OnControlEvent(d.ConfirmDialog()->OkButton());
    app->UpdateFrame(kStep);
    EXPECT_TRUE(b.Entries().empty());
    EXPECT_EQ(a.Entries().size(), 1u);
    EXPECT_FALSE(FileHas(CurrentFolders().ScoresFile(1), "custom"));
    EXPECT_TRUE(std::filesystem::exists(CurrentFolders().ScoresFile(1)));

    d.OnControlEvent(d.CloseButton());
    app->UpdateFrame(kStep);
    EXPECT_EQ(base.closed, 0);
}

TEST_F(Top7Dialogs, TheMenuSendsACustomGamesResultOnlyToTheCustomTable)
{
    GameData& data = GameData::Get();
    data.scoreTables[0].Clear();
    data.scoreTables[1].Clear();
    InputDevices input;
    input.SetFrozen(true);
    {
        CMainMenu menu(nullptr, nullptr, false);
        AppWindow* app = AppWindow::Get();
        app->PushScreen(&menu);
        auto* game = new FinishedCustomGame(&data, &input);  // the menu owns its game screen
        menu.SetGameScreen(game);
        app->PushScreen(game);
        game->Finish(730);
        app->CloseTop(true);  // the ended game leaves: the menu asks for the name
        EXPECT_EQ(menu.GameScreen(), nullptr);
        ASSERT_NE(menu.EnterNameDialog(), nullptr);
        EXPECT_EQ(app->TopDialog(), menu.EnterNameDialog());
        EXPECT_EQ(menu.EnterNameDialog()->Score(), 730);
        Type(*menu.EnterNameDialog(), "Cora");
        menu.EnterNameDialog()->OnKeyDown(13);
        app->UpdateFrame(kStep);
        EXPECT_EQ(menu.EnterNameDialog(), nullptr);
        EXPECT_FALSE(menu.ReopenGameDialog());

        // The high-score button shows the tables; with no game the normal one first.
        menu.OnControlEvent(menu.Top7Button());
        ASSERT_NE(menu.Top7Dialog(), nullptr);
        EXPECT_EQ(menu.Top7Dialog()->Shown(), 0);
        menu.Top7Dialog()->OnControlEvent(menu.Top7Dialog()->CloseButton());
        app->UpdateFrame(kStep);
        EXPECT_EQ(menu.Top7Dialog(), nullptr);
    }
    ASSERT_EQ(data.scoreTables[1].Entries().size(), 1u);
    EXPECT_EQ(data.scoreTables[1].Entries()[0].name, "Cora");
    EXPECT_EQ(data.scoreTables[1].Entries()[0].level, 2);
    EXPECT_TRUE(data.scoreTables[0].Entries().empty());
    EXPECT_TRUE(FileHas(CurrentFolders().ScoresFile(1), "Cora"));
    EXPECT_FALSE(FileHas(CurrentFolders().ScoresFile(0), "Cora"));
    data.scoreTables[1].Clear();
}

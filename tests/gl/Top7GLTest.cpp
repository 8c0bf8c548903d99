// The Top 7 and game-over dialogs drawn with the forged interface art: the rows of the shown
// table, the name prompt only for a qualifying score, and the switch delay running down by draws.
// With GW_SCREENSHOT_DIR set, each frame is also written there as a TGA.
#include "ForgedDataGLContext.h"

#include "app/AppWindow.h"
#include "game/ScoreTable.h"
#include "render/ResourceBank.h"
#include "resources/ResourceGroup.h"
#include "ui/EnterNameDlg.h"
#include "ui/MainMenu.h"
#include "ui/SimpleButton.h"
#include "ui/Top7Dlg.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace NInterface;

namespace {

class Top7GLTest : public ForgedDataGLContext {
protected:
    void SetUp() override
    {
        ForgedDataGLContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        AppWindow::Create("top 7 test");
        m_menu = std::make_unique<CMainMenu>(m_group, m_bank, false);
        m_menu->Activate();
        AppWindow::Get()->PushScreen(m_menu.get());
    }
    void TearDown() override
    {
        m_menu.reset();
        AppWindow::Release();
        ForgedDataGLContext::TearDown();
    }

    std::vector<unsigned char> Frame(const char* name)
    {
        AppWindow::Get()->DrawScreens();
        return ReadFrame(name);
    }
    // Pixels of a rectangle (y down) that are text yellow: strong red and green, little blue.
    int Yellow(const std::vector<unsigned char>& px, int x0, int y0, int w, int h) const
    {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const size_t i = (static_cast<size_t>(height - 1 - y) * width + x) * 4;
                if (px[i] > 200 && px[i + 1] > 200 && px[i + 2] < 90)
                    ++n;
            }
        return n;
    }

    std::unique_ptr<CMainMenu> m_menu;
};

}  // namespace

TEST_F(Top7GLTest, TheShownTablesRowsAreDrawnAndTheDelayRunsDownByDraws)
{
    CScoreTable normal, custom;
    for (int i = 0; i < 3; ++i)
        normal.Insert("Pilot" + std::to_string(i), 9000 - i * 1000, 5 - i);
    CScoreTable* tables[2] = {&normal, &custom};
    const std::string files[2] = {"", ""};  // nothing is written here
    CTop7Dlg d(m_menu->Layout(), tables, files);
    AppWindow::Get()->PushDialog(&d);
    const std::vector<unsigned char> shown = Frame("top7_normal");
    // Rows 0 to 2 (text rising from baselines 150, 200, 250) carry yellow names, levels and scores.
    for (int row = 0; row < 3; ++row) {
        const int top = 150 + 50 * row - 24;
        EXPECT_GT(Yellow(shown, 100, top, 180, 26), 40) << "name of row " << row;
        EXPECT_GT(Yellow(shown, 480, top, 30, 26), 10) << "level of row " << row;
        EXPECT_GT(Yellow(shown, 560, top, 90, 26), 30) << "score of row " << row;
    }
    EXPECT_LT(Yellow(shown, 100, 150 + 50 * 4 - 24, 550, 26), 5) << "row 4 is empty";

    d.OnControlEvent(d.CustomButton());
    ASSERT_EQ(d.Shown(), 1);
    const std::vector<unsigned char> empty = Frame("top7_custom");
    EXPECT_LT(Yellow(empty, 100, 126, 550, 26), 5) << "the custom table is empty";
    // 1000 less 30 per draw: still positive after 33 draws, so the game button is ignored...
    for (int i = 1; i < 33; ++i)
        Frame("top7_delay");
    EXPECT_GT(d.Delay(), 0.0f);
    d.OnControlEvent(d.GameButton());
    EXPECT_EQ(d.Shown(), 1);
    // ...and taken after the 34th.
    Frame("top7_delay");
    EXPECT_LE(d.Delay(), 0.0f);
    d.OnControlEvent(d.GameButton());
    EXPECT_EQ(d.Shown(), 0);
    AppWindow::Get()->CloseTop(true);
    AppWindow::Get()->UpdateFrame(0);
}

TEST_F(Top7GLTest, TheNamePromptShowsOnlyForAQualifyingScore)
{
    CScoreTable table;
    int prompt[2] = {};
    for (int score : {0, 640}) {
        CEnterNameDlg d(m_menu->Layout(), table, "", score, 2);
        d.SetDimBackground(true);
        d.SetDrawWindow(false);
        AppWindow::Get()->PushDialog(&d);
        const std::vector<unsigned char> px = Frame(score ? "enter_name" : "game_over_no_place");
        EXPECT_GT(Yellow(px, 220, 30, 300, 45), 200) << "the title";
        EXPECT_GT(Yellow(px, 240, 176, 260, 28), 100) << "the score line";
        prompt[score ? 1 : 0] = Yellow(px, 250, 276, 260, 28);
        AppWindow::Get()->CloseTop(true);
        AppWindow::Get()->UpdateFrame(0);
    }
    EXPECT_LT(prompt[0], 5);
    EXPECT_GT(prompt[1], 100);
}

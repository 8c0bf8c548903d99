// The menus drawn from the forged interface art: the main menu and every dialog are read back and
// checked for their background and widgets. With GW_SCREENSHOT_DIR set, each frame is also written
// there as a TGA for people to look at.
#include "ForgedDataGLContext.h"

#include "app/AppWindow.h"
#include "game/GameData.h"
#include "render/Entity3DS.h"
#include "render/ResourceBank.h"
#include "render/Unit.h"
#include "render/Texture.h"
#include "resources/AppConfig.h"
#include "resources/ResourceGroup.h"
#include "ui/CustomGameDlg.h"
#include "ui/GameDlg.h"
#include "ui/HelpDialog.h"
#include "ui/KeyReader.h"
#include "ui/Intro.h"
#include "ui/LevelSetDlg.h"
#include "ui/MainMenu.h"
#include "ui/OptionsDialog.h"
#include "ui/QuitDialog.h"
#include "ui/SimpleButton.h"
#include "ui/TextDlg.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <unistd.h>

using namespace NInterface;

namespace {

class MenuScreensGLTest : public ForgedDataGLContext {
protected:
    void SetUp() override
    {
        ForgedDataGLContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        AppWindow::Create("menu test");
        m_menu = std::make_unique<CMainMenu>(m_group, m_bank, false);
        m_menu->Activate();
    }
    void TearDown() override
    {
        m_menu.reset();
        AppWindow::Release();
        ForgedDataGLContext::TearDown();
    }

    // Draws the menu and the dialogs on the stack, reads the frame back and writes it when asked.
    std::vector<unsigned char> Frame(const char* name)
    {
        AppWindow::Get()->DrawScreens();
        return ReadFrame(name);
    }
    struct Rgb {
        int r, g, b;
    };
    Rgb At(const std::vector<unsigned char>& px, int x, int y) const
    {
        const size_t i = (static_cast<size_t>(height - 1 - y) * width + x) * 4;
        return {px[i], px[i + 1], px[i + 2]};
    }
    // How many pixels of a rectangle differ between two frames.
    int Changed(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int x0, int y0, int w, int h) const
    {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const Rgb p = At(a, x, y), q = At(b, x, y);
                if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 30)
                    ++n;
            }
        return n;
    }
    int Colours(const std::vector<unsigned char>& px, int x0, int y0, int w, int h) const
    {
        std::set<int> seen;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const Rgb p = At(px, x, y);
                seen.insert((p.r >> 3) << 10 | (p.g >> 3) << 5 | (p.b >> 3));
            }
        return static_cast<int>(seen.size());
    }
    // A dialog over the menu: its rectangle must show its own picture, and a widget at (wx, wy)
    // (dialog-relative) must differ from the plain dialog background beside the widgets.
    void ExpectDialog(CDialogScreen& dialog, const char* prefix, const char* name)
    {
        m_menu->Layout().PlaceDialog(dialog, prefix);
        const std::vector<unsigned char> before = Frame("menu_plain");
        AppWindow::Get()->PushDialog(&dialog);
        const std::vector<unsigned char> after = Frame(name);
        const int x = static_cast<int>(dialog.X()), y = static_cast<int>(dialog.Y());
        EXPECT_GT(dialog.Width(), 0) << name;
        EXPECT_GT(Changed(before, after, x, y, dialog.Width(), dialog.Height()), dialog.Width() * dialog.Height() / 2)
            << name << ": the dialog's rectangle does not show its picture";
        EXPECT_GT(Colours(after, x, y, dialog.Width(), dialog.Height()), 60) << name << ": no widgets or text";
        // Outside the rectangle the menu is dimmed, not replaced.
        const Rgb corner = At(after, 2, 590), plain = At(before, 2, 590);
        EXPECT_LE(corner.r + corner.g + corner.b, plain.r + plain.g + plain.b) << name;
        AppWindow::Get()->CloseTop(true);
        AppWindow::Get()->UpdateFrame(0);
    }

    std::unique_ptr<CMainMenu> m_menu;
};

TEST_F(MenuScreensGLTest, MainMenuShowsItsBackgroundTitleAndSevenButtons)
{
    AppWindow::Get()->PushScreen(m_menu.get());
    const std::vector<unsigned char> px = Frame("main_menu");
    EXPECT_TRUE(m_menu->Layout().Font()->IsValid());
    // Every button of the menu has its look and a size from it, and its pixels are the button's.
    for (CSimpleButton* b : {m_menu->GameButton(), m_menu->QuitButton(), m_menu->HelpButton(), m_menu->Top7Button(),
                             m_menu->OptionsButton(), m_menu->FullScreenButton(), m_menu->MinimiseButton()}) {
        ASSERT_NE(b->Texture(), nullptr);
        EXPECT_GT(b->Width(), 20);
        EXPECT_GT(b->Height(), 20);
        // The normal band is blue: its middle-left pixel is bluer than it is red.
        const Rgb p = At(px, static_cast<int>(b->X() + 6), static_cast<int>(b->Y() + b->Height() / 2));
        EXPECT_GT(p.b, p.r) << "button at " << b->X() << "," << b->Y();
    }
    // The title is painted into the background: a busy band across the top.
    EXPECT_GT(Colours(px, 60, 50, 680, 100), 100);

    // Hovering the play button turns it to its hover band.
    const Rgb normal = At(px, 300, 226);
    m_menu->OnMouseMove(300, 226, 0);
    const std::vector<unsigned char> hover = Frame("main_menu_hover");
    const Rgb lit = At(hover, 300, 226);
    EXPECT_NE(normal.b, lit.b);
    AppWindow::Get()->CloseTop(true);
}

TEST_F(MenuScreensGLTest, MenuPicturesGivenBackDuringAGameComeBackUnchanged)
{
    AppWindow::Get()->PushScreen(m_menu.get());
    const std::vector<unsigned char> before = Frame("main_menu");
    CTexture* back = m_menu->Layout().Texture("m_main_window_back");
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsResident());
    // A level starts: the interface's pictures are given back...
    CResourceBank::ReleaseAllLazyTextures();
    EXPECT_FALSE(back->IsResident());
    EXPECT_FALSE(m_menu->GameButton()->Texture()->IsResident());
    EXPECT_TRUE(m_menu->Layout().Font()->IsValid());
    // ... and the menu shown again draws the very same frame.
    const std::vector<unsigned char> after = Frame("main_menu_again");
    EXPECT_EQ(Changed(before, after, 0, 0, width, height), 0);
    EXPECT_TRUE(back->IsResident());
    AppWindow::Get()->CloseTop(true);
}

TEST_F(MenuScreensGLTest, EveryDialogDrawsItsBackgroundAndWidgets)
{
    AppWindow::Get()->PushScreen(m_menu.get());
    CMenuLayout& layout = m_menu->Layout();
    {
        CQuitDalog d(layout);
        ExpectDialog(d, "m_qd", "quit_dialog");
    }
    {
        CNewGameDlg d(layout);
        ExpectDialog(d, "m_nd", "new_game_dialog");
    }
    {
        CGameDlg d(layout, nullptr);
        ExpectDialog(d, "m_gamed", "game_dialog");
        EXPECT_FALSE(d.ContinueButton()->IsEnabled());
    }
    {
        CCustomGameDlg d(layout, 10, 3);
        ExpectDialog(d, "m_cgd", "custom_game_dialog");
    }
    {
        CLevelSetDlg d(layout, "levels/base.set");
        ExpectDialog(d, "m_leveld", "level_set_dialog");
        EXPECT_FALSE(d.Paths().empty());
    }
    {
        CHelpDialog d(layout, m_group);
        ExpectDialog(d, "m_hd", "help_dialog");
        EXPECT_GT(d.Text().Lines().size(), 18u);
    }
    {
        AppConfig config;
        GameData game;
        COptionsDialog d(layout, config, game, nullptr);
        ExpectDialog(d, "m_od", "options_dialog");
        EXPECT_EQ(d.KeyReader(0)->Caption(), "LEFT ARROW");
    }
    {
        CTextDlg d(layout, layout.Texture("m_dialog_window_back"));
        d.SetMessage("Clear the table?", 26, 40, 60);
        d.PlaceButtons(60, 140, 260, 140);
        d.SetPosition(150, 200);
        d.SetSize(500, 220);
        AppWindow::Get()->PushDialog(&d);
        const std::vector<unsigned char> px = Frame("text_dialog");
        EXPECT_GT(Colours(px, 150, 200, 500, 220), 60);
        AppWindow::Get()->CloseTop(true);
        AppWindow::Get()->UpdateFrame(0);
    }
    AppWindow::Get()->CloseTop(true);
}

TEST_F(MenuScreensGLTest, IntroShowsOneOfTheTwoPictures)
{
    CIntro intro(m_group, 12345);
    EXPECT_TRUE(intro.PictureFile() == "mui/bgs/intro1.jpg" || intro.PictureFile() == "mui/bgs/intro2.jpg");
    ASSERT_TRUE(intro.HasPicture());
    intro.Activate();
    intro.Draw();
    glFinish();
    const std::vector<unsigned char> px = ReadPixels();
    EXPECT_GT(Colours(px, 0, 0, 800, 600), 200);
    CIntro other(m_group, 12346);
    EXPECT_TRUE(other.HasPicture());
}

// The menu's picture kept offscreen and copied back to the window against the menu drawn every
// frame (as where the context cannot keep it offscreen): the very same pixels.
class MenuPictureGLTest : public MenuScreensGLTest {
protected:
    void SetUp() override
    {
        MenuScreensGLTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        AppWindow::Get()->PushScreen(m_menu.get());
    }
    void TearDown() override
    {
        if (m_menu)
            AppWindow::Get()->CloseTop(true);
        MenuScreensGLTest::TearDown();
    }
    // One frame of the menu over a window cleared magenta (so that a copy that did not happen
    // shows): drawn, as without an offscreen buffer, or copied from the picture kept offscreen
    // (the frame before keeps it when it is not there yet or out of date).
    std::vector<unsigned char> MenuFrame(bool copied, const char* name)
    {
        m_menu->SetKeepPicture(copied);
        const int kept = m_menu->PicturesKept();
        ClearWindow();
        std::vector<unsigned char> px = Frame(name);
        if (!copied || m_menu->PicturesKept() == kept)
            return px;
        ClearWindow();
        return Frame(name);
    }
    void ClearWindow()
    {
        const bool scissor = glIsEnabled(GL_SCISSOR_TEST);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(1, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        if (scissor)
            glEnable(GL_SCISSOR_TEST);
    }
    // Pixels whose colour differs at all.
    int Differ(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) const
    {
        int n = 0;
        for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
            n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
        return n;
    }
    // The 2D set-up a screen finds after the menu's own (the menu's Activate would also drop the
    // kept picture).
    void SetUp2DByHand(int x, int y, int w, int h)
    {
        glViewport(x, y, w, h);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 800, 600, 0, -50, 50);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
};

TEST_F(MenuPictureGLTest, CopiedMenuIsTheMenuDrawnAlsoWithAButtonHovered)
{
    const std::vector<unsigned char> copied = MenuFrame(true, "menu_copied");
    ASSERT_EQ(m_menu->PicturesKept(), 1) << "llvmpipe keeps the picture offscreen";
    // Unchanged, the next frames copy the picture without keeping it again.
    EXPECT_EQ(Differ(MenuFrame(true, "menu_copied_again"), copied), 0);
    EXPECT_EQ(m_menu->PicturesKept(), 1);
    const std::vector<unsigned char> drawn = MenuFrame(false, "menu_drawn");
    EXPECT_EQ(Differ(copied, drawn), 0);

    // A hovered button is a new picture.
    m_menu->OnMouseMove(300, 226, 0);
    const int kept = m_menu->PicturesKept();
    const std::vector<unsigned char> hovered = MenuFrame(true, "menu_copied_hover");
    EXPECT_EQ(m_menu->PicturesKept(), kept + 1);
    EXPECT_GT(Differ(hovered, copied), 100);
    EXPECT_EQ(Differ(hovered, MenuFrame(false, "menu_drawn_hover")), 0);
    // And back: the plain picture again.
    MenuFrame(true, "menu_copied_hover");
    m_menu->OnMouseMove(5, 5, 0);
    EXPECT_EQ(Differ(MenuFrame(true, "menu_copied_unhovered"), drawn), 0);
    EXPECT_EQ(m_menu->PicturesKept(), kept + 3);
}

TEST_F(MenuPictureGLTest, CopiedMenuFollowsANewContextAndAPictureOfAnotherSizeAndPlace)
{
    const std::vector<unsigned char> first = MenuFrame(true, "menu_copied");
    ASSERT_EQ(m_menu->PicturesKept(), 1);
    // A display change with a new context: the textures are made again (likely under the same
    // names), the old offscreen buffer is gone with its context.
    CResourceBank::ReleaseAllGLObjects();
    m_window.DestroyGLContext();
    ASSERT_TRUE(m_window.CreateGLContext());
    CResourceBank::CreateAllGLObjects();
    SetUp2DByHand(0, 0, 800, 600);
    const std::vector<unsigned char> again = MenuFrame(true, "menu_copied_new_context");
    EXPECT_EQ(m_menu->PicturesKept(), 2);
    EXPECT_EQ(Differ(again, first), 0);
    EXPECT_EQ(Differ(again, MenuFrame(false, "menu_drawn_new_context")), 0);

    // A smaller picture away from the corner, kept to it by the scissor as while letterboxed:
    // scaled, the background is filtered, and the copy lands where the picture is.
    AppWindow::Get()->LayOutPicture(640, 480, false);
    SetUp2DByHand(96, 40, 640, 480);
    glScissor(96, 40, 640, 480);
    glEnable(GL_SCISSOR_TEST);
    const std::vector<unsigned char> small = MenuFrame(true, "menu_copied_small");
    EXPECT_EQ(m_menu->PicturesKept(), 3);
    const std::vector<unsigned char> smallDirect = MenuFrame(false, "menu_drawn_small");
    glDisable(GL_SCISSOR_TEST);
    EXPECT_EQ(Differ(small, smallDirect), 0);
    // Around the picture, the window's own clear.
    EXPECT_EQ((At(small, 20, 300).r), 255);
    EXPECT_EQ((At(small, 20, 300).g), 0);
    EXPECT_NE((At(small, 400, 300).g), 0);
}

TEST_F(MenuPictureGLTest, KeepingAndCopyingLeaveGLStateAsFound)
{
    AppWindow::Get()->LayOutPicture(640, 480, false);
    SetUp2DByHand(96, 40, 640, 480);
    glScissor(96, 40, 640, 480);
    glEnable(GL_SCISSOR_TEST);
    glReadBuffer(GL_FRONT);
    while (glGetError() != GL_NO_ERROR) {
    }
    GLfloat projection[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (const char* frame : {"kept", "copied"}) {
        AppWindow::Get()->DrawScreens();
        GLint draw = -1, read = -1, viewport[4], scissor[4], readBuffer = 0, mode = 0;
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetIntegerv(GL_SCISSOR_BOX, scissor);
        glGetIntegerv(GL_READ_BUFFER, &readBuffer);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        glGetFloatv(GL_PROJECTION_MATRIX, after);
        EXPECT_EQ(draw, 0) << frame;
        EXPECT_EQ(read, 0) << frame;
        EXPECT_EQ(viewport[0], 96);
        EXPECT_EQ(viewport[1], 40);
        EXPECT_EQ(viewport[2], 640);
        EXPECT_EQ(viewport[3], 480);
        EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST)) << frame;
        EXPECT_EQ(scissor[0], 96);
        EXPECT_EQ(scissor[2], 640);
        EXPECT_EQ(readBuffer, GL_FRONT) << frame;
        EXPECT_EQ(mode, GL_MODELVIEW) << frame;
        EXPECT_EQ(std::memcmp(projection, after, sizeof projection), 0) << frame;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << frame;
    }
    EXPECT_EQ(m_menu->PicturesKept(), 1);
    glDisable(GL_SCISSOR_TEST);
    glReadBuffer(GL_BACK);
}

} // namespace

TEST_F(MenuScreensGLTest, LevelSetDialogListsThePlayersOwnSetsByFullPath)
{
    // A player's folder with a copy of the base set and a damaged set beside the data folder's.
    const std::filesystem::path own =
        std::filesystem::temp_directory_path() / ("gw_own_sets_" + std::to_string(getpid())) / "levels";
    std::filesystem::create_directories(own);
    std::filesystem::copy_file("levels/base.set", own / "canyon.set");
    std::ofstream(own / "broken.set") << "not a pack";
    const std::string canyon = (own / "canyon.set").string();
    {
        CLevelSetDlg d(m_menu->Layout(), canyon, "levels", own.string());
        ASSERT_GE(d.Paths().size(), 3u);
        EXPECT_EQ(d.Paths().front(), "levels/base.set");  // the data folder's sets keep their relative name
        const std::set<std::string> paths(d.Paths().begin(), d.Paths().end());
        EXPECT_TRUE(paths.count(canyon));
        EXPECT_TRUE(paths.count((own / "broken.set").string()));
        EXPECT_EQ(d.SelectedPath(), canyon);  // the set in use is selected
        EXPECT_GT(CLevelSetDlg::ReadLevelCount(canyon), 0);
        EXPECT_EQ(CLevelSetDlg::ReadLevelCount(canyon), CLevelSetDlg::ReadLevelCount("levels/base.set"));
        EXPECT_EQ(CLevelSetDlg::ReadLevelCount((own / "broken.set").string()), 0);
    }
    {
        // Without a player's folder (a portable game) only the data folder's sets are listed.
        CLevelSetDlg d(m_menu->Layout(), "levels/base.set", "levels", "");
        for (const std::string& p : d.Paths())
            EXPECT_EQ(p.rfind("levels/", 0), 0u) << p;
        EXPECT_EQ(d.SelectedPath(), "levels/base.set");
    }
    std::filesystem::remove_all(own.parent_path());
}

TEST_F(MenuScreensGLTest, BackgroundInAWindowOfItsSizeIsItsPictureTexelForPixel)
{
    // The menu's window at the background's size: each pixel shows exactly its texel (nearest
    // filtering there must pick the very texel that linear filtering weighs alone).
    AppWindow::Get()->LayOutPicture(800, 600, false);
    m_menu->Activate();
    AppWindow::Get()->PushScreen(m_menu.get());
    const std::vector<unsigned char> px = Frame("main_menu_1to1");
    const CTexture* back = m_menu->Layout().Texture("m_main_window_back");
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Width(), 800u);
    ASSERT_EQ(back->Height(), 600u);
    std::vector<unsigned char> texels(800 * 600 * 4);
    glBindTexture(GL_TEXTURE_2D, back->GLName());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    auto onButton = [&](int x, int y) {
        for (CSimpleButton* b : {m_menu->GameButton(), m_menu->QuitButton(), m_menu->HelpButton(), m_menu->Top7Button(),
                                 m_menu->OptionsButton(), m_menu->FullScreenButton(), m_menu->MinimiseButton()})
            if (x >= b->X() - 1 && x <= b->X() + b->Width() + 1 && y >= b->Y() - 1 && y <= b->Y() + b->Height() + 1)
                return true;
        return false;
    };
    int differ = 0, compared = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            if (onButton(x, y))
                continue;
            // Frame rows run bottom up like the texture's: layout row y is texture row 599 - y.
            const Rgb p = At(px, x, y);
            const size_t t = (static_cast<size_t>(599 - y) * 800 + x) * 4;
            ++compared;
            if (std::abs(p.r - texels[t]) > 1 || std::abs(p.g - texels[t + 1]) > 1 || std::abs(p.b - texels[t + 2]) > 1)
                ++differ;
        }
    EXPECT_GT(compared, 300000);
    EXPECT_EQ(differ, 0);
    AppWindow::Get()->CloseTop(true);
}

// The game's models and textures load once the menu has been drawn, so that the menu shows first,
// and are there before anything can start a game: the update after the first frame loads them,
// and a control used before any frame (a click at once) loads them before it acts.
class MenuGameModelsGLTest : public ForgedDataGLContext {
protected:
    void SetUp() override
    {
        ForgedDataGLContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        GameData::Destroy();
        AppWindow::Create("menu test");
        m_menu = std::make_unique<CMainMenu>(m_group, m_bank, true);
        m_menu->Activate();
    }
    void TearDown() override
    {
        m_menu.reset();
        AppWindow::Release();
        GameData::Destroy();
        ForgedDataGLContext::TearDown();
    }
    static void ExpectModelsLoaded()
    {
        const GameData& data = GameData::Get();
        for (int i = 0; i < GameData::kAircraftCount; ++i) {
            ASSERT_NE(data.m_air_planes[i], nullptr) << i;
            EXPECT_TRUE(data.m_air_planes[i]->IsLoaded()) << i;
            ASSERT_NE(data.m_plane_prev[i], nullptr) << i;
            EXPECT_NE(data.m_plane_prev[i]->GLName(), 0u) << i;
        }
        ASSERT_NE(data.m_e_boats[0], nullptr);
        EXPECT_NE(data.m_e_boats[0]->Mesh(), nullptr);
    }
    std::unique_ptr<CMainMenu> m_menu;
};

TEST_F(MenuGameModelsGLTest, LoadOnTheUpdateAfterTheFirstFrame)
{
    EXPECT_TRUE(m_menu->GameModelsPending());
    EXPECT_EQ(GameData::Get().m_air_planes[0], nullptr);
    AppWindow::Get()->PushScreen(m_menu.get());
    m_menu->Update(16.666666f);  // before the first frame: the menu comes first
    EXPECT_TRUE(m_menu->GameModelsPending());
    AppWindow::Get()->DrawScreens();
    m_menu->Update(16.666666f);
    EXPECT_FALSE(m_menu->GameModelsPending());
    ExpectModelsLoaded();
    // Loaded once: a later update adds nothing to the bank.
    CEntity3DS* first = GameData::Get().m_air_planes[0];
    m_menu->Update(16.666666f);
    EXPECT_EQ(GameData::Get().m_air_planes[0], first);
    AppWindow::Get()->CloseTop(true);
}

TEST_F(MenuGameModelsGLTest, AreThereWhenTheGameDialogOpensBeforeAnyFrame)
{
    AppWindow::Get()->PushScreen(m_menu.get());
    m_menu->OnControlEvent(m_menu->GameButton());
    ASSERT_NE(m_menu->GameDialog(), nullptr);
    EXPECT_FALSE(m_menu->GameModelsPending());
    ExpectModelsLoaded();
    AppWindow::Get()->CloseAllDialogs();
    AppWindow::Get()->UpdateFrame(0);
    AppWindow::Get()->CloseTop(true);
}

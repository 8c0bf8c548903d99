// CMainMenu: building the menu, its buttons and dialogs, full screen, minimising and quitting.
#include "ui/MainMenu.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "audio/SoundManager.h"
#include "game/AttractDemo.h"
#include "game/GameControls.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "render/ResourceBank.h"
#include "render/Texture.h"
#include "resources/AppConfig.h"
#include "resources/GameFolders.h"
#include "ui/EnterNameDlg.h"
#include "ui/GameDlg.h"
#include "ui/GameStart.h"
#include "ui/HelpDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/QuitDialog.h"
#include "ui/SimpleButton.h"
#include "ui/Top7Dlg.h"

#include <cstdlib>

namespace NInterface {

CMainMenu::CMainMenu(const ResourceGroup* group, CResourceBank* bank, bool loadGameData) : m_group(group)
{
    SetVirtualSize(800, 600);
    SetPosition(0, 0);
    SetSize(800, 600);
    if (group && bank)
        m_layout.Load(*group, *bank);

    m_game_btn = AddButton("m_game_btn", "m_game_btn");
    m_quit_btn = AddButton("m_quit_game_btn", "m_quit_game_btn");
    m_help_btn = AddButton("m_help_btn", "m_help_btn");
    m_top7_btn = AddButton("m_top7_btn", "m_mm_top7_1_btn");
    m_options_btn = AddButton("m_options_btn", "m_options_btn");
    m_fullscreen_btn = AddButton("m_fullscreen_btn", "m_mm_fullscreen_btn");
    m_mini_btn = AddButton("m_mini_btn", "m_mini_btn");

    m_nd_width = m_layout.Int("m_nd_width");
    m_nd_height = m_layout.Int("m_nd_height");

    if (const char* idle = std::getenv("GORGEWING2_ATTRACT_IDLE")) {
        const double seconds = std::atof(idle);
        if (seconds > 0.0 && seconds < 1e6)
            m_attract_idle_ms = static_cast<float>(seconds * 1000.0);
    }

    // The game's tuning now; its models and textures after the menu's first frame (Update).
    if (loadGameData) {
        GameData::Get().LoadGameFile();
        m_models_pending = true;
    }
    LogWrite("CMainMenu = ok");
}

void CMainMenu::LoadGameModels()
{
    if (!m_models_pending)
        return;
    m_models_pending = false;
    const int missing = GameData::Get().LoadModels();
    LogWrite("GameData: %d files missing", missing);
}

CMainMenu::~CMainMenu()
{
    m_controls.clear();
    m_demo.reset();
    // Dialogs first (the game dialog may hold the game screen), then the game.
    CScreen* dialogGame = m_game_dlg ? m_game_dlg->GameScreen() : nullptr;
    m_game_dlg.reset();
    m_quit_dlg.reset();
    m_help_dlg.reset();
    m_options_dlg.reset();
    m_top7_dlg.reset();
    m_enter_name_dlg.reset();
    if (dialogGame && dialogGame != m_game)
        delete dialogGame;
    delete m_game;
}

CSimpleButton* CMainMenu::AddButton(const char* textureKey, const char* posKey)
{
    auto button = std::make_unique<CSimpleButton>(this, m_layout.Texture(textureKey));
    button->SetPosition(static_cast<float>(m_layout.Int(std::string(posKey) + "x")),
                        static_cast<float>(m_layout.Int(std::string(posKey) + "y")));
    CSimpleButton* raw = button.get();
    m_buttons.push_back(std::move(button));
    m_controls.push_back(raw);
    return raw;
}

void CMainMenu::LoadControls()
{
    if (!ReadSaveFile(m_save))
        LogWrite("CMainMenu: no %s, default controls", CurrentFolders().SaveFile().c_str());
    ::LoadControls(GameData::Get(), m_save);
}

void CMainMenu::StoreControls()
{
    // A demonstration still flying gives the game record back first.
    if (m_demo)
        m_demo->Finish();
    m_save.Clear();
    ::StoreControls(GameData::Get(), m_save);
    if (m_game && TheAppConfig().m_autosave) {
        GameScreenSaveState(m_game, m_save);
        m_save.SetInt("m_game_kind", GameScreenKind(m_game));
    }
    WriteSaveFile(m_save);
}

void CMainMenu::StartMusic()
{
    NAudio::Music& music = TheAppConfig().m_music;
    if (!music.Playing())
        music.PlayNext();
}

void CMainMenu::StopMusic() { TheAppConfig().m_music.Stop(); }

void CMainMenu::SetUp2D()
{
    SetVirtualSize(800, 600);
    // A new display or a screen left: the picture is drawn afresh on the next frame.
    m_picture_key.clear();
    // The menu moves its window itself (see OnMouseMove), not through the screen's dragging.
    m_draggable = false;
    if (!glGetString(GL_VERSION))
        return;  // no GL context (tools, tests): nothing to set up
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    // The menus draw back to front at equal depths: a later quad wins.
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    ApplyPictureViewport();
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 600, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void CMainMenu::Activate()
{
    if (m_game && m_game_dlg)
        return;
    SetUp2D();
    CScreen::Activate();
    m_window_drag = false;
    m_idle_ms = 0.0f;
    // Back from the demonstration: the menu is as it was left, a held game stays held.
    if (m_back_from_demo) {
        m_back_from_demo = false;
        StartMusic();
        return;
    }
    if (m_game) {
        if (GameScreenIsOver(m_game)) {
            const int score = GameScreenScore(m_game);
            const int kind = GameScreenKind(m_game) == kCustomGame ? 1 : 0;
            LogWrite("Game over: score %d", score);
            if (!m_enter_name_dlg) {
                m_enter_name_dlg = std::make_unique<CEnterNameDlg>(m_layout, GameData::Get().scoreTables[kind],
                                                                   CurrentFolders().ScoresFile(kind), score,
                                                                   GameScreenLevel(m_game));
                m_enter_name_dlg->SetVirtualSize(m_virtual_width, m_virtual_height);
                m_enter_name_dlg->SetDimBackground(true);
                m_enter_name_dlg->SetDrawWindow(false);
                if (AppWindow* app = AppWindow::Get())
                    app->PushDialog(m_enter_name_dlg.get());
            }
            delete m_game;
            m_game = nullptr;
        } else {
            m_reopen_game_dialog = 1;
        }
    }
    StartMusic();
}

void CMainMenu::Update(float elapsedMs)
{
    // The menu is on screen: now the game's models load, before the player can start a game.
    if (m_drawn)
        LoadGameModels();
    if (m_reopen_game_dialog) {
        m_reopen_game_dialog = 0;
        OnControlEvent(m_game_btn);
    }
    CScreen::Update(elapsedMs);
    if (m_close_after_demo) {
        m_close_after_demo = false;
        OnCloseRequest();
        return;
    }
    // The menu is updated only while it is on top with no dialog open: only that idle time counts.
    AppWindow* app = AppWindow::Get();
    const bool bare = app && app->TopScreen() == this && app->DialogCount() == 0;
    if (!bare || !GameData::Get().m_attract_mode || m_demo) {
        m_idle_ms = 0.0f;
        return;
    }
    m_idle_ms += elapsedMs;
    if (m_idle_ms >= m_attract_idle_ms)
        StartDemo();
}

void CMainMenu::StartDemo(int level)
{
    m_idle_ms = 0.0f;
    AppWindow* app = AppWindow::Get();
    if (m_demo || !app)
        return;
    LoadGameModels();
    m_demo = std::make_unique<CAttractDemo>(&GameData::Get(), m_layout.Font(), level,
                                            std::rand() % GameData::kAircraftCount, app->Window().HasGLContext());
    ReleasePicture();
    app->PushScreen(m_demo.get());
}

void CMainMenu::ReleasePicture()
{
    m_picture.Release();
    m_picture_key.clear();
}

void CMainMenu::OnScreenClosed(CScreen* closed)
{
    if (m_demo && closed == m_demo.get()) {
        m_close_after_demo = m_demo->CloseRequested();
        m_demo.reset();
        m_back_from_demo = true;
    }
    CDialogScreen::OnScreenClosed(closed);
}

void CMainMenu::Draw()
{
    // The picture covers every pixel (its background quad, white where the texture is missing),
    // so only depth is cleared: a colour clear would be one more full-screen pass.
    glClearColor(0, 0, 0, 0);
    glClear(GL_DEPTH_BUFFER_BIT);
    // The menu's picture changes only with what PictureKey holds: drawn when that changes, it is
    // kept offscreen and copied back to the window on the next frames, which costs a small part
    // of drawing it.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<int64_t> key = PictureKey(viewport);
    if (m_keep_picture && m_picture.HasPicture() && key == m_picture_key) {
        m_picture.Present(viewport[0], viewport[1]);
    } else {
        DrawPicture();
        m_picture_key.clear();
        if (m_keep_picture && m_picture.Capture(viewport[0], viewport[1], viewport[2], viewport[3])) {
            m_picture_key = std::move(key);
            ++m_pictures_kept;
        }
    }
    TheAppConfig().m_music.Update();
    m_drawn = true;
}

std::vector<int64_t> CMainMenu::PictureKey(const int viewport[4]) const
{
    const CTexture* back = m_layout.Texture("m_main_window_back");
    std::vector<int64_t> key = {viewport[2], viewport[3], back ? back->GLName() : -1, back ? back->Width() : 0,
                                back ? back->Height() : 0};
    const AppWindow* app = AppWindow::Get();
    key.push_back(app ? app->Width() : 0);
    key.push_back(app ? app->Height() : 0);
    for (const auto& b : m_buttons) {
        key.insert(key.end(), {b->IsEnabled() ? 1 : 0, b->State(), b->Texture() ? b->Texture()->GLName() : -1,
                               static_cast<int64_t>(b->X() * 64), static_cast<int64_t>(b->Y() * 64),
                               static_cast<int64_t>(b->Width() * 64), static_cast<int64_t>(b->Height() * 64)});
    }
    return key;
}

void CMainMenu::DrawPicture()
{
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    const CTexture* back = m_layout.Texture("m_main_window_back");
    glBindTexture(GL_TEXTURE_2D, back ? back->GLName() : 0);
    // The background covers the picture; drawn one texel to one pixel (a window of its size),
    // every pixel centre falls on a texel centre, where the nearest texel is exactly what linear
    // filtering gives, for a quarter of the texture reads. Scaled, it is filtered as loaded.
    const AppWindow* app = AppWindow::Get();
    const bool oneToOne = back && app && static_cast<uint32_t>(app->Width()) == back->Width() &&
                          static_cast<uint32_t>(app->Height()) == back->Height();
    if (back) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, oneToOne ? GL_NEAREST : GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, oneToOne ? GL_NEAREST : GL_LINEAR);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 1);
    glVertex3f(0, 0, 0);
    glTexCoord2f(0, 0);
    glVertex3f(0, 600, 0);
    glTexCoord2f(1, 1);
    glVertex3f(800, 0, 0);
    glTexCoord2f(1, 0);
    glVertex3f(800, 600, 0);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    CScreen::Draw();
    glPopMatrix();
}

// The menu drags its window by the cursor's place in the window: when the window has followed
// the cursor, the cursor is back at the point where it grabbed. The desktop cursor position is
// not used, as it is not reliably updated while a button is held (X11).
bool CMainMenu::OnLButtonDown(int x, int y, unsigned flags)
{
    m_idle_ms = 0.0f;
    const bool handled = CDialogScreen::OnLButtonDown(x, y, flags);
    const AppWindow* app = AppWindow::Get();
    m_window_drag = !handled && !(app && app->IsFullScreen());
    m_grab_x = x;
    m_grab_y = y;
    return handled;
}

bool CMainMenu::OnLButtonUp(int x, int y, unsigned flags)
{
    m_idle_ms = 0.0f;
    m_window_drag = false;
    return CDialogScreen::OnLButtonUp(x, y, flags);
}

bool CMainMenu::OnRButtonUp(int x, int y, unsigned flags)
{
    m_idle_ms = 0.0f;
    return CDialogScreen::OnRButtonUp(x, y, flags);
}

void CMainMenu::OnChar(int code, int repeat)
{
    m_idle_ms = 0.0f;
    CDialogScreen::OnChar(code, repeat);
}

bool CMainMenu::OnMouseMove(int x, int y, unsigned flags)
{
    m_idle_ms = 0.0f;
    if (m_window_drag && (flags & platform::kMkLButton)) {
        if (AppWindow* app = AppWindow::Get())
            app->MoveWindowBy(x - m_grab_x, y - m_grab_y);
        return false;
    }
    m_window_drag = false;
    return CDialogScreen::OnMouseMove(x, y, flags);
}

void CMainMenu::OnKeyDown(int virtualKey)
{
    m_idle_ms = 0.0f;
    const AppConfig& config = TheAppConfig();
    if (virtualKey == config.m_quit_key) {
        OnControlEvent(m_quit_btn);
    } else if (virtualKey == config.m_minimize_key) {
        StopMusic();
        if (AppWindow* app = AppWindow::Get())
            app->Minimize();
    }
    CScreen::OnKeyDown(virtualKey);
}

void CMainMenu::OpenDialog(CDialogScreen* dialog, const char* prefix)
{
    dialog->SetVirtualSize(m_virtual_width, m_virtual_height);
    dialog->SetDimBackground(false);
    dialog->SetDrawWindow(true);
    if (prefix)
        m_layout.PlaceDialog(*dialog, prefix);
    if (AppWindow* app = AppWindow::Get())
        app->PushDialog(dialog);
}

void CMainMenu::ToggleFullScreen()
{
    AppWindow* app = AppWindow::Get();
    if (!app)
        return;
    if (app->IsFullScreen()) {
        app->SetWindowed();
    } else {
        int l = 0, t = 0, w = 0, h = 0;
        app->Window().GetRect(l, t, w, h);
        app->SetFullScreen(m_virtual_width, m_virtual_height);
        if (!app->IsFullScreen()) {
            // A display without that mode: the window goes back where and as it was (the switch
            // has already put it top-most in the corner).
            if (app->Window().IsOpen()) {
                app->Window().SetTopmost(false);
                app->Window().SetRect(l, t, w, h);
            }
            return;
        }
    }
    // The GL context lives through the switch here, so the bank's textures stay valid.
    SetUp2D();
    GameScreenDisplayChanged(m_game);
}

void CMainMenu::OnControlEvent(CControl* control)
{
    // Every dialog may lead into a game: the models are there before any opens.
    LoadGameModels();
    CScreen::OnControlEvent(control);
    if (control == m_game_btn) {
        if (m_game_dlg)
            return;
        m_game_dlg = std::make_unique<CGameDlg>(m_layout, m_game, [this](CScreen* deleted) {
            if (m_game == deleted)
                m_game = nullptr;
        });
        OpenDialog(m_game_dlg.get(), "m_gamed");
    } else if (control == m_quit_btn) {
        if (m_quit_dlg)
            return;
        m_quit_dlg = std::make_unique<CQuitDalog>(m_layout);
        OpenDialog(m_quit_dlg.get(), "m_qd");
    } else if (control == m_help_btn) {
        if (m_help_dlg)
            return;
        m_help_dlg = std::make_unique<CHelpDialog>(m_layout, m_group);
        OpenDialog(m_help_dlg.get(), "m_hd");
    } else if (control == m_options_btn) {
        if (m_options_dlg)
            return;
        m_options_dlg = std::make_unique<COptionsDialog>(m_layout, TheAppConfig(), GameData::Get(), CSoundManager::Instance());
        OpenDialog(m_options_dlg.get(), "m_od");
    } else if (control == m_top7_btn) {
        if (m_top7_dlg)
            return;
        GameData& data = GameData::Get();
        CScoreTable* tables[2] = {&data.scoreTables[0], &data.scoreTables[1]};
        const std::string files[2] = {CurrentFolders().ScoresFile(0), CurrentFolders().ScoresFile(1)};
        const int shown = m_game && GameScreenKind(m_game) == kCustomGame ? 1 : 0;
        m_top7_dlg = std::make_unique<CTop7Dlg>(m_layout, tables, files, shown);
        OpenDialog(m_top7_dlg.get(), nullptr);
    } else if (control == m_fullscreen_btn) {
        ToggleFullScreen();
    } else if (control == m_mini_btn) {
        StopMusic();
        if (AppWindow* app = AppWindow::Get())
            app->Minimize();
    }
}

void CMainMenu::OnDialogClosed(int result, CDialogScreen* dialog)
{
    m_reopen_game_dialog = 0;
    if (m_quit_dlg && dialog == m_quit_dlg.get()) {
        m_quit_dlg.reset();
        if (result == 0) {
            StopMusic();
            OnCloseRequest();
        }
    } else if (m_game_dlg && dialog == m_game_dlg.get()) {
        CScreen* game = m_game_dlg->GameScreen();
        if (result == 0 && game) {
            StopMusic();
            m_game = game;
            m_game_dlg.reset();
            ReleasePicture();
            if (AppWindow* app = AppWindow::Get())
                app->PushScreen(m_game);
            return;
        }
        if (!game)
            m_game = nullptr;
        m_game_dlg.reset();
    } else if (m_options_dlg && dialog == m_options_dlg.get()) {
        m_options_dlg.reset();
        GameScreenOptionsChanged(m_game);
    } else if (m_help_dlg && dialog == m_help_dlg.get()) {
        m_help_dlg.reset();
    } else if (m_top7_dlg && dialog == m_top7_dlg.get()) {
        m_top7_dlg.reset();
    } else if (m_enter_name_dlg && dialog == m_enter_name_dlg.get()) {
        m_enter_name_dlg.reset();
    }
}

void CMainMenu::OnCloseRequest()
{
    StopMusic();
    if (AppWindow* app = AppWindow::Get()) {
        platform::Message close;
        close.kind = platform::MsgKind::Close;
        app->Pump().Post(close);
    }
}

} // namespace NInterface

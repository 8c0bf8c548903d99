// CMainMenu: the screen at the bottom of the stack for the whole run — the menu background with
// its seven buttons, the owner of the layout holder (layout file, interface textures, dialog
// font), of every dialog it opens and of the current game screen.
//
// The entry point creates it after the intro, pushes it, lets it load the player's controls
// (LoadControls), runs the main loop, lets it write them back (StoreControls) and deletes it. It
// covers the whole 800 x 600 virtual screen; mouse input is scaled from window pixels to it. The
// quit key (Escape) acts as the quit button and the minimise key (Enter) minimises the window.
// When a game screen is left without game over, the game dialog opens again by itself. In
// windowed mode a press on empty space drags the window. After the attract mode's idle time
// without input on the bare menu (no dialog open, the option on) it pushes a demonstration
// (CAttractDemo) and, when that closes, is back exactly as it was.
#pragma once

#include "render/OffscreenPicture.h"
#include "resources/ParamFile.h"
#include "ui/DialogScreen.h"
#include "ui/MenuLayout.h"

#include <cstdint>
#include <memory>
#include <vector>

class CAttractDemo;
class CResourceBank;
class CSimpleButton;
class ResourceGroup;

namespace NInterface {

class CEnterNameDlg;
class CGameDlg;
class CHelpDialog;
class COptionsDialog;
class CQuitDalog;
class CTop7Dlg;

class CMainMenu : public CDialogScreen {
public:
    // Loads the layout and every interface texture through group and bank (either may be null:
    // tests); with loadGameData the game record loads its tuning at once, and its models and
    // textures once the menu has been drawn (LoadGameModels), so that the menu shows without
    // waiting for them. Whatever may use them first (a control of the menu, the demonstration)
    // loads them before it goes on.
    CMainMenu(const ResourceGroup* group, CResourceBank* bank, bool loadGameData = true);
    ~CMainMenu() override;

    // The player's controls and preferences from "data/save.sav" into the game record.
    void LoadControls();
    // Writes them back (with the running game when autosave is on) to "data/save.sav": a fresh
    // tree, so that with autosave off an earlier saved game does not survive in the file.
    void StoreControls();

    CMenuLayout& Layout() { return m_layout; }
    CScreen* GameScreen() const { return m_game; }
    // Adopts a game screen as the current one (the game dialog hands them over; tests).
    void SetGameScreen(CScreen* game) { m_game = game; }
    bool ReopenGameDialog() const { return m_reopen_game_dialog; }
    // The game's models and textures into the bank "main", once; a no-op when they are loaded
    // or the menu was built without the game's data. Needs the GL context.
    void LoadGameModels();
    bool GameModelsPending() const { return m_models_pending; }

    // The attract mode: the idle time before a demonstration (30 s; the environment variable
    // GORGEWING2_ATTRACT_IDLE gives seconds instead, for tests), the idle time counted so far and
    // the demonstration while it runs. StartDemo starts one at once (level 0: a random one); it
    // draws only when the window has a GL context (tests run it without).
    static constexpr float kAttractIdleMs = 30000.0f;
    void SetAttractIdleMs(float ms) { m_attract_idle_ms = ms; }
    float AttractIdleMs() const { return m_attract_idle_ms; }
    float IdleMs() const { return m_idle_ms; }
    CAttractDemo* Demo() const { return m_demo.get(); }
    void StartDemo(int level = 0);

    // The menu's picture (background and buttons) is drawn when it changes, kept offscreen and
    // copied back to the window on the frames after; off, or where the context cannot keep it
    // offscreen, the menu draws it every frame. PicturesKept counts the pictures kept.
    void SetKeepPicture(bool keep) { m_keep_picture = keep; }
    int PicturesKept() const { return m_pictures_kept; }

    void Update(float elapsedMs) override;
    void Draw() override;
    void Activate() override;
    void OnKeyDown(int virtualKey) override;
    void OnChar(int code, int repeat) override;
    bool OnRButtonUp(int x, int y, unsigned flags) override;
    void OnScreenClosed(CScreen* closed) override;
    bool OnMouseMove(int x, int y, unsigned flags) override;
    bool OnLButtonDown(int x, int y, unsigned flags) override;
    bool OnLButtonUp(int x, int y, unsigned flags) override;
    bool IsDraggingWindow() const { return m_window_drag; }
    void OnControlEvent(CControl* control) override;
    void OnDialogClosed(int result, CDialogScreen* dialog) override;
    void OnCloseRequest() override;

    CSimpleButton* GameButton() const { return m_game_btn; }
    CSimpleButton* QuitButton() const { return m_quit_btn; }
    CSimpleButton* HelpButton() const { return m_help_btn; }
    CSimpleButton* Top7Button() const { return m_top7_btn; }
    CSimpleButton* OptionsButton() const { return m_options_btn; }
    CSimpleButton* FullScreenButton() const { return m_fullscreen_btn; }
    CSimpleButton* MinimiseButton() const { return m_mini_btn; }
    CGameDlg* GameDialog() const { return m_game_dlg.get(); }
    CQuitDalog* QuitDialog() const { return m_quit_dlg.get(); }
    CHelpDialog* HelpDialog() const { return m_help_dlg.get(); }
    COptionsDialog* OptionsDialog() const { return m_options_dlg.get(); }
    CTop7Dlg* Top7Dialog() const { return m_top7_dlg.get(); }
    CEnterNameDlg* EnterNameDialog() const { return m_enter_name_dlg.get(); }

private:
    CSimpleButton* AddButton(const char* textureKey, const char* posKey);
    void OpenDialog(CDialogScreen* dialog, const char* prefix);
    void SetUp2D();
    void ToggleFullScreen();
    void StartMusic();
    void StopMusic();
    // Background and buttons, drawn into the picture's viewport.
    void DrawPicture();
    // Everything the picture depends on: the viewport's size, the window's picture size (the
    // background's filter), the background texture and each button's state, look and place.
    std::vector<int64_t> PictureKey(const int viewport[4]) const;
    // Gives the offscreen picture back while a game or the demonstration is on screen.
    void ReleasePicture();

    const ResourceGroup* m_group;
    CMenuLayout m_layout;
    std::vector<std::unique_ptr<CSimpleButton>> m_buttons;
    CSimpleButton* m_game_btn = nullptr;
    CSimpleButton* m_quit_btn = nullptr;
    CSimpleButton* m_help_btn = nullptr;
    CSimpleButton* m_top7_btn = nullptr;
    CSimpleButton* m_options_btn = nullptr;
    CSimpleButton* m_fullscreen_btn = nullptr;
    CSimpleButton* m_mini_btn = nullptr;

    CScreen* m_game = nullptr;  // the current game screen, owned
    std::unique_ptr<CGameDlg> m_game_dlg;
    std::unique_ptr<CQuitDalog> m_quit_dlg;
    std::unique_ptr<CHelpDialog> m_help_dlg;
    std::unique_ptr<COptionsDialog> m_options_dlg;
    std::unique_ptr<CTop7Dlg> m_top7_dlg;
    std::unique_ptr<CEnterNameDlg> m_enter_name_dlg;
    uint8_t m_reopen_game_dialog = 0;
    int m_nd_width = 0, m_nd_height = 0;
    bool m_window_drag = false;  // the left button went down on empty space: the window follows
    int m_grab_x = 0, m_grab_y = 0;  // where the cursor grabbed, in window pixels
    ParamFile m_save;  // "data/save.sav" as read at start; written back at exit
    float m_attract_idle_ms = kAttractIdleMs;
    float m_idle_ms = 0.0f;  // time on the bare menu since the last input
    std::unique_ptr<CAttractDemo> m_demo;
    bool m_back_from_demo = false;
    bool m_close_after_demo = false;  // Alt+F4 ended the demonstration: the menu closes the game
    bool m_models_pending = false;    // the game's models are still to be loaded
    bool m_drawn = false;             // the menu has drawn a frame
    COffscreenPicture m_picture;
    std::vector<int64_t> m_picture_key;  // what m_picture shows (empty: to be drawn)
    bool m_keep_picture = true;
    int m_pictures_kept = 0;
};

} // namespace NInterface

// CGameDlg: the choices that start, continue or change games.
#include "ui/GameDlg.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "game/GameData.h"
#include "ui/CustomGameDlg.h"
#include "ui/GameStart.h"
#include "ui/LevelSetDlg.h"
#include "ui/MenuLayout.h"
#include "ui/QuitDialog.h"
#include "ui/SimpleButton.h"

namespace NInterface {

CGameDlg::CGameDlg(CMenuLayout& layout, CScreen* game, std::function<void(CScreen*)> onGameDeleted)
    : CMenuDialog(layout), m_game(game), m_on_game_deleted(std::move(onGameDeleted)), m_in_progress(game != nullptr)
{
    m_continue = AddButton("m_continue_single_game_btn", "m_gamed_continue_game_btn");
    m_new_game = AddButton("m_new_game_btn", "m_gamed_new_game_btn");
    m_custom_game = AddButton("m_custom_game_btn", "m_gamed_custom_game_btn");
    m_level_set = AddButton("m_level_set_btn", "m_gamed_level_set_btn");
    m_back = AddButton("m_back_btn", "m_gamed_back_btn");
    m_continue->SetEnabled(m_in_progress);
}

CGameDlg::~CGameDlg() = default;

CDialogScreen* CGameDlg::OpenSubDialog() const
{
    if (m_new_game_dlg)
        return m_new_game_dlg.get();
    if (m_custom_dlg)
        return m_custom_dlg.get();
    return m_level_set_dlg.get();
}

void CGameDlg::Draw()
{
    BeginDraw(m_layout.Texture(m_in_progress ? "m_game_wnd_cont_back" : "m_game_wnd_back"));
    EndDraw();
}

void CGameDlg::Open(CDialogScreen* dialog, const char* prefix)
{
    dialog->SetVirtualSize(m_virtual_width, m_virtual_height);
    dialog->SetDimBackground(false);
    dialog->SetDrawWindow(true);
    m_layout.PlaceDialog(*dialog, prefix);
    if (AppWindow* app = AppWindow::Get())
        app->PushDialog(dialog);
}

void CGameDlg::DeleteGame()
{
    if (!m_game)
        return;
    CScreen* old = m_game;
    m_game = nullptr;
    m_in_progress = false;
    m_continue->SetEnabled(false);
    if (m_on_game_deleted)
        m_on_game_deleted(old);
    delete old;
}

void CGameDlg::StartNew(int kind, int level)
{
    CScreen* game = StartGameScreen(kind, level);
    if (!game)
        return;  // nothing to start: the dialog stays
    DeleteGame();
    m_game = game;
    Close(0);
}

void CGameDlg::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_continue) {
        if (m_in_progress)
            Close(0);
    } else if (control == m_back) {
        Close(1);
    } else if (control == m_new_game) {
        m_kind = kNormalGame;
        if (m_in_progress) {
            m_new_game_dlg = std::make_unique<CNewGameDlg>(m_layout);
            Open(m_new_game_dlg.get(), "m_nd");
        } else {
            StartNew(kNormalGame, 0);
        }
    } else if (control == m_custom_game) {
        m_kind = kCustomGame;
        const GameData& data = GameData::Get();
        m_custom_dlg = std::make_unique<CCustomGameDlg>(m_layout, data.levelsCount, data.m_custom_level_num);
        Open(m_custom_dlg.get(), "m_cgd");
    } else if (control == m_level_set) {
        m_level_set_dlg = std::make_unique<CLevelSetDlg>(m_layout, GameData::Get().m_levels_pack_name);
        Open(m_level_set_dlg.get(), "m_leveld");
    }
}

void CGameDlg::OnDialogClosed(int result, CDialogScreen* dialog)
{
    if (m_new_game_dlg && dialog == m_new_game_dlg.get()) {
        m_new_game_dlg.reset();
        if (result == 0)
            StartNew(kNormalGame, 0);
    } else if (m_custom_dlg && dialog == m_custom_dlg.get()) {
        const int level = m_custom_dlg->ChosenLevel();
        m_custom_dlg.reset();
        if (result == 0) {
            m_custom_level = level;
            GameData::Get().m_custom_level_num = level;
            StartNew(kCustomGame, level);
        }
    } else if (m_level_set_dlg && dialog == m_level_set_dlg.get()) {
        const std::string chosen = m_level_set_dlg->SelectedPath();
        m_level_set_dlg.reset();
        GameData& data = GameData::Get();
        if (result == 0 && !chosen.empty() && chosen != data.m_levels_pack_name) {
            DeleteGame();
            data.SelectLevelSet(chosen);
            LogWrite("Level set: %s (%d levels)", chosen.c_str(), data.levelsCount);
        }
    }
}

} // namespace NInterface

// CTop7Dlg: showing either table, switching with its delay, and clearing after a question.
#include "ui/Top7Dlg.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "game/ScoreTable.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"
#include "ui/TextDlg.h"

namespace NInterface {

CTop7Dlg::CTop7Dlg(CMenuLayout& layout, CScoreTable* tables[2], const std::string files[2], int shown)
    : CMenuDialog(layout)
{
    SetPosition(0, 0);
    SetSize(800, 600);
    for (int i = 0; i < 2; ++i) {
        m_tables[i] = tables[i];
        m_files[i] = files[i];
    }
    m_close = AddButton("m_close_btn", "m_t7d_close_btn");
    m_custom = AddButton("m_top7_custom_btn", "m_top7_custom_btn");
    m_game = AddButton("m_top7_game_btn", "m_top7_game_btn");
    m_clear = AddButton("m_top7_clear_btn", "m_top7_clear_btn");
    Show(shown == 1 ? 1 : 0);
    m_delay = 0;
}

// The question sits above this dialog on the stack, so it is always closed before this one.
CTop7Dlg::~CTop7Dlg() = default;

void CTop7Dlg::Show(int table)
{
    m_shown = table;
    m_custom->SetEnabled(table == 0);
    m_game->SetEnabled(table == 1);
    m_delay = kSwitchDelay;
    LogWrite("Top 7: table %i shown, %i entries", table,
             m_tables[table] ? static_cast<int>(m_tables[table]->Entries().size()) : 0);
}

void CTop7Dlg::Draw()
{
    // Dimmed like every dialog of the menus: the menu's own labels stay quiet behind the table.
    BeginDraw(m_layout.Texture("m_top7_wnd_back"));
    const CBitmapText* font = m_layout.Font();
    DrawShadowText(font, m_shown == 0 ? "Top 7" : "Custom Games Top 7", 40, 50, 70, 2);
    if (const CScoreTable* table = m_tables[m_shown])
        table->Draw(font, RowsBottom());
    EndDraw();
    m_delay -= kDelayPerDraw;
}

float CTop7Dlg::RowsBottom() const
{
    float bottom = 600.0f;
    for (const CSimpleButton* b : {m_close, m_custom, m_game, m_clear})
        if (b->Y() > CScoreTable::kFirstRowY && b->Y() < bottom)
            bottom = b->Y();
    return bottom;
}

void CTop7Dlg::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (m_delay > 0 || m_confirm)
        return;
    if (control == m_close) {
        Close(0);
    } else if (control == m_custom) {
        Show(1);
    } else if (control == m_game) {
        Show(0);
    } else if (control == m_clear) {
        m_confirm = std::make_unique<CTextDlg>(m_layout, m_layout.Texture("m_exit_dialog_window_back"));
        m_confirm->SetVirtualSize(m_virtual_width, m_virtual_height);
        m_confirm->SetDimBackground(true);
        m_confirm->SetDrawWindow(false);
        m_confirm->SetSize(500, 250);
        m_confirm->SetPosition(150, 175);
        m_confirm->SetMessage("Are you sure?", 32, 60, 90);
        m_confirm->SetColor(1, 1, 0, 1);
        // OK clears, cancel keeps: the two buttons side by side near the bottom.
        m_confirm->PlaceButtons(80, 170, 290, 170);
        if (AppWindow* app = AppWindow::Get())
            app->PushDialog(m_confirm.get());
    }
}

void CTop7Dlg::OnDialogClosed(int result, CDialogScreen* dialog)
{
    if (!m_confirm || dialog != m_confirm.get())
        return;
    m_confirm.reset();
    if (result != 0)
        return;
    CScoreTable* table = m_tables[m_shown];
    if (!table)
        return;
    table->Clear();
    LogWrite("Top 7: table %i cleared", m_shown);
    if (!m_files[m_shown].empty())
        table->Save(m_files[m_shown]);
}

} // namespace NInterface

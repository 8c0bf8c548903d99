// CQuitDalog and CNewGameDlg: two buttons and a question.
#include "ui/QuitDialog.h"

#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"

namespace NInterface {

CQuitDalog::CQuitDalog(CMenuLayout& layout) : CMenuDialog(layout)
{
    m_ok = AddButton("m_ok_btn", "m_qd_ok_btn");
    m_cancel = AddButton("m_cancel_btn", "m_qd_cancel_btn");
}

void CQuitDalog::Draw()
{
    BeginDraw(m_layout.Texture("m_exit_dialog_window_back"));
    Title("Do you really want", 35, 30, 60, 3);
    Title("to exit?", 35, 140, 100, 3);
    EndDraw();
}

void CQuitDalog::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_ok)
        Close(0);
    else if (control == m_cancel)
        Close(1);
}

CNewGameDlg::CNewGameDlg(CMenuLayout& layout) : CMenuDialog(layout)
{
    m_ok = AddButton("m_ok_btn", "m_ngd_ok_btn");
    m_cancel = AddButton("m_cancel_btn", "m_ngd_cancel_btn");
}

void CNewGameDlg::Draw()
{
    BeginDraw(m_layout.Texture("m_exit_dialog_window_back"));
    Title("Start New Game?", 40, 40, 90, 2);
    EndDraw();
}

void CNewGameDlg::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_ok)
        Close(0);
    else if (control == m_cancel)
        Close(1);
}

} // namespace NInterface

// CCustomGameDlg: the level-number edit with its range, and accepting it.
#include "ui/CustomGameDlg.h"

#include "resources/ParamFile.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleEdit.h"

#include <cstdio>

namespace NInterface {

CCustomGameDlg::CCustomGameDlg(CMenuLayout& layout, int levelCount, int customLevel)
    : CMenuDialog(layout), m_level_count(levelCount)
{
    m_ok = AddButton("m_ok_btn", "m_cgd_ok_btn");
    m_cancel = AddButton("m_cancel_btn", "m_cgd_cancel_btn");
    auto edit = std::make_unique<CSimpleEdit>(this, layout.Texture("m_enter_level_num_editbox"), layout.Font(), 30.0f);
    edit->SetPosition(static_cast<float>(layout.Int("m_cgd_level_numx")), static_cast<float>(layout.Int("m_cgd_level_numy")));
    edit->SetMaxLength(2);
    edit->SetDigitsOnly(true);
    edit->SetRange(1, levelCount);
    edit->SetTextColor(0, 0, 0, 1);
    edit->SetFocused(true);
    m_level = customLevel > levelCount || customLevel < 1 ? 1 : customLevel;
    edit->SetText(std::to_string(m_level));
    m_edit = Own(std::move(edit));
}

bool CCustomGameDlg::Accept()
{
    const int level = ParamFile::ToInt(m_edit->Text());
    if (level < 1 || level > m_level_count)
        return false;
    m_level = level;
    return true;
}

void CCustomGameDlg::Draw()
{
    BeginDraw(m_layout.Texture("m_custom_game_wnd"));
    Title("Custom Game", 30, 40, 70, 2);
    char prompt[64];
    std::snprintf(prompt, sizeof prompt, "Level's Number (1..%d)", m_level_count);
    DrawShadowText(m_layout.Font(), prompt, 22, m_edit->X() + 10, m_edit->Y() - 6, 2, 1, 1, 1, 1);
    EndDraw();
}

void CCustomGameDlg::OnKeyDown(int virtualKey)
{
    if (virtualKey == kOkKey) {
        if (Accept())
            Close(0);
        CScreen::OnKeyDown(virtualKey);
        return;
    }
    CDialogScreen::OnKeyDown(virtualKey);
}

void CCustomGameDlg::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_ok) {
        if (Accept())
            Close(0);
    } else if (control == m_cancel) {
        Close(1);
    }
}

} // namespace NInterface

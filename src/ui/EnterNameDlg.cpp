// CEnterNameDlg: the score, the name edit and the entry into the table.
#include "ui/EnterNameDlg.h"

#include "app/Log.h"
#include "game/ScoreTable.h"
#include "platform/GL.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleEdit.h"

#include <cstdio>

namespace NInterface {

CEnterNameDlg::CEnterNameDlg(CMenuLayout& layout, CScoreTable& table, const std::string& fileName, int32_t score,
                             int32_t level)
    : CMenuDialog(layout), m_table(table), m_file(fileName), m_score(score), m_level(level)
{
    SetPosition(0, 0);
    SetSize(800, 600);
    m_close = AddButton("m_close_btn", "m_end_close_btn");
    auto edit = std::make_unique<CSimpleEdit>(this, layout.Texture("m_enter_name_editbox"), layout.Font(), 30.0f);
    edit->SetPosition(static_cast<float>(layout.Int("m_end_editx")), static_cast<float>(layout.Int("m_end_edity")));
    edit->SetMaxLength(kNameLength);
    m_qualifies = m_table.Rank(score) != -1;
    edit->SetEnabled(m_qualifies);
    // The name can be typed at once, without a click into the edit first.
    edit->SetFocused(m_qualifies);
    m_edit = Own(std::move(edit));
}

std::string CEnterNameDlg::EntryName() const
{
    const std::string& text = m_edit->Text();
    return text.empty() ? std::string("Anonymous") : text;
}

void CEnterNameDlg::Finish()
{
    // The close button and the Enter key may both arrive before the deferred close.
    if (m_finished)
        return;
    m_finished = true;
    if (m_table.Rank(m_score) != -1) {
        m_table.Insert(EntryName(), m_score, m_level);
        LogWrite("Top 7: %s, %i, level %i", EntryName().c_str(), m_score, m_level);
        if (!m_file.empty())
            m_table.Save(m_file);
    }
    Close(0);
}

void CEnterNameDlg::Draw()
{
    glPushMatrix();
    DrawDim(0.3f, 0.4f, 0.5f, 0.9f);
    DrawBackground(m_layout.Texture("m_dialog_window_back"));
    CDialogScreen::Draw();
    const CBitmapText* font = m_layout.Font();
    DrawShadowText(font, "Game Over !", 40, 220, 70, 2);
    char line[64];
    std::snprintf(line, sizeof line, "Your score: %i", static_cast<int>(m_score));
    DrawShadowText(font, line, 24, 240, 200, 2);
    if (m_qualifies)
        DrawShadowText(font, "Enter Your Name", 24, 250, 300, 2);
    glPopMatrix();
}

void CEnterNameDlg::OnKeyDown(int virtualKey)
{
    // Enter and Escape both keep the score: the dialog has nothing to cancel.
    if (virtualKey == kOkKey || virtualKey == kQuitKey) {
        Finish();
        return;
    }
    CScreen::OnKeyDown(virtualKey);
}

void CEnterNameDlg::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_close)
        Finish();
}

} // namespace NInterface

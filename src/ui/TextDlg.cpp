// CTextDlg: the message and its two buttons.
#include "ui/TextDlg.h"

#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"

namespace NInterface {

CTextDlg::CTextDlg(CMenuLayout& layout, CTexture* background) : CMenuDialog(layout), m_background(background)
{
    m_ok = Own(std::make_unique<CSimpleButton>(this, layout.Texture("m_ok_btn")));
    m_cancel = Own(std::make_unique<CSimpleButton>(this, layout.Texture("m_cancel_btn")));
    PlaceButtons(20, 100, 170, 100);
}

void CTextDlg::PlaceButtons(float okX, float okY, float cancelX, float cancelY)
{
    m_ok->SetPosition(okX, okY);
    m_cancel->SetPosition(cancelX, cancelY);
}

void CTextDlg::Draw()
{
    BeginDraw(m_background);
    DrawShadowText(m_layout.Font(), m_text.c_str(), m_size, m_text_x, m_text_y, 2, m_color[0], m_color[1], m_color[2],
                   m_color[3]);
    EndDraw();
}

void CTextDlg::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_ok)
        Close(0);
    else if (control == m_cancel)
        Close(1);
}

} // namespace NInterface

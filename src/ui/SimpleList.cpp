// CSimpleList: row picking and drawing.
#include "ui/SimpleList.h"

#include "render/BitmapText.h"

#include <cmath>

CSimpleList::CSimpleList(CScreen* owner, CTexture* texture, const CBitmapText* font, float fontSize, bool twoState)
    : CWidget(owner, texture, twoState ? 2 : 1), m_font(font), m_font_size(fontSize), m_two_state(twoState)
{
}

int CSimpleList::RowAt(int y) const
{
    if (m_font_size <= 0)
        return -1;
    const float f = (y - (m_pos.y + kMargin * 1.2f)) / m_font_size;
    if (f < 0)
        return -1;
    const int row = static_cast<int>(f);
    return row < static_cast<int>(m_items.size()) ? row : -1;
}

bool CSimpleList::OnLButtonDown(int x, int y, unsigned)
{
    if (!m_enabled)
        return false;
    if (!Inside(x, y)) {
        m_focused = false;
        m_state = 1;
        return false;
    }
    if (m_focused) {
        const int row = RowAt(y);
        if (row >= 0)
            m_selected = row;
    }
    m_focused = true;
    m_state = m_two_state ? 2 : 1;
    return true;
}

void CSimpleList::Draw()
{
    if (!m_enabled)
        return;
    TakeSize(Bands());
    DrawBand(m_state, Bands());
    for (size_t i = 0; i < m_items.size(); ++i)
        DrawWidgetText(m_font, m_items[i].c_str(), m_font_size, m_pos.x + kMargin,
                       m_pos.y + m_font_size + kMargin * 1.2f + m_font_size * static_cast<float>(i), m_color[0],
                       m_color[1], m_color[2], m_color[3]);
    if (m_selected >= 0 && m_selected < static_cast<int>(m_items.size()))
        DrawWidgetText(m_font, m_items[static_cast<size_t>(m_selected)].c_str(), m_font_size, m_pos.x + kMargin,
                       m_pos.y + m_font_size + kMargin * 1.2f + m_font_size * static_cast<float>(m_selected),
                       1 - m_color[0], 1 - m_color[1], 1 - m_color[2], m_color[3]);
}

// CSimpleList: row picking, scrolling and drawing.
#include "ui/SimpleList.h"

#include "platform/GL.h"
#include "render/BitmapText.h"

#include <algorithm>
#include <cmath>

CSimpleList::CSimpleList(CScreen* owner, CTexture* texture, const CBitmapText* font, float fontSize, bool twoState)
    : CWidget(owner, texture, twoState ? 2 : 1), m_font(font), m_font_size(fontSize), m_two_state(twoState)
{
}

int CSimpleList::VisibleRows() const
{
    const int count = static_cast<int>(m_items.size());
    if (m_height <= 0 || m_font_size <= 0)
        return std::max(count, 1);
    // Rows start margin x 1.2 below the top; the last baseline keeps half a margin above the bottom.
    const float room = m_height - kMargin * 1.2f - kMargin * 0.5f;
    return std::max(1, static_cast<int>(std::floor(room / m_font_size)));
}

void CSimpleList::ScrollTo(int first)
{
    const int last = std::max(0, static_cast<int>(m_items.size()) - VisibleRows());
    m_first = std::clamp(first, 0, last);
}

void CSimpleList::SetSelected(int index)
{
    m_selected = index;
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return;
    if (index < m_first)
        ScrollTo(index);
    else if (index >= m_first + VisibleRows())
        ScrollTo(index - VisibleRows() + 1);
}

int CSimpleList::RowAt(int y) const
{
    if (m_font_size <= 0)
        return -1;
    const float f = (y - (m_pos.y + kMargin * 1.2f)) / m_font_size;
    // Compared before the conversion: a point far below a list far up the screen is no row.
    if (!(f >= 0) || f >= static_cast<float>(VisibleRows()))
        return -1;
    const int shown = static_cast<int>(f);
    const int row = m_first + shown;
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
    if (Scrolls() && x >= StripLeft()) {
        ScrollTo(m_first + (y < m_pos.y + m_height / 2 ? -1 : 1));
    } else if (m_focused) {
        const int row = RowAt(y);
        if (row >= 0)
            m_selected = row;
    }
    m_focused = true;
    m_state = m_two_state ? 2 : 1;
    return true;
}

void CSimpleList::OnKeyDown(int virtualKey)
{
    if (!m_enabled || !m_focused || m_items.empty())
        return;
    const int last = static_cast<int>(m_items.size()) - 1;
    if (virtualKey == kVkUp)
        SetSelected(std::clamp(m_selected - 1, 0, last));
    else if (virtualKey == kVkDown)
        SetSelected(std::clamp(m_selected + 1, 0, last));
}

void CSimpleList::DrawStrip() const
{
    const float x0 = StripLeft(), x1 = x0 + kStripWidth, cx = (x0 + x1) / 2;
    const float y0 = m_pos.y + 5.0f, y1 = m_pos.y + m_height - 5.0f;
    const int count = static_cast<int>(m_items.size()), rows = VisibleRows();
    const float arrow = kStripWidth * 0.8f;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The groove, the thumb where the rows shown lie in the whole list, and the two arrows (faint
    // when there is nothing more that way).
    glColor4f(0, 0, 0, 0.3f);
    glBegin(GL_QUADS);
    glVertex3f(x0, y0, 0);
    glVertex3f(x1, y0, 0);
    glVertex3f(x1, y1, 0);
    glVertex3f(x0, y1, 0);
    const float track0 = y0 + arrow + 2, track1 = y1 - arrow - 2;
    const float t0 = track0 + (track1 - track0) * static_cast<float>(m_first) / static_cast<float>(count);
    const float t1 = track0 + (track1 - track0) * static_cast<float>(std::min(count, m_first + rows)) / static_cast<float>(count);
    glColor4f(m_color[0], m_color[1], m_color[2], 0.55f * m_color[3]);
    glVertex3f(x0 + 4, t0, 0);
    glVertex3f(x1 - 4, t0, 0);
    glVertex3f(x1 - 4, t1, 0);
    glVertex3f(x0 + 4, t1, 0);
    glEnd();
    glBegin(GL_TRIANGLES);
    glColor4f(m_color[0], m_color[1], m_color[2], (m_first > 0 ? 1.0f : 0.3f) * m_color[3]);
    glVertex3f(cx, y0 + 2, 0);
    glVertex3f(x1 - 2, y0 + arrow, 0);
    glVertex3f(x0 + 2, y0 + arrow, 0);
    glColor4f(m_color[0], m_color[1], m_color[2], (m_first + rows < count ? 1.0f : 0.3f) * m_color[3]);
    glVertex3f(x0 + 2, y1 - arrow, 0);
    glVertex3f(x1 - 2, y1 - arrow, 0);
    glVertex3f(cx, y1 - 2, 0);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
}

void CSimpleList::Draw()
{
    if (!m_enabled)
        return;
    TakeSize(Bands());
    DrawBand(m_state, Bands());
    const bool scrolls = Scrolls();
    if (scrolls)
        DrawStrip();
    const int rows = std::min(VisibleRows(), static_cast<int>(m_items.size()) - m_first);
    const float room = (scrolls ? StripLeft() - m_pos.x : m_width) - 2 * kMargin;
    const int shownSelected = m_selected - m_first;
    if (shownSelected >= 0 && shownSelected < rows) {
        // The bar under the selected row, so that its inverted text stands out from the list.
        const float base = Baseline(shownSelected);
        const float x0 = m_pos.x + kMargin / 2, x1 = m_pos.x + kMargin * 1.5f + room;
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(m_color[0], m_color[1], m_color[2], 0.9f * m_color[3]);
        glBegin(GL_QUADS);
        glVertex3f(x0, base - m_font_size, 0);
        glVertex3f(x1, base - m_font_size, 0);
        glVertex3f(x1, base + m_font_size * 0.1f, 0);
        glVertex3f(x0, base + m_font_size * 0.1f, 0);
        glEnd();
        glColor4f(1, 1, 1, 1);
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
    }
    for (int i = 0; i < rows; ++i) {
        const std::string text = CutText(m_font, m_items[static_cast<size_t>(m_first + i)], m_font_size, room);
        const bool selected = i == shownSelected;
        const float r = selected ? 1 - m_color[0] : m_color[0], g = selected ? 1 - m_color[1] : m_color[1],
                    b = selected ? 1 - m_color[2] : m_color[2];
        DrawWidgetText(m_font, text.c_str(), m_font_size, m_pos.x + kMargin, Baseline(i), r, g, b, m_color[3]);
    }
}

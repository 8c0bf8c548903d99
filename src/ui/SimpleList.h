// CSimpleList: a list of text rows (the level sets), one row selected.
//
// The first press focuses the list; a press on a row while focused selects it, and a press below
// the last row selects nothing. The list shows the rows that fit in its look; when it holds more,
// a strip at its right edge scrolls it (a press in the strip's upper half shows the row above, in
// its lower half the row below), Up and Down move the selection while it is focused, and the
// selected row is always scrolled into view. Rows wider than the list are cut with "...". The
// selected row stands on a bar of the text colour, drawn again in the inverted colour. Owned by
// the dialog that lists it; the font is borrowed.
#pragma once

#include "ui/Widget.h"

#include <string>
#include <vector>

class CSimpleList : public CWidget {
public:
    static constexpr float kMargin = 7.0f;
    static constexpr float kStripWidth = 18.0f;
    static constexpr int kVkUp = 0x26, kVkDown = 0x28;

    // twoState: the look has two bands (idle, focused) instead of one.
    CSimpleList(CScreen* owner, CTexture* texture, const CBitmapText* font, float fontSize, bool twoState = false);

    void AddItem(const std::string& item) { m_items.push_back(item); }
    void Clear()
    {
        m_items.clear();
        m_selected = 0;
        m_first = 0;
    }
    const std::vector<std::string>& Items() const { return m_items; }
    int Selected() const { return m_selected; }
    // Selects a row and scrolls it into view.
    void SetSelected(int index);
    bool IsFocused() const { return m_focused; }
    void SetTextColor(float r, float g, float b, float a)
    {
        m_color[0] = r;
        m_color[1] = g;
        m_color[2] = b;
        m_color[3] = a;
    }
    // The row under a point's y, or -1 when there is none.
    int RowAt(int y) const;

    // How many rows fit in the list's height (all of them while it has no height, at least one).
    int VisibleRows() const;
    // The first row shown, and scrolling: the first row is kept between 0 and the last that
    // still fills the list.
    int FirstShown() const { return m_first; }
    void ScrollTo(int first);
    bool Scrolls() const { return static_cast<int>(m_items.size()) > VisibleRows(); }

    bool OnLButtonDown(int x, int y, unsigned buttons) override;
    void OnKeyDown(int virtualKey) override;
    void Draw() override;

private:
    int Bands() const { return m_two_state ? 2 : 1; }
    // Baseline of the n-th row shown.
    float Baseline(int shownRow) const { return m_pos.y + m_font_size + kMargin * 1.2f + m_font_size * static_cast<float>(shownRow); }
    float StripLeft() const { return m_pos.x + m_width - kStripWidth - 4.0f; }
    void DrawStrip() const;

    const CBitmapText* m_font;
    float m_font_size;
    std::vector<std::string> m_items;
    int32_t m_selected = 0;
    int32_t m_first = 0;
    float m_color[4] = {1, 1, 0, 1};
    bool m_two_state;
    bool m_focused = false;
};

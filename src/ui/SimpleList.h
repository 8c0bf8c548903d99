// CSimpleList: a list of text rows without scrolling (the level sets), one row selected.
//
// The first press focuses the list; a press on a row while focused selects it, and a press below
// the last row selects nothing. Owned by the dialog that lists it; the font is borrowed.
#pragma once

#include "ui/Widget.h"

#include <string>
#include <vector>

class CSimpleList : public CWidget {
public:
    static constexpr float kMargin = 7.0f;

    // twoState: the look has two bands (idle, focused) instead of one.
    CSimpleList(CScreen* owner, CTexture* texture, const CBitmapText* font, float fontSize, bool twoState = false);

    void AddItem(const std::string& item) { m_items.push_back(item); }
    void Clear() { m_items.clear(); m_selected = 0; }
    const std::vector<std::string>& Items() const { return m_items; }
    int Selected() const { return m_selected; }
    void SetSelected(int index) { m_selected = index; }
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

    bool OnLButtonDown(int x, int y, unsigned buttons) override;
    void Draw() override;

private:
    int Bands() const { return m_two_state ? 2 : 1; }

    const CBitmapText* m_font;
    float m_font_size;
    std::vector<std::string> m_items;
    int32_t m_selected = 0;
    float m_color[4] = {1, 1, 0, 1};
    bool m_two_state;
    bool m_focused = false;
};

// CScrollingText: a long text word-wrapped into lines of a given width, shown a window of lines
// at a time and scrolled by a step (the help dialog).
//
// Owned by the dialog that shows it; borrows the dialog font (CBitmapText), which must outlive
// it. Widths are measured with the font, so wrapping needs no GL context; only Draw does.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CBitmapText;

class CScrollingText {
public:
    CScrollingText(const CBitmapText* font, float wrapWidth, float fontSize, int visibleLines, int scrollStep);
    virtual ~CScrollingText() = default;

    // Wraps the bytes and appends the lines to those already held. Line feeds are ignored; a
    // carriage return ends a line; a word wider than the wrap width stands alone on its line.
    void SetText(const char* bytes, size_t length);

    // Draws the visible lines, the first one font size below y, each further one font size lower,
    // at depth 10.
    void Draw(float x, float y, float r, float g, float b, float a) const;
    void ScrollUp();
    void ScrollDown();

    const std::vector<std::string>& Lines() const { return m_lines; }
    int FirstVisibleLine() const { return m_first_line; }

private:
    const CBitmapText* m_font;
    std::vector<std::string> m_lines;
    float m_wrap_width;
    float m_font_size;
    int m_first_line = 0;
    int m_visible_lines;
    int m_scroll_step;
};

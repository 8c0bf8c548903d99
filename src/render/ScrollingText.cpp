// Word wrap, scrolling bounds and drawing of the scrolling text.
#include "render/ScrollingText.h"

#include "render/BitmapText.h"

#include <algorithm>

CScrollingText::CScrollingText(const CBitmapText* font, float wrapWidth, float fontSize, int visibleLines,
                               int scrollStep)
    : m_font(font), m_wrap_width(wrapWidth), m_font_size(fontSize), m_visible_lines(visibleLines),
      m_scroll_step(scrollStep)
{
}

void CScrollingText::SetText(const char* bytes, size_t length)
{
    if (!bytes)
        length = 0;
    std::string text(bytes ? bytes : "", length);
    text.push_back('\r');
    std::string line, word;
    auto width = [this](const std::string& s) { return m_font ? m_font->TextWidth(s.c_str(), m_font_size) : 0.0f; };
    for (char c : text) {
        if (c == '\n')
            continue;
        if (c != ' ' && c != '\r') {
            word.push_back(c);
            continue;
        }
        if (line.empty() || width(line) + width(word) < m_wrap_width) {
            // An empty line takes the word whatever its width: no empty line is stored before
            // a word too wide to fit anywhere.
            line += word;
            line += ' ';
        } else {
            m_lines.push_back(line);
            line = word + ' ';
        }
        word.clear();
        if (c == '\r') {
            m_lines.push_back(line);
            line.clear();
        }
    }
}

void CScrollingText::ScrollUp()
{
    m_first_line = std::max(0, m_first_line - m_scroll_step);
}

void CScrollingText::ScrollDown()
{
    const int last = std::max(0, static_cast<int>(m_lines.size()) - m_visible_lines);
    m_first_line = std::max(0, std::min(m_first_line + m_scroll_step, last));
}

void CScrollingText::Draw(float x, float y, float r, float g, float b, float a) const
{
    if (!m_font)
        return;
    int drawn = 0;
    for (size_t i = static_cast<size_t>(std::max(0, m_first_line)); i < m_lines.size() && drawn < m_visible_lines;
         ++i, ++drawn) {
        y += m_font_size;
        m_font->Draw(m_lines[i].c_str(), m_font_size, x, y, 10.0f, r, g, b, a);
    }
}

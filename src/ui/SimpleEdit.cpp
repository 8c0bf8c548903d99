// CSimpleEdit: caret movement, insertion with the digit and range rules, paste, blinking, drawing.
#include "ui/SimpleEdit.h"

#include "platform/GL.h"
#include "platform/Platform.h"
#include "render/BitmapText.h"
#include "resources/ParamFile.h"

#include <algorithm>

namespace {
// Windows virtual keys the edit understands.
constexpr int kVkBack = 0x08, kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkRight = 0x27, kVkInsert = 0x2D,
              kVkDelete = 0x2E, kVkV = 'V';
} // namespace

CSimpleEdit::CSimpleEdit(CScreen* owner, CTexture* texture, const CBitmapText* font, float fontSize)
    : CWidget(owner, texture, kBands), m_font(font), m_font_size(fontSize)
{
}

void CSimpleEdit::SetMaxLength(int length)
{
    m_max_length = std::clamp(length, 0, static_cast<int>(kBufferSize) - 1);
    if (static_cast<int>(m_text.size()) > m_max_length)
        m_text.resize(static_cast<size_t>(m_max_length));
    m_caret = std::min(m_caret, static_cast<int>(m_text.size()));
}

void CSimpleEdit::SetText(const std::string& text)
{
    m_text = text.substr(0, static_cast<size_t>(m_max_length));
    m_caret = static_cast<int>(m_text.size());
}

void CSimpleEdit::Insert(const std::string& text)
{
    std::string result = m_text.substr(0, static_cast<size_t>(m_caret)) + text + m_text.substr(static_cast<size_t>(m_caret));
    if (result.size() > kBufferSize - 1)
        result.resize(kBufferSize - 1);
    if (static_cast<int>(result.size()) > m_max_length)
        result.resize(static_cast<size_t>(m_max_length));
    m_text = result;
    m_caret = std::min(m_caret + static_cast<int>(text.size()), m_max_length);
    m_caret = std::min(m_caret, static_cast<int>(m_text.size()));
}

void CSimpleEdit::Paste(const std::string& text)
{
    std::string clean = text;
    for (char& c : clean)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
    Insert(clean);
    ShowCaret();
}

bool CSimpleEdit::OnLButtonDown(int x, int y, unsigned)
{
    if (!m_enabled)
        return false;
    if (Inside(x, y)) {
        m_state = 2;
        return true;
    }
    m_state = 1;
    return false;
}

bool CSimpleEdit::OnLButtonUp(int x, int y, unsigned)
{
    if (!m_enabled || !Inside(x, y))
        return false;
    m_state = 2;
    return true;
}

void CSimpleEdit::OnKeyDown(int virtualKey)
{
    if (!m_enabled || m_state != 2)
        return;
    const int len = static_cast<int>(m_text.size());
    switch (virtualKey) {
    case kVkBack:
        if (m_caret > 0) {
            m_text.erase(static_cast<size_t>(m_caret - 1), 1);
            --m_caret;
        }
        break;
    case kVkDelete:
        if (m_caret < len)
            m_text.erase(static_cast<size_t>(m_caret), 1);
        break;
    case kVkHome: m_caret = 0; break;
    case kVkEnd: m_caret = len; break;
    case kVkLeft:
        if (m_caret > 0)
            --m_caret;
        break;
    case kVkRight:
        if (m_caret < len)
            ++m_caret;
        break;
    case kVkV:
        if (!CtrlDown())
            return;
        Paste(Clipboard());
        break;
    case kVkInsert:
        if (!ShiftDown())
            return;
        Paste(Clipboard());
        break;
    default: return;
    }
    ShowCaret();
}

void CSimpleEdit::OnChar(int code, int)
{
    if (!m_enabled || m_state != 2 || code < 32 || code > 126)
        return;
    if (m_digits_only && (code < '0' || code > '9'))
        return;
    if (m_range_check) {
        const std::string would = m_text.substr(0, static_cast<size_t>(m_caret)) + static_cast<char>(code) +
                                  m_text.substr(static_cast<size_t>(m_caret));
        const int value = ParamFile::ToInt(would);
        if (value < m_min || value > m_max)
            return;
    }
    Insert(std::string(1, static_cast<char>(code)));
    ShowCaret();
}

void CSimpleEdit::Update(float elapsedMs)
{
    m_blink_ms += elapsedMs;
    if (m_blink_ms > kBlinkMs) {
        m_caret_shown = !m_caret_shown;
        m_blink_ms = 0;
    }
}

bool CSimpleEdit::CtrlDown() const { return platform::IsCtrlDown(); }
bool CSimpleEdit::ShiftDown() const { return platform::IsShiftDown(); }
std::string CSimpleEdit::Clipboard() const { return platform::ClipboardText(); }

void CSimpleEdit::Draw()
{
    if (!m_enabled)
        return;
    TakeSize(kBands);
    DrawBand(m_state, kBands);
    const float size = TextSize();
    const float pad = (m_height - size) / 2;
    if (m_state == 2 && m_caret_shown) {
        const float cx = m_pos.x + kMargin + (m_font ? m_font->TextWidth(m_text.substr(0, static_cast<size_t>(m_caret)).c_str(), size) : 0);
        glDisable(GL_TEXTURE_2D);
        glColor4f(m_color[0], m_color[1], m_color[2], m_color[3]);
        glBegin(GL_QUADS);
        glVertex3f(cx, m_pos.y + pad, 0.5f);
        glVertex3f(cx + 3, m_pos.y + pad, 0.5f);
        glVertex3f(cx + 3, m_pos.y + m_height - pad, 0.5f);
        glVertex3f(cx, m_pos.y + m_height - pad, 0.5f);
        glEnd();
        glColor4f(1, 1, 1, 1);
        glEnable(GL_TEXTURE_2D);
    }
    DrawWidgetText(m_font, m_text.c_str(), size, m_pos.x + kMargin, m_pos.y + m_height - pad, m_color[0], m_color[1],
                   m_color[2], m_color[3]);
}

float CSimpleEdit::TextSize() const
{
    if (m_width <= 0)
        return m_font_size;
    // Room for the text and the caret after it, inside both margins.
    return FitTextSize(m_font, m_text, m_font_size, m_width - 2 * kMargin - 3, m_font_size / 2);
}

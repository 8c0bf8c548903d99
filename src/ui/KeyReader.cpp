// CKeyReader: waiting, capturing from the keyboard or joystick poll, drawing the caption.
#include "ui/KeyReader.h"

#include "input/InputDevices.h"
#include "ui/KeyPoll.h"

CKeyReader::CKeyReader(CScreen* owner, CTexture* texture, const CBitmapText* font, float fontSize, bool joystick)
    : CWidget(owner, texture, kBands), m_font(font), m_font_size(fontSize), m_joystick(joystick)
{
}

IKeyPoll& CKeyReader::Poll() const { return m_poll ? *m_poll : KeyPoll(); }

void CKeyReader::SetCode(int code)
{
    m_code = code;
    m_caption = m_joystick ? InputDevices::JoyButtonName(code) : InputDevices::KeyName(code);
}

bool CKeyReader::OnLButtonDown(int x, int y, unsigned)
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

void CKeyReader::OnKeyDown(int)
{
    if (!m_enabled || m_joystick || m_state != 2)
        return;
    IKeyPoll& poll = Poll();
    poll.Poll();
    const int key = poll.FirstKeyDown();
    if (key >= 0)
        SetCode(key);
    m_state = 1;
}

void CKeyReader::Update(float)
{
    if (!m_enabled || !m_joystick || m_state != 2)
        return;
    IKeyPoll& poll = Poll();
    if (!poll.JoystickPresent())
        return;
    poll.Poll();
    for (int b = 0; b <= 10; ++b)
        if (poll.JoyButton(b) & 0x80) {
            SetCode(b);
            m_state = 1;
            return;
        }
}

void CKeyReader::Draw()
{
    if (!m_enabled)
        return;
    TakeSize(kBands);
    DrawBand(m_state, kBands);
    const float size = CaptionSize();
    const float pad = (m_height - size) / 2;
    DrawWidgetText(m_font, m_caption.c_str(), size, m_pos.x + kTextX, m_pos.y + m_height - pad, 1, 1, 1, 1);
}

float CKeyReader::CaptionSize() const
{
    if (m_width <= 0)
        return m_font_size;
    return FitTextSize(m_font, m_caption, m_font_size, m_width - kTextX - kRightMargin, m_font_size / 2);
}

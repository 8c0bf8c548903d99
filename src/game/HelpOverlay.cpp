// CHelpOverlay: the three binding hints, the pick by game count, the fade and the drawing.
#include "game/HelpOverlay.h"

#include "game/GameData.h"
#include "input/InputDevices.h"
#include "platform/GL.h"
#include "render/BitmapText.h"

#include <algorithm>

int CHelpOverlay::s_created = 0;

CHelpOverlay::CHelpOverlay(const GameData& g, const CBitmapText* font, float windowWidth)
    : m_font(font), m_window_width(windowWidth)
{
    m_index = s_created == 0 ? 1 : s_created % 3;
    Rebind(g);
    if (s_created >= 6)
        m_phase = Done;
    ++s_created;
}

void CHelpOverlay::Rebind(const GameData& g)
{
    using In = InputDevices;
    m_hints.clear();
    m_hints.push_back("For maneuver press " + In::KeyName(g.m_maneuver_key) + " + LEFT/RIGHT (" +
                      In::JoyButtonName(g.m_maneuver_joy) + " joystick button)");
    m_hints.push_back("To use primary weapon press " + In::KeyName(g.m_fire_primary_key) + " key (" +
                      In::JoyButtonName(g.m_fire_primary_joy) + " on joystick) \n" +
                      " To use secondary weapon press " + In::KeyName(g.m_fire_secondary_key) + " key (" +
                      In::JoyButtonName(g.m_fire_secondary_joy) + " on joystick)");
    m_hints.push_back("Press " + In::KeyName(g.m_camera_key) + " key to change camera view");
    m_text = m_hints[static_cast<size_t>(m_index)];
    const float width = m_font ? m_font->TextWidth(m_text.c_str(), m_size) : 0.0f;
    m_x = m_index == 1 ? 130.0f : (m_window_width - width) / 2.0f;
}

void CHelpOverlay::Update(float dt)
{
    switch (m_phase) {
    case FadeIn:
        m_alpha += dt * 0.006f;
        if (m_alpha > 1.0f) {
            m_alpha = 1.0f;
            m_phase = Hold;
        }
        break;
    case Hold:
        m_hold -= dt;
        if (m_hold < 0.0f)
            m_phase = FadeOut;
        break;
    case FadeOut:
        m_alpha -= dt * 0.007f;
        if (m_alpha < 0.0f) {
            m_alpha = 0.0f;
            m_phase = Done;
        }
        break;
    default:
        break;
    }
}

CHelpOverlay::Box CHelpOverlay::Backing() const
{
    Box box;
    if (!m_font)
        return box;
    float widest = 0;
    int lines = 0;
    for (size_t start = 0; start <= m_text.size(); ++lines) {
        const size_t end = std::min(m_text.find('\n', start), m_text.size());
        widest = std::max(widest, m_font->TextWidth(m_text.substr(start, end - start).c_str(), m_size));
        start = end + 1;
    }
    // Text rises size above its baseline; each further line stands size lower.
    const float margin = 6.0f;
    box.x = m_x - margin;
    box.y = m_y - m_size - margin;
    box.width = widest + 2 * margin;
    box.height = m_size * static_cast<float>(lines) + 2 * margin;
    return box;
}

void CHelpOverlay::Draw() const
{
    if (!m_font || m_phase == Done)
        return;
    const Box band = Backing();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.03f, 0.07f, 0.5f * m_alpha);
    glBegin(GL_QUADS);
    glVertex3f(band.x, band.y, m_z);
    glVertex3f(band.x + band.width, band.y, m_z);
    glVertex3f(band.x + band.width, band.y + band.height, m_z);
    glVertex3f(band.x, band.y + band.height, m_z);
    glEnd();
    glColor4f(1, 1, 1, 1);
    m_font->Draw(m_text.c_str(), m_size, m_x + 1.0f, m_y + 1.0f, m_z, 0.0f, 0.03f, 0.07f, m_alpha);
    m_font->Draw(m_text.c_str(), m_size, m_x, m_y, m_z, 0.8f, 0.93f, 0.87f, m_alpha);
}

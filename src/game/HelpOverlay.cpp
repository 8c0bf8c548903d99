// CHelpOverlay: the three binding hints, the pick by game count, the fade and the drawing.
#include "game/HelpOverlay.h"

#include "game/GameData.h"
#include "input/InputDevices.h"
#include "render/BitmapText.h"

int CHelpOverlay::s_created = 0;

CHelpOverlay::CHelpOverlay(const GameData& g, const CBitmapText* font, float windowWidth) : m_font(font)
{
    using In = InputDevices;
    m_hints.push_back("For maneuver press " + In::KeyName(g.m_maneuver_key) + " + LEFT/RIGHT (" +
                      In::JoyButtonName(g.m_maneuver_joy) + " joystick button)");
    m_hints.push_back("To use primary weapon press " + In::KeyName(g.m_fire_primary_key) + " key (" +
                      In::JoyButtonName(g.m_fire_primary_joy) + " on joystick) \n" +
                      " To use secondary weapon press " + In::KeyName(g.m_fire_secondary_key) + " key (" +
                      In::JoyButtonName(g.m_fire_secondary_joy) + " on joystick)");
    m_hints.push_back("Press " + In::KeyName(g.m_camera_key) + " key to change camera view");
    m_index = s_created == 0 ? 1 : s_created % 3;
    m_text = m_hints[static_cast<size_t>(m_index)];
    const float width = m_font ? m_font->TextWidth(m_text.c_str(), m_size) : 0.0f;
    m_x = m_index == 1 ? 130.0f : (windowWidth - width) / 2.0f;
    if (s_created >= 6)
        m_phase = Done;
    ++s_created;
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

void CHelpOverlay::Draw() const
{
    if (!m_font || m_phase == Done)
        return;
    m_font->Draw(m_text.c_str(), m_size, m_x + 1.0f, m_y + 1.0f, m_z, 0.0f, 0.03f, 0.07f, m_alpha);
    m_font->Draw(m_text.c_str(), m_size, m_x, m_y, m_z, 0.8f, 0.93f, 0.87f, m_alpha);
}

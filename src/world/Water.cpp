// Water: the flowing river quad.
#include "world/Water.h"

#include "app/Log.h"
#include "platform/GL.h"
#include "render/ResourceBank.h"
#include "render/Texture.h"
#include "resources/ParamFile.h"

#include <cmath>

bool Water::Load(const ResourceGroup& /*group*/, const ParamFile& f)
{
    m_height = f.GetFloat("h_water", "0") * m_k_scale;
    m_size = f.GetFloat("water_size", "0") * m_k_scale;
    m_repeat = f.GetFloat("k_water_tex", "0");
    m_transparency = f.GetFloat("water_transparency", "0");
    m_velocity = Vec3(0.0f, f.GetFloat("water_speed_y", "0"), 0.0f);
    m_offset = Vec3(0, 0, 0);
    if (m_size == 0.0f || !std::isfinite(m_size))
        LogWrite("Water: water_size is 0, the river is not drawn");
    if (m_graphics) {
        if (CResourceBank* bank = CResourceBank::FindBank("CLevel"))
            m_texture = bank->AddTexture(f.GetString("water_tex", "0"), "water", true, true);
    }
    m_loaded = true;
    return true;
}

void Water::TexCoordAt(float cx, float cy, float& s, float& t) const
{
    if (m_size == 0.0f) {
        s = t = 0.0f;
        return;
    }
    s = (m_view.x + m_offset.x + cx) / m_size * m_repeat;
    t = (m_view.y + m_offset.y + cy) / m_size * m_repeat;
}

void Water::Draw() const
{
    if (!m_loaded || m_size == 0.0f || !std::isfinite(m_size))
        return;
    glPushMatrix();
    glTranslatef(m_view.x, m_view.y, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_texture ? m_texture->GLName() : 0);
    if (Blends())
        glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, m_transparency);
    const float S = m_size;
    const float corners[4][2] = {{-S, -S / 2}, {S, -S / 2}, {-S, 2 * S}, {S, 2 * S}};
    glBegin(GL_TRIANGLE_STRIP);
    for (const auto& c : corners) {
        float s = 0, t = 0;
        TexCoordAt(c[0], c[1], s, t);
        glTexCoord2f(s, t);
        glVertex3f(c[0], c[1], m_height);
    }
    glEnd();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

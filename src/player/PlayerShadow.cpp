// CPlayerShadow: placement of the banked shadow grid over ground and water, and its drawing.
#include "player/PlayerShadow.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "player/FlightWorld.h"
#include "render/Texture.h"

#include <algorithm>
#include <cmath>

void CPlayerShadow::SetSize(float width, float length)
{
    m_cell_width = width / 3.0f;
    m_cell_length = length / 3.0f;
}

void CPlayerShadow::SetAircraft(const GameData* game, int aircraft)
{
    m_aircraft = aircraft;
    m_texture = nullptr;
    if (game && aircraft >= 0 && aircraft < GameData::kAircraftCount)
        m_texture = game->m_air_plane_shadows[aircraft];
}

void CPlayerShadow::SetRoll(float degrees)
{
    float a = std::fabs(degrees);
    if (!std::isfinite(a))
        a = 0.0f;
    // Folded by the half turn in floating point: a roll read as a huge angle has no int quadrant.
    float folded = std::fmod(a, 180.0f);
    if (folded > 90.0f)
        folded = 180.0f - folded;
    m_squeeze = 0.7f * folded / 90.0f;
}

void CPlayerShadow::Place(const Vec3& c)
{
    const float ox = c.x - 3.0f * m_cell_width / 2.0f;
    const float oy = c.y - 3.0f * m_cell_length / 2.0f;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            Vec3& v = m_grid[i][j];
            v.x = ox + static_cast<float>(i) * m_cell_width;
            v.y = oy + static_cast<float>(j) * m_cell_length;
            v.x -= (v.x - c.x) * m_squeeze;
            const float ground = m_world ? std::max(m_world->GroundHeight(v.x, v.y), m_world->WaterHeight()) : 0.0f;
            v.z = ground + 0.03f;
        }
}

void CPlayerShadow::Draw() const
{
    if (!m_visible)
        return;
    glEnable(GL_TEXTURE_2D);
    if (m_texture)
        glBindTexture(GL_TEXTURE_2D, m_texture->GLName());
    else
        glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glColor4f(0.0f, 0.0f, 0.0f, 0.2f);
    glBegin(GL_QUADS);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const float u0 = static_cast<float>(i) / 3.0f, u1 = static_cast<float>(i + 1) / 3.0f;
            const float v0 = static_cast<float>(j) / 3.0f, v1 = static_cast<float>(j + 1) / 3.0f;
            const Vec3& a = m_grid[i][j];
            const Vec3& b = m_grid[i + 1][j];
            const Vec3& cc = m_grid[i + 1][j + 1];
            const Vec3& d = m_grid[i][j + 1];
            glTexCoord2f(u0, v0);
            glVertex3f(a.x, a.y, a.z);
            glTexCoord2f(u1, v0);
            glVertex3f(b.x, b.y, b.z);
            glTexCoord2f(u1, v1);
            glVertex3f(cc.x, cc.y, cc.z);
            glTexCoord2f(u0, v1);
            glVertex3f(d.x, d.y, d.z);
        }
    glEnd();
    glDepthMask(GL_TRUE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
}

// CEnemyShadow: a turned grid draped over the terrain, and its outline on the water.
#include "world/EnemyShadow.h"

#include "platform/GL.h"
#include "render/Texture.h"
#include "world/BattleWorld.h"

void CEnemyShadow::SetSize(float width, float length)
{
    m_cell_width = width / 3.0f;
    m_cell_length = length / 3.0f;
}

void CEnemyShadow::Place(const Vec3& c)
{
    if (!m_visible)
        return;
    const Vec3 origin(c.x - 3.0f * m_cell_width / 2.0f, c.y - 3.0f * m_cell_length / 2.0f, 0.0f);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            Vec3 v(origin.x + static_cast<float>(i) * m_cell_width - c.x,
                   origin.y + static_cast<float>(j) * m_cell_length - c.y, 0.0f);
            v.RotateZ(m_heading);
            v.x += c.x;
            v.y += c.y;
            v.z = (m_world ? m_world->MeshHeight(v.x, v.y) : 0.0f) + 0.03f;
            m_grid[i][j] = v;
        }
}

void CEnemyShadow::BeginState(const CTexture* texture)
{
    if (texture && texture->GLName()) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture->GLName());
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, 0.2f);
}

void CEnemyShadow::EndState()
{
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void CEnemyShadow::Draw() const
{
    if (!m_visible)
        return;
    BeginState(m_texture);
    glBegin(GL_QUADS);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const float u0 = static_cast<float>(i) / 3.0f, u1 = static_cast<float>(i + 1) / 3.0f;
            const float v0 = static_cast<float>(j) / 3.0f, v1 = static_cast<float>(j + 1) / 3.0f;
            glTexCoord2f(u0, v0);
            glVertex3f(m_grid[i][j].x, m_grid[i][j].y, m_grid[i][j].z);
            glTexCoord2f(u1, v0);
            glVertex3f(m_grid[i + 1][j].x, m_grid[i + 1][j].y, m_grid[i + 1][j].z);
            glTexCoord2f(u1, v1);
            glVertex3f(m_grid[i + 1][j + 1].x, m_grid[i + 1][j + 1].y, m_grid[i + 1][j + 1].z);
            glTexCoord2f(u0, v1);
            glVertex3f(m_grid[i][j + 1].x, m_grid[i][j + 1].y, m_grid[i][j + 1].z);
        }
    const float wz = (m_world ? m_world->WaterHeight() : 0.0f) + 0.03f;
    glTexCoord2f(0, 0);
    glVertex3f(m_grid[0][0].x, m_grid[0][0].y, wz);
    glTexCoord2f(1, 0);
    glVertex3f(m_grid[3][0].x, m_grid[3][0].y, wz);
    glTexCoord2f(1, 1);
    glVertex3f(m_grid[3][3].x, m_grid[3][3].y, wz);
    glTexCoord2f(0, 1);
    glVertex3f(m_grid[0][3].x, m_grid[0][3].y, wz);
    glEnd();
    EndState();
}

// CParticleSystem: moving, ageing and removing particles; camera-facing and glow drawing.
#include "render/ParticleSystem.h"

#include "platform/GL.h"
#include "render/Texture.h"

#include <algorithm>

CParticleSystem::CParticleSystem(const CParticle& prototype, CTexture* texture, float gravity)
    : m_prototype(prototype), m_texture(texture), m_gravity(gravity)
{
    if (m_prototype.frameCount < 1)
        m_prototype.frameCount = 1;
    m_frame_width = 1.0f / static_cast<float>(m_prototype.frameCount);
}

void CParticleSystem::Emit(const CParticle& p)
{
    if (m_particles.size() < kMaxParticles)
        m_particles.push_back(p);
}

void CParticleSystem::EmitGlow(const CParticle& p)
{
    if (m_glow.size() < kMaxParticles)
        m_glow.push_back(p);
}

void CParticleSystem::UpdateList(std::vector<CParticle>& list, float dt) const
{
    const float fade = m_prototype.dalpha * dt;
    const float grow = m_prototype.dsize * dt;
    const int last = m_prototype.frameCount - 1;
    const bool byFrames = m_prototype.kind == 2;
    for (CParticle& p : list) {
        p.velocity.z -= m_gravity;
        p.position += p.velocity * dt;
        p.a -= fade;
        p.size += grow;
        if (p.frame < last) {
            p.frameTimer += p.frameSpeed * dt;
            p.frame = std::min(static_cast<int>(p.frameTimer), last);
        }
    }
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const CParticle& p) { return byFrames ? p.frame >= last : p.a < 0.01f; }),
               list.end());
    for (CParticle& p : list)
        if (p.a < 0.01f)
            p.a = 0.005f;
}

void CParticleSystem::Update(float dt)
{
    UpdateList(m_particles, dt);
    UpdateList(m_glow, dt);
}

void CParticleSystem::Draw() const
{
    if (Empty())
        return;
    glPushMatrix();
    glColor4f(1, 1, 1, 1);
    if (m_texture && m_texture->GLName()) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_texture->GLName());
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glEnable(GL_BLEND);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const Vec3 r(m[0], m[4], m[8]);
    const Vec3 u(m[1], m[5], m[9]);

    if (!m_glow.empty()) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glBegin(GL_QUADS);
        for (const CParticle& p : m_glow) {
            const float u0 = p.frame * m_frame_width, u1 = u0 + m_frame_width, h = p.size * 0.5f;
            glColor4f(p.r, p.g, p.b, p.a);
            glTexCoord2f(u0, 0);
            glVertex3f(p.position.x - h, p.position.y - h, p.position.z);
            glTexCoord2f(u1, 0);
            glVertex3f(p.position.x + h, p.position.y - h, p.position.z);
            glTexCoord2f(u1, 1);
            glVertex3f(p.position.x + h, p.position.y + h, p.position.z);
            glTexCoord2f(u0, 1);
            glVertex3f(p.position.x - h, p.position.y + h, p.position.z);
        }
        glEnd();
    }
    if (!m_particles.empty()) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBegin(GL_QUADS);
        for (const CParticle& p : m_particles) {
            const float u0 = p.frame * m_frame_width, u1 = u0 + m_frame_width, h = p.size * 0.5f;
            const Vec3 a = p.position + (-r - u) * h, b = p.position + (r - u) * h, c = p.position + (r + u) * h,
                       d = p.position + (-r + u) * h;
            glColor4f(p.r, p.g, p.b, p.a);
            glTexCoord2f(u0, 0);
            glVertex3f(a.x, a.y, a.z);
            glTexCoord2f(u1, 0);
            glVertex3f(b.x, b.y, b.z);
            glTexCoord2f(u1, 1);
            glVertex3f(c.x, c.y, c.z);
            glTexCoord2f(u0, 1);
            glVertex3f(d.x, d.y, d.z);
        }
        glEnd();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    glPopMatrix();
}

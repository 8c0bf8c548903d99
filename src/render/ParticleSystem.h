// CParticleSystem: one emitter — a prototype, the particles copied from it, and their strip
// texture — that moves, ages, removes and draws its particles each frame.
//
// The battle effects (CAtmosphericCtpl) own every system and add particles with Emit/EmitGlow;
// Update runs without GL; Draw needs a current context. All particles of a system share the
// prototype's rates and kind: kind 2 removes a particle at its last frame, kind 1 when its
// opacity falls below 0.01. A system holds at most kMaxParticles per list (further emissions are
// dropped), so a runaway emitter costs bounded memory and time.
#pragma once

#include "render/Particle.h"

#include <cstddef>
#include <vector>

class CTexture;

class CParticleSystem {
public:
    static constexpr size_t kMaxParticles = 4096;

    CParticleSystem(const CParticle& prototype, CTexture* texture, float gravity);

    // A copy of the prototype; the effects set position, velocity and speed.
    CParticle Make() const { return m_prototype; }
    void Emit(const CParticle& p);
    // A particle drawn additively as a flat square (a glow).
    void EmitGlow(const CParticle& p);

    // dt in the game's time unit. Gravity is added to every velocity once per update.
    void Update(float dt);
    void Draw() const;

    bool Empty() const { return m_particles.empty() && m_glow.empty(); }
    const CParticle& Prototype() const { return m_prototype; }
    CParticle& Prototype() { return m_prototype; }
    const std::vector<CParticle>& Particles() const { return m_particles; }
    std::vector<CParticle>& Particles() { return m_particles; }
    const std::vector<CParticle>& Glow() const { return m_glow; }
    // The newest particle of the main list (trail filling starts from it), or null.
    const CParticle* Newest() const { return m_particles.empty() ? nullptr : &m_particles.back(); }
    CTexture* Texture() const { return m_texture; }

private:
    void UpdateList(std::vector<CParticle>& list, float dt) const;

    CParticle m_prototype;
    CTexture* m_texture;
    float m_gravity;
    float m_frame_width;
    std::vector<CParticle> m_particles;
    std::vector<CParticle> m_glow;
};

// CAtmosphericCtpl: keyed, wake and one-shot emitters, trail filling, explosions and splashes.
#include "world/AtmosphericCtpl.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "render/Entity.h"
#include "world/Level.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

float Rand01() { return static_cast<float>(std::rand() % 1000) / 1000.0f; }

Vec3 SafeDirection(Vec3 v, const Vec3& fallback)
{
    const float len = v.Length();
    if (!(len > 0.0f) || !std::isfinite(len))
        return fallback;
    return v / len;
}

bool Finite(const Vec3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

}  // namespace

CAtmosphericCtpl::CAtmosphericCtpl() = default;
CAtmosphericCtpl::~CAtmosphericCtpl() = default;

void CAtmosphericCtpl::SetLevel(CLevel* level)
{
    m_level = level;
    m_level_world.SetLevel(level);
    if (!m_game && level && level->Game())
        SetGame(level->Game());
}

std::unique_ptr<CParticleSystem> CAtmosphericCtpl::NewSystem(int particle, CTexture* texture) const
{
    return std::make_unique<CParticleSystem>(m_protos[static_cast<size_t>(particle)], texture, m_gravity);
}

void CAtmosphericCtpl::SetGame(const GameData* game)
{
    m_game = game;
    if (!game)
        return;
    for (int i = 0; i < kParticleCount; ++i)
        m_protos[static_cast<size_t>(i)] = ReadParticle(game->m_particles[i], GameData::kParticleFiles[i]);
    m_gravity = std::isfinite(game->m_gravity) ? game->m_gravity : 0.0f;
    m_trails[0] = NewSystem(kParticlePlane, game->m_splashes1);
    m_trails[1] = NewSystem(kParticlePlane, game->m_splashes1);
    m_fire_src = NewSystem(kParticleFireSrc, game->m_fire1);
    m_flak = NewSystem(kParticleFlak, game->m_flak1);
    m_explode = NewSystem(kParticleExplode, game->m_fire1);
    m_explode_sm = NewSystem(kParticleExplodeSm, game->m_fire1);
}

int CAtmosphericCtpl::FillTrail(CParticleSystem& emitter, const Vec3& at)
{
    const CParticle* newest = emitter.Newest();
    if (!newest) {
        CParticle p = emitter.Make();
        p.position = at;
        emitter.Emit(p);
        return 1;
    }
    const Vec3 from = newest->position;
    const Vec3 seg = at - from;
    const float len = seg.Length();
    const float m = emitter.Prototype().dist;
    // A spacing of 0 cannot fill anything: such a trail only restarts when it has run out.
    if (!(m > 0.0f) || !std::isfinite(len) || len < m)
        return 0;
    const int n = std::min(static_cast<int>(len / m), kMaxTrailFill);
    for (int k = 1; k <= n; ++k) {
        CParticle p = emitter.Make();
        p.position = from + seg * (static_cast<float>(k) / static_cast<float>(n));
        emitter.Emit(p);
    }
    return n;
}

CParticleSystem* CAtmosphericCtpl::KeyedEmitter(std::map<uint64_t, std::unique_ptr<CParticleSystem>>& map, uint64_t key,
                                                int particle, CTexture* texture)
{
    auto it = map.find(key);
    if (it == map.end())
        it = map.emplace(key, NewSystem(particle, texture)).first;
    return it->second.get();
}

void CAtmosphericCtpl::EmitContrails(const Vec3& left, const Vec3& right, bool maneuver)
{
    if (!m_game || !maneuver) {
        m_trails_on = false;
        return;
    }
    const Vec3 at[2] = {left, right};
    for (size_t i = 0; i < 2; ++i) {
        if (!m_trails_on) {
            // A new roll: the trail starts at the aircraft, not at the end of the last one.
            CParticle p = m_trails[i]->Make();
            p.position = at[i];
            m_trails[i]->Emit(p);
        } else {
            FillTrail(*m_trails[i], at[i]);
        }
    }
    m_trails_on = true;
}

void CAtmosphericCtpl::EmitFire(uint64_t key, const Vec3& at)
{
    if (m_game && Finite(at))
        FillTrail(*KeyedEmitter(m_keyed, key, kParticleFireSrc, m_game->m_fire1), at);
}

void CAtmosphericCtpl::EmitBoatFire(uint64_t key, const Vec3& at)
{
    if (m_game && Finite(at))
        FillTrail(*KeyedEmitter(m_keyed, key, kParticleFireBoat, m_game->m_fire1), at);
}

void CAtmosphericCtpl::EmitMissileSmoke(uint64_t key, const Vec3& at)
{
    if (m_game && Finite(at))
        FillTrail(*KeyedEmitter(m_keyed, key, kParticleMissileEnemy, m_game->m_smoke1), at);
}

void CAtmosphericCtpl::EmitMissileTrail(uint64_t key, const Vec3& at)
{
    if (m_game && Finite(at))
        FillTrail(*KeyedEmitter(m_keyed, key, kParticleMissile, m_game->m_splashes1), at);
}

void CAtmosphericCtpl::EmitWake(uint64_t key, const Vec3& point)
{
    if (!m_game || !Finite(point))
        return;
    const Vec3 at = point + Vec3(0, 0, 0.01f);
    CParticleSystem* e = KeyedEmitter(m_wakes, key, kParticleWaterTail, m_game->m_splashes1);
    const float speed = e->Prototype().speed;
    if (e->Empty()) {
        for (int k = 0; k < 4; ++k) {
            CParticle p = e->Make();
            p.position = at + Vec3(0, 0, 0.04f * static_cast<float>(k));
            p.velocity.Set(0, 0, speed);
            e->Emit(p);
        }
        return;
    }
    const size_t before = e->Particles().size();
    FillTrail(*e, at);
    // The new particles spread sideways and backwards, each at one unit of speed.
    for (size_t i = before; i < e->Particles().size(); ++i) {
        Vec3 v(static_cast<float>(std::rand() % 6 - 3), -3.0f * static_cast<float>(1 + std::rand() % 2), 0.0f);
        v.Normalize();
        e->Particles()[i].velocity = v;
    }
}

void CAtmosphericCtpl::EmitFireSource(const Vec3& at)
{
    if (!m_game || !Finite(at))
        return;
    CParticle p = m_fire_src->Make();
    p.position = at;
    m_fire_src->Emit(p);
}

void CAtmosphericCtpl::EmitFlak(const Vec3& at)
{
    if (!m_game || !Finite(at))
        return;
    CParticle p = m_flak->Make();
    p.position = at;
    m_flak->Emit(p);
}

void CAtmosphericCtpl::SpawnExplosion(const Vec3& at, float s)
{
    if (!m_game || !Finite(at) || !std::isfinite(s))
        return;
    const CParticle& big = m_explode->Prototype();
    float speed = big.speed;
    for (int k = 0; k < 3; ++k) {
        CParticle p = m_explode->Make();
        p.position = at;
        const Vec3 dir = SafeDirection(big.velocity + Vec3((Rand01() - 0.5f) / 8.0f, (Rand01() - 0.5f) / 8.0f, 0.0f),
                                       Vec3(0, 0, 1));
        p.velocity = dir * (speed * s);
        speed *= 1.2f;
        p.size *= s;
        p.frameSpeed *= 1.0f + 0.5f * Rand01();
        m_explode->Emit(p);
    }
    for (int k = 0; k < 13; ++k) {
        CParticle p = m_explode_sm->Make();
        p.position = at;
        const Vec3 dir = SafeDirection(Vec3(Rand01() - 0.5f, Rand01() - 0.5f, Rand01() * 0.5f), Vec3(0, 0, 1));
        p.velocity = dir * (p.speed * s);
        p.size *= s;
        p.frameSpeed *= 1.0f + 0.5f * Rand01();
        m_explode_sm->Emit(p);
    }
}

void CAtmosphericCtpl::SpawnWaterSplash(const Vec3& at, float s)
{
    if (!m_game || !Finite(at) || !std::isfinite(s))
        return;
    auto e = NewSystem(kParticleEWater, m_game->m_splashes1);
    const float base = e->Prototype().speed;
    for (int k = 0; k < 34; ++k) {
        CParticle p = e->Make();
        p.position = at + Vec3((Rand01() - 0.5f) * 0.2f * s, (Rand01() - 0.5f) * 0.2f * s, 0.0f);
        const bool column = k < 13;
        const Vec3 dir = column ? SafeDirection(Vec3((Rand01() - 0.5f) * 0.4f, (Rand01() - 0.5f) * 0.4f, 1.0f), Vec3(0, 0, 1))
                                : SafeDirection(Vec3(Rand01() - 0.5f, Rand01() - 0.5f, 0.5f), Vec3(0, 0, 1));
        const float f = column ? 0.8f + 2.6f * Rand01() : 0.8f + 0.5f * Rand01();
        p.velocity = dir * (base * f * s);
        e->Emit(p);
    }
    m_one_shots.push_back(std::move(e));
}

void CAtmosphericCtpl::CrashEffect(const CEntity& entity)
{
    const Vec3& p = entity.GetPosition();
    const float water = m_world->WaterHeight();
    if (water > p.z)
        SpawnWaterSplash(Vec3(p.x, p.y, water), entity.GetScale());
    SpawnExplosion(p, entity.GetScale());
}

void CAtmosphericCtpl::Update(float dt)
{
    for (auto* map : {&m_keyed, &m_wakes})
        for (auto it = map->begin(); it != map->end();) {
            it->second->Update(dt);
            if (it->second->Empty())
                it = map->erase(it);
            else
                ++it;
        }
    for (auto it = m_one_shots.begin(); it != m_one_shots.end();) {
        (*it)->Update(dt);
        if ((*it)->Empty())
            it = m_one_shots.erase(it);
        else
            ++it;
    }
    for (auto* shared : {&m_trails[0], &m_trails[1], &m_fire_src, &m_flak, &m_explode, &m_explode_sm})
        if (*shared)
            (*shared)->Update(dt);
}

void CAtmosphericCtpl::Draw()
{
    if (!m_game)
        return;
    glDepthMask(GL_FALSE);
    for (const auto& [key, e] : m_keyed)
        e->Draw();
    for (const auto& [key, e] : m_wakes)
        e->Draw();
    for (auto* shared : {&m_trails[0], &m_trails[1], &m_fire_src, &m_flak, &m_explode, &m_explode_sm})
        if (*shared)
            (*shared)->Draw();
    for (const auto& e : m_one_shots)
        e->Draw();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

const CParticleSystem* CAtmosphericCtpl::Keyed(uint64_t key) const
{
    const auto it = m_keyed.find(key);
    return it == m_keyed.end() ? nullptr : it->second.get();
}

const CParticleSystem* CAtmosphericCtpl::Wake(uint64_t key) const
{
    const auto it = m_wakes.find(key);
    return it == m_wakes.end() ? nullptr : it->second.get();
}

size_t CAtmosphericCtpl::ParticleCount() const
{
    size_t n = 0;
    for (const auto& [key, e] : m_keyed)
        n += e->Particles().size() + e->Glow().size();
    for (const auto& [key, e] : m_wakes)
        n += e->Particles().size();
    for (const auto& e : m_one_shots)
        n += e->Particles().size();
    for (auto* shared : {&m_trails[0], &m_trails[1], &m_fire_src, &m_flak, &m_explode, &m_explode_sm})
        if (*shared)
            n += (*shared)->Particles().size() + (*shared)->Glow().size();
    return n;
}

// CEnemyBoat: river driving with turns, surfacing, missiles and flak, burning points, sinking.
#include "world/EnemyBoat.h"

#include "app/Log.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "player/MissleCtrl.h"
#include "render/Particle.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

CEnemyBoat::CEnemyBoat(CLevel* level, CAtmosphericCtpl* effects) : CEnemyKind(level, effects)
{
    m_speed = 0.002f;
    m_gravity.Set(0, 0, -(m_game ? m_game->m_gravity_boat : 0.0f));
    m_missile_timer = m_game ? m_game->m_boat_shoot_roket_pause : 0.0f;
    m_flak_timer = m_game ? m_game->m_boat_shoot_flak_pause : 0.0f;
    SetRotationOrder('z', 'A', 'A');
    BuildBurningPoints(0.0f);
}

void CEnemyBoat::SetKind(int32_t kind)
{
    const int32_t k = ClampKind(kind, GameData::kMaxBoats, "CEnemyBoat");
    m_kind = k;
    m_score_code = 200 + k;
    if (m_game)
        LoadModel(m_game->m_e_boats[k]);
    m_health = 10.0f * m_scale;
}

void CEnemyBoat::ApplyKind()
{
    const float health = m_health;
    SetKind(m_kind);
    m_health = health;
}

void CEnemyBoat::SetFirePoints(int n)
{
    // Launch points exist for the middle, the stern and the bow.
    const int fixed = std::clamp(n, 1, 3);
    if (fixed != n)
        LogWrite("CEnemyBoat: m_fire_pt %d, %d used", n, fixed);
    m_fire_points = fixed;
    m_next_point = 0;
}

void CEnemyBoat::ReadKeys(const ParamFile& f, int i)
{
    SetKind(f.GetInt(Key("m_kind", i), "0"));
    ReadMotion(f, i, false);
    const Vec3 p = ReadPosition(f, i);
    m_shoot_status = f.GetInt(Key("m_shoot_status", i), "0");
    SetFirePoints(f.GetInt(Key("m_fire_pt", i), "0"));
    m_surfacing = (m_kind == 2 || m_kind == 5) && f.GetInt(Key("m_floating_up", i), "0") != 0;
    const float fireSize = m_game ? ReadParticle(m_game->m_particles[kParticleFireSrc], "p_fire_src").size : 0.0f;
    BuildBurningPoints(fireSize);
    Place(p);
}

void CEnemyBoat::WriteKeys(ParamFile& f, int i) const
{
    f.SetString(Key("name", i), "EnemyBoat1");
    WriteMotion(f, i);
    WritePosition(f, i);
    f.SetInt(Key("m_shoot_status", i), m_shoot_status);
    f.SetInt(Key("m_fire_pt", i), m_fire_points);
    if (m_kind == 2 || m_kind == 5)
        f.SetInt(Key("m_floating_up", i), m_surfacing ? 1 : 0);
    f.SetInt(Key("m_kind", i), m_kind);
}

void CEnemyBoat::BuildBurningPoints(float fireSize)
{
    m_points.clear();
    const float s = fireSize / 4.0f;
    const float S = m_scale;
    if (s > 0.0f && std::isfinite(s) && S > 0.0f && std::isfinite(S)) {
        const float wf = std::min(S / s, 1000.0f);
        const int w = static_cast<int>(wf);
        if (w >= 5) {
            const float x = S / static_cast<float>(w);
            for (int i = 2; i <= w - 3 && static_cast<int>(m_points.size()) < kMaxBurningPoints; ++i)
                m_points.emplace_back(0.0f, static_cast<float>(w / 2 - i) * x, 0.0f);
        }
    }
    if (m_points.empty())
        m_points.emplace_back(0.0f, 0.0f, 0.0f);
    m_point_burns.assign(m_points.size(), false);
}

Vec3 CEnemyBoat::WorldPoint(size_t i) const
{
    Vec3 o = m_points[i];
    o.RotateZ(m_angle_z);
    return m_position + o;
}

void CEnemyBoat::Place(const Vec3& p)
{
    m_water0 = m_world->WaterHeight();
    m_fly0 = m_world->FlyingHeight();
    const float h = ScaledUp();
    float z = m_water0 + h / 2.0f - h / 8.0f;
    if (m_surfacing) {
        z = m_world->GroundHeight(p.x, p.y) + h / 2.0f;
        m_dir.z = 0.12f;
    }
    SetPosition(p.x, p.y, z);
}

void CEnemyBoat::StartUTurn()
{
    if (m_angle_z < 180.0f) {
        m_target_heading = m_angle_z + 180.0f;
        m_turn = 2;
    } else {
        m_target_heading = m_angle_z - 180.0f;
        m_turn = 1;
    }
}

Vec3 CEnemyBoat::FireOffset() const
{
    Vec3 u = m_dir;
    u.NormalizeSafe();
    return u * (ScaledLength() / 2.1f);
}

void CEnemyBoat::Update(float dt)
{
    if (!m_game)
        return;
    const float h = ScaledUp();
    const float water = m_world->WaterHeight();
    if (m_life == 0) {
        if (m_turn != 0) {
            m_angle_z += dt * 0.2f * (m_turn == 1 ? -1.0f : 1.0f);
            if (std::fabs(m_angle_z - m_target_heading) <= 1.0f ||
                (m_turn == 1 ? m_angle_z < m_target_heading : m_angle_z > m_target_heading)) {
                m_angle_z = m_target_heading;
                m_turn = 0;
                m_last_turn = true;
                m_dir = -m_dir;
                m_position += m_dir * (m_speed * dt);
            }
        } else {
            const Vec3 step = m_dir * (m_speed * dt);
            const Vec3 ahead = m_position + m_dir * ScaledLength();
            const bool deep = water > m_world->GroundHeight(ahead.x, ahead.y) + h / 4.0f;
            const float hw = m_world->HalfWidth();
            if (m_surfacing) {
                m_position += step;
                if (m_position.z - h / 2.0f + h / 8.0f > water) {
                    m_position.z = water + h / 2.0f - h / 8.0f;
                    m_dir.z = 0.0f;
                    m_surfacing = false;
                    m_missile_timer = 0.0f;
                }
            } else if (deep && m_speed != 0.0f) {
                m_position += step;
                m_last_turn = false;
                // Only a boat heading outwards turns at a side (one placed beyond it comes back).
                if ((m_position.x > 0.9f * hw && m_dir.x > 0.0f) || (m_position.x < -0.9f * hw && m_dir.x < 0.0f))
                    StartUTurn();
            } else if (!deep && !m_last_turn && m_speed != 0.0f) {
                StartUTurn();
            }
        }
        if (!m_surfacing && m_missiles) {
            if (m_shoot_status == 1 || m_shoot_status == 3) {
                m_missile_timer -= dt;
                if (m_missile_timer < 0.0f) {
                    m_missile_timer = m_game->m_boat_shoot_roket_pause;
                    const Vec3 u = FireOffset();
                    Vec3 at = m_position;
                    if (m_next_point == 1)
                        at -= u;
                    else if (m_next_point == 2)
                        at += u;
                    Vec3 toPlayer = Listener() - at;
                    toPlayer.z = 0.0f;
                    if (toPlayer.LengthSq() == 0.0f)
                        toPlayer = m_dir;
                    m_missiles->FireBoatMissile(at, toPlayer, m_game->m_missile_aa_damage);
                    m_next_point = (m_next_point + 1) % m_fire_points;
                }
            }
            if (m_shoot_status == 2 || m_shoot_status == 3) {
                m_flak_timer -= dt;
                if (m_flak_timer < 0.0f) {
                    m_flak_timer = m_game->m_boat_shoot_flak_pause;
                    const Vec3 u = FireOffset();
                    const float spread = ScaledLength() / 2.0f;
                    for (int i = 0; i < m_fire_points; ++i) {
                        Vec3 gun = u * static_cast<float>(i - 1);
                        if (m_turn != 0)
                            gun.RotateZ(m_angle_z - 90.0f);
                        const int shells = 2 + std::rand() % 3;
                        for (int k = 0; k < shells; ++k) {
                            const Vec3 d((static_cast<float>(std::rand() % 100) / 100.0f - 0.5f) * spread,
                                         (static_cast<float>(std::rand() % 100) / 100.0f - 0.5f) * spread, 1.0f);
                            m_missiles->FireBoatFlak(m_position + gun, d, m_game->m_flak_damage);
                        }
                    }
                }
            }
        }
    }
    if (m_burning && m_effects)
        for (size_t i = 0; i < m_points.size(); ++i)
            if (m_point_burns[i]) {
                Vec3 at = WorldPoint(i);
                at.z = m_position.z - h / 4.0f;
                m_effects->EmitBoatFire(m_effect_id + 1 + i, at);
            }
    if (m_life != 1)
        return;
    PlaceSound(3);
    BattleSound::Loop(m_effect_id, m_sinking_sound, 3, Listener(), m_position, SoundRange());
    if (m_position.z < water - h)
        m_life = 2;
    m_subexplode_timer -= dt;
    if (m_subexplode_timer < 0.0f && m_position.z > water) {
        m_subexplode_timer = m_game->m_boat_subexplods_time;
        Vec3 at = WorldPoint(static_cast<size_t>(std::rand()) % m_points.size());
        at.z = m_position.z - h / 4.0f;
        if (m_effects)
            m_effects->SpawnExplosion(at, 0.8f);
    }
    if (m_angle_x != 0.0f)
        m_angle_x += dt * 0.03f * (m_angle_x > 0.0f ? 1.0f : -1.0f);
    if (m_angle_y != 0.0f)
        m_angle_y += dt * 0.05f * (m_angle_y > 0.0f ? 1.0f : -1.0f);
    m_dir += m_gravity;
    m_position.z += m_dir.z;
}

void CEnemyBoat::Kill(const Vec3* hit)
{
    if (m_life != 0)
        return;
    m_burning = true;
    if (hit) {
        size_t best = m_points.size();
        float bestDist = m_scale;
        for (size_t i = 0; i < m_points.size(); ++i) {
            if (m_point_burns[i])
                continue;
            const float d = (WorldPoint(i) - *hit).Length();
            if (d < bestDist) {
                bestDist = d;
                best = i;
            }
        }
        if (best < m_points.size())
            m_point_burns[best] = true;
    }
    if (m_health > 0.0f)
        return;
    if (m_game)
        m_game->scoreLevel += m_game->m_score_boat * static_cast<int32_t>(std::lround(m_scale));
    const float water = m_world->WaterHeight();
    if (m_effects) {
        m_effects->SpawnExplosion(m_position, 1.2f);
        m_effects->SpawnWaterSplash(Vec3(m_position.x, m_position.y, water + 0.01f), m_scale / 3.0f);
    }
    m_point_burns[m_points.size() / 2] = true;
    m_sinking_sound += std::rand() % 3;
    m_dir.z = 0.0f;
    m_subexplode_timer = m_game ? m_game->m_boat_subexplods_time : 0.0f;
    m_life = 1;
    if (m_game)
        m_game->killCounts[2] += 1;
    m_angle_y = std::rand() % 2 == 0 ? -1.0f : 1.0f;
    BattleSound::Play(3);
    PlaceSound(3);
}

void CEnemyBoat::Draw()
{
    if (!InView())
        return;
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle_z, 0, 0, 1);
    if (m_angle_x != 0.0f)
        glRotatef(m_angle_x, 1, 0, 0);
    if (m_angle_y != 0.0f)
        glRotatef(m_angle_y, 0, 1, 0);
    DrawWithChildren();
    glPopMatrix();
}

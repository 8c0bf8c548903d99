// CEnemyPlane: cruise with look-ahead steering, side wrap, the burning fall and the crash.
#include "world/EnemyPlane.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

CEnemyPlane::CEnemyPlane(CLevel* level, CAtmosphericCtpl* effects) : CEnemyKind(level, effects), m_shadow(m_world)
{
    m_gravity.Set(0, 0, -(m_game ? m_game->m_gravity : 0.0f));
    SetRotationOrder('z', 'x', 'A');
}

void CEnemyPlane::SetKind(int32_t kind)
{
    const int32_t k = ClampKind(kind, GameData::kMaxPlanes, "CEnemyPlane");
    m_kind = k;
    m_score_code = 100 + k;
    if (m_game) {
        LoadModel(m_game->m_e_planes[k]);
        m_shadow.SetTexture(m_game->m_e_plane_shadows[k]);
    }
    m_shadow.SetSize(ScaledWidth(), ScaledLength());
    m_engine_sound = k + 90;
}

void CEnemyPlane::ApplyKind() { SetKind(m_kind); }

void CEnemyPlane::ReadKeys(const ParamFile& f, int i)
{
    SetKind(f.GetInt(Key("m_kind", i), "0"));
    ReadMotion(f, i, true);
    m_moving = m_speed != 0.0f;
    Place(ReadPosition(f, i));
}

void CEnemyPlane::WriteKeys(ParamFile& f, int i) const
{
    f.SetString(Key("name", i), "EnemyPlane1");
    WriteMotion(f, i);
    WritePosition(f, i);
    f.SetInt(Key("m_kind", i), m_kind);
}

void CEnemyPlane::Place(const Vec3& p)
{
    m_shadow.SetWorld(m_world);
    const float h = ScaledUp(), s = m_scale;
    const float water = m_world->WaterHeight(), fly = m_world->FlyingHeight();
    float z = 0.0f;
    switch (std::rand() % 5) {
    case 0: z = water + 2.0f * h; break;
    case 1: z = water + 5.0f * h; break;
    case 2: z = fly; break;
    case 3: z = fly + 2.0f * h; break;
    default: z = fly + 5.0f * h; break;
    }
    if (!m_moving)
        z = m_world->MeshHeight(p.x, p.y) + h / 1.6f;
    m_cruise_floor = z;
    z = std::max(z, std::max(m_world->MeshHeight(p.x, p.y), water + 2.0f * s));
    SetPosition(p.x, p.y, z);
    m_shadow.SetHeading(m_angle_z);
    m_shadow.Place(m_position);
}

void CEnemyPlane::Update(float dt)
{
    if (!m_game)
        return;
    m_shadow.SetWorld(m_world);
    if (m_life == 0) {
        SetRotationOrder('z', 'x', 'A');
        BattleSound::Loop(m_effect_id, m_engine_sound, 2, Listener(), m_position, SoundRange());
        // Steer towards the ground ahead, never below the cruise floor.
        Vec3 flat(m_dir.x, m_dir.y, 0.0f);
        flat.NormalizeSafe();
        const Vec3 ahead = m_position + flat * (8.0f * m_scale);
        const float target = std::max(m_world->MeshHeight(ahead.x, ahead.y) + 2.0f * m_scale, m_cruise_floor);
        Vec3 d = Vec3(ahead.x, ahead.y, target) - m_position;
        d.NormalizeSafe();
        if (d.LengthSq() > 0.0f)
            m_dir = d;
        if (m_dir.z != 0.0f) {
            const float c = std::clamp(m_dir.Dot(Vec3(m_dir.x, m_dir.y, 0.0f)), -1.0f, 1.0f);
            m_angle_x = std::acos(c) / kDegToRad;
            if (m_position.z > target)
                m_angle_x = -m_angle_x;
        } else {
            m_angle_x = 0.0f;
        }
        m_position += m_dir * (m_speed * dt);
        m_shadow.SetVisible(m_position.z <= m_world->HeightMax());
        const float hw = m_world->HalfWidth();
        if ((m_dir.x > 0.0f && m_position.x > 1.1f * hw) || (m_dir.x < 0.0f && m_position.x < -1.1f * hw))
            m_position.x = -m_position.x;
        m_shadow.SetHeading(m_angle_z);
        m_shadow.Place(m_position);
        return;
    }
    if (m_life != 1)
        return;
    SetRotationOrder('z', 'A', 'A');
    PlaceSound(5);
    if (m_world->GroundHeight(m_position.x, m_position.y) < m_position.z && m_world->WaterHeight() < m_position.z &&
        m_moving) {
        m_angle_x -= dt * 0.3f;
        m_position += m_dir * (m_speed * dt);
        Vec3 v = m_dir * m_speed + m_gravity;
        m_speed = v.Length();
        if (m_speed > 0.0f)
            m_dir = v / m_speed;
    } else {
        m_life = 2;
        if (m_effects) {
            m_effects->CrashEffect(*this);
            m_effects->EmitFire(m_effect_id, m_position);
        }
    }
    EmitWreckSmoke();
}

void CEnemyPlane::Kill(const Vec3* hitPoint)
{
    (void)hitPoint;
    if (m_life != 0)
        return;
    m_life = 1;
    m_shadow.SetVisible(false);
    CountKill(m_game ? m_game->m_score_plane : 0, 0, 5);
}

Vec3 CEnemyPlane::AimPoint() const
{
    const float ts = m_game ? m_game->timeScale : 0.13f;
    return m_position + m_dir * (m_speed * 100.0f * ts);
}

void CEnemyPlane::Draw()
{
    m_shadow.Draw();
    if (!InView())
        return;
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle_z, 0, 0, 1);
    glRotatef(m_angle_x, 1, 0, 0);
    DrawWithChildren();
    glPopMatrix();
}

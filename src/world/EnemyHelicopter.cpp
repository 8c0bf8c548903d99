// CEnemyHelicopter: patrol, turns, burst fire, the spinning fall.
#include "world/EnemyHelicopter.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "player/MissleCtrl.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

CEnemyHelicopter::CEnemyHelicopter(CLevel* level, CAtmosphericCtpl* effects)
    : CEnemyKind(level, effects), m_shadow(m_world)
{
    m_gravity.Set(0, 0, -(m_game ? m_game->m_gravity : 0.0f));
    const int r = std::rand();
    m_burst = r % 3 + 1;
    m_burst_left = r % 3;
    SetRotationOrder('z', 'A', 'A');
}

void CEnemyHelicopter::SetKind(int32_t kind)
{
    const int32_t k = ClampKind(kind, GameData::kMaxHelicops, "CEnemyHelicopter");
    m_kind = k;
    m_score_code = 300 + k;
    if (m_game) {
        LoadModel(m_game->m_e_helicops[k]);
        m_shadow.SetTexture(m_game->m_e_helicop_shadows[k]);
    }
    m_rotor = FindChild("rotor");
    m_shadow.SetSize(ScaledWidth(), ScaledLength());
    m_engine_sound = k + 80;
}

void CEnemyHelicopter::ApplyKind() { SetKind(m_kind); }

void CEnemyHelicopter::ReadKeys(const ParamFile& f, int i)
{
    SetKind(f.GetInt(Key("m_kind", i), "0"));
    m_flying = f.GetInt(Key("m_is_fly", i), "1") != 0;
    ReadMotion(f, i, true);
    const Vec3 p = ReadPosition(f, i);
    m_shoots = f.GetInt(Key("m_shoot", i), "0") == 1;
    Place(p);
}

void CEnemyHelicopter::WriteKeys(ParamFile& f, int i) const
{
    f.SetString(Key("name", i), "EnemyHelic1");
    f.SetInt(Key("m_is_fly", i), m_flying ? 1 : 0);
    WriteMotion(f, i);
    WritePosition(f, i);
    f.SetInt(Key("m_shoot", i), m_shoots ? 1 : 0);
    f.SetInt(Key("m_kind", i), m_kind);
}

void CEnemyHelicopter::Place(const Vec3& p)
{
    m_shadow.SetWorld(m_world);
    m_water0 = m_world->WaterHeight();
    m_fly0 = m_world->FlyingHeight();
    float z;
    if (m_flying) {
        z = m_fly0 + m_world->GroundHeight(p.x, p.y) - m_water0;
        m_over_water = !m_world->IsAboveWater(p.x, p.y);
        if (m_over_water)
            z = m_fly0;
    } else {
        z = std::max(m_world->GroundHeight(p.x, p.y), m_water0) + ScaledUp() / 2.0f + 0.1f;
    }
    SetPosition(p.x, p.y, z);
    m_shadow.SetHeading(m_angle_z);
    m_shadow.Place(m_position);
}

void CEnemyHelicopter::StartTurn()
{
    if (std::rand() % 2 == 0) {
        m_target_heading = m_angle_z + 180.0f;
        m_turn = 2;
    } else {
        m_target_heading = m_angle_z - 180.0f;
        m_turn = 1;
    }
}

void CEnemyHelicopter::Update(float dt)
{
    if (!m_game)
        return;
    m_shadow.SetWorld(m_world);
    if (m_flying) {
        m_rotor_angle += dt * 15.0f;
        if (m_rotor_angle > 360.0f)
            m_rotor_angle = 3.0f;
    }
    if (m_life == 0 && m_flying) {
        BattleSound::Loop(m_effect_id, m_engine_sound, 2, Listener(), m_position, SoundRange());
        if (m_turn != 0) {
            const float step = dt * 0.7f * (m_turn == 1 ? -1.0f : 1.0f);
            m_angle_z += step;
            if (std::fabs(m_angle_z - m_target_heading) <= 1.0f ||
                (m_turn == 1 ? m_angle_z < m_target_heading : m_angle_z > m_target_heading)) {
                m_angle_z = m_target_heading;
                m_turn = 0;
                m_dir = -m_dir;
                m_position += m_dir * (m_speed * dt);
            }
        } else {
            m_position += m_dir * (m_speed * dt);
            const float ground = m_world->GroundHeight(m_position.x, m_position.y);
            m_position.z = ground < m_water0 ? m_fly0 : ground + m_fly0 - m_water0;
            const float edge = 7.0f / 8.0f * m_world->HalfWidth();
            // Only a helicopter heading outwards turns at a side, so one placed beyond it comes
            // back instead of turning on the spot for ever.
            if ((m_position.x > edge && m_dir.x > 0.0f) || (m_position.x < -edge && m_dir.x < 0.0f) ||
                (m_over_water && m_world->IsAboveWater(m_position.x, m_position.y)))
                StartTurn();
        }
        if (m_shoots) {
            m_missile_timer -= dt;
            if (m_missile_timer < 0.0f) {
                const float pause = m_game->m_helic_shoot_roket_pause;
                if (m_burst_left > 0) {
                    m_missile_timer = pause / static_cast<float>(m_burst);
                    --m_burst_left;
                } else {
                    m_missile_timer = pause * static_cast<float>(m_burst);
                    m_burst_left = m_burst - 1;
                }
                if (m_missiles)
                    m_missiles->FireHelicopterMissile(m_position, m_angle_z, m_game->m_missile_aa_damage);
            }
        }
    } else if (m_life == 1) {
        PlaceSound(4);
        if (m_world->GroundHeight(m_position.x, m_position.y) < m_position.z &&
            m_world->WaterHeight() < m_position.z && m_flying) {
            m_angle_z -= dt;
            m_position += m_dir * (m_speed * dt);
            m_dir += m_gravity;
            m_position.z += m_dir.z;
        } else {
            m_life = 2;
            if (m_effects) {
                m_effects->CrashEffect(*this);
                m_effects->EmitFire(m_effect_id, m_position);
            }
        }
        EmitWreckSmoke();
    }
    if (m_rotor)
        m_rotor->m_angle_z = m_rotor_angle;
    m_shadow.SetHeading(m_angle_z);
    m_shadow.Place(m_position);
}

void CEnemyHelicopter::Kill(const Vec3* hitPoint)
{
    (void)hitPoint;
    if (m_life != 0)
        return;
    m_life = 1;
    m_shadow.SetVisible(false);
    CountKill(m_game ? m_game->m_score_helic : 0, 1, 4);
}

void CEnemyHelicopter::Draw()
{
    m_shadow.Draw();
    if (!InView())
        return;
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle_z, 0, 0, 1);
    glRotatef(-10.0f, 1, 0, 0);
    DrawWithChildren(m_rotor, m_rotor_angle);
    glPopMatrix();
}

// The player's missile (straight flight, one turn onto its target) and torpedo (fall, then a run
// along the water).
#include "player/MisslePlayer.h"

#include "audio/SoundManager.h"
#include "game/GameData.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"
#include "world/BattleWorld.h"

#include <algorithm>
#include <cmath>

namespace {

float AngleToY(const Vec3& v)
{
    const float len = v.Length();
    if (!(len > 0.0f))
        return 180.0f;
    return std::acos(std::clamp(v.y / len, -1.0f, 1.0f)) / kDegToRad;
}

}  // namespace

CMisslePlayerAA::CMisslePlayerAA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game,
                                 int32_t kind, float damage)
    : CMissle(world, atmosphere, game)
{
    UseModel(game ? game->m_missile : nullptr, 0.25f);
    m_speed = (game ? game->m_missle_player_speed : 0.0f) * world->Scale();
    m_range = 2.0f * world->HalfWidth();
    const float lock = 2.0f * world->HalfWidth() * 2.0f / 3.0f;
    m_lock_dist2 = lock * lock;
    m_kind = kind;
    m_damage = damage;
}

void CMisslePlayerAA::Update(float dt)
{
    if (m_life == 1) {
        m_life = 2;
        return;
    }
    if (m_life == 2)
        return;
    BattleSound::Loop(m_effect_id, 1, 2, m_player_pos, m_position, SoundRange());
    if (m_velocity.y != 0.0f && m_atmosphere)
        m_atmosphere->EmitMissileTrail(m_effect_id, m_position - m_velocity * (ScaledHeight() * 2.0f));
    // A missile always moves and uses up its range, whatever its direction: none flies for ever.
    m_position += m_velocity * (m_speed * dt);
    m_range -= dt * m_speed;
    if (m_range < 0.0f || m_position.z < m_world->WaterHeight() ||
        m_position.z < m_world->GroundHeight(m_position.x, m_position.y) || !(m_speed > 0.0f))
        Explode();
    m_prev_pos = m_position;
}

float CMisslePlayerAA::AimAngle(const Vec3& p) const
{
    const Vec3 d = p - m_position;
    if (!(d.LengthSq() <= m_lock_dist2))
        return 180.0f;
    const float h = AngleToY(Vec3(d.x, d.y, 0.0f));
    if (!(h < 15.0f))
        return 180.0f;
    const float f = AngleToY(d);
    return f < 30.0f ? h : f;
}

void CMisslePlayerAA::SetTarget(const Vec3& p)
{
    Vec3 d = p - m_position;
    if (!(d.LengthSq() > 0.0f))
        return;
    m_targeted = 1;
    m_target_point = p;
    d.Normalize();
    m_velocity = d;
    if (m_atmosphere)
        m_atmosphere->EmitMissileTrail(m_effect_id, m_position);
}

void CMisslePlayerAA::Explode()
{
    m_life = 1;
    if (!m_atmosphere)
        return;
    if (m_world->WaterHeight() > m_position.z)
        m_atmosphere->SpawnWaterSplash(m_position, 0.6f);
    else
        m_atmosphere->SpawnExplosion(m_position, 1.0f);
}

bool CMisslePlayerAA::Hits(const CEntity& e) const { return e.Overlaps(*this); }

void CMisslePlayerAA::Draw()
{
    if (m_life == 0)
        DrawAtHeading();
}

CTorpedoPlayer::CTorpedoPlayer(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game,
                               float damage)
    : CMissle(world, atmosphere, game)
{
    UseModel(game ? game->m_torpedo : nullptr, 0.35f);
    m_kind = 3;
    m_damage = damage;
    m_range = 2.0f * world->HalfWidth();
    m_gravity.Set(0, 0, -5.0f * (game ? game->m_gravity : 0.0f));
}

void CTorpedoPlayer::Update(float dt)
{
    if (m_life == 2) {
        m_life = 3;
        return;
    }
    if (m_life == 3)
        return;
    const float water = m_world->WaterHeight();
    if (m_life == 0) {
        if (!m_started) {
            m_started = true;
            m_speed = m_launch_speed;
            m_velocity *= m_speed;
        }
        m_velocity += m_gravity * dt;
        m_position += m_velocity * dt;
        if (m_position.z < m_world->GroundHeight(m_position.x, m_position.y)) {
            Explode();
            return;
        }
        if (m_position.z <= water) {
            m_position.z = water;
            m_velocity.z = 0.0f;
            m_velocity.NormalizeSafe();
            if (m_velocity.LengthSq() == 0.0f)
                m_velocity.Set(0, 1, 0);
            m_life = 1;
            m_speed = m_world->Scale() * (m_game ? m_game->m_plane_speed_normal_forward[0] : 0.0f) * 1.2f;
            BattleSound::Play(11);
            BattleSound::Place(11, m_player_pos, m_position, SoundRange());
            BattleSound::Play(62);
            BattleSound::Place(62, m_player_pos, m_position, SoundRange());
        }
        // A torpedo dropped where it can never reach the water still ends within its range.
        m_range -= dt * std::fabs(m_velocity.Length());
        if (m_range < 0.0f && m_life == 0)
            Explode();
        return;
    }
    m_position += m_velocity * (m_speed * dt);
    if (m_atmosphere)
        m_atmosphere->EmitWake(m_effect_id, m_position);
    m_range -= dt * m_speed;
    if (m_range < 0.0f || m_world->GroundHeight(m_position.x, m_position.y) > m_position.z || !(m_speed > 0.0f))
        Explode();
}

void CTorpedoPlayer::Explode()
{
    m_life = 2;
    if (!m_atmosphere)
        return;
    m_atmosphere->SpawnExplosion(m_position, 0.8f);
    if (m_world->WaterHeight() >= m_position.z)
        m_atmosphere->SpawnWaterSplash(Vec3(m_position.x, m_position.y, m_world->WaterHeight()), 0.6f);
}

bool CTorpedoPlayer::Hits(const CEntity& e) const { return e.Overlaps(*this); }

void CTorpedoPlayer::Draw()
{
    if (m_life <= 1)
        DrawAtHeading();
}

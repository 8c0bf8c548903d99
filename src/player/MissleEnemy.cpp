// The enemies' missiles (rise, level at the flying height, fly on) and flak shells.
#include "player/MissleEnemy.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"
#include "world/BattleWorld.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

float Rand01() { return static_cast<float>(std::rand() % 1000) / 1000.0f; }

// However a shot was aimed, it ends within two valley widths.
float RangeBound(const IBattleWorld* world) { return 4.0f * world->HalfWidth(); }

// The range a site names for its shots, a length of the level file scaled like every other;
// the fallback when it names none (zero, negative or not a number). Never beyond the bound.
float SiteRange(const IBattleWorld* world, float range, float fallback)
{
    const float r = std::isfinite(range) && range > 0.0f ? range * world->Scale() : fallback;
    const float bound = RangeBound(world);
    return r <= bound ? r : bound;
}

}  // namespace

CMissleEnemyAA::CMissleEnemyAA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game, float damage)
    : CMissle(world, atmosphere, game)
{
    m_damage = damage;
}

void CMissleEnemyAA::Smoke(float dt, int soundId)
{
    BattleSound::Loop(m_effect_id, soundId, 2, m_player_pos, m_position, SoundRange());
    m_smoke_timer -= dt;
    if (m_smoke_timer < 0.0f) {
        const int t = std::max(m_game ? m_game->m_missle_smoke_time : 1, 1);
        m_smoke_timer = static_cast<float>(std::rand() % t);
        if (m_atmosphere)
            m_atmosphere->EmitMissileSmoke(m_effect_id, m_position - m_velocity * (ScaledHeight() * 0.5f));
    }
}

void CMissleEnemyAA::Level()
{
    // Levelling puts it at the flying height, from above (clamped) as from below (its climb
    // flattens out a little short of it): the height the player flies at, whose box is thin.
    m_position.z = m_world->FlyingHeight();
    m_angle_x = 0.0f;
    m_velocity.Set(0, 1, 0);
    m_velocity.RotateZ(m_angle_z);
    m_levelled = true;
    m_speed *= m_level_boost;
}

void CMissleEnemyAA::MoveAndCheck(float dt, float groundMargin)
{
    m_position += m_velocity * (m_speed * dt);
    m_range -= dt * m_speed;
    if (m_range < 0.0f || m_position.z < m_world->WaterHeight() ||
        m_position.z < m_world->GroundHeight(m_position.x, m_position.y) + groundMargin || !(m_speed > 0.0f))
        Explode();
}

void CMissleEnemyAA::Explode()
{
    m_life = 1;
    if (m_atmosphere)
        m_atmosphere->SpawnExplosion(m_position, 0.5f);
}

bool CMissleEnemyAA::Hits(const CEntity& e) const { return e.Overlaps(*this); }

void CMissleEnemyAA::Draw()
{
    if (m_life == 0)
        DrawAtHeading();
}

// The rising missiles leave along their launch direction and pitch over as they climb: the sine
// of the pitch falls from its value at launch (s0) in step with the height gained, s0 × (1 − f)
// with f = (z − z0) / (flying height − z0), so that they arrive level at the flying height. A
// site's turret, raised 30 degrees, gives s0 = 0.5. Always towards their heading.
static void Climb(Vec3& position, Vec3& velocity, float& pitch, float heading, float z0, float s0, float fly,
                  bool& levelNow)
{
    const float span = fly - z0;
    if (fly < position.z || !(span > 0.0f)) {
        levelNow = true;
        return;
    }
    const float up = s0 * std::clamp(1.0f - (position.z - z0) / span, 0.0f, 1.0f);
    pitch = std::asin(up) / kDegToRad;
    if (pitch < 2.0f) {
        levelNow = true;
        return;
    }
    Vec3 h(0, 1, 0);
    h.RotateZ(heading);
    const float c = std::max(std::cos(pitch * kDegToRad), 0.0f), s = std::sin(pitch * kDegToRad);
    velocity.Set(h.x * c, h.y * c, s);
}

void CMissleEnemyAA::UpdateRising(float dt, float marginRising, float marginLevelled)
{
    if (m_life == 1) {
        m_life = 2;
        return;
    }
    if (m_life == 2)
        return;
    if (!m_started_z) {
        m_started_z = true;
        m_z0 = m_position.z;
        m_climb_sine = std::clamp(m_velocity.z, 0.0f, 1.0f);
    }
    Smoke(dt, 16);
    if (!m_levelled) {
        bool levelNow = false;
        Climb(m_position, m_velocity, m_angle_x, m_angle_z, m_z0, m_climb_sine, m_world->FlyingHeight(), levelNow);
        if (levelNow)
            Level();
    }
    MoveAndCheck(dt, m_levelled ? marginLevelled : marginRising);
}

CMissleHelicopAA::CMissleHelicopAA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game,
                                   float damage)
    : CMissleEnemyAA(world, atmosphere, game, damage)
{
    UseModel(game ? game->m_missile : nullptr, 0.25f);
    m_speed = game ? game->m_missle_helicop_speed : 0.0f;
    m_range = 2.0f * world->HalfWidth() / 3.0f;
    m_levelled = true;
}

void CMissleHelicopAA::Update(float dt)
{
    if (m_life == 1) {
        m_life = 2;
        return;
    }
    if (m_life == 2)
        return;
    Smoke(dt, 10);
    // Along the launch heading; settling towards the flying height when off it.
    const float target = m_world->FlyingHeight();
    Vec3 v = m_velocity;
    const float off = target - m_position.z;
    if (std::fabs(off) > ScaledDepth() / 2.0f)
        v = Vec3(m_velocity.x, m_velocity.y, 0.0f) * 0.8f + Vec3(0, 0, off > 0.0f ? 0.36f : -0.36f);
    m_position += v * (m_speed * dt);
    m_range -= dt * m_speed;
    if (m_range < 0.0f || m_position.z < m_world->WaterHeight() ||
        m_position.z < m_world->GroundHeight(m_position.x, m_position.y) || !(m_speed > 0.0f))
        Explode();
}

CMissleBoat1AA::CMissleBoat1AA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game,
                               float damage)
    : CMissleEnemyAA(world, atmosphere, game, damage)
{
    UseModel(game ? game->m_missile : nullptr, 0.25f);
    m_speed = game ? game->m_boat_missile_speed : 0.0f;
    m_range = 1.2f * world->HalfWidth();
    m_level_boost = 1.5f;
    m_angle_x = 90.0f;
}

void CMissleBoat1AA::Update(float dt)
{
    // Leaving the water it starts below its own half height over the river: only the water and
    // the ground themselves end it.
    UpdateRising(dt, 0.0f, 0.0f);
}

CMissleAAD1AA::CMissleAAD1AA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game,
                             float damage, float range)
    : CMissleEnemyAA(world, atmosphere, game, damage)
{
    UseModel(game ? game->m_missile : nullptr, 0.1f);
    m_speed = game ? game->m_aad_missile_speed : 0.0f;
    // The site's missile range; a site without one gives its missiles half the valley's width.
    m_range = SiteRange(world, range, world->HalfWidth());
    m_level_boost = 2.0f;
    m_angle_x = 90.0f;
}

void CMissleAAD1AA::Update(float dt)
{
    UpdateRising(dt, -ScaledDepth(), ScaledDepth() / 2.0f);
}

CMissleBoat1Flak::CMissleBoat1Flak(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game,
                                   float damage, float range)
    : CMissle(world, atmosphere, game)
{
    UseModel(game ? game->m_flak : nullptr, 0.05f);
    m_speed = game ? game->m_boat_flak_speed : 0.0f;
    m_damage = damage;
    m_burst_height = world->FlyingHeight() + Rand01() * 0.6f - 0.3f;
    // A site's shells fly level and may never reach their burst height: they burst at the end of
    // the site's flak range, and every shell within the bound.
    m_range = SiteRange(world, range, RangeBound(world));
}

void CMissleBoat1Flak::Update(float dt)
{
    if (m_life == 1) {
        m_life = 2;
        return;
    }
    if (m_life == 2)
        return;
    m_position += m_velocity * (m_speed * dt);
    m_range -= dt * m_speed;
    if (m_position.z >= m_burst_height || m_world->GroundHeight(m_position.x, m_position.y) > m_position.z ||
        m_range < 0.0f || !(m_speed > 0.0f))
        Explode();
}

void CMissleBoat1Flak::Explode()
{
    m_life = 1;
    if (m_atmosphere)
        m_atmosphere->EmitFlak(m_position);
}

bool CMissleBoat1Flak::Hits(const CEntity& e) const { return m_life == 0 && e.PointInside(m_position); }

void CMissleBoat1Flak::Draw()
{
    if (m_life == 0)
        DrawAtHeading();
}

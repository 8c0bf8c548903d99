// CMissleCtrl: launches, the two per-frame loops (lock-on and hits on enemies; hits on the
// player), drawing.
#include "player/MissleCtrl.h"

#include "game/GameData.h"
#include "player/MissleEnemy.h"
#include "player/MisslePlayer.h"
#include "player/Player.h"
#include "world/BattleSound.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"

#include <cmath>
#include <cstdlib>

CMissleCtrl::CMissleCtrl(CLevel* level, CPlayer* player, CAtmosphericCtpl* atmosphere)
    : m_level_world(level), m_world(&m_level_world), m_enemies(level ? level->Enemies() : nullptr), m_player(player),
      m_atmosphere(atmosphere), m_game(level ? level->Game() : nullptr)
{
    if (m_enemies)
        m_enemies->SetMissileCtrl(this);
    if (m_player)
        m_player->SetMissiles(this);
}

CMissleCtrl::CMissleCtrl(const IBattleWorld* world, CEnemiesCtrl* enemies, CPlayer* player,
                         CAtmosphericCtpl* atmosphere, const GameData* game)
    : m_world(world ? world : &m_level_world), m_enemies(enemies), m_player(player), m_atmosphere(atmosphere),
      m_game(game)
{
    if (m_enemies)
        m_enemies->SetMissileCtrl(this);
    if (m_player)
        m_player->SetMissiles(this);
}

CMissleCtrl::~CMissleCtrl() = default;

void CMissleCtrl::LaunchPlayerShot(const PlayerShot& shot)
{
    if (shot.torpedo)
        FirePlayerTorpedo(shot.start, shot.velocity, shot.heading, shot.damage);
    else
        FirePlayerMissile(shot.start, shot.direction, shot.heading, shot.kind, shot.damage);
}

CMissle* CMissleCtrl::FirePlayerMissile(const Vec3& start, const Vec3& direction, float heading, int kind, float damage)
{
    if (m_player_missiles.size() >= kMaxPlayerMissiles)
        return nullptr;
    auto m = std::make_unique<CMisslePlayerAA>(m_world, m_atmosphere, m_game, kind, damage);
    m->Launch(start - Vec3(0, 0, m->ScaledDepth()), direction, heading);
    m_player_missiles.push_back(std::move(m));
    return m_player_missiles.back().get();
}

CMissle* CMissleCtrl::FirePlayerTorpedo(const Vec3& start, const Vec3& velocity, float heading, float damage)
{
    if (m_player_missiles.size() >= kMaxPlayerMissiles)
        return nullptr;
    auto t = std::make_unique<CTorpedoPlayer>(m_world, m_atmosphere, m_game, damage);
    const float speed = velocity.Length();
    t->SetLaunchSpeed(std::isfinite(speed) ? speed : 0.0f);
    Vec3 d = velocity;
    d.NormalizeSafe();
    d.x /= 5.0f;
    if (d.LengthSq() == 0.0f)
        d.Set(0, 1, 0);
    t->Launch(start - Vec3(0, 0, t->ScaledDepth()), d, heading);
    // Launch normalises; the torpedo keeps the sideways part cut to a fifth.
    t->SetVelocity(d);
    m_player_missiles.push_back(std::move(t));
    return m_player_missiles.back().get();
}

CMissle* CMissleCtrl::FireHelicopterMissile(const Vec3& start, float heading, float damage)
{
    if (m_enemy_missiles.size() >= kMaxEnemyMissiles)
        return nullptr;
    auto m = std::make_unique<CMissleHelicopAA>(m_world, m_atmosphere, m_game, damage);
    Vec3 d(0, 1, 0);
    d.RotateZ(heading);
    m->Launch(start - Vec3(0, 0, m->ScaledDepth() / 2.0f), d, heading);
    m_enemy_missiles.push_back(std::move(m));
    return m_enemy_missiles.back().get();
}

CMissle* CMissleCtrl::FireBoatMissile(const Vec3& start, const Vec3& direction, float damage)
{
    if (m_enemy_missiles.size() >= kMaxEnemyMissiles)
        return nullptr;
    auto m = std::make_unique<CMissleBoat1AA>(m_world, m_atmosphere, m_game, damage);
    Vec3 h(direction.x, direction.y, 0.0f);
    const float heading = std::atan2(-h.x, h.y) / kDegToRad;
    m->Launch(start + Vec3(0, 0, m->ScaledHeight() / 2.0f), Vec3(h.x * 0.01f, h.y * 0.01f, 1.0f), heading);
    m_enemy_missiles.push_back(std::move(m));
    return m_enemy_missiles.back().get();
}

CMissle* CMissleCtrl::FireBoatFlak(const Vec3& start, const Vec3& direction, float damage)
{
    if (m_enemy_missiles.size() >= kMaxEnemyMissiles)
        return nullptr;
    auto m = std::make_unique<CMissleBoat1Flak>(m_world, m_atmosphere, m_game, damage, 0.0f);
    m->Launch(start + Vec3(0, 0, m->ScaledDepth() / 2.0f), direction, 0.0f);
    m_enemy_missiles.push_back(std::move(m));
    return m_enemy_missiles.back().get();
}

CMissle* CMissleCtrl::FireSiteMissile(const Vec3& start, const Vec3& direction, float heading, float damage, float range)
{
    if (m_enemy_missiles.size() >= kMaxEnemyMissiles)
        return nullptr;
    auto m = std::make_unique<CMissleAAD1AA>(m_world, m_atmosphere, m_game, damage, range);
    // Off the turret's rails, raised as the turret is; its climb starts at that pitch.
    m->Launch(start + Vec3(0, 0, m->ScaledHeight() / 2.0f), direction, heading);
    m_enemy_missiles.push_back(std::move(m));
    return m_enemy_missiles.back().get();
}

CMissle* CMissleCtrl::FireSiteFlak(const Vec3& start, const Vec3& direction, float damage, float range)
{
    if (m_enemy_missiles.size() >= kMaxEnemyMissiles)
        return nullptr;
    auto m = std::make_unique<CMissleBoat1Flak>(m_world, m_atmosphere, m_game, damage, range);
    m->Launch(start + Vec3(0, 0, m->ScaledDepth() / 2.0f), direction, 0.0f);
    m_enemy_missiles.push_back(std::move(m));
    return m_enemy_missiles.back().get();
}

void CMissleCtrl::Update(float dt)
{
    UpdatePlayerMissiles(dt);
    UpdateEnemyMissiles(dt);
}

void CMissleCtrl::UpdatePlayerMissiles(float dt)
{
    const Vec3 playerPos = m_player ? m_player->Position() : m_world->Listener();
    const float range = m_world->Scale() * (m_game ? m_game->m_sound_barrier : 30.0f);
    for (auto it = m_player_missiles.begin(); it != m_player_missiles.end();) {
        CMissle& m = **it;
        m.SetPlayerPos(playerPos);
        m.Update(dt);
        if (!m.IsFinished() && !m.IsExploding() && m_enemies) {
            float best = 180.0f;
            CEnemy* candidate = nullptr;
            const int first = m_enemies->First();
            for (int k = 0; k < m_enemies->Count(); ++k) {
                CEnemy* e = m_enemies->At(first + k);
                if (!e || !e->IsAlive())
                    continue;
                if (!m.HasTarget()) {
                    const float a = m.AimAngle(e->AimPoint());
                    if (a < best && CMissle::KindMayLock(m.Kind(), e->ScoreCode() / 100)) {
                        candidate = e;
                        best = a;
                    }
                }
                if (m.Hits(*e)) {
                    m.Explode();
                    const Vec3 at = m.GetPosition();
                    e->Damage(m.Damage());
                    e->Kill(&at);
                }
            }
            if (candidate && !m.IsExploding())
                m.SetTarget(candidate->AimPoint());
        }
        if (m.IsFinished()) {
            BattleSound::Play(2);
            BattleSound::Place(2, playerPos, m.GetPosition(), range);
            it = m_player_missiles.erase(it);
        } else {
            ++it;
        }
    }
}

void CMissleCtrl::UpdateEnemyMissiles(float dt)
{
    const Vec3 playerPos = m_player ? m_player->Position() : m_world->Listener();
    for (auto it = m_enemy_missiles.begin(); it != m_enemy_missiles.end();) {
        CMissle& m = **it;
        m.SetPlayerPos(playerPos);
        m.Update(dt);
        if (m.IsFinished()) {
            it = m_enemy_missiles.erase(it);
            continue;
        }
        if (m_player && m_player->GetState() == CPlayer::Flying && !m.IsExploding() && m.Hits(*m_player)) {
            m_player->Damage(m.Damage());
            m_player->Kill();
            m.Explode();
        }
        ++it;
    }
}

void CMissleCtrl::Draw()
{
    for (const auto& m : m_player_missiles)
        m->Draw();
    for (const auto& m : m_enemy_missiles)
        m->Draw();
}

void CMissleCtrl::Release() {}

// CMissleCtrl: the missiles and torpedoes in flight — the player's shots and the enemies' — their
// targets and their hits.
//
// The game field creates one per level start, after the player (NewLevel's order); construction
// hands it to the player and to the level's enemies, which only ask it to launch. Each frame the
// field updates it after the battle effects and draws it after the player. The player's list is
// walked against the enemies of the active window (lock-on by the smallest aim angle among the
// categories the shot may lock, then box hits: Damage and Kill), the enemies' list against the
// player (only while the player flies normally: a roll dodges everything). Missiles are owned
// here and deleted when finished or with the controller. Everything but Draw runs without GL.
#pragma once

#include "app/Vec3.h"
#include "world/BattleWorld.h"

#include <list>
#include <memory>

class CAtmosphericCtpl;
class CEnemiesCtrl;
class CLevel;
class CMissle;
class CPlayer;
class GameData;

// One shot of the player: primary missiles are kinds 2 (the helicopter's) and 5, the
// helicopter's secondary rocket kind 6, the jets' torpedo is marked as such and starts with the
// aircraft's velocity.
struct PlayerShot {
    int kind = 0;
    bool torpedo = false;
    Vec3 start;
    Vec3 direction{0, 1, 0};
    Vec3 velocity;
    float heading = 0;
    float damage = 0;
};

class CMissleCtrl {
public:
    CMissleCtrl(CLevel* level, CPlayer* player, CAtmosphericCtpl* atmosphere);
    // Over an explicit world and enemies (tests, tools); game may be null (no models, zero tuning).
    CMissleCtrl(const IBattleWorld* world, CEnemiesCtrl* enemies, CPlayer* player, CAtmosphericCtpl* atmosphere,
                const GameData* game);
    virtual ~CMissleCtrl();
    CMissleCtrl(const CMissleCtrl&) = delete;
    CMissleCtrl& operator=(const CMissleCtrl&) = delete;

    // The player's fire paths: a torpedo or a missile of the shot's kind.
    virtual void LaunchPlayerShot(const PlayerShot& shot);
    CMissle* FirePlayerMissile(const Vec3& start, const Vec3& direction, float heading, int kind, float damage);
    CMissle* FirePlayerTorpedo(const Vec3& start, const Vec3& velocity, float heading, float damage);
    CMissle* FireHelicopterMissile(const Vec3& start, float heading, float damage);
    CMissle* FireBoatMissile(const Vec3& start, const Vec3& direction, float damage);
    CMissle* FireBoatFlak(const Vec3& start, const Vec3& direction, float damage);
    CMissle* FireSiteMissile(const Vec3& start, const Vec3& direction, float heading, float damage, float range);
    CMissle* FireSiteFlak(const Vec3& start, const Vec3& direction, float damage, float range);

    virtual void Update(float dt);
    virtual void Draw();
    // Frees the GL objects of the missiles (the level's release): nothing to do, they borrow.
    virtual void Release();

    const std::list<std::unique_ptr<CMissle>>& PlayerMissiles() const { return m_player_missiles; }
    const std::list<std::unique_ptr<CMissle>>& EnemyMissiles() const { return m_enemy_missiles; }
    const IBattleWorld& World() const { return *m_world; }

    // Bounds on missiles in flight; a launch beyond them is dropped.
    static constexpr size_t kMaxPlayerMissiles = 256, kMaxEnemyMissiles = 1024;

private:
    void UpdatePlayerMissiles(float dt);
    void UpdateEnemyMissiles(float dt);

    LevelBattleWorld m_level_world;
    const IBattleWorld* m_world;
    CEnemiesCtrl* m_enemies;
    CPlayer* m_player;
    CAtmosphericCtpl* m_atmosphere;
    const GameData* m_game;
    std::list<std::unique_ptr<CMissle>> m_player_missiles;
    std::list<std::unique_ptr<CMissle>> m_enemy_missiles;
};

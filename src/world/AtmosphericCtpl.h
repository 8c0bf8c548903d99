// CAtmosphericCtpl: the battle effects of a level — smoke, fire, explosions, flak bursts, water
// splashes, wakes and the player's contrails — keyed by the effect ids of the objects that cause
// them.
//
// The game field creates one per level start, first of all, and hands it the level (SetLevel),
// which also gives it the game record with the ten particle descriptions and the four strip
// textures. The level, every enemy, the player and the missile controller hold a pointer to it
// and feed it emission points; the field updates it after the player and draws it after the
// missiles. Emitters created for an enemy or missile outlive it: Update deletes a keyed, wake or
// one-shot emitter once its particles are gone, so smoke fades after its source was removed.
// Without a game record (tests that do not give one) nothing is emitted. Update needs no GL.
#pragma once

#include "app/Vec3.h"
#include "render/ParticleSystem.h"
#include "world/BattleWorld.h"

#include <array>
#include <cstdint>
#include <list>
#include <map>
#include <memory>

class CEntity;
class CLevel;
class CTexture;
class GameData;

class CAtmosphericCtpl {
public:
    // At most this many particles fill one trail segment, however far its source jumped.
    static constexpr int kMaxTrailFill = 64;

    CAtmosphericCtpl();
    virtual ~CAtmosphericCtpl();
    CAtmosphericCtpl(const CAtmosphericCtpl&) = delete;
    CAtmosphericCtpl& operator=(const CAtmosphericCtpl&) = delete;

    // The level for the water height; its game record gives the particle prototypes when none
    // were given yet.
    void SetLevel(CLevel* level);
    CLevel* Level() const { return m_level; }
    // Particle prototypes from the game's descriptions, and the strip textures.
    void SetGame(const GameData* game);
    // Another world for the water height (tests).
    void SetWorld(const IBattleWorld* world) { m_world = world ? world : &m_level_world; }

    // The player's two contrail points this frame; the shared "p_plane" trails are drawn only
    // during a roll (maneuver), and a new roll starts fresh trails.
    virtual void EmitContrails(const Vec3& left, const Vec3& right, bool maneuver);
    // Keyed trails: fire and smoke of wrecks, burning boats and buildings, missile smoke, the
    // player-missile trail.
    virtual void EmitFire(uint64_t key, const Vec3& at);
    void EmitBoatFire(uint64_t key, const Vec3& at);
    void EmitMissileSmoke(uint64_t key, const Vec3& at);
    void EmitMissileTrail(uint64_t key, const Vec3& at);
    // Keyed wake at the water (torpedoes).
    void EmitWake(uint64_t key, const Vec3& at);
    // One particle on a shared emitter.
    void EmitFireSource(const Vec3& at);
    void EmitFlak(const Vec3& at);
    void SpawnExplosion(const Vec3& at, float size);
    void SpawnWaterSplash(const Vec3& at, float size);
    // An explosion the size of the entity's scale at its position, and a splash when it is under
    // the water.
    void CrashEffect(const CEntity& entity);

    virtual void Update(float dt);
    virtual void Draw();

    // --- for tests and the benchmark ---------------------------------------------------------
    size_t KeyedCount() const { return m_keyed.size(); }
    size_t WakeCount() const { return m_wakes.size(); }
    size_t OneShotCount() const { return m_one_shots.size(); }
    const CParticleSystem* Keyed(uint64_t key) const;
    const CParticleSystem* Wake(uint64_t key) const;
    const CParticleSystem* Explosions() const { return m_explode.get(); }
    const CParticleSystem* ExplosionSparks() const { return m_explode_sm.get(); }
    const CParticleSystem* Flak() const { return m_flak.get(); }
    const CParticleSystem* FireSources() const { return m_fire_src.get(); }
    const CParticleSystem* Contrail(int i) const { return m_trails[static_cast<size_t>(i & 1)].get(); }
    const std::list<std::unique_ptr<CParticleSystem>>& OneShots() const { return m_one_shots; }
    size_t ParticleCount() const;
    bool HasPrototypes() const { return m_game != nullptr; }

    // Fills a trail emitter from its newest particle to the point at the spacing of its
    // prototype; an empty emitter gets one particle at the point. Returns how many were added.
    static int FillTrail(CParticleSystem& emitter, const Vec3& at);

private:
    CParticleSystem* KeyedEmitter(std::map<uint64_t, std::unique_ptr<CParticleSystem>>& map, uint64_t key, int particle,
                                  CTexture* texture);
    std::unique_ptr<CParticleSystem> NewSystem(int particle, CTexture* texture) const;

    CLevel* m_level = nullptr;
    LevelBattleWorld m_level_world;
    const IBattleWorld* m_world = &m_level_world;
    const GameData* m_game = nullptr;
    std::array<CParticle, 10> m_protos{};
    float m_gravity = 0.0f;

    std::map<uint64_t, std::unique_ptr<CParticleSystem>> m_keyed;
    std::map<uint64_t, std::unique_ptr<CParticleSystem>> m_wakes;
    std::list<std::unique_ptr<CParticleSystem>> m_one_shots;
    std::array<std::unique_ptr<CParticleSystem>, 2> m_trails;
    bool m_trails_on = false;
    std::unique_ptr<CParticleSystem> m_fire_src;
    std::unique_ptr<CParticleSystem> m_flak;
    std::unique_ptr<CParticleSystem> m_explode;
    std::unique_ptr<CParticleSystem> m_explode_sm;
};

// CMissle: one projectile in flight — a player missile or torpedo, an enemy missile or a flak
// shell — as a 3DS entity that moves itself, aims when it can, explodes and reports its hits.
//
// CMissleCtrl creates every missile through its launch operations, owns it in one of its two
// lists, updates it once per frame and deletes it once IsFinished. The level is queried through
// IBattleWorld and effects go to CAtmosphericCtpl (may be null); neither needs GL, so flight,
// aiming and hits are testable without a context. Life: 0 flying, 1 exploding (one frame),
// 2 finished (the torpedo adds a falling stage and finishes at 3).
#pragma once

#include "render/Entity3DS.h"

#include <cstdint>

class CAtmosphericCtpl;
class GameData;
class IBattleWorld;

class CMissle : public CEntity3DS {
public:
    CMissle(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game);
    ~CMissle() override;

    void Draw() override = 0;
    virtual void Update(float dt) = 0;
    virtual bool IsFinished() const = 0;
    virtual bool IsExploding() const = 0;
    virtual bool HasTarget() const { return false; }
    virtual void Explode() = 0;
    // How well the missile can aim at a point (smaller is better); 180: it cannot.
    virtual float AimAngle(const Vec3& point) const { (void)point; return 180.0f; }
    virtual void SetTarget(const Vec3& point) { (void)point; }
    virtual bool Hits(const CEntity& entity) const = 0;

    void SetPlayerPos(const Vec3& p) { m_player_pos = p; }
    // Puts the missile at its start with its flight direction and heading.
    void Launch(const Vec3& start, const Vec3& direction, float heading);
    void SetVelocity(const Vec3& v) { m_velocity = v; }

    int32_t Kind() const { return m_kind; }
    float Damage() const { return m_damage; }
    int32_t Life() const { return m_life; }
    float Speed() const { return m_speed; }
    const Vec3& Velocity() const { return m_velocity; }
    uint64_t EffectId() const { return m_effect_id; }
    float Range() const { return m_range; }

    // Lock classes: may a shot of this kind lock onto an enemy of this category (score code / 100)?
    static bool KindMayLock(int32_t kind, int32_t category);

protected:
    // Copies the model prototype (when there is one) and sets the scale.
    void UseModel(const CEntity3DS* prototype, float scale);
    float SoundRange() const;
    void DrawAtHeading();

    const IBattleWorld* m_world;
    CAtmosphericCtpl* m_atmosphere;
    const GameData* m_game;
    float m_speed = 0.0f;
    Vec3 m_player_pos;
    int32_t m_kind = 0;
    float m_damage = 0.0f;
    int32_t m_life = 0;
    Vec3 m_velocity{0, 1, 0};
    float m_range = 0.0f;
    uint64_t m_effect_id;
};

// The player's projectiles: CMisslePlayerAA (the primary missile and the helicopter's rocket,
// straight flight that turns once onto the enemy chosen for it) and CTorpedoPlayer (dropped from
// a jet, falls to the water and runs along it).
//
// Created by CMissleCtrl::FirePlayerMissile and FirePlayerTorpedo and kept in its player list.
#pragma once

#include "player/Missle.h"

class CMisslePlayerAA : public CMissle {
public:
    CMisslePlayerAA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game, int32_t kind,
                    float damage);

    void Draw() override;
    void Update(float dt) override;
    bool IsFinished() const override { return m_life == 2; }
    bool IsExploding() const override { return m_life == 1; }
    bool HasTarget() const override { return m_targeted != 0; }
    void Explode() override;
    float AimAngle(const Vec3& point) const override;
    void SetTarget(const Vec3& point) override;
    bool Hits(const CEntity& entity) const override;

    const Vec3& TargetPoint() const { return m_target_point; }

private:
    uint8_t m_targeted = 0;
    Vec3 m_target_point;
    Vec3 m_prev_pos;
    float m_lock_dist2 = 0.0f;
};

class CTorpedoPlayer : public CMissle {
public:
    CTorpedoPlayer(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game, float damage);

    void Draw() override;
    void Update(float dt) override;
    // Life 0 falling, 1 running, 2 exploding, 3 finished.
    bool IsFinished() const override { return m_life == 3; }
    bool IsExploding() const override { return m_life == 2; }
    void Explode() override;
    bool Hits(const CEntity& entity) const override;

    // The launch velocity's length, used as the speed of the fall.
    void SetLaunchSpeed(float speed) { m_launch_speed = speed; }
    bool IsRunning() const { return m_life == 1; }

private:
    float m_launch_speed = 0.0f;
    bool m_started = false;
    Vec3 m_gravity;
};

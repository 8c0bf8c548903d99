// CEnemyHelicopter: an enemy helicopter — patrols across the valley at the flying height above
// the water (climbing over land), turns back at the valley's sides or when it leaves the river,
// fires missiles in bursts along its heading; or stands parked on the ground. Shot, it spins down
// and crashes.
//
// Created by CEnemiesCtrl from "EnemyHelic1" entries (kinds 0..1), owned by it; updated and drawn
// while in the active window. It owns its ground shadow; its rotor is the child part "rotor".
// Killing one pays "m_score_helic" and counts a helicopter.
#pragma once

#include "world/EnemyKind.h"
#include "world/EnemyShadow.h"

class CEnemyHelicopter : public CEnemyKind {
public:
    CEnemyHelicopter(CLevel* level, CAtmosphericCtpl* effects);

    void Draw() override;
    void Update(float dt) override;
    void WriteKeys(ParamFile& file, int i) const override;
    void ReadKeys(const ParamFile& file, int i) override;
    void ApplyKind() override;
    void SetKind(int32_t kind) override;
    void Kill(const Vec3* hitPoint) override;

    void Place(const Vec3& filePosition);
    void SetFlying(bool flying) { m_flying = flying; }
    void SetShoots(bool shoots) { m_shoots = shoots; }
    bool IsFlying() const { return m_flying; }
    int TurnState() const { return m_turn; }
    float RotorAngle() const { return m_rotor_angle; }
    const CEnemyShadow& Shadow() const { return m_shadow; }

private:
    void StartTurn();

    CEnemyShadow m_shadow;
    int m_turn = 0;  // 0 none, 1 turning left, 2 turning right
    float m_target_heading = 0.0f;
    bool m_flying = true;
    float m_water0 = 0.0f, m_fly0 = 0.0f;
    bool m_shoots = false;
    float m_missile_timer = 100.0f;
    int m_burst = 1, m_burst_left = 0;
    bool m_over_water = false;
    Vec3 m_gravity;
    int m_engine_sound = 80;
    CUnit* m_rotor = nullptr;
    float m_rotor_angle = 0.0f;
};

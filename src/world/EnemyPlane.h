// CEnemyPlane: an enemy aircraft — cruises at its height over the terrain following the ground
// ahead, wraps around the valley's sides, falls burning when shot and crashes into ground or
// water.
//
// Created by CEnemiesCtrl from "EnemyPlane1" entries (kinds 0..3), owned by it; updated and drawn
// while in the active window. It owns its ground shadow. Killing one pays "m_score_plane" and
// counts a plane.
#pragma once

#include "world/EnemyKind.h"
#include "world/EnemyShadow.h"

class CEnemyPlane : public CEnemyKind {
public:
    CEnemyPlane(CLevel* level, CAtmosphericCtpl* effects);

    void Draw() override;
    void Update(float dt) override;
    void WriteKeys(ParamFile& file, int i) const override;
    void ReadKeys(const ParamFile& file, int i) override;
    void ApplyKind() override;
    void SetKind(int32_t kind) override;
    void Kill(const Vec3* hitPoint) override;
    Vec3 AimPoint() const override;

    // Height after reading: one of five cruise heights, or on the ground when it does not move.
    void Place(const Vec3& filePosition);
    bool IsMoving() const { return m_moving; }
    float CruiseFloor() const { return m_cruise_floor; }
    const CEnemyShadow& Shadow() const { return m_shadow; }
    float Pitch() const { return m_angle_x; }

private:
    CEnemyShadow m_shadow;
    bool m_moving = true;
    int m_engine_sound = 90;
    float m_cruise_floor = 0.0f;
    Vec3 m_gravity;
};

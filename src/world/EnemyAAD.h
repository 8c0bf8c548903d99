// CEnemyAAD: an anti-aircraft site — a base with a turret (child part 0, raised 30 degrees) that
// fires missiles along its raised barrels and flak level along its heading, each with the site's
// range for it; destroyed at the first hit, without score.
//
// Created by CEnemiesCtrl from "EnemyAAD1" entries (kinds 0..1), owned by it; updated and drawn
// while in the active window. "m_az%i" is the turret's heading; the site itself stands at 0.
#pragma once

#include "world/EnemyKind.h"

class CEnemyAAD : public CEnemyKind {
public:
    CEnemyAAD(CLevel* level, CAtmosphericCtpl* effects);

    void Draw() override;
    void Update(float dt) override;
    void WriteKeys(ParamFile& file, int i) const override;
    void ReadKeys(const ParamFile& file, int i) override;
    void ApplyKind() override;
    void SetKind(int32_t kind) override;
    void Kill(const Vec3* hitPoint) override;

    void Place(const Vec3& filePosition);
    void SetShootStatus(int status) { m_shoot_status = status; }
    void SetTurretHeading(float degrees) { m_turret_heading = degrees; }
    float TurretHeading() const { return m_turret_heading; }
    float TurretPitch() const { return m_turret_pitch; }
    Vec3 TurretPoint() const;

private:
    int m_shoot_status = 0;
    float m_missile_timer = 150.0f, m_flak_timer = 100.0f;
    float m_rocket_range = 0.0f, m_flak_range = 0.0f;
    float m_turret_heading = 0.0f;
    float m_turret_pitch = 30.0f;
    CUnit* m_turret = nullptr;
};

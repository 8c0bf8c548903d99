// CEnemyBarrels: a stack of barrels — shot, it jumps and its barrels fly apart burning, falling
// under gravity until the stack has dropped below the ground.
//
// Created from "EnemyBarrels" entries (kinds 0..2). Destroying it pays "m_score_aad" and counts a
// ground target.
#pragma once

#include "world/EnemyKind.h"

#include <vector>

class CEnemyBarrels : public CEnemyKind {
public:
    CEnemyBarrels(CLevel* level, CAtmosphericCtpl* effects);

    void Draw() override;
    void Update(float dt) override;
    void WriteKeys(ParamFile& file, int i) const override;
    void ReadKeys(const ParamFile& file, int i) override;
    void ApplyKind() override;
    void SetKind(int32_t kind) override;
    void Kill(const Vec3* hitPoint) override;

    void Place(const Vec3& filePosition);
    const Vec3& PartVelocity(size_t i) const { return m_part_velocity[i]; }
    size_t PartCount() const { return m_part_velocity.size(); }

private:
    void SmokeStep(float dt);

    Vec3 m_gravity;
    float m_smoke_timer = 0.0f;
    std::vector<Vec3> m_part_velocity;
};

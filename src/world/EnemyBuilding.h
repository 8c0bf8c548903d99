// CEnemyBuilding: a building on the bank — intact until its first hit, then burning for good; its
// remains still crash an aircraft that flies into them.
//
// Created by CEnemiesCtrl from "EnemyBuilding" entries (kinds 0..5), owned by it; updated and
// drawn while in the active window; it never finishes. Destroying it pays "m_score_aad" and
// counts a ground target.
#pragma once

#include "world/EnemyKind.h"

class CEnemyBuilding : public CEnemyKind {
public:
    CEnemyBuilding(CLevel* level, CAtmosphericCtpl* effects);

    void Draw() override;
    void Update(float dt) override;
    void WriteKeys(ParamFile& file, int i) const override;
    void ReadKeys(const ParamFile& file, int i) override;
    void ApplyKind() override;
    void SetKind(int32_t kind) override;
    void Kill(const Vec3* hitPoint) override;

    void Place(const Vec3& filePosition);
    bool IsBurning() const { return m_life == 1; }
    // A burning building stays (it is never finished).
    bool IsFinished() const override { return false; }
};

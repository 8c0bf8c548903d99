// CFuel: a fuel depot hanging at the flying height over the river, turning slowly. Flown
// through, it is taken (the collision test adds the fuel and plays the sound) and disappears;
// shot, its parts fly apart in a burst of fire, without score.
//
// Created from "Fuel" entries; its score code is 0, which is how the collision test knows it.
#pragma once

#include "world/EnemyKind.h"

#include <vector>

class CFuel : public CEnemyKind {
public:
    CFuel(CLevel* level, CAtmosphericCtpl* effects);

    void Draw() override;
    void Update(float dt) override;
    void WriteKeys(ParamFile& file, int i) const override;
    void ReadKeys(const ParamFile& file, int i) override;
    void ApplyKind() override;
    void SetKind(int32_t kind) override;
    void Kill(const Vec3* hitPoint) override;
    // Collected by the player: gone at the next update.
    void Take();

    void Place(const Vec3& filePosition);

private:
    float m_spin = 1.0f;
    Vec3 m_gravity;
    float m_smoke_timer = 0.0f;
    std::vector<Vec3> m_part_velocity;
};

// IBattleWorld: what enemies, missiles and the battle effects ask of the level they fight over —
// heights, water, widths and where the player (the listener of their sounds) is.
//
// LevelBattleWorld answers from a CLevel; every enemy kind and the missile controller hold one
// over their level unless a test hands them a world of its own (SetWorld), so the combat
// simulation runs without terrain files and without GL. A null level answers 0 everywhere
// (scale 1), which keeps a damaged or missing level flyable.
#pragma once

#include "app/Vec3.h"

class CLevel;

class IBattleWorld {
public:
    virtual ~IBattleWorld() = default;
    // Height of the raw samples: what things crash into.
    virtual float GroundHeight(float x, float y) const = 0;
    // Height of the drawn mesh: what shadows and low flyers follow.
    virtual float MeshHeight(float x, float y) const = 0;
    virtual bool IsAboveWater(float x, float y) const = 0;
    virtual float WaterHeight() const = 0;
    virtual float FlyingHeight() const = 0;
    virtual float HalfWidth() const = 0;
    virtual float Scale() const = 0;
    // The terrain's highest sample.
    virtual float HeightMax() const = 0;
    // The player's position: the listener of placed sounds.
    virtual Vec3 Listener() const = 0;
};

class LevelBattleWorld : public IBattleWorld {
public:
    explicit LevelBattleWorld(const CLevel* level = nullptr) : m_level(level) {}
    void SetLevel(const CLevel* level) { m_level = level; }

    float GroundHeight(float x, float y) const override;
    float MeshHeight(float x, float y) const override;
    bool IsAboveWater(float x, float y) const override;
    float WaterHeight() const override;
    float FlyingHeight() const override;
    float HalfWidth() const override;
    float Scale() const override;
    float HeightMax() const override;
    Vec3 Listener() const override;

private:
    const CLevel* m_level;
};

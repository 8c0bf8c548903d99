// The enemies' projectiles: CMissleHelicopAA (flies along the helicopter's heading, settling at
// the flying height), CMissleBoat1AA and CMissleAAD1AA (rise from a boat, nose-up, or from a
// site's raised turret, pitch over as they climb, level at the flying height, then speed up), and
// CMissleBoat1Flak (a shell that flies straight and bursts at about the flying height, on the
// ground or at the end of its range; it hurts only while its point is inside the player's box).
//
// Created by CMissleCtrl's enemy launch operations and kept in its enemy list; their Hits is
// asked of the player only while the player is flying normally.
#pragma once

#include "player/Missle.h"

// The rising missiles share their climb, smoke and flight sound.
class CMissleEnemyAA : public CMissle {
public:
    CMissleEnemyAA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game, float damage);

    void Draw() override;
    bool IsFinished() const override { return m_life == 2; }
    bool IsExploding() const override { return m_life == 1; }
    void Explode() override;
    bool Hits(const CEntity& entity) const override;
    bool IsLevelled() const { return m_levelled; }

protected:
    // Smoke puffs every interval, and the flight sound.
    void Smoke(float dt, int soundId);
    void Level();
    void MoveAndCheck(float dt, float groundMargin);
    // A rising missile's update: up from its launcher, level at the flying height, then on. The
    // ground margin (below the surface or above it) may depend on whether it has levelled.
    void UpdateRising(float dt, float marginRising, float marginLevelled);

    bool m_levelled = false;
    bool m_started_z = false;
    float m_z0 = 0.0f;
    float m_climb_sine = 1.0f;   // sine of the pitch it left its launcher with
    float m_level_boost = 2.0f;
    float m_smoke_timer = 0.0f;
};

class CMissleHelicopAA : public CMissleEnemyAA {
public:
    CMissleHelicopAA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game, float damage);
    void Update(float dt) override;
};

class CMissleBoat1AA : public CMissleEnemyAA {
public:
    CMissleBoat1AA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game, float damage);
    void Update(float dt) override;
};

class CMissleAAD1AA : public CMissleEnemyAA {
public:
    // range: the site's missile range in level units (0: half the valley width); at most two
    // valley widths.
    CMissleAAD1AA(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game, float damage,
                  float range);
    void Update(float dt) override;
};

class CMissleBoat1Flak : public CMissle {
public:
    // range: how far the shell may fly before it bursts anyway, in level units (0: two valley
    // widths, the bound of every shell).
    CMissleBoat1Flak(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game, float damage,
                     float range);

    void Draw() override;
    void Update(float dt) override;
    bool IsFinished() const override { return m_life == 2; }
    bool IsExploding() const override { return m_life == 1; }
    void Explode() override;
    // Only the shell's point inside the entity's box.
    bool Hits(const CEntity& entity) const override;
    float BurstHeight() const { return m_burst_height; }

private:
    float m_burst_height = 0.0f;
};

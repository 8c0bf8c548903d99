// CEnemyBoat: an enemy boat — drives along the river, turns back at the valley's sides and at
// shallows, fires missiles and flak from its firing points, may surface from the bottom first;
// hit, it burns at the points nearest the hits, and once its health is gone it sinks with
// explosions aboard.
//
// Created by CEnemiesCtrl from "EnemyBoat1" entries (kinds 0..3), owned by it; updated and drawn
// while in the active window. Health is 10 × its scale, so a missile may leave it burning. Sinking
// pays "m_score_boat" × its scale taken to the nearest whole number and counts a boat.
// Burning points lie along its centre line, spaced by a quarter of the fire-source particle's
// size; a boat too small for any (or a fire size of 0) gets one point at its middle, and no boat
// gets more than kMaxBurningPoints.
#pragma once

#include "world/EnemyKind.h"

#include <vector>

class CEnemyBoat : public CEnemyKind {
public:
    static constexpr int kMaxBurningPoints = 16;

    CEnemyBoat(CLevel* level, CAtmosphericCtpl* effects);

    void Draw() override;
    void Update(float dt) override;
    void WriteKeys(ParamFile& file, int i) const override;
    void ReadKeys(const ParamFile& file, int i) override;
    void ApplyKind() override;
    void SetKind(int32_t kind) override;
    void Kill(const Vec3* hitPoint) override;

    void Place(const Vec3& filePosition);
    // The burning points for the boat's scale and a fire-source size.
    void BuildBurningPoints(float fireSize);
    void SetShootStatus(int status) { m_shoot_status = status; }
    void SetFirePoints(int n);
    void SetSurfacing(bool on) { m_surfacing = on; }
    bool IsSurfacing() const { return m_surfacing; }
    bool IsBurning() const { return m_burning; }
    int TurnState() const { return m_turn; }
    bool LastTurn() const { return m_last_turn; }
    size_t BurningPointCount() const { return m_points.size(); }
    const Vec3& BurningPoint(size_t i) const { return m_points[i]; }
    bool PointBurns(size_t i) const { return m_point_burns[i]; }
    // A burning point in the world: turned by the heading, at the position.
    Vec3 WorldPoint(size_t i) const;
    int SinkingSound() const { return m_sinking_sound; }
    float Roll() const { return m_angle_y; }

private:
    void StartUTurn();
    Vec3 FireOffset() const;

    int m_turn = 0;
    float m_target_heading = 0.0f;
    bool m_last_turn = false;
    float m_water0 = 0.0f, m_fly0 = 0.0f;
    int m_shoot_status = 0;
    int m_fire_points = 1;
    int m_next_point = 0;
    float m_missile_timer = 0.0f, m_flak_timer = 0.0f, m_subexplode_timer = 0.0f;
    bool m_burning = false;
    bool m_surfacing = false;
    Vec3 m_gravity;
    int m_sinking_sound = 31;
    std::vector<Vec3> m_points;
    std::vector<bool> m_point_burns;
};

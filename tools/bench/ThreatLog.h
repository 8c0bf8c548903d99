// ThreatLog: what the enemies did to the player in one flight of gw-bench — launches per weapon,
// how close each projectile came, the hits and the hull they cost.
//
// FlightBench feeds it once per frame after the field's update; it reads the missile
// controller's enemy list and the player's hull and changes nothing. A projectile is known by
// its effect id; its weapon by its class and, for flak, by the launcher nearest its first seen
// position (a boat or a site).
#pragma once

#include "app/Vec3.h"

#include <cstdint>
#include <cstdio>
#include <map>

class CGameField;

class ThreatLog {
public:
    enum Weapon { HelicMissile, BoatMissile, BoatFlak, SiteMissile, SiteFlak, WeaponCount };

    void Observe(const CGameField& field);
    // Appends the figures to the level's JSON object (", \"threats\": {...}").
    void Print(std::FILE* out) const;

private:
    struct Track {
        Weapon weapon = HelicMissile;
        float closest = 1e9f;
        Vec3 closestOffset;   // projectile minus player at the closest point
        bool seen = false;
    };
    void Close(const Track& t);

    std::map<uint64_t, Track> m_live;
    float m_last_hull = -1.0f;
    int m_launches[WeaponCount] = {};
    int m_within1[WeaponCount] = {};    // came within 1 unit of the player's centre
    int m_within3[WeaponCount] = {};
    int m_hits[WeaponCount] = {};
    float m_closest[WeaponCount] = {1e9f, 1e9f, 1e9f, 1e9f, 1e9f};
    Vec3 m_closest_offset[WeaponCount];
    float m_hull_lost = 0.0f;
    int m_hull_drops = 0;
};

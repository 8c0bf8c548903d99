// A battle world for the combat tests: ground from a function (flat by default), water, flying
// height, half width, scale, the terrain's top and the listener; and a game record with the
// forge's combat tuning and model prototypes that are plain boxes (no mesh, no GL).
#pragma once

#include "game/GameData.h"
#include "render/Unit.h"
#include "world/BattleWorld.h"

#include <functional>

struct CombatTestWorld : IBattleWorld {
    float ground = 0.0f;
    float water = 0.5f;
    float flying = 3.0f;
    float half = 20.0f;
    float scale = 1.0f;
    float hmax = 5.0f;
    Vec3 listener;
    std::function<float(float, float)> groundAt;

    float GroundHeight(float x, float y) const override { return groundAt ? groundAt(x, y) : ground; }
    float MeshHeight(float x, float y) const override { return GroundHeight(x, y); }
    bool IsAboveWater(float x, float y) const override { return GroundHeight(x, y) >= water; }
    float WaterHeight() const override { return water; }
    float FlyingHeight() const override { return flying; }
    float HalfWidth() const override { return half; }
    float Scale() const override { return scale; }
    float HeightMax() const override { return hmax; }
    Vec3 Listener() const override { return listener; }
};

// Box prototypes: width x, length y, height z before the scale; every class's kinds share one.
struct CombatTestModels {
    CUnit plane, helicopter, boat, site, building, barrels, fuel;

    explicit CombatTestModels(GameData& g)
    {
        Box(plane, 1.0f, 1.0f, 0.3f, 1.0f);
        Box(helicopter, 0.5f, 1.0f, 0.4f, 1.0f);
        Box(boat, 0.3f, 1.0f, 0.2f, 1.0f);
        Box(site, 1.0f, 1.0f, 0.5f, 1.0f);
        Box(building, 1.0f, 1.0f, 0.6f, 2.0f);
        Box(barrels, 1.0f, 1.0f, 0.5f, 0.5f);
        Box(fuel, 1.0f, 1.0f, 1.0f, 1.0f);
        for (int k = 0; k < GameData::kMaxPlanes; ++k)
            g.m_e_planes[k] = &plane;
        for (int k = 0; k < GameData::kMaxHelicops; ++k)
            g.m_e_helicops[k] = &helicopter;
        for (int k = 0; k < GameData::kMaxBoats; ++k)
            g.m_e_boats[k] = &boat;
        for (int k = 0; k < GameData::kMaxAads; ++k)
            g.m_e_aads[k] = &site;
        for (int k = 0; k < GameData::kMaxBuildings; ++k)
            g.m_e_buildings[k] = &building;
        for (int k = 0; k < GameData::kMaxBarrels; ++k)
            g.m_e_barrels[k] = &barrels;
        g.m_fuel = &fuel;
    }
    static void Box(CUnit& u, float w, float l, float h, float s)
    {
        u.SetSize(w, l, h);
        u.SetScale(s);
    }
};

// The combat tuning as the forge writes it.
inline void TuneCombat(GameData& g)
{
    g.m_gravity = 0.0004f;
    g.m_gravity_boat = 0.00002f;
    g.m_fuel_per_barrel = 25.0f;
    g.m_barrels_expl_speed = 0.05f;
    g.m_barrels_expl_gravity = 0.001f;
    g.m_boat_subexplods_time = 500.0f;
    g.m_boat_shoot_roket_pause = 70.0f;
    g.m_boat_shoot_flak_pause = 150.0f;
    g.m_helic_shoot_roket_pause = 150.0f;
    g.m_missle_smoke_time = 6;
    g.m_missle_player_speed = 0.6f;
    g.m_missle_helicop_speed = 0.28f;
    g.m_boat_flak_speed = 0.25f;
    g.m_boat_missile_speed = 0.3f;
    g.m_aad_missile_speed = 0.2f;
    g.m_missile_aa_damage = 4.0f;
    g.m_flak_damage = 1.0f;
    g.m_score_plane = 80;
    g.m_score_helic = 100;
    g.m_score_boat = 60;
    g.m_score_aad = 50;
    g.m_sound_barrier = 30.0f;
    g.m_plane_speed_normal_forward[0] = 0.19f;
}

constexpr float kCombatDt = 16.666666f * 0.13f;

// A flight world for tests: flat ground at a chosen height (or a ridge), water, flying height and
// the level's end switch; and a game record with the forge's aircraft tuning.
#pragma once

#include "game/GameData.h"
#include "player/FlightWorld.h"

#include <functional>

struct FlightTestWorld : IFlightWorld {
    float ground = 0.0f;
    float water = 0.1f;
    float flying = 3.0f;
    float scale = 1.0f;
    float half = 20.0f;
    bool finished = false;
    Vec3 view;
    int viewCalls = 0;
    std::function<float(float, float)> groundAt;

    float GroundHeight(float x, float y) const override { return groundAt ? groundAt(x, y) : ground; }
    float WaterHeight() const override { return water; }
    float FlyingHeight() const override { return flying; }
    float Scale() const override { return scale; }
    float HalfWidth() const override { return half; }
    bool IsFinished() const override { return finished; }
    void SetViewPosition(const Vec3& p) override
    {
        view = p;
        ++viewCalls;
    }
};

// The per-aircraft columns as the forge writes them (F-22, F/A-18, AH-64).
inline void TuneForTests(GameData& g)
{
    const float angle[] = {45, 40, 30}, vmax[] = {0.30f, 0.28f, 0.23f}, vnorm[] = {0.19f, 0.18f, 0.15f},
                vmin[] = {0.12f, 0.115f, 0.09f}, acc[] = {0.03f, 0.026f, 0.02f}, dec[] = {0.03f, 0.03f, 0.035f},
                down[] = {0.993f, 0.993f, 0.99f}, rot[] = {0.05f, 0.045f, 0.035f}, back[] = {60, 60, 50},
                side[] = {0.12f, 0.11f, 0.1f}, mside[] = {0.08f, 0.075f, 0}, mang[] = {3.0f, 2.6f, 0},
                fnorm[] = {0.011f, 0.0095f, 0.0085f}, fhigh[] = {0.02f, 0.018f, 0.015f};
    for (int i = 0; i < 3; ++i) {
        g.m_plane_angle_max_side[i] = angle[i];
        g.m_plane_speed_max_forward[i] = vmax[i];
        g.m_plane_speed_normal_forward[i] = vnorm[i];
        g.m_plane_speed_min_forward[i] = vmin[i];
        g.m_plane_k_acceleration[i] = acc[i];
        g.m_plane_k_deceleration[i] = dec[i];
        g.m_plane_k_speed_down[i] = down[i];
        g.m_plane_k_side_rotate[i] = rot[i];
        g.m_plane_k_side_rotate_back[i] = back[i];
        g.m_plane_k_side_speed[i] = side[i];
        g.m_maneuver_side_speed[i] = mside[i];
        g.m_maneuver_angle_speed[i] = mang[i];
        g.m_fuel_rate_normal[i] = fnorm[i];
        g.m_fuel_rate_hight[i] = fhigh[i];
        g.m_aircraft_params[i].SetFloat("m_missile_dist", 0.13f);
        g.m_aircraft_params[i].SetFloat("m_torpedo_dist", 0.09f);
        g.m_aircraft_params[i].SetFloat("m_hull", 10);
        g.m_aircraft_params[i].SetFloat("m_plane_shoot1_pause_time", 40);
        g.m_aircraft_params[i].SetFloat("m_plane_shoot2_pause_time", 150);
        g.m_aircraft_params[i].SetFloat("m_missile_al_damage", 3);
        g.m_aircraft_params[i].SetFloat("m_missile_aa_damage", 2);
        g.m_aircraft_params[i].SetFloat("m_torpedo_damage", 4);
    }
    g.m_gravity = 0.0004f;
    g.m_plane_pos_y = 10.0f;
}

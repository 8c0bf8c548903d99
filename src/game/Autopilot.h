// Autopilot: flies the valley as a player would — along the river's free corridor at the flying
// height, turning towards fuel depots when the tank is not full — through the same control
// queries a person's keys and mouse feed (the input devices are frozen and set by it).
//
// gw-bench creates one per level flight and the main menu's attract mode one per demonstration;
// each calls Steer before every field update (gw-bench reads its figures at the end). It sees the
// level only through CLevel's height queries and the enemies' positions; it never moves the
// aircraft itself. The input devices it is given are its own: they are frozen and set by it.
#pragma once

#include <cstdint>

class CGameField;
class GameData;
class InputDevices;

class Autopilot {
public:
    Autopilot(InputDevices& input, const GameData& game);

    // Sets the cursor (sideways) and the throttle keys for this frame.
    void Steer(const CGameField& field);

    // Figures of the flight so far.
    float MinFuel() const { return m_min_fuel; }
    float MinClearance() const { return m_min_clearance; }
    int DepotsSteered() const { return m_depots_steered; }
    int AvoidFrames() const { return m_avoided; }

private:
    float CorridorCentre(const CGameField& field, float y, float nearX) const;

    InputDevices& m_input;
    const GameData& m_game;
    float m_min_fuel = 100.0f;
    float m_min_clearance = 1e9f;
    int m_depots_steered = 0;
    int m_avoided = 0;
    float m_last_depot_y = -1e9f;
};

// CPlayerShadow: the player aircraft's shadow on the ground, a 4 x 4 vertex grid laid on the
// terrain (or on the water where that is higher) and narrowed as the aircraft banks.
//
// Owned by CPlayer, which sizes it when the aircraft is chosen, places it and sets its roll every
// update, and hides it when the aircraft is shot down. The game field draws it last of the 3D
// scene. Placement is arithmetic over the flight world's heights (no GL); Draw needs a context.
#pragma once

#include "app/Vec3.h"

class CTexture;
class GameData;
class IFlightWorld;

class CPlayerShadow {
public:
    explicit CPlayerShadow(const IFlightWorld* world) : m_world(world) {}

    // Cells are width / 3 by length / 3.
    void SetSize(float width, float length);
    // Picks that aircraft's shadow texture from the game record (none when it has none).
    void SetAircraft(const GameData* game, int aircraft);
    // Folds |a| into 0..90 and squeezes the grid by 0.7 of that.
    void SetRoll(float degrees);
    void Place(const Vec3& centre);
    void Draw() const;
    void SetVisible(bool visible) { m_visible = visible; }
    bool IsVisible() const { return m_visible; }

    float Squeeze() const { return m_squeeze; }
    const Vec3& Vertex(int i, int j) const { return m_grid[i][j]; }

private:
    const IFlightWorld* m_world;
    Vec3 m_grid[5][5];  // 4 x 4 used
    float m_cell_width = 1.0f, m_cell_length = 1.0f;
    float m_squeeze = 1.0f;
    bool m_visible = true;
    int m_aircraft = 0;
    CTexture* m_texture = nullptr;
};

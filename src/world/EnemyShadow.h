// CEnemyShadow: the ground shadow of an enemy plane or helicopter — a 4 x 4 vertex grid turned
// with the aircraft's heading and draped over the terrain, plus a flat quad on the water so the
// shadow shows on the river too.
//
// Owned by its CEnemyPlane or CEnemyHelicopter, which sizes it at kind change, places it every
// update while visible and hides it when dying; drawn first by the owner's Draw. Placement is
// arithmetic over the battle world's heights (no GL); Draw needs a context.
#pragma once

#include "app/Vec3.h"

class CTexture;
class IBattleWorld;

class CEnemyShadow {
public:
    explicit CEnemyShadow(const IBattleWorld* world) : m_world(world) {}

    void SetWorld(const IBattleWorld* world) { m_world = world; }
    // Cells are width / 3 by length / 3.
    void SetSize(float width, float length);
    void SetTexture(CTexture* texture) { m_texture = texture; }
    void SetHeading(float degrees) { m_heading = degrees; }
    void SetVisible(bool visible) { m_visible = visible; }
    bool IsVisible() const { return m_visible; }
    void Place(const Vec3& centre);
    void Draw() const;
    // The state a shadow is drawn in — black at a fifth, blended, with the shadow picture when
    // it has one — and back to white, unblended, untextured after. The level start's pre-warm
    // draws its shadow through the same two calls.
    static void BeginState(const CTexture* texture);
    static void EndState();

    const Vec3& Vertex(int i, int j) const { return m_grid[i][j]; }

private:
    const IBattleWorld* m_world;
    Vec3 m_grid[4][4];
    float m_cell_width = 1.0f, m_cell_length = 1.0f;
    float m_heading = 0.0f;
    CTexture* m_texture = nullptr;
    bool m_visible = true;
};

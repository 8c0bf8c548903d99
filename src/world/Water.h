// Water: the level's river surface — one flat, textured, optionally translucent quad at the
// water height that travels with the player while its texture stays anchored to the world and
// flows along the level.
//
// Owned by CLevel: created by LoadLevel with the level's scale, given the view position and a
// flow step by UpdateLevel, drawn by DrawLevel after the terrain. The water height is also the
// level's reference surface (falling aircraft, boats, IsAboveWater). Without graphics no texture
// is loaded. A missing texture draws the quad untextured; nothing here fails.
#pragma once

#include "app/Vec3.h"

class CTexture;
class ParamFile;
class ResourceGroup;

class Water {
public:
    explicit Water(float kScale, bool graphics = true) : m_k_scale(kScale), m_graphics(graphics) {}

    // Reads "h_water", "water_size", "k_water_tex", "water_transparency", "water_speed_y" and
    // "water_tex" (each defaulting to "0"); the texture through the bank "CLevel". Always true.
    bool Load(const ResourceGroup& group, const ParamFile& file);

    void SetViewPosition(const Vec3& p) { m_view = p; }
    // Flow offset += flow velocity × dt.
    void Flow(float dt) { m_offset += m_velocity * dt; }
    void Draw() const;

    // Texture coordinates of a quad corner (cx, cy), relative to the view position: anchored to
    // the world, shifted by the flow offset.
    void TexCoordAt(float cx, float cy, float& s, float& t) const;

    float Height() const { return m_height; }
    float Size() const { return m_size; }
    float Repeat() const { return m_repeat; }
    float Transparency() const { return m_transparency; }
    const Vec3& Velocity() const { return m_velocity; }
    const Vec3& Offset() const { return m_offset; }
    bool IsLoaded() const { return m_loaded; }
    bool Blends() const { return m_transparency < 1.0f; }

private:
    float m_k_scale;
    bool m_graphics;
    float m_height = 0.0f;
    float m_size = 1.0f;
    float m_repeat = 1.0f;
    float m_transparency = 1.0f;
    Vec3 m_velocity{0, 0, 0};
    Vec3 m_offset{0, 0, 0};
    Vec3 m_view{0, 0, 0};
    CTexture* m_texture = nullptr;
    bool m_loaded = false;
};

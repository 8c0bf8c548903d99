// LevelTerrain: the continuous landscape of one level — a river winding along a valley with sand
// banks, a flood plain and hills — and its folding into the game's banded height image.
//
// World coordinates as the game uses them: x across (0 is the valley's middle), y along the level
// from 0, z up. Height() is defined everywhere; FoldedHeights() samples it at the terrain's
// vertices (column w of band b, row r: x = (w - q/2) × h_dist, y = (b × (N - 1) + r) × h_dist)
// and stores sample (b × q + w, r) at offset (b × q + w) + r × N, as the game's terrain reads it.
// The Levels module paints the main texture from the same function, so colours match heights.
#pragma once

#include <cstdint>
#include <vector>

struct TerrainShape {
    uint32_t seed = 1;
    float riverHalfWidth = 4.0f;    // water surface half width at the river's widest
    float riverDepth = 0.75f;       // bed below the water at the river's middle
    float bankWidth = 1.5f;         // sand from the water's edge to the flood plain
    float plainWidth = 6.0f;        // flat land before the hills start
    float hillSlope = 0.8f;         // rise per unit beyond the plain
    float hillHeight = 6.5f;        // height the hills reach above the water
    float meanderAmp = 8.0f;        // largest sideways swing of the river
    float meanderLength = 260.0f;   // length of one full bend pair along y
    float roughness = 1.0f;         // scales the noise on hills and plain
};

class LevelTerrain {
public:
    explicit LevelTerrain(const TerrainShape& shape);

    // x of the river's middle at y; 0 over the first stretch so the player starts over water.
    float RiverCenter(float y) const;
    float RiverHalfWidth(float y) const;
    // Ground height (world units) at (x, y).
    float Height(float x, float y) const;
    // The river at one y, for many heights along it: Height(x, At(y)) == Height(x, y).
    struct Across {
        float y = 0.0f, center = 0.0f, halfWidth = 0.0f;
    };
    Across At(float y) const { return Across{y, RiverCenter(y), RiverHalfWidth(y)}; }
    float Height(float x, const Across& a) const;
    // Distance from the river's middle to where the ground first reaches the flying height, on
    // the nearer side; the half width of the corridor a pilot can follow.
    float CorridorHalfWidth(float y, float flyHeight) const;

    float Length() const;   // lines × (N − 1) × h_dist
    // N × N bytes: the folded height image.
    std::vector<uint8_t> FoldedHeights() const;

    const TerrainShape& Shape() const { return m_shape; }

private:
    TerrainShape m_shape;
    float m_phase[4];
};

// LevelTerrain: river, banks, plain and hills as one height function, folded into bands.
#include "content/LevelTerrain.h"

#include "ForgeContent.h"
#include "core/ForgeRandom.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kTwoPi = 6.28318530718f;
constexpr float kStartStraight = 70.0f;   // the river runs straight along x = 0 this far
}

LevelTerrain::LevelTerrain(const TerrainShape& shape) : m_shape(shape)
{
    ForgeRandom rng(shape.seed * 7919u + 13u);
    for (float& p : m_phase)
        p = rng.Range(0.0f, kTwoPi);
}

float LevelTerrain::Length() const
{
    using namespace ForgeScale;
    return kLines * (kHeightSide - 1) * kSampleDist;
}

float LevelTerrain::RiverCenter(float y) const
{
    const float L = m_shape.meanderLength;
    float x = std::sin(kTwoPi * y / L + m_phase[0]) * 0.7f + std::sin(kTwoPi * y / (L * 0.43f) + m_phase[1]) * 0.3f;
    // Bends start gently after the straight start run.
    x *= SmoothStep(kStartStraight, kStartStraight + 120.0f, y);
    x *= m_shape.meanderAmp;
    // Keep the whole corridor inside the valley.
    const float limit = ForgeScale::kValleyWidth * 0.5f - m_shape.riverHalfWidth - m_shape.bankWidth - 4.0f;
    return std::clamp(x, -limit, limit);
}

float LevelTerrain::RiverHalfWidth(float y) const
{
    return m_shape.riverHalfWidth * (0.85f + 0.15f * std::sin(kTwoPi * y / 150.0f + m_phase[2]));
}

float LevelTerrain::Height(float x, float y) const { return Height(x, At(y)); }

float LevelTerrain::Height(float x, const Across& a) const
{
    using namespace ForgeScale;
    const TerrainShape& s = m_shape;
    const float y = a.y;
    const float d = std::fabs(x - a.center);
    const float rw = a.halfWidth;
    float h;
    if (d < rw) {
        const float t = d / rw;
        h = kWater - s.riverDepth * (1.0f - t * t) - 0.06f;
    } else if (d < rw + s.bankWidth) {
        const float t = (d - rw) / s.bankWidth;
        h = kWater - 0.06f + 0.36f * SmoothStep(0.0f, 1.0f, t);
    } else {
        // The noise only shapes the land beyond the banks.
        const float n1 = FractalNoise(s.seed, x * 0.15f, y * 0.15f, 4);          // rolling land
        const float n2 = FractalNoise(s.seed + 77u, x * 0.05f, y * 0.05f, 3);    // big hill masses
        const float plainEdge = rw + s.bankWidth + s.plainWidth * (0.75f + 0.5f * n2);
        const float plain = kWater + 0.3f + 0.5f * SmoothStep(rw + s.bankWidth, plainEdge, d) +
                            (n1 - 0.5f) * 0.3f * s.roughness * SmoothStep(rw + s.bankWidth, rw + s.bankWidth + 2.0f, d);
        if (d < plainEdge) {
            h = plain;
        } else {
            const float e = d - plainEdge;
            const float rise = std::min(s.hillHeight, e * s.hillSlope * (0.8f + 0.4f * n1));
            const float crest = (n2 - 0.35f) * 3.0f * s.roughness * SmoothStep(0.0f, 6.0f, e);
            h = plain + rise + std::max(-0.5f, crest);
        }
    }
    return std::clamp(h, 0.05f, kHeightMax * 0.99f);
}

float LevelTerrain::CorridorHalfWidth(float y, float flyHeight) const
{
    const float c = RiverCenter(y);
    float best = 1e9f;
    for (int side = -1; side <= 1; side += 2) {
        float d = 0.0f;
        while (d < ForgeScale::kValleyWidth && Height(c + side * d, y) < flyHeight)
            d += 0.1f;
        best = std::min(best, d);
    }
    return best;
}

std::vector<uint8_t> LevelTerrain::FoldedHeights() const
{
    using namespace ForgeScale;
    const int N = kHeightSide, q = kStrips;
    std::vector<uint8_t> img(static_cast<size_t>(N) * N, 0);
    for (int b = 0; b < kLines; ++b)
        for (int r = 0; r < N; ++r) {
            const Across across = At((b * (N - 1) + r) * kSampleDist);
            for (int w = 0; w < q; ++w) {
                const float x = (w - q / 2) * kSampleDist;
                const float v = Height(x, across) / kHeightMax * 255.0f;
                img[static_cast<size_t>(b * q + w) + static_cast<size_t>(r) * N] =
                    static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(v)), 0, 255));
            }
        }
    return img;
}

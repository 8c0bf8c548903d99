// ForgeRandom: the forge's own small random generator and value noise, the same on every library.
//
// Content is made from fixed seeds so that two runs give byte-identical packs; std:: distributions
// differ between standard libraries, so every draw goes through this splitmix64 generator and every
// noise value through the integer hash below. Nothing here keeps global state.
#pragma once

#include <cmath>
#include <cstdint>

class ForgeRandom {
public:
    explicit ForgeRandom(uint64_t seed) : m_state(seed) {}

    uint64_t Next64()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Next() { return static_cast<uint32_t>(Next64() >> 32); }
    // Uniform in [0, 1).
    float Float() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }
    float Range(float lo, float hi) { return lo + (hi - lo) * Float(); }
    // Uniform in [0, n); 0 when n <= 0.
    int Int(int n) { return n > 0 ? static_cast<int>(Next() % static_cast<uint32_t>(n)) : 0; }
    bool Chance(float p) { return Float() < p; }

private:
    uint64_t m_state;
};

// Integer lattice hash in [0, 1).
inline float HashNoise(uint32_t seed, int32_t x, int32_t y)
{
    uint32_t h = seed * 0x27D4EB2Du ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^ static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

// Smooth value noise in [0, 1) over the plane; period > 0 makes it tile every period cells.
inline float ValueNoise(uint32_t seed, float x, float y, int period = 0)
{
    const float fx = std::floor(x), fy = std::floor(y);
    int32_t x0 = static_cast<int32_t>(fx), y0 = static_cast<int32_t>(fy);
    int32_t x1 = x0 + 1, y1 = y0 + 1;
    if (period > 0) {
        auto wrap = [period](int32_t v) { v %= period; return v < 0 ? v + period : v; };
        x0 = wrap(x0); x1 = wrap(x1); y0 = wrap(y0); y1 = wrap(y1);
    }
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    const float a = HashNoise(seed, x0, y0), b = HashNoise(seed, x1, y0);
    const float c = HashNoise(seed, x0, y1), d = HashNoise(seed, x1, y1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Fractal sum of octaves, normalised to [0, 1); with period > 0 it tiles every period units of x, y.
inline float FractalNoise(uint32_t seed, float x, float y, int octaves, int period = 0)
{
    float sum = 0.0f, amp = 1.0f, norm = 0.0f, freq = 1.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(seed + static_cast<uint32_t>(i) * 101u, x * freq, y * freq,
                          period > 0 ? period * static_cast<int>(freq) : 0) * amp;
        norm += amp;
        amp *= 0.5f;
        freq *= 2.0f;
    }
    return sum / norm;
}

inline float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }
inline float SmoothStep(float e0, float e1, float x)
{
    const float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

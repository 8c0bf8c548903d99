// Particles: the ten particle descriptions under "dat/particles/" and their four strip textures.
//
// A strip holds its animation frames side by side (64 × 64 each, RGBA); the particle's colour
// multiplies them. Frames run from the bright start of an effect to its fading end: fire from a
// white-yellow core through orange to smoke, flak from a flash to a black puff, smoke and splash
// puffs growing softer. Rates are per game time unit (one update is about 2.17 units); sizes are
// world units. The fire source's size also spaces a boat's burning points (a quarter of it), so
// it stays small enough for the smallest boat to carry several.
#include "ForgeContent.h"
#include "core/ForgeRandom.h"
#include "core/Image.h"
#include "writers/ImageWriters.h"
#include "writers/ParamText.h"

#include <cmath>

namespace {

constexpr int kFrame = 64;

struct ParticleSpec {
    const char* file;
    const char* what;
    int frames;
    double frameSpeed;
    double vx, vy, vz;
    double speedVal;
    double r, g, b, a;
    double size, dsize, dalpha, dist;
    const char* kind;   // "ALPHA": dies when transparent; "FRAMES": dies at its last frame
};

const ParticleSpec kParticles[10] = {
    {"p_missile", "player missile trail (splashes1)", 4, 0.03, 0, 0, 0, 0, 1, 1, 1, 0.75, 0.22, 0.004, 0.009, 0.15, "ALPHA"},
    {"p_missile_enemy", "enemy missile smoke puffs (smoke1)", 4, 0.02, 0, 0, 0.002, 0.002, 0.75, 0.75, 0.75, 0.7, 0.3, 0.005, 0.006, 0.2, "ALPHA"},
    {"p_plane", "contrails of a roll (splashes1)", 4, 0.02, 0, 0, 0, 0, 1, 1, 1, 0.5, 0.1, 0.002, 0.01, 0.08, "ALPHA"},
    {"p_flak", "flak burst (flak1)", 8, 0.06, 0, 0, 0, 0, 1, 1, 1, 1, 1.0, 0.004, 0.0, 0.0, "FRAMES"},
    {"p_fire_src", "fire source on burning wrecks (fire1)", 8, 0.08, 0, 0, 0.008, 0.008, 1, 0.95, 0.85, 0.95, 0.4, 0.003, 0.0, 0.1, "FRAMES"},
    {"p_explode", "explosion fireball (fire1)", 8, 0.05, 0, 0, 0.004, 0.004, 1, 1, 1, 1, 1.3, 0.005, 0.0, 0.0, "FRAMES"},
    {"p_explode_sm", "explosion sparks and small fireballs (fire1)", 8, 0.07, 0, 0, 0, 0.02, 1, 0.9, 0.8, 1, 0.45, 0.002, 0.0, 0.0, "FRAMES"},
    {"p_e_water", "water splash (splashes1)", 4, 0.03, 0, 0, 0, 0.006, 0.85, 0.92, 1, 0.9, 0.4, 0.004, 0.01, 0.0, "ALPHA"},
    {"p_fire_boat", "fire on boats and buildings (fire1)", 8, 0.07, 0, 0, 0.006, 0.006, 1, 0.95, 0.85, 0.95, 0.55, 0.003, 0.0, 0.12, "FRAMES"},
    {"p_water_tail", "torpedo wake (splashes1)", 4, 0.02, 0, 0, 0, 0.003, 0.9, 0.95, 1, 0.7, 0.2, 0.006, 0.008, 0.12, "ALPHA"},
};

// A soft puff made of overlapping blobs, radius r (pixels), at the centre of frame f.
void Puff(Image& img, int f, float r, const Color& inner, const Color& outer, uint32_t seed, float alpha)
{
    ForgeRandom rng(seed);
    const float cx = f * kFrame + kFrame / 2.0f, cy = kFrame / 2.0f;
    for (int i = 0; i < 9; ++i) {
        const float a = rng.Range(0, 6.2831853f), d = rng.Range(0.0f, r * 0.45f);
        const float br = r * rng.Range(0.45f, 0.7f);
        const float bx = cx + std::cos(a) * d, by = cy + std::sin(a) * d;
        for (int y = static_cast<int>(by - br); y <= static_cast<int>(by + br); ++y)
            for (int x = static_cast<int>(bx - br); x <= static_cast<int>(bx + br); ++x) {
                if (x < f * kFrame || x >= (f + 1) * kFrame || y < 0 || y >= kFrame)
                    continue;
                const float dd = std::sqrt((x + 0.5f - bx) * (x + 0.5f - bx) + (y + 0.5f - by) * (y + 0.5f - by)) / br;
                if (dd >= 1.0f)
                    continue;
                const float n = FractalNoise(seed + 7u, x / 7.0f, y / 7.0f, 3);
                const float k = (1.0f - dd * dd) * (0.6f + 0.4f * n);
                const float rc = std::sqrt((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy)) / r;
                Color c = Mix(inner, outer, Clamp01(rc));
                c.a = alpha * k;
                img.Blend(x, y, c);
            }
    }
}

Image SmokeStrip()
{
    Image img(kFrame * 4, kFrame, 4, Color(0, 0, 0, 0));
    for (int f = 0; f < 4; ++f)
        Puff(img, f, 18.0f + f * 4.0f, Rgb(235, 235, 235), Rgb(150, 150, 150), 300u + f, 0.8f - f * 0.12f);
    return img;
}

Image FireStrip()
{
    Image img(kFrame * 8, kFrame, 4, Color(0, 0, 0, 0));
    for (int f = 0; f < 8; ++f) {
        const float t = f / 7.0f;
        const Color core = Mix(Rgb(255, 250, 210), Rgb(90, 80, 76), SmoothStep(0.45f, 1.0f, t));
        const Color rim = Mix(Rgb(255, 140, 30), Rgb(60, 56, 54), SmoothStep(0.3f, 0.9f, t));
        Puff(img, f, 14.0f + t * 14.0f, core, rim, 400u + f, 1.0f - t * 0.55f);
    }
    return img;
}

Image FlakStrip()
{
    Image img(kFrame * 8, kFrame, 4, Color(0, 0, 0, 0));
    for (int f = 0; f < 8; ++f) {
        const float t = f / 7.0f;
        if (f < 2) {
            // The flash: a white star with an orange halo.
            const float cx = f * kFrame + kFrame / 2.0f, cy = kFrame / 2.0f;
            img.FillCircle(cx, cy, 16.0f - f * 2, Rgb(255, 150, 40, 200), 8.0f);
            for (int k = 0; k < 4; ++k) {
                const float a = k * 0.785398f + f * 0.3f;
                img.Line(cx - std::cos(a) * 24, cy - std::sin(a) * 24, cx + std::cos(a) * 24, cy + std::sin(a) * 24, 2.5f,
                         Rgb(255, 240, 190, 230));
            }
            img.FillCircle(cx, cy, 8.0f, Rgb(255, 255, 230), 3.0f);
        } else {
            Puff(img, f, 14.0f + t * 12.0f, Mix(Rgb(60, 50, 45), Rgb(40, 40, 40), t), Rgb(25, 25, 25), 500u + f, 1.0f - t * 0.7f);
        }
    }
    return img;
}

Image SplashStrip()
{
    Image img(kFrame * 4, kFrame, 4, Color(0, 0, 0, 0));
    for (int f = 0; f < 4; ++f) {
        Puff(img, f, 16.0f + f * 4.0f, Rgb(255, 255, 255), Rgb(190, 215, 235), 600u + f, 0.85f - f * 0.15f);
        ForgeRandom rng(650u + f);
        for (int d = 0; d < 10; ++d)   // droplets
            img.FillCircle(f * kFrame + rng.Range(8, 56), rng.Range(8, 56), rng.Range(1.0f, 2.5f), Rgb(240, 250, 255, 220), 1.0f);
    }
    return img;
}

} // namespace

void ForgeParticles(ForgeFiles& files)
{
    const auto M = ForgeFiles::Pack::Main;
    for (const ParticleSpec& p : kParticles) {
        ParamText t;
        t.Comment(p.what);
        t.SetInt("m_frames_count", p.frames);
        t.SetFloat("m_frames_speed", p.frameSpeed);
        t.SetVec4("m_speed", p.vx, p.vy, p.vz, 0);
        t.SetFloat("m_speed_val", p.speedVal);
        t.SetVec4("m_color", p.r, p.g, p.b, p.a);
        t.SetFloat("m_size", p.size);
        t.SetFloat("m_dsize", p.dsize);
        t.SetFloat("m_dalpha", p.dalpha);
        t.SetFloat("m_dist", p.dist);
        t.Set("m_kind", p.kind);
        files.Add(M, std::string("dat/particles/") + p.file + ".txt", t.Bytes(), true);
    }
    files.Add(M, "dat/particles/smp.tga", WriteTga(SmokeStrip(), 32));
    files.Add(M, "dat/particles/fire.tga", WriteTga(FireStrip(), 32));
    files.Add(M, "dat/particles/flak.tga", WriteTga(FlakStrip(), 32));
    files.Add(M, "dat/particles/splashes.tga", WriteTga(SplashStrip(), 32));
}

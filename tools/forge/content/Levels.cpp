// Levels: the base level set — ten river valleys, each with its own time of day and palette.
//
// For every level "levels/levelNN/" gets: the folded height image "height.raw", the main texture
// "main.jpg" painted from the same landscape (river bed, sand, grass, forest, rock, snow, with
// the sun's shading baked in) and laid out exactly like the heights, a tiling detail texture
// "detail.jpg" (grey around the middle, added signed over the main texture), the water texture
// "water.jpg", the sky dome "dome.obj", the grey cloud and noise pictures whose bytes the game
// takes as cloud alpha, and the three description files "terra.ter", "clouds.cld" and
// "enemies.ter". "levels/levels.txt" holds "levels_count". Difficulty rises with the level:
// a narrower, more winding corridor, more enemies that shoot more, fewer fuel depots.
#include "ForgeContent.h"
#include "content/LevelEnemies.h"
#include "content/LevelTerrain.h"
#include "app/Vec3.h"
#include "core/ForgeRandom.h"
#include "core/Image.h"
#include "writers/ImageWriters.h"
#include "writers/ParamText.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace ForgeScale;

struct LevelStyle {
    const char* title;
    Color fog;          // fog and sky: the horizon blends into the dome
    Color clouds;
    float cloudCover;   // 0 clear .. 1 overcast
    float intensity;    // alpha of the cloud layers
    Color bedDeep, bedShallow, sand, grass, grass2, forest, rock, rock2, snow, water, waterLight;
    float forest01;     // share of the plain under forest
    float snowLine;     // height above which snow lies
    Vec3 sun;           // towards the sun
    float ambient;
};

// Ten looks, from a bright summer morning to a moonlit night.
const LevelStyle kStyles[kLevelCount] = {
    {"Morning river", Rgb(184, 204, 224), Rgb(255, 255, 255), 0.35f, 0.45f,
     Rgb(62, 70, 52), Rgb(118, 116, 84), Rgb(204, 188, 138), Rgb(96, 146, 58), Rgb(128, 162, 70), Rgb(40, 86, 34),
     Rgb(128, 122, 112), Rgb(98, 92, 86), Rgb(240, 242, 248), Rgb(46, 92, 120), Rgb(150, 190, 210), 0.35f, 99.0f,
     Vec3(0.6f, -0.3f, 0.75f), 0.45f},
    {"Green noon", Rgb(170, 200, 235), Rgb(255, 255, 255), 0.25f, 0.4f,
     Rgb(58, 72, 60), Rgb(120, 124, 92), Rgb(214, 200, 150), Rgb(104, 160, 60), Rgb(140, 176, 72), Rgb(44, 96, 36),
     Rgb(134, 130, 120), Rgb(104, 100, 94), Rgb(240, 242, 248), Rgb(40, 100, 130), Rgb(160, 205, 225), 0.45f, 99.0f,
     Vec3(0.2f, 0.1f, 0.97f), 0.5f},
    {"Autumn afternoon", Rgb(214, 196, 164), Rgb(255, 246, 230), 0.45f, 0.5f,
     Rgb(66, 60, 44), Rgb(128, 112, 80), Rgb(200, 176, 126), Rgb(146, 132, 64), Rgb(170, 140, 70), Rgb(150, 78, 26),
     Rgb(130, 118, 104), Rgb(104, 94, 84), Rgb(240, 240, 240), Rgb(60, 80, 90), Rgb(170, 176, 170), 0.5f, 99.0f,
     Vec3(-0.5f, 0.4f, 0.6f), 0.45f},
    {"Desert canyon", Rgb(230, 206, 160), Rgb(255, 240, 220), 0.1f, 0.25f,
     Rgb(96, 82, 58), Rgb(160, 134, 96), Rgb(226, 196, 140), Rgb(190, 160, 104), Rgb(168, 150, 96), Rgb(96, 104, 52),
     Rgb(186, 112, 72), Rgb(150, 84, 56), Rgb(240, 230, 220), Rgb(50, 110, 120), Rgb(170, 214, 210), 0.08f, 99.0f,
     Vec3(0.3f, 0.5f, 0.8f), 0.5f},
    {"Overcast pines", Rgb(156, 166, 178), Rgb(220, 224, 230), 0.85f, 0.55f,
     Rgb(50, 58, 54), Rgb(96, 100, 86), Rgb(170, 164, 134), Rgb(76, 108, 64), Rgb(92, 120, 70), Rgb(26, 58, 40),
     Rgb(112, 114, 116), Rgb(88, 90, 94), Rgb(230, 234, 240), Rgb(48, 70, 80), Rgb(140, 160, 170), 0.65f, 99.0f,
     Vec3(0.1f, 0.2f, 0.97f), 0.65f},
    {"Dusk", Rgb(200, 146, 140), Rgb(255, 214, 200), 0.4f, 0.5f,
     Rgb(50, 46, 46), Rgb(100, 86, 78), Rgb(190, 156, 128), Rgb(86, 110, 56), Rgb(112, 120, 62), Rgb(40, 64, 36),
     Rgb(124, 104, 104), Rgb(96, 80, 84), Rgb(246, 220, 214), Rgb(70, 60, 90), Rgb(220, 160, 150), 0.4f, 99.0f,
     Vec3(-0.85f, 0.3f, 0.35f), 0.4f},
    {"Alpine pass", Rgb(190, 214, 240), Rgb(255, 255, 255), 0.3f, 0.5f,
     Rgb(56, 70, 70), Rgb(110, 118, 106), Rgb(180, 176, 160), Rgb(86, 136, 66), Rgb(110, 150, 76), Rgb(30, 70, 44),
     Rgb(122, 122, 126), Rgb(92, 94, 100), Rgb(246, 248, 252), Rgb(40, 96, 130), Rgb(170, 210, 235), 0.45f, 5.2f,
     Vec3(0.5f, -0.2f, 0.85f), 0.45f},
    {"Winter valley", Rgb(214, 220, 230), Rgb(250, 250, 255), 0.7f, 0.5f,
     Rgb(50, 60, 70), Rgb(100, 110, 116), Rgb(200, 204, 210), Rgb(226, 230, 236), Rgb(206, 214, 222), Rgb(40, 66, 56),
     Rgb(120, 122, 130), Rgb(94, 96, 104), Rgb(250, 252, 255), Rgb(60, 84, 100), Rgb(190, 210, 225), 0.35f, 1.55f,
     Vec3(0.4f, 0.5f, 0.75f), 0.6f},
    {"Sunset canyon", Rgb(222, 132, 96), Rgb(255, 200, 160), 0.3f, 0.55f,
     Rgb(70, 46, 36), Rgb(130, 90, 66), Rgb(220, 160, 110), Rgb(150, 120, 70), Rgb(170, 128, 76), Rgb(76, 72, 38),
     Rgb(176, 86, 54), Rgb(130, 60, 44), Rgb(250, 220, 200), Rgb(80, 60, 70), Rgb(240, 150, 110), 0.12f, 99.0f,
     Vec3(-0.9f, -0.2f, 0.3f), 0.4f},
    {"Moonlight", Rgb(58, 68, 104), Rgb(150, 160, 200), 0.4f, 0.35f,
     Rgb(22, 28, 40), Rgb(44, 52, 66), Rgb(92, 96, 112), Rgb(44, 66, 64), Rgb(54, 74, 72), Rgb(20, 38, 40),
     Rgb(74, 78, 94), Rgb(56, 60, 76), Rgb(170, 180, 210), Rgb(24, 36, 64), Rgb(90, 110, 160), 0.45f, 6.0f,
     Vec3(0.3f, 0.6f, 0.7f), 0.55f},
};

TerrainShape ShapeFor(int level)
{
    const float t = (level - 1) / static_cast<float>(kLevelCount - 1);   // 0 first .. 1 last
    TerrainShape s;
    s.seed = 1000u + static_cast<uint32_t>(level) * 31u;
    s.riverHalfWidth = Lerp(4.6f, 3.6f, t);
    s.riverDepth = 0.8f;
    s.bankWidth = Lerp(1.6f, 1.0f, t);
    s.plainWidth = Lerp(7.0f, 3.2f, t);
    s.hillSlope = Lerp(0.7f, 1.2f, t);
    s.hillHeight = Lerp(5.5f, 7.5f, t);
    s.meanderAmp = Lerp(6.0f, 9.0f, t);
    s.meanderLength = Lerp(320.0f, 215.0f, t);
    s.roughness = Lerp(0.8f, 1.3f, t);
    if (level == 4 || level == 9) {   // canyons: steep walls
        s.hillSlope *= 1.8f;
        s.plainWidth *= 0.8f;
    }
    return s;
}

// The colour of the ground at (x, y), shading baked in: h is the height there, hx and hy the
// height differences across 2 × e in x and in y around it.
Color GroundColor(const LevelTerrain& terrain, const LevelStyle& st, float x, float y, float h, float hx, float hy, float e)
{
    const uint32_t seed = terrain.Shape().seed;
    Vec3 n(-hx / (2 * e), -hy / (2 * e), 1.0f);
    n.Normalize();
    const float slope = 1.0f - n.z;   // 0 flat .. 1 vertical
    Vec3 sun = st.sun;
    sun.Normalize();
    const float light = 0.92f * (st.ambient + (1.0f - st.ambient) * std::max(0.0f, n.Dot(sun)) / std::max(0.3f, sun.z));

    const float fine = FractalNoise(seed + 5u, x * 1.3f, y * 1.3f, 3);
    const float patch = FractalNoise(seed + 9u, x * 0.12f, y * 0.12f, 4);
    Color c;
    if (h < kWater - 0.02f) {
        const float depth = Clamp01((kWater - h) / 0.8f);
        c = Mix(st.bedShallow, st.bedDeep, depth);
        c = Mix(c, c * 0.85f, fine);
    } else if (h < kWater + 0.3f + (fine - 0.5f) * 0.1f) {
        const float wet = Clamp01((kWater + 0.08f - h) / 0.12f);
        c = Mix(st.sand, st.sand * 0.72f, wet * 0.7f);
        c = Mix(c, c * 0.88f, fine);
    } else {
        c = Mix(st.grass, st.grass2, patch);
        c = Mix(c, c * 0.82f, fine * 0.7f);
        // Fields on the flat land by the river: rectangles of their own tint.
        if (h < kWater + 1.0f && slope < 0.1f) {
            const int cx = static_cast<int>(std::floor(x / 3.2f)), cy = static_cast<int>(std::floor(y / 7.0f + cx * 0.31f));
            const float pick = HashNoise(seed + 61u, cx, cy);
            if (pick < 0.45f) {
                const Color tint = pick < 0.15f ? Mix(st.sand, st.grass2, 0.5f) : (pick < 0.3f ? st.grass2 * 1.12f : Mix(st.grass, st.forest, 0.3f));
                c = Mix(c, tint, 0.55f);
            }
        }
        // Forest in clumps on the plain and up the hills; each crown a speck.
        const float forestMask = FractalNoise(seed + 21u, x * 0.09f, y * 0.09f, 3);
        const float treeLine = std::min(st.snowLine - 0.3f, kWater + 6.0f);
        if (forestMask > 1.0f - st.forest01 && slope < 0.5f && h < treeLine) {
            const float crown = FractalNoise(seed + 33u, x * 3.2f, y * 3.2f, 2);
            Color f = Mix(st.forest * 0.8f, st.forest * 1.35f, crown);
            const float edge = SmoothStep(1.0f - st.forest01, 1.0f - st.forest01 + 0.06f, forestMask);
            c = Mix(c, f, edge);
        }
        // Rock where the ground is steep or high above the plain.
        const float above = h - (kWater + 1.0f);
        const float rocky = SmoothStep(0.12f, 0.3f, slope + (fine - 0.5f) * 0.15f) * SmoothStep(0.6f, 2.0f, above) +
                            SmoothStep(3.5f, 6.0f, above + (patch - 0.5f) * 2.0f);
        if (rocky > 0.0f)
            c = Mix(c, Mix(st.rock, st.rock2, FractalNoise(seed + 44u, x * 0.7f, y * 0.2f, 3)), Clamp01(rocky));
        // Snow above the snow line, thinner on steep rock.
        const float snow = SmoothStep(st.snowLine, st.snowLine + 0.6f, h + (patch - 0.5f) * 0.8f) * (1.0f - SmoothStep(0.45f, 0.7f, slope));
        if (snow > 0.0f)
            c = Mix(c, st.snow, snow);
    }
    return Color(c.r * light, c.g * light, c.b * light);
}

// Band by band: the heights of the band's texels and of a ring of texels around it first (the
// slope is read from the neighbours), then the colours.
Image MainTexture(const LevelTerrain& terrain, const LevelStyle& st)
{
    const int S = kMainTexSide, N = kHeightSide, q = kStrips;
    const int perBand = S / kLines;                                 // texel columns of one band
    const float texel = static_cast<float>(N) / S * kSampleDist;   // a texel's side on the ground
    const int W = perBand + 2;
    std::vector<float> heights(static_cast<size_t>(S + 2) * static_cast<size_t>(W));
    auto groundX = [&](int b, int tx) {
        const float g = (tx + 0.5f) / S * N;   // image column
        return (g - b * q - q / 2) * kSampleDist;
    };
    auto groundY = [&](int b, int ty) {
        const float r = (ty + 0.5f) / S * N;   // row within the band
        return (b * (N - 1) + r) * kSampleDist;
    };
    Image img(S, S, 3);
    for (int b = 0; b < kLines; ++b) {
        for (int ty = -1; ty <= S; ++ty) {
            const LevelTerrain::Across across = terrain.At(groundY(b, ty));
            float* row = &heights[static_cast<size_t>(ty + 1) * static_cast<size_t>(W)];
            for (int c = -1; c <= perBand; ++c)
                row[c + 1] = terrain.Height(groundX(b, b * perBand + c), across);
        }
        for (int ty = 0; ty < S; ++ty) {
            const float y = groundY(b, ty);
            for (int c = 0; c < perBand; ++c) {
                const float* at = &heights[static_cast<size_t>(ty + 1) * static_cast<size_t>(W) + static_cast<size_t>(c + 1)];
                const int tx = b * perBand + c;
                img.Set(tx, ty, GroundColor(terrain, st, groundX(b, tx), y, at[0], at[1] - at[-1], at[W] - at[-W], texel));
            }
        }
    }
    return img;
}

Image DetailTexture(uint32_t seed)
{
    const int S = 256;
    Image img(S, S, 3);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const float a = FractalNoise(seed, x / 16.0f, y / 16.0f, 4, 16);
            const float b = HashNoise(seed + 3u, x, y);
            const float v = 0.5f + (a - 0.5f) * 0.35f + (b - 0.5f) * 0.08f;
            img.Set(x, y, Color(v, v, v));
        }
    return img;
}

Image WaterTexture(uint32_t seed, const LevelStyle& st)
{
    const int S = 256;
    Image img(S, S, 3);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const float a = FractalNoise(seed, x / 32.0f, y / 16.0f, 4, 8);
            const float ripple = 0.5f + 0.5f * std::sin((y / 256.0f) * 6.2831853f * 12.0f + a * 9.0f);
            const float glint = SmoothStep(0.82f, 0.97f, ripple * a * 1.6f);
            Color c = Mix(st.water, st.water * 1.25f, a);
            c = Mix(c, st.waterLight, glint * 0.8f + ripple * 0.08f);
            img.Set(x, y, c);
        }
    return img;
}

Image CloudPicture(uint32_t seed, float cover)
{
    const int S = 256;
    Image img(S, S, 1);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const float n = FractalNoise(seed, x / 32.0f, y / 32.0f, 5, 8);
            const float v = SmoothStep(0.62f - cover * 0.3f, 0.8f - cover * 0.2f, n);
            img.Set(x, y, Color(v, v, v));
        }
    return img;
}

Image NoisePicture(uint32_t seed)
{
    const int S = 256;
    Image img(S, S, 1);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const float v = 0.3f + 0.4f * FractalNoise(seed, x / 16.0f, y / 16.0f, 4, 16);
            img.Set(x, y, Color(v, v, v));
        }
    return img;
}

// Half sphere a little below the horizon, inner faces, texture coordinates from x and y so the
// cloud pictures tile three times across the sky.
std::string DomeMesh()
{
    const int seg = 24, rings = 8;
    std::string out = "# sky dome, made by gw-forge\ng dome\n";
    char line[128];
    for (int r = 0; r <= rings; ++r) {
        const float ph = (r / static_cast<float>(rings)) * 1.6f - 0.1f;   // from -0.1 up to 1.5 radians
        const float z = std::sin(ph), k = std::cos(ph);
        for (int s = 0; s <= seg; ++s) {
            const float th = 6.2831853f * s / seg;
            std::snprintf(line, sizeof line, "v %.5f %.5f %.5f\n", k * std::cos(th), k * std::sin(th), z);
            out += line;
        }
    }
    for (int r = 0; r <= rings; ++r) {
        const float ph = (r / static_cast<float>(rings)) * 1.6f - 0.1f;
        const float k = std::cos(ph);
        for (int s = 0; s <= seg; ++s) {
            const float th = 6.2831853f * s / seg;
            std::snprintf(line, sizeof line, "vt %.5f %.5f\n", (k * std::cos(th) * 0.5f + 0.5f) * 3.0f,
                          (k * std::sin(th) * 0.5f + 0.5f) * 3.0f);
            out += line;
        }
    }
    for (int r = 0; r <= rings; ++r) {
        const float ph = (r / static_cast<float>(rings)) * 1.6f - 0.1f;
        for (int s = 0; s <= seg; ++s) {
            const float th = 6.2831853f * s / seg;
            std::snprintf(line, sizeof line, "vn %.4f %.4f %.4f\n", -std::cos(ph) * std::cos(th), -std::cos(ph) * std::sin(th), -std::sin(ph));
            out += line;
        }
    }
    auto idx = [seg](int r, int s) { return r * (seg + 1) + s + 1; };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < seg; ++s) {
            const int a = idx(r, s), b = idx(r, s + 1), c = idx(r + 1, s + 1), d = idx(r + 1, s);
            // Wound to face inwards.
            std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, c, c, c, b, b, b);
            out += line;
            std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, d, d, d, c, c, c);
            out += line;
        }
    return out;
}

int Byte255(float v) { return static_cast<int>(std::lround(Clamp01(v) * 255.0f)); }

// One level of a set: its style (palette, light, sky), landscape and enemies. difficulty is the
// base level whose enemy counts and weapons it takes; enemySeed the placement's draws (0: the
// base set's own for that level).
struct LevelRecipe {
    LevelStyle style;
    TerrainShape shape;
    int difficulty = 1;
    uint64_t enemySeed = 0;
    std::string title;
};

void ForgeLevel(ForgeFiles& files, int level, const LevelRecipe& recipe)
{
    const LevelStyle& st = recipe.style;
    const LevelTerrain terrain(recipe.shape);
    char dirBuf[32];
    std::snprintf(dirBuf, sizeof dirBuf, "levels/level%02d/", level);
    const std::string dir = dirBuf;
    const uint32_t seed = terrain.Shape().seed;
    const auto L = ForgeFiles::Pack::Levels;

    files.Add(L, dir + "height.raw", terrain.FoldedHeights());
    files.Add(L, dir + "main.jpg", WriteJpeg(MainTexture(terrain, st), 3, 88));
    files.Add(L, dir + "detail.jpg", WriteJpeg(DetailTexture(seed + 1u), 3, 90));
    files.Add(L, dir + "water.jpg", WriteJpeg(WaterTexture(seed + 2u, st), 3, 90));
    files.Add(L, dir + "clouds.jpg", WriteJpeg(CloudPicture(seed + 3u, st.cloudCover), 1, 90));
    files.Add(L, dir + "noise.jpg", WriteJpeg(NoisePicture(seed + 4u), 1, 90));
    files.AddText(L, dir + "dome.obj", DomeMesh());

    ParamText t;
    t.Comment(std::string("Level ") + std::to_string(level) + ": " + recipe.title);
    AddTerrainKeys(t, dir);
    t.SetFloat("plane_pos_z", kFlyHeight);
    t.SetVec("m_fog_color", st.fog.r, st.fog.g, st.fog.b);
    t.SetInt("m_fog_type", 2);
    t.SetFloat("h_water", kWater);
    t.SetFloat("water_size", 60);
    t.SetFloat("k_water_tex", 10);
    t.SetFloat("water_transparency", 0.72);
    t.SetFloat("water_speed_y", -0.004);
    t.Set("water_tex", dir + "water.jpg");
    files.Add(L, dir + "terra.ter", t.Bytes(), true);

    ParamText c;
    c.Comment("Sky dome, cloud layers and the clear colour; the sky matches the fog colour");
    c.Set("faces_file_name", dir + "dome.obj");
    c.Set("clouds_file_name", dir + "clouds.jpg");
    c.Set("clouds_noise_file_name", dir + "noise.jpg");
    c.SetInt("show_normales", 0);
    c.SetFloat("m_intensity", st.intensity);
    c.SetVec4("m_clouds_delta", 1, 0.35, 0, 0.00004);
    c.SetVec4("m_clouds_noise_delta", -0.4, 1, 0, 0.00007);
    c.SetInt("m_clouds_red", Byte255(st.clouds.r));
    c.SetInt("m_clouds_green", Byte255(st.clouds.g));
    c.SetInt("m_clouds_blue", Byte255(st.clouds.b));
    c.SetFloat("m_sky_red", Byte255(st.fog.r));
    c.SetFloat("m_sky_green", Byte255(st.fog.g));
    c.SetFloat("m_sky_blue", Byte255(st.fog.b));
    files.Add(L, dir + "clouds.cld", c.Bytes(), true);

    files.Add(L, dir + "enemies.ter", EnemiesFile(terrain, recipe.difficulty, recipe.enemySeed).Bytes(), true);
}

LevelRecipe BaseRecipe(int level)
{
    LevelRecipe r;
    r.style = kStyles[level - 1];
    r.shape = ShapeFor(level);
    r.difficulty = level;
    r.title = kStyles[level - 1].title;
    return r;
}

// Seeded sets: every draw of a set comes from its seed, so the same seed makes the same bytes.
uint64_t Mix64(uint64_t a, uint64_t b)
{
    ForgeRandom r(a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull));
    return r.Next64();
}

Color Tinted(const Color& c, float warm, float bright)
{
    return Color(Clamp01((c.r + warm * 0.06f) * bright), Clamp01(c.g * bright), Clamp01((c.b - warm * 0.06f) * bright), c.a);
}

const char* const kValleyWords[] = {"Misty", "Red", "Silent", "Broken", "Golden", "Cold", "Hidden", "Long",
                                    "Black", "Windy", "Amber", "Grey", "Lost", "High", "Iron", "Green"};
const char* const kValleyNouns[] = {"Gorge", "River", "Canyon", "Valley", "Pass", "Falls", "Rapids", "Bend",
                                    "Narrows", "Fjord", "Reach", "Ford"};

// A level of a seeded set: the palette of one base level blended towards another with its own
// tint and sun, the base landscape of its difficulty with its own course, slopes and roughness,
// and its own enemy placement.
LevelRecipe SeededRecipe(uint64_t setSeed, int level, int levels)
{
    ForgeRandom rng(Mix64(setSeed, static_cast<uint64_t>(level)));
    LevelRecipe r;
    r.difficulty = levels <= 1 ? 1 : 1 + static_cast<int>(std::lround((level - 1) * (kLevelCount - 1) / float(levels - 1)));
    const LevelStyle& a = kStyles[rng.Int(kLevelCount)];
    const LevelStyle& b = kStyles[rng.Int(kLevelCount)];
    const float blend = rng.Range(0.0f, 0.45f), warm = rng.Range(-1.0f, 1.0f), bright = rng.Range(0.9f, 1.08f);
    LevelStyle st = a;
    auto mix = [&](Color LevelStyle::*c) { st.*c = Tinted(Mix(a.*c, b.*c, blend), warm, bright); };
    for (Color LevelStyle::*c : {&LevelStyle::fog, &LevelStyle::clouds, &LevelStyle::bedDeep, &LevelStyle::bedShallow,
                                 &LevelStyle::sand, &LevelStyle::grass, &LevelStyle::grass2, &LevelStyle::forest,
                                 &LevelStyle::rock, &LevelStyle::rock2, &LevelStyle::snow, &LevelStyle::water,
                                 &LevelStyle::waterLight})
        mix(c);
    st.cloudCover = Clamp01(Lerp(a.cloudCover, b.cloudCover, blend) + rng.Range(-0.1f, 0.1f));
    st.intensity = Lerp(a.intensity, b.intensity, blend);
    st.forest01 = Clamp01(Lerp(a.forest01, b.forest01, blend) + rng.Range(-0.1f, 0.1f));
    st.snowLine = rng.Chance(0.25f) ? rng.Range(4.5f, 6.5f) : a.snowLine;
    st.sun = Vec3(rng.Range(-0.9f, 0.9f), rng.Range(-0.6f, 0.6f), rng.Range(0.3f, 0.95f));
    st.ambient = rng.Range(0.4f, 0.6f);
    r.style = st;

    TerrainShape s = ShapeFor(r.difficulty);
    s.seed = static_cast<uint32_t>(Mix64(setSeed, 1000u + static_cast<uint64_t>(level)) & 0x7FFFFFFFu) | 1u;
    s.riverHalfWidth *= rng.Range(0.92f, 1.08f);
    s.meanderAmp *= rng.Range(0.7f, 1.25f);
    s.meanderLength *= rng.Range(0.8f, 1.25f);
    s.hillSlope *= rng.Chance(0.2f) ? rng.Range(1.4f, 1.8f) : rng.Range(0.8f, 1.2f);
    s.hillHeight *= rng.Range(0.85f, 1.15f);
    s.plainWidth *= rng.Range(0.85f, 1.15f);
    s.roughness *= rng.Range(0.8f, 1.2f);
    r.shape = s;
    r.enemySeed = Mix64(setSeed, 5000u + static_cast<uint64_t>(level)) | 1u;
    r.title = std::string(kValleyWords[rng.Int(16)]) + " " + kValleyNouns[rng.Int(12)];
    return r;
}

} // namespace

void AddTerrainKeys(ParamText& t, const std::string& dir)
{
    t.SetFloat("k_scale", 1);
    t.Set("raw_name", dir + "height.raw");
    t.SetInt("lines", kLines);
    t.SetFloat("h_dist", kSampleDist);
    t.SetFloat("h_max", kHeightMax);
    t.SetFloat("k_detail_tex", 40);
    t.Set("main_tex", dir + "main.jpg");
    t.Set("detail_tex", dir + "detail.jpg");
}

const char* LevelTitle(int level)
{
    return level >= 1 && level <= kLevelCount ? kStyles[level - 1].title : "";
}

void ForgeLevels(ForgeFiles& files)
{
    ParamText p;
    p.Comment("Gorgewing II base level set");
    p.SetInt("levels_count", kLevelCount);
    for (int i = 1; i <= kLevelCount; ++i)
        p.Set("level_name" + std::to_string(i), kStyles[i - 1].title);
    files.Add(ForgeFiles::Pack::Levels, "levels/levels.txt", p.Bytes(), true);
    for (int i = 1; i <= kLevelCount; ++i)
        ForgeLevel(files, i, BaseRecipe(i));
}

void ForgeValleySet(ForgeFiles& files, uint64_t seed, const std::string& title, int levels)
{
    levels = std::clamp(levels, 1, kMaxValleyLevels);
    std::vector<LevelRecipe> recipes;
    for (int i = 1; i <= levels; ++i)
        recipes.push_back(SeededRecipe(seed, i, levels));
    ParamText p;
    p.Comment("Gorgewing II level set made by gw-forge valleys --seed " + std::to_string(seed));
    p.Set("set_title", title);
    p.SetInt("levels_count", levels);
    p.Set("set_seed", std::to_string(seed));
    for (int i = 1; i <= levels; ++i)
        p.Set("level_name" + std::to_string(i), recipes[static_cast<size_t>(i - 1)].title);
    files.Add(ForgeFiles::Pack::Levels, "levels/levels.txt", p.Bytes(), true);
    // The levels are independent of each other: made side by side on the machine's cores, each
    // into its own collection, then gathered in level order.
    std::vector<ForgeFiles> parts(static_cast<size_t>(levels));
    std::atomic<int> next{0};
    auto work = [&] {
        for (int i; (i = next.fetch_add(1)) < levels;)
            ForgeLevel(parts[static_cast<size_t>(i)], i + 1, recipes[static_cast<size_t>(i)]);
    };
    const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), static_cast<unsigned>(levels)));
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < cores; ++t)
        threads.emplace_back(work);
    work();
    for (std::thread& t : threads)
        t.join();
    for (const ForgeFiles& part : parts)
        for (const auto& [name, file] : part.Files(ForgeFiles::Pack::Levels))
            files.Add(ForgeFiles::Pack::Levels, name, file.bytes, file.encipher);
}

TerrainShape LevelShape(int level) { return ShapeFor(level); }

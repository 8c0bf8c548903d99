// ForgeContent: the content modules of the forge, each adding its files to the collection.
//
// gw-forge's main calls every module in this order; tests call single modules. Each module is
// deterministic: it draws only from its own fixed seeds, so the same build makes the same bytes.
// The world scale every module agrees on is in ForgeScale below.
#pragma once

#include "ForgeFiles.h"
#include "core/Image.h"

#include <cstdint>
#include <string>

// The numbers that tie the levels, the aircraft and the tuning together (world units).
namespace ForgeScale {
constexpr int kHeightSide = 512;        // side N of a level's height image
constexpr int kLines = 8;               // bands folded into the image
constexpr int kStrips = kHeightSide / kLines;   // q: samples across the valley
constexpr float kValleyWidth = 45.0f;   // q × h_dist
constexpr float kSampleDist = kValleyWidth / kStrips;   // h_dist
constexpr float kHeightMax = 10.0f;     // h_max: height of sample 255
constexpr float kWater = 1.0f;          // h_water
constexpr float kFlyHeight = 3.0f;      // plane_pos_z
constexpr int kMainTexSide = 1024;      // main texture, laid out like the height image
constexpr int kLevelCount = 10;
// The aircraft's normal forward speeds (F-22, F/A-18, AH-64), world units per game time unit, and
// the game time of one update (16.67 ms at the game's time scale of 0.13).
constexpr float kNormalSpeed[3] = {0.19f, 0.18f, 0.15f};
constexpr float kUpdateTime = 16.666666f * 0.13f;
} // namespace ForgeScale

// "dat/game.txt" and the three aircraft parameter files.
void ForgeTuning(ForgeFiles& files);
// "levels/levels.txt" and every "levels/levelNN/" folder of the base set.
void ForgeLevels(ForgeFiles& files);
// A level set of its own from a seed (gw-forge valleys): levels levels (1..kMaxValleyLevels) with
// the base set's files and tuning rules — palettes, terrain, enemies, fuel spacing and the rise
// of difficulty from the first level to the last — each drawn from the seed; "levels/levels.txt"
// carries "set_title". The same seed and count make the same bytes.
constexpr int kMaxValleyLevels = 60;
void ForgeValleySet(ForgeFiles& files, uint64_t seed, const std::string& title, int levels);
// The three aircraft models, their textures, shadows and begin-level previews.
void ForgeAircraft(ForgeFiles& files);
// Missile, torpedo and flak-shell models.
void ForgeWeapons(ForgeFiles& files);
// Enemy units, buildings, barrels and the fuel depot, with shadows.
void ForgeUnits(ForgeFiles& files);
// The ten particle descriptions and their four strip textures.
void ForgeParticles(ForgeFiles& files);
// HUD bars and the level-complete tally icons.
void ForgeHud(ForgeFiles& files);

// The desktop icon of the game at size x size pixels (RGBA, rows bottom-up); not part of a pack.
Image ForgeIcon(int size);

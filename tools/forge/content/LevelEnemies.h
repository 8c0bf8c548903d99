// LevelEnemies: where the enemies, targets and fuel depots of a level stand, and the level's
// "enemies.ter" that lists them.
//
// Placement follows the landscape: boats on the river's middle where it is deep, fuel depots over
// the river at the flying height, missile sites, buildings and barrels on the flood plain beside
// the river, sites with flak on the valley side where their turrets stand just under the flying
// height (the game's own terrain, read from the forged height image, finds the spot), aircraft
// over the valley. Positions are written in level units with y measured from half
// the valley width (the game adds it back). Counts, weapons and speeds grow with the level number;
// fuel depots thin out.
#pragma once

#include "content/LevelTerrain.h"
#include "writers/ParamText.h"

#include <cstdint>
#include <string>
#include <vector>

struct EnemyPlacement {
    std::string name;    // class name as the game reads it: "EnemyPlane1", "Fuel", ...
    int kind = 0;
    float x = 0, y = 0, z = 0;   // world position (y from the level's start)
    float speed = 0;
    float dx = 0, dy = 0, dz = 0;
    float heading = 0;
    int isFlying = 1, shoot = 0, shootStatus = 0, firePoints = 1, floatingUp = 0;
    float rocketRange = 0, flakRange = 0;
};

// level: the difficulty, 1 (gentle) to the base set's last level; seed: the placement's draws
// (the base set's own when 0).
std::vector<EnemyPlacement> PlaceEnemies(const LevelTerrain& terrain, int level, uint64_t seed = 0);
ParamText EnemiesFile(const LevelTerrain& terrain, int level, uint64_t seed = 0);

// Used by tests and the level module.
TerrainShape LevelShape(int level);
const char* LevelTitle(int level);
// The keys of a level's "terra.ter" that make its terrain (scale, height image and its spacing
// and height, textures), for the level in folder dir ("levels/levelNN/").
void AddTerrainKeys(ParamText& terra, const std::string& dir);

// GameData: the one process-wide game record — tuning values, models and textures, controls,
// the chosen level set and the score state of the running game.
//
// Created on first use (Get) and destroyed at shut-down (Destroy). The main menu fills it once,
// in two steps: when it is built, LoadGameFile() reads "dat/game.txt", the ten particle
// descriptions and the three aircraft files (no GL needed); once the menu is on screen, or
// before a control of it is used, LoadModels() loads every model and texture of the game into
// the resource bank "main" (a GL context must be current). The menu's controls come and go
// through LoadControls/StoreControls (game/GameControls.h). Choosing a level set is
// SelectLevelSet(). Every subsystem of the game reads the fields directly.
//
// Failures never stop the game: a missing "dat/game.txt" leaves every key at 0 (the file's
// default), a missing model or texture leaves its handle pointing at an empty bank entry (drawn
// untextured or not at all), a level set that cannot be mounted leaves the group reading from
// disk. Each failure is a log line.
#pragma once

#include "game/ScoreTable.h"
#include "resources/ParamFile.h"

#include <cstdint>
#include <memory>
#include <string>

class CEntity3DS;
class CResourceBank;
class CTexture;
class CUnit;
class ResourceGroup;

// The particle descriptions in the order the battle effects index them.
enum EParticle {
    kParticleMissile = 0,
    kParticleMissileEnemy,
    kParticlePlane,
    kParticleFlak,
    kParticleFireSrc,
    kParticleExplode,
    kParticleExplodeSm,
    kParticleEWater,
    kParticleFireBoat,
    kParticleWaterTail,
    kParticleCount
};

class GameData {
public:
    static constexpr int kAircraftCount = 3;
    static constexpr int kKillCounters = 10;
    static constexpr int kMaxPlanes = 4, kMaxHelicops = 2, kMaxBoats = 4, kMaxBarrels = 3, kMaxBuildings = 6,
                         kMaxAads = 2;

    // The files LoadGameFile reads.
    static const char* const kGameFile;                       // "dat/game.txt"
    static const char* const kParticleFiles[kParticleCount];  // "dat/particles/p_missile.txt", ...
    static const char* const kAircraftFiles[kAircraftCount];  // "dat/f22/f22_1.txt", ...
    static const char* const kDefaultLevelsPack;              // "levels/base.set"
    static const char* const kLevelListFile;                  // "levels/levels.txt"

    // The process-wide record: created on first call.
    static GameData& Get();
    static void Destroy();

    // Construction sets the defaults and mounts the group "levels_pack" (with the level-set key)
    // on the default set. Tests build their own records.
    GameData();
    ~GameData();
    GameData(const GameData&) = delete;
    GameData& operator=(const GameData&) = delete;

    // Step one of the menu's first build: "dat/game.txt" through the group "main" (every key
    // defaulting to "0"), the ten particle descriptions and the three aircraft files. False when
    // "dat/game.txt" could not be read (every key is then 0).
    bool LoadGameFile();
    // The same from a given group (tests, tools).
    bool LoadGameFile(const ResourceGroup& group);
    // The keys of "dat/game.txt" from a parsed file.
    void ReadGameKeys(const ParamFile& file);

    // Step two: every model and texture of the game through the bank (the bank "main" when
    // null). Needs a current GL context. Returns the number of files that did not load.
    int LoadModels(CResourceBank* bank = nullptr);

    // Mounts the level set's pack in "levels_pack", keeps its name, reads "levels/levels.txt"
    // from that group and sets levelsCount from "levels_count" (0 when missing). False when the
    // pack could not be mounted (the group then reads from disk and the name is still kept).
    bool SelectLevelSet(const std::string& packPath);

    // Score state: clears the ten counters (both totals stay).
    void ClearKillCounts();

    // Takes the next effect id: the process-wide counter that grows by 20 for every enemy and
    // missile; the new value is the id.
    static uint64_t TakeEffectId();
    static void ResetEffectIds();  // tests

    // --- the record ------------------------------------------------------------------------
    float timeScale = 0.13f;
    std::string m_levels_pack_name;
    CScoreTable scoreTables[2];  // 0 normal games ("data/scores1.tab"), 1 custom games
    int32_t customGame = 0;
    std::string m_lc;
    int32_t levelsCount = 2;
    int32_t m_custom_level_num = 1;

    // Controls (DirectInput scan codes and joystick button indices).
    int32_t m_down_key = 208;
    int32_t m_left_key = 203;
    int32_t m_right_key = 205;
    int32_t m_up_key = 200;
    int32_t m_fire_primary_key = 29;
    int32_t m_fire_secondary_key = 57;
    int32_t m_maneuver_key = 42;
    int32_t m_camera_key = 46;
    int32_t m_fire_primary_joy = 0;
    int32_t m_fire_secondary_joy = 2;
    int32_t m_maneuver_joy = 1;
    float m_mouseSens = 1.5f;
    int32_t m_camera_pos = 7;
    // The main menu flies a demonstration after standing idle (the Options check box).
    int32_t m_attract_mode = 1;

    // Score state.
    int32_t killCounts[kKillCounters] = {};
    int32_t scoreGame = 0;
    int32_t scoreLevel = 0;
    int32_t m_score_per_lives = 5000;
    int32_t m_score_plane = 80;
    int32_t m_score_helic = 80;
    int32_t m_score_boat = 50;
    int32_t m_score_aad = 100;
    int32_t m_score_building = 90;
    int32_t m_score_barrels = 50;

    float m_sound_barrier = 30.0f;

    // Models of the three aircraft and their shadows.
    CEntity3DS* m_air_planes[kAircraftCount] = {};
    CTexture* m_air_plane_shadows[kAircraftCount] = {};
    ParamFile m_aircraft_params[kAircraftCount];

    // Enemy model variants.
    int32_t m_planes_count = 4, m_helicops_count = 2, m_boats_count = 4, m_barrels_count = 3, m_buildings_count = 6,
            m_aads_count = 2;
    CUnit* m_e_planes[kMaxPlanes] = {};
    CTexture* m_e_plane_shadows[kMaxPlanes] = {};
    CUnit* m_e_helicops[kMaxHelicops] = {};
    CTexture* m_e_helicop_shadows[kMaxHelicops] = {};
    CUnit* m_e_boats[kMaxBoats] = {};
    CUnit* m_e_aads[kMaxAads] = {};
    CUnit* m_e_barrels[kMaxBarrels] = {};
    CUnit* m_e_buildings[kMaxBuildings] = {};
    CUnit* m_fuel = nullptr;

    // Weapons, particle strips, head-up display and level-screen pictures.
    CEntity3DS* m_missile = nullptr;
    CEntity3DS* m_torpedo = nullptr;
    CEntity3DS* m_flak = nullptr;
    CTexture* m_smoke1 = nullptr;
    CTexture* m_fire1 = nullptr;
    CTexture* m_flak1 = nullptr;
    CTexture* m_splashes1 = nullptr;
    CTexture* m_fuel_indicator = nullptr;
    CTexture* m_hull_indicator = nullptr;
    CTexture* m_fuel_indicator_bg = nullptr;
    CTexture* m_cl_boat = nullptr;
    CTexture* m_cl_ground = nullptr;
    CTexture* m_cl_helic = nullptr;
    CTexture* m_cl_plane = nullptr;
    CTexture* m_plane_prev[kAircraftCount] = {};

    // The current level's cloud pictures, handed over by the level on every load.
    CTexture* m_clouds_texture = nullptr;
    CTexture* m_clouds_noise_texture = nullptr;

    float m_boat_subexplods_time = 500.0f;
    float m_plane_pos_y = 0.0f;

    // Per-aircraft tuning: column 0 F-22, 1 F/A-18, 2 AH-64.
    float m_plane_angle_max_side[kAircraftCount] = {};
    float m_plane_speed_max_forward[kAircraftCount] = {};
    float m_plane_speed_normal_forward[kAircraftCount] = {};
    float m_plane_speed_min_forward[kAircraftCount] = {};
    float m_plane_k_acceleration[kAircraftCount] = {};
    float m_plane_k_deceleration[kAircraftCount] = {};
    float m_plane_k_speed_down[kAircraftCount] = {};
    float m_plane_k_side_rotate[kAircraftCount] = {};
    float m_plane_k_side_rotate_back[kAircraftCount] = {};
    float m_plane_k_side_speed[kAircraftCount] = {};
    float m_maneuver_side_speed[kAircraftCount] = {};
    float m_maneuver_angle_speed[kAircraftCount] = {};
    float m_fuel_rate_normal[kAircraftCount] = {};
    float m_fuel_rate_hight[kAircraftCount] = {};

    float m_gravity = 0.0f;
    float m_gravity_boat = 2e-05f;
    float m_fuel_per_barrel = 0.0f;
    int32_t m_missle_smoke_time = 0;   // enemy missiles
    int32_t m_barrels_smoke_time = 0;  // burning barrels and fuel depots; always the same value
    float m_barrels_expl_speed = 0.4f;
    float m_barrels_expl_gravity = 1.0f;
    float m_boat_shoot_roket_pause = 0.0f;
    float m_boat_shoot_flak_pause = 0.0f;
    float m_helic_shoot_roket_pause = 100.0f;
    float m_missle_player_speed = 0.0f;
    float m_missle_helicop_speed = 0.0f;
    float m_aad_flak_missile_speed = 0.0f;
    float m_boat_flak_speed = 0.0f;
    float m_boat_missile_speed = 0.0f;
    float m_aad_missile_speed = 0.0f;
    float m_missile_aa_damage = 0.0f;
    float m_missile_al_damage = 0.0f;
    float m_flak_damage = 0.0f;

    // The particle descriptions as read; the effects turn them into particle prototypes.
    ParamFile m_particles[kParticleCount];

private:
    static std::unique_ptr<GameData> s_instance;
    static uint64_t s_effect_counter;
};

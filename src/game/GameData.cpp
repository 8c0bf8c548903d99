// GameData: construction defaults, the tuning file, the model table and the level-set switch.
#include "game/GameData.h"

#include "app/Log.h"
#include "render/Entity3DS.h"
#include "render/ResourceBank.h"
#include "render/Texture.h"
#include "render/Unit.h"
#include "resources/GameFolders.h"
#include "resources/ResourceGroup.h"

#include <cstdio>

const char* const GameData::kGameFile = "dat/game.txt";
const char* const GameData::kParticleFiles[kParticleCount] = {
    "dat/particles/p_missile.txt",  "dat/particles/p_missile_enemy.txt", "dat/particles/p_plane.txt",
    "dat/particles/p_flak.txt",     "dat/particles/p_fire_src.txt",      "dat/particles/p_explode.txt",
    "dat/particles/p_explode_sm.txt", "dat/particles/p_e_water.txt",     "dat/particles/p_fire_boat.txt",
    "dat/particles/p_water_tail.txt"};
const char* const GameData::kAircraftFiles[kAircraftCount] = {"dat/f22/f22_1.txt", "dat/f18/f18.txt",
                                                              "dat/ah64/ah64.txt"};
const char* const GameData::kDefaultLevelsPack = "levels/base.set";
const char* const GameData::kLevelListFile = "levels/levels.txt";

std::unique_ptr<GameData> GameData::s_instance;
uint64_t GameData::s_effect_counter = 0;

GameData& GameData::Get()
{
    if (!s_instance)
        s_instance = std::make_unique<GameData>();
    return *s_instance;
}

void GameData::Destroy() { s_instance.reset(); }

uint64_t GameData::TakeEffectId()
{
    s_effect_counter += 20;
    return s_effect_counter;
}

void GameData::ResetEffectIds() { s_effect_counter = 0; }

GameData::GameData() : m_levels_pack_name(kDefaultLevelsPack)
{
    ResourceGroup* levels = ResourceGroup::GetGroup(kLevelsGroup);
    if (!levels)
        levels = ResourceGroup::CreateGroup(kLevelsGroup);
    levels->SetKey(kLevelsPackKey);
    levels->MountPack(m_levels_pack_name);
}

GameData::~GameData() = default;

void GameData::ClearKillCounts()
{
    for (int32_t& k : killCounts)
        k = 0;
}

namespace {

// A row of three aircraft columns; a missing key gives zeros.
void ReadRow(const ParamFile& f, const char* key, float (&row)[GameData::kAircraftCount])
{
    for (float& v : row)
        v = 0.0f;
    ParamFile::ParseFloats(f.GetString(key, "0"), row, GameData::kAircraftCount);
}

}  // namespace

void GameData::ReadGameKeys(const ParamFile& f)
{
    m_lc = f.GetString("m_lc", "0");
    m_plane_pos_y = f.GetFloat("m_plane_pos_y", "0");
    ReadRow(f, "m_plane_angle_max_side", m_plane_angle_max_side);
    ReadRow(f, "m_plane_speed_max_forward", m_plane_speed_max_forward);
    ReadRow(f, "m_plane_speed_normal_forward", m_plane_speed_normal_forward);
    ReadRow(f, "m_plane_speed_min_forward", m_plane_speed_min_forward);
    ReadRow(f, "m_plane_k_acceleration", m_plane_k_acceleration);
    ReadRow(f, "m_plane_k_deceleration", m_plane_k_deceleration);
    ReadRow(f, "m_plane_k_speed_down", m_plane_k_speed_down);
    ReadRow(f, "m_plane_k_side_rotate", m_plane_k_side_rotate);
    ReadRow(f, "m_plane_k_side_rotate_back", m_plane_k_side_rotate_back);
    ReadRow(f, "m_plane_k_side_speed", m_plane_k_side_speed);
    ReadRow(f, "m_maneuver_side_speed", m_maneuver_side_speed);
    ReadRow(f, "m_maneuver_angle_speed", m_maneuver_angle_speed);
    ReadRow(f, "m_fuel_rate_normal", m_fuel_rate_normal);
    ReadRow(f, "m_fuel_rate_hight", m_fuel_rate_hight);
    m_gravity = f.GetFloat("m_gravity", "0");
    m_barrels_expl_speed = f.GetFloat("m_barrels_expl_speed", "0");
    m_barrels_expl_gravity = f.GetFloat("m_barrels_expl_gravity", "0");
    m_fuel_per_barrel = f.GetFloat("m_fuel_per_barrel", "0");
    m_boat_shoot_roket_pause = f.GetFloat("m_boat_shoot_roket_pause", "0");
    m_boat_shoot_flak_pause = f.GetFloat("m_boat_shoot_flak_pause", "0");
    m_helic_shoot_roket_pause = f.GetFloat("m_helic_shoot_roket_pause", "0");
    // One key feeds both smoke intervals.
    m_missle_smoke_time = f.GetInt("m_missle_smoke_time", "0");
    m_barrels_smoke_time = f.GetInt("m_missle_smoke_time", "0");
    m_score_plane = f.GetInt("m_score_plane", "0");
    m_score_helic = f.GetInt("m_score_helic", "0");
    m_score_boat = f.GetInt("m_score_boat", "0");
    m_score_aad = f.GetInt("m_score_aad", "0");
    m_score_building = f.GetInt("m_score_building", "0");
    m_score_barrels = f.GetInt("m_score_barrels", "0");
    m_score_per_lives = f.GetInt("m_score_per_lives", "0");
    m_boat_subexplods_time = f.GetFloat("m_boat_subexplods_time", "0");
    m_gravity_boat = f.GetFloat("m_gravity_boat", "0");
    m_missle_player_speed = f.GetFloat("m_missle_player_speed", "0");
    m_missle_helicop_speed = f.GetFloat("m_missle_helicop_speed", "0");
    m_aad_flak_missile_speed = f.GetFloat("m_aad_flak_missile_speed", "0");
    m_boat_flak_speed = f.GetFloat("m_boat_flak_speed", "0");
    m_boat_missile_speed = f.GetFloat("m_boat_missile_speed", "0");
    m_aad_missile_speed = f.GetFloat("m_aad_missile_speed", "0");
    m_sound_barrier = f.GetFloat("m_sound_barrier", "0");
    m_missile_aa_damage = f.GetFloat("m_missile_aa_damage", "0");
    m_missile_al_damage = f.GetFloat("m_missile_al_damage", "0");
    m_flak_damage = f.GetFloat("m_flak_damage", "0");
}

bool GameData::LoadGameFile()
{
    const ResourceGroup* main = ResourceGroup::GetGroup(kMainGroup);
    if (!main) {
        LogWrite("GameData: no resource group \"%s\"", kMainGroup);
        ReadGameKeys(ParamFile());
        return false;
    }
    return LoadGameFile(*main);
}

bool GameData::LoadGameFile(const ResourceGroup& group)
{
    ParamFile game;
    const bool ok = game.Read(group, kGameFile, true);
    if (!ok)
        LogWrite("GameData: cannot read %s, every tuning value is 0", kGameFile);
    ReadGameKeys(game);

    for (int i = 0; i < kParticleCount; ++i) {
        m_particles[i].Clear();
        if (!m_particles[i].Read(group, kParticleFiles[i], true))
            LogWrite("GameData: cannot read %s", kParticleFiles[i]);
    }
    for (int i = 0; i < kAircraftCount; ++i) {
        m_aircraft_params[i].Clear();
        if (!m_aircraft_params[i].Read(group, kAircraftFiles[i], true))
            LogWrite("GameData: cannot read %s", kAircraftFiles[i]);
    }
    return ok;
}

namespace {

// Loads through the bank and counts what failed; the bank keeps an entry either way.
struct ModelLoader {
    CResourceBank& bank;
    int failed = 0;

    CTexture* Texture(const std::string& file, const std::string& key, bool mipmaps)
    {
        CTexture* t = bank.AddTexture(file, key, false, mipmaps);
        if (!t || t->GLName() == 0) {
            LogWrite("GameData: texture %s did not load", file.c_str());
            ++failed;
        }
        return t;
    }
    CUnit* Unit(const std::string& file, const std::string& key)
    {
        CUnit* u = bank.AddUnit(file, key);
        if (!u || !u->Mesh()) {
            LogWrite("GameData: unit %s did not load", file.c_str());
            ++failed;
        }
        return u;
    }
    CEntity3DS* Model(const std::string& file, const std::string& key)
    {
        CEntity3DS* m = bank.Add3DS(file, key);
        if (!m || !m->IsLoaded()) {
            LogWrite("GameData: model %s did not load", file.c_str());
            ++failed;
        }
        return m;
    }
};

std::string Numbered(const char* format, int i)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, format, i);
    return buf;
}

}  // namespace

int GameData::LoadModels(CResourceBank* bank)
{
    if (!bank)
        bank = CResourceBank::FindBank(kMainGroup);
    if (!bank) {
        LogWrite("GameData: no resource bank \"%s\", no models loaded", kMainGroup);
        return -1;
    }
    ModelLoader l{*bank};
    static const char* const planeModels[kAircraftCount] = {"dat/f22/f22_1.3DS", "dat/f18/f18.3DS", "dat/ah64/ah64.3DS"};
    static const char* const planeShadows[kAircraftCount] = {
        "dat/f22/air_plane1_shad.tga", "dat/f18/air_plane2_shad.tga", "dat/ah64/air_plane3_shad.tga"};
    for (int i = 0; i < kAircraftCount; ++i) {
        m_air_planes[i] = l.Model(planeModels[i], Numbered("m_air_plane%i", i + 1));
        m_air_plane_shadows[i] = l.Texture(planeShadows[i], Numbered("m_air_plane%i_shad", i + 1), true);
    }
    for (int i = 0; i < m_planes_count && i < kMaxPlanes; ++i) {
        const std::string unit = Numbered("dat/e_plane%i.unt", i + 1), shadow = Numbered("dat/e_plane%i_shad.tga", i + 1);
        m_e_planes[i] = l.Unit(unit, unit);
        m_e_plane_shadows[i] = l.Texture(shadow, shadow, true);
    }
    m_smoke1 = l.Texture("dat/particles/smp.tga", "smoke1", true);
    m_fire1 = l.Texture("dat/particles/fire.tga", "fire1", true);
    m_flak1 = l.Texture("dat/particles/flak.tga", "flak1", true);
    m_splashes1 = l.Texture("dat/particles/splashes.tga", "splashes1", true);
    for (int i = 0; i < m_helicops_count && i < kMaxHelicops; ++i) {
        const std::string unit = Numbered("dat/e_helicop%i.unt", i + 1),
                          shadow = Numbered("dat/e_helicop%i_shad.tga", i + 1);
        m_e_helicops[i] = l.Unit(unit, unit);
        m_e_helicop_shadows[i] = l.Texture(shadow, shadow, true);
    }
    for (int i = 0; i < m_boats_count && i < kMaxBoats; ++i) {
        const std::string unit = Numbered("dat/e_boat%i.unt", i + 1);
        m_e_boats[i] = l.Unit(unit, unit);
    }
    for (int i = 0; i < m_aads_count && i < kMaxAads; ++i) {
        const std::string unit = Numbered("dat/e_aad%i.unt", i + 1);
        m_e_aads[i] = l.Unit(unit, unit);
    }
    m_fuel = l.Unit("dat/fuel.unt", "m_fuel");
    m_missile = l.Model("dat/missAA/missAA.3DS", "m_missile");
    m_torpedo = l.Model("dat/torpedo/torpedo.3DS", "m_torpedo");
    m_flak = l.Model("dat/flak/flak.3DS", "m_flak");
    static const char* const barrels[kMaxBarrels] = {"dat/misc/barrel1.unt", "dat/misc/barrel2.unt",
                                                     "dat/misc/barrel3.unt"};
    for (int i = 0; i < kMaxBarrels; ++i)
        m_e_barrels[i] = l.Unit(barrels[i], Numbered("m_e_barrels[%i]", i));
    static const char* const buildings[kMaxBuildings] = {"dat/misc/garage.unt",  "dat/misc/armry.unt",
                                                         "dat/misc/cargo1.unt",  "dat/misc/cargo2.unt",
                                                         "dat/misc/hangar1.unt", "dat/misc/hangar2.unt"};
    for (int i = 0; i < kMaxBuildings; ++i)
        m_e_buildings[i] = l.Unit(buildings[i], Numbered("m_e_buildings[%i]", i));
    m_fuel_indicator = l.Texture("dat/fuel_indicator.tga", "m_fuel_indicator", false);
    m_hull_indicator = l.Texture("dat/hull_indicator.tga", "m_hull_indicator", false);
    m_fuel_indicator_bg = l.Texture("dat/fuel_indicator_bg.tga", "m_fuel_indicator_bg", false);
    m_cl_boat = l.Texture("dat/cl_boat.tga", "m_cl_boat", false);
    m_cl_ground = l.Texture("dat/cl_ground.tga", "m_cl_ground", false);
    m_cl_helic = l.Texture("dat/cl_helic.tga", "m_cl_helic", false);
    m_cl_plane = l.Texture("dat/cl_plane.tga", "m_cl_plane", false);
    for (int i = 0; i < kAircraftCount; ++i)
        m_plane_prev[i] = l.Texture(Numbered("dat/air_plane%i_prev.tga", i + 1), Numbered("m_plane%i_prev", i + 1), false);
    if (l.failed)
        LogWrite("GameData: %i models and textures did not load", l.failed);
    return l.failed;
}

bool GameData::SelectLevelSet(const std::string& packPath)
{
    ResourceGroup* levels = ResourceGroup::GetGroup(kLevelsGroup);
    if (!levels) {
        levels = ResourceGroup::CreateGroup(kLevelsGroup);
        levels->SetKey(kLevelsPackKey);
    }
    // The name is kept as given (the save file's relative form for the data folder's sets); the
    // pack is found in the data folder first, then among the player's own sets.
    const bool mounted = levels->MountPack(ResolveLevelSetPath(packPath));
    if (!mounted)
        LogWrite("GameData: cannot mount the level set %s", packPath.c_str());
    m_levels_pack_name = packPath;
    ParamFile list;
    list.Read(*levels, kLevelListFile, true);
    levelsCount = list.GetInt("levels_count", "0");
    if (levelsCount < 0)
        levelsCount = 0;
    return mounted;
}

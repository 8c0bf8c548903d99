// Tuning: "dat/game.txt" (the game's tuning table) and the three aircraft parameter files.
//
// Speeds are world units per game time unit (one update at 60 a second is about 2.17 units), so
// with a valley 45 units wide and a level about 2870 units long the F-22's normal speed of 0.19
// crosses level 1 in about two minutes; a full tank at the normal burn lasts 60 to 90 seconds.
// Columns of the three-value rows are the aircraft 0 (F-22), 1 (F/A-18) and 2 (AH-64).
#include "ForgeContent.h"
#include "writers/ParamText.h"

namespace {

void GameFile(ForgeFiles& files)
{
    ParamText p;
    p.Comment("Gorgewing II tuning. Rows of three values are per aircraft: F-22, F/A-18, AH-64.");
    p.Comment("Speeds are world units per game time unit; one update at 60 a second is about 2.17 units.");
    p.Set("m_lc", "en");
    p.SetFloat("m_plane_pos_y", 10);
    p.Comment("Flight model");
    p.SetFloats("m_plane_angle_max_side", {45, 40, 30});
    p.SetFloats("m_plane_speed_max_forward", {0.30, 0.28, 0.23});
    p.SetFloats("m_plane_speed_normal_forward", {ForgeScale::kNormalSpeed[0], ForgeScale::kNormalSpeed[1], ForgeScale::kNormalSpeed[2]});
    p.SetFloats("m_plane_speed_min_forward", {0.12, 0.115, 0.09});
    p.SetFloats("m_plane_k_acceleration", {0.03, 0.026, 0.02});
    p.SetFloats("m_plane_k_deceleration", {0.03, 0.03, 0.035});
    p.SetFloats("m_plane_k_speed_down", {0.993, 0.993, 0.99});
    p.SetFloats("m_plane_k_side_rotate", {0.05, 0.045, 0.035});
    p.SetFloats("m_plane_k_side_rotate_back", {60, 60, 50});
    p.SetFloats("m_plane_k_side_speed", {0.12, 0.11, 0.1});
    p.SetFloats("m_maneuver_side_speed", {0.08, 0.075, 0});
    p.SetFloats("m_maneuver_angle_speed", {3.0, 2.6, 0});
    p.Comment("Fuel: 100 is a full tank");
    p.SetFloats("m_fuel_rate_normal", {0.011, 0.0095, 0.009});
    p.SetFloats("m_fuel_rate_hight", {0.02, 0.018, 0.015});
    p.SetFloat("m_fuel_per_barrel", 25);
    p.Comment("Falling, sinking and flying debris");
    p.SetFloat("m_gravity", 0.0004);
    p.SetFloat("m_gravity_boat", 0.00002);
    p.SetFloat("m_barrels_expl_speed", 0.05);
    p.SetFloat("m_barrels_expl_gravity", 0.001);
    p.SetFloat("m_boat_subexplods_time", 500);
    p.Comment("Enemy fire");
    p.SetFloat("m_boat_shoot_roket_pause", 70);
    p.SetFloat("m_boat_shoot_flak_pause", 150);
    p.SetFloat("m_helic_shoot_roket_pause", 150);
    p.SetInt("m_missle_smoke_time", 6);
    p.Comment("Projectile speeds");
    p.SetFloat("m_missle_player_speed", 0.6);
    p.SetFloat("m_missle_helicop_speed", 0.28);
    p.SetFloat("m_aad_flak_missile_speed", 0.3);
    p.SetFloat("m_boat_flak_speed", 0.25);
    p.SetFloat("m_boat_missile_speed", 0.3);
    p.SetFloat("m_aad_missile_speed", 0.2);
    p.Comment("Damage dealt to the player");
    // A missile takes 3 of the hulls' 10 to 14: the jets go down at the fourth, the helicopter at
    // the fifth, so that what a level costs grows with the missiles it throws rather than with
    // one lucky hit.
    p.SetFloat("m_missile_aa_damage", 3);
    p.SetFloat("m_missile_al_damage", 2);
    p.SetFloat("m_flak_damage", 1);
    p.Comment("Scores");
    p.SetInt("m_score_plane", 80);
    p.SetInt("m_score_helic", 100);
    p.SetInt("m_score_boat", 60);
    p.SetInt("m_score_aad", 50);
    p.SetInt("m_score_building", 50);
    p.SetInt("m_score_barrels", 30);
    p.SetInt("m_score_per_lives", 5000);
    // Placed sounds fade out over a fifth of this many units: 60 at the levels' scale of 1, about
    // as far as the fog lets the player see, so what is seen is heard.
    p.SetFloat("m_sound_barrier", 300);
    files.Add(ForgeFiles::Pack::Main, "dat/game.txt", p.Bytes(), true);
}

struct AircraftTuning {
    const char* path;
    const char* title;
    double scale, missileDist, torpedoDist, smokeDist;
    double nozzleY, nozzleZ;
    double hull, pause1, pause2;
    double torpedoDamage, missileAa, missileAl;
};

void AircraftFile(ForgeFiles& files, const AircraftTuning& a)
{
    ParamText p;
    p.Comment(a.title);
    p.SetFloat("m_scale", a.scale);
    p.SetFloat("m_missile_dist", a.missileDist);
    p.SetFloat("m_torpedo_dist", a.torpedoDist);
    p.SetFloat("m_smoke_dist", a.smokeDist);
    p.SetVec4("m_nozzle", 0, a.nozzleY, a.nozzleZ, 0);
    p.SetFloat("m_hull", a.hull);
    p.SetFloat("m_plane_shoot1_pause_time", a.pause1);
    p.SetFloat("m_plane_shoot2_pause_time", a.pause2);
    p.SetFloat("m_torpedo_damage", a.torpedoDamage);
    p.SetFloat("m_missile_aa_damage", a.missileAa);
    p.SetFloat("m_missile_al_damage", a.missileAl);
    p.SetFloat("m_flak_damage", 1);
    p.SetFloat("m_rank_damage", 1);
    files.Add(ForgeFiles::Pack::Main, a.path, p.Bytes(), true);
}

} // namespace

void ForgeTuning(ForgeFiles& files)
{
    // Model scales: the aircraft spans about an eighth of the screen's width in the default
    // camera view (measured in flight; the launch, smoke and nozzle offsets scale with it).
    GameFile(files);
    AircraftFile(files, {"dat/f22/f22_1.txt", "F-22: light stealth fighter, fast and nimble, thin hull",
                         0.50, 0.105, 0.073, 0.34, -0.097, 0.0, 10, 40, 150, 10, 3, 3});
    AircraftFile(files, {"dat/f18/f18.txt", "F/A-18: twin-engine fighter, tougher and steadier",
                         0.535, 0.12, 0.08, 0.37, -0.113, 0.0, 12, 50, 140, 12, 3, 3});
    AircraftFile(files, {"dat/ah64/ah64.txt", "AH-64: attack helicopter, slow, armoured, rockets as second weapon",
                         0.47, 0.08, 0.097, 0.24, -0.08, 0.04, 14, 35, 110, 10, 3, 4});
}

// Forge packs: what the build forged into the game folder loads through the game's own readers,
// holds every key the game reads, and comes out byte-identical from a second forge run.
#include "content/LevelEnemies.h"
#include "render/FacesDepot.h"
#include "render/ImageDecode.h"
#include "render/L3DS.h"
#include "resources/FileIO.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::string kGame = GW_GAME_DIR;

class ForgePack : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_main = std::make_unique<ResourceGroup>("forge_test_main");
        m_main->SetKey(kMainPackKey);
        ASSERT_TRUE(m_main->MountPack(kGame + "/data/data.pk"));
        m_levels = std::make_unique<ResourceGroup>("forge_test_levels");
        m_levels->SetKey(kLevelsPackKey);
        ASSERT_TRUE(m_levels->MountPack(kGame + "/levels/base.set"));
    }

    // The file from the pack itself; never a disk fall-back.
    std::vector<uint8_t> Read(const ResourceGroup& g, const std::string& name)
    {
        EXPECT_GE(g.FindEntry(name), 0) << name << " is not in " << g.PackPath();
        return g.ReadFile(name).bytes;
    }
    ParamFile Params(const ResourceGroup& g, const std::string& name)
    {
        const std::vector<uint8_t> b = Read(g, name);
        ParamFile p;
        p.Parse(b.data(), b.size(), true);
        return p;
    }
    void ExpectKeys(const ParamFile& p, const std::string& file, const std::vector<std::string>& keys)
    {
        for (const std::string& k : keys)
            EXPECT_TRUE(p.Has(k)) << file << " lacks " << k;
    }

    std::unique_ptr<ResourceGroup> m_main, m_levels;
};

// Loads one file with the reader its name calls for; false with a message when it is refused.
bool LoadsWithItsReader(const std::string& name, const std::vector<uint8_t>& b, std::string& why)
{
    auto ends = [&](const char* ext) {
        const std::string e = ext;
        return name.size() >= e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0;
    };
    if (b.empty()) {
        why = "empty";
        return false;
    }
    DecodedImage img;
    if (ends(".tga"))
        return DecodeTga(b.data(), b.size(), img) || (why = "TGA refused", false);
    if (ends(".jpg"))
        return DecodeJpeg(b.data(), b.size(), img) || (why = "JPEG refused", false);
    if (ends(".3ds")) {
        NObjects::L3DS m;
        if (!m.LoadFromMemory(b.data(), b.size()) || m.GetMeshCount() == 0 || m.GetMaterialCount() == 0)
            return why = "3DS refused or empty", false;
        return true;
    }
    if (ends(".obj")) {
        CFacesDepot d;
        if (!d.ParseAllGroups(reinterpret_cast<const char*>(b.data()), b.size()) || d.FaceCount() == 0)
            return why = "mesh refused or empty", false;
        return true;
    }
    if (ends(".raw")) {
        const size_t n = static_cast<size_t>(std::sqrt(static_cast<double>(b.size())));
        return n * n == b.size() || (why = "height image not square", false);
    }
    if (ends(".txt") || ends(".ter") || ends(".cld") || ends(".unt")) {
        ParamFile p;
        p.Parse(b.data(), b.size(), true);
        return p.Size() > 0 || (why = "no pairs", false);
    }
    return true;   // sounds and music are checked by their own module
}

} // namespace

TEST_F(ForgePack, EveryFileOfBothPacksLoadsWithTheGamesReaders)
{
    size_t checked = 0;
    for (const ResourceGroup* g : {m_main.get(), m_levels.get()}) {
        ASSERT_FALSE(g->Names().empty());
        for (const std::string& name : g->Names()) {
            std::string why;
            EXPECT_TRUE(LoadsWithItsReader(name, g->ReadFile(name).bytes, why)) << name << ": " << why;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100u);
}

TEST_F(ForgePack, GameTuningHoldsEveryKey)
{
    const ParamFile p = Params(*m_main, "dat/game.txt");
    ExpectKeys(p, "dat/game.txt",
               {"m_lc", "m_plane_pos_y", "m_plane_angle_max_side", "m_plane_speed_max_forward",
                "m_plane_speed_normal_forward", "m_plane_speed_min_forward", "m_plane_k_acceleration",
                "m_plane_k_deceleration", "m_plane_k_speed_down", "m_plane_k_side_rotate", "m_plane_k_side_rotate_back",
                "m_plane_k_side_speed", "m_maneuver_side_speed", "m_maneuver_angle_speed", "m_fuel_rate_normal",
                "m_fuel_rate_hight", "m_gravity", "m_barrels_expl_speed", "m_barrels_expl_gravity", "m_fuel_per_barrel",
                "m_boat_shoot_roket_pause", "m_boat_shoot_flak_pause", "m_helic_shoot_roket_pause", "m_missle_smoke_time",
                "m_score_plane", "m_score_helic", "m_score_boat", "m_score_aad", "m_score_building", "m_score_barrels",
                "m_score_per_lives", "m_boat_subexplods_time", "m_gravity_boat", "m_missle_player_speed",
                "m_missle_helicop_speed", "m_aad_flak_missile_speed", "m_boat_flak_speed", "m_boat_missile_speed",
                "m_aad_missile_speed", "m_sound_barrier", "m_missile_aa_damage", "m_missile_al_damage", "m_flak_damage"});
    // Rows of three hold one value per aircraft.
    for (const char* k : {"m_plane_speed_normal_forward", "m_fuel_rate_normal", "m_plane_k_side_speed"}) {
        float v[3] = {0, 0, 0};
        int n = std::sscanf(p.GetString(k, "").c_str(), "%f %f %f", &v[0], &v[1], &v[2]);
        EXPECT_EQ(n, 3) << k;
        EXPECT_GT(v[0], 0.0f) << k;
        EXPECT_GT(v[2], 0.0f) << k;
    }
    for (const char* f : {"dat/f22/f22_1.txt", "dat/f18/f18.txt", "dat/ah64/ah64.txt"})
        ExpectKeys(Params(*m_main, f), f,
                   {"m_scale", "m_missile_dist", "m_torpedo_dist", "m_smoke_dist", "m_nozzle.x", "m_nozzle.y", "m_nozzle.z",
                    "m_nozzle.w", "m_hull", "m_plane_shoot1_pause_time", "m_plane_shoot2_pause_time", "m_torpedo_damage",
                    "m_missile_aa_damage", "m_missile_al_damage", "m_flak_damage", "m_rank_damage"});
}

TEST_F(ForgePack, TuningMeetsTheFlightTargets)
{
    // Level 1 flown at normal speed, a full tank at the normal burn: both in seconds at the
    // fixed 60 updates a second, one update being 16.67 ms × the time scale 0.13.
    const ParamFile p = Params(*m_main, "dat/game.txt");
    const ParamFile t = Params(*m_levels, "levels/level01/terra.ter");
    float speed[3], burn[3];
    ASSERT_EQ(std::sscanf(p.GetString("m_plane_speed_normal_forward", "").c_str(), "%f %f %f", &speed[0], &speed[1], &speed[2]), 3);
    ASSERT_EQ(std::sscanf(p.GetString("m_fuel_rate_normal", "").c_str(), "%f %f %f", &burn[0], &burn[1], &burn[2]), 3);
    const float unitsPerSecond = 60.0f * 16.666666f * 0.13f;
    const std::vector<uint8_t> raw = Read(*m_levels, t.GetString("raw_name", "0"));
    const int n = static_cast<int>(std::sqrt(static_cast<double>(raw.size())));
    const float length = t.GetInt("lines", "0") * (n - 1) * t.GetFloat("h_dist", "0");
    for (int a = 0; a < 3; ++a) {
        const float levelSeconds = length / (speed[a] * unitsPerSecond);
        const float tankSeconds = 100.0f / (burn[a] * unitsPerSecond);
        EXPECT_GE(levelSeconds, 90.0f) << "aircraft " << a;
        EXPECT_LE(levelSeconds, 150.0f) << "aircraft " << a;
        EXPECT_GE(tankSeconds, 60.0f) << "aircraft " << a;
        EXPECT_LE(tankSeconds, 95.0f) << "aircraft " << a;
        EXPECT_LT(tankSeconds, levelSeconds) << "the level must need fuel";
    }
}

TEST_F(ForgePack, MainPackHoldsEveryModelAndPictureTheGameLoads)
{
    std::vector<std::string> files = {
        "dat/f22/f22_1.3DS", "dat/f18/f18.3DS", "dat/ah64/ah64.3DS", "dat/f22/air_plane1_shad.tga",
        "dat/f18/air_plane2_shad.tga", "dat/ah64/air_plane3_shad.tga", "dat/missAA/missAA.3DS", "dat/torpedo/torpedo.3DS",
        "dat/flak/flak.3DS", "dat/fuel.unt", "dat/fuel_indicator.tga", "dat/hull_indicator.tga", "dat/fuel_indicator_bg.tga",
        "dat/cl_boat.tga", "dat/cl_ground.tga", "dat/cl_helic.tga", "dat/cl_plane.tga", "dat/air_plane1_prev.tga",
        "dat/air_plane2_prev.tga", "dat/air_plane3_prev.tga", "dat/particles/smp.tga", "dat/particles/fire.tga",
        "dat/particles/flak.tga", "dat/particles/splashes.tga"};
    for (int i = 1; i <= 4; ++i) {
        files.push_back("dat/e_plane" + std::to_string(i) + ".unt");
        files.push_back("dat/e_plane" + std::to_string(i) + "_shad.tga");
        files.push_back("dat/e_boat" + std::to_string(i) + ".unt");
    }
    for (int i = 1; i <= 2; ++i) {
        files.push_back("dat/e_helicop" + std::to_string(i) + ".unt");
        files.push_back("dat/e_helicop" + std::to_string(i) + "_shad.tga");
        files.push_back("dat/e_aad" + std::to_string(i) + ".unt");
    }
    for (const char* m : {"barrel1", "barrel2", "barrel3", "garage", "armry", "cargo1", "cargo2", "hangar1", "hangar2"})
        files.push_back(std::string("dat/misc/") + m + ".unt");

    for (const std::string& f : files) {
        const std::vector<uint8_t> b = Read(*m_main, f);
        ASSERT_FALSE(b.empty()) << f;
        if (f.size() > 4 && f.compare(f.size() - 4, 4, ".unt") == 0) {
            // A unit names a mesh and a texture in the same pack; both load.
            ParamFile u;
            u.Parse(b.data(), b.size(), true);
            ExpectKeys(u, f, {"faces_file_name", "tex_file_name", "tex_wrap", "tex_dynamic", "scale", "show_normales"});
            const std::vector<uint8_t> mesh = Read(*m_main, u.GetString("faces_file_name", "0"));
            CFacesDepot d;
            EXPECT_TRUE(d.ParseAllGroups(reinterpret_cast<const char*>(mesh.data()), mesh.size())) << f;
            EXPECT_GT(d.FaceCount(), 10u) << f;
            const std::vector<uint8_t> tex = Read(*m_main, u.GetString("tex_file_name", "n"));
            DecodedImage img;
            EXPECT_TRUE(DecodeTga(tex.data(), tex.size(), img)) << f;
            EXPECT_GT(u.GetFloat("scale", "0"), 0.0f) << f;
        }
        if (f.size() > 4 && f.compare(f.size() - 4, 4, ".3DS") == 0) {
            // Every material's texture lies beside the model.
            NObjects::L3DS m;
            ASSERT_TRUE(m.LoadFromMemory(b.data(), b.size())) << f;
            const std::string dir = f.substr(0, f.find_last_of('/') + 1);
            for (size_t i = 0; i < m.GetMaterialCount(); ++i) {
                const std::string tex = m.GetMaterial(i).m_texture_map1.fileName;
                ASSERT_FALSE(tex.empty()) << f;
                const std::vector<uint8_t> t = Read(*m_main, dir + tex);
                DecodedImage img;
                EXPECT_TRUE(DecodeTga(t.data(), t.size(), img)) << dir + tex;
            }
        }
    }
    // Shadows and HUD pictures carry alpha.
    for (const char* f : {"dat/e_plane1_shad.tga", "dat/f22/air_plane1_shad.tga", "dat/fuel_indicator.tga", "dat/cl_plane.tga"}) {
        const std::vector<uint8_t> b = Read(*m_main, f);
        DecodedImage img;
        ASSERT_TRUE(DecodeTga(b.data(), b.size(), img)) << f;
        EXPECT_EQ(img.bytesPerPixel, 4u) << f;
    }
}

TEST_F(ForgePack, TenParticleDescriptionsMatchTheirStrips)
{
    // Which strip each description is drawn with, and so how many frames it may use.
    const std::pair<const char*, const char*> particles[] = {
        {"p_missile", "splashes"}, {"p_missile_enemy", "smp"}, {"p_plane", "splashes"}, {"p_flak", "flak"},
        {"p_fire_src", "fire"}, {"p_explode", "fire"}, {"p_explode_sm", "fire"}, {"p_e_water", "splashes"},
        {"p_fire_boat", "fire"}, {"p_water_tail", "splashes"}};
    for (const auto& [name, strip] : particles) {
        const std::string f = std::string("dat/particles/") + name + ".txt";
        const ParamFile p = Params(*m_main, f);
        ExpectKeys(p, f, {"m_frames_count", "m_frames_speed", "m_speed.x", "m_speed.y", "m_speed.z", "m_speed.w", "m_speed_val",
                          "m_color.x", "m_color.y", "m_color.z", "m_color.w", "m_size", "m_dsize", "m_dalpha", "m_dist", "m_kind"});
        const std::vector<uint8_t> b = Read(*m_main, std::string("dat/particles/") + strip + ".tga");
        DecodedImage img;
        ASSERT_TRUE(DecodeTga(b.data(), b.size(), img));
        EXPECT_EQ(img.bytesPerPixel, 4u);
        EXPECT_EQ(static_cast<int>(img.width / img.height), p.GetInt("m_frames_count", "1")) << f << " frames vs its strip";
        // A particle that dies by fading must fade; one that dies at its last frame must animate.
        if (p.GetString("m_kind", "ALPHA") == "ALPHA")
            EXPECT_GT(p.GetFloat("m_dalpha", "0"), 0.0f) << f;
        else
            EXPECT_GT(p.GetFloat("m_frames_speed", "0"), 0.0f) << f;
    }
    // The smallest boat (scale 0.8) carries burning points spaced a quarter of the fire size
    // apart: it needs at least five of those along its length.
    EXPECT_GE(static_cast<int>(0.8f / (Params(*m_main, "dat/particles/p_fire_src.txt").GetFloat("m_size", "0") / 4)), 5);
}

TEST_F(ForgePack, FuelDepotsKeepACarefulPilotFlyingAndNotOneWhoSkipsThem)
{
    // Fly every level at normal speed with each aircraft: taking two depots of every three keeps
    // the tank above empty to the level's end; taking none runs it dry before the end.
    const ParamFile game = Params(*m_main, "dat/game.txt");
    float speed[3], burn[3];
    ASSERT_EQ(std::sscanf(game.GetString("m_plane_speed_normal_forward", "").c_str(), "%f %f %f", &speed[0], &speed[1], &speed[2]), 3);
    ASSERT_EQ(std::sscanf(game.GetString("m_fuel_rate_normal", "").c_str(), "%f %f %f", &burn[0], &burn[1], &burn[2]), 3);
    const float perDepot = game.GetFloat("m_fuel_per_barrel", "0");
    const int count = Params(*m_levels, "levels/levels.txt").GetInt("levels_count", "0");
    for (int level = 1; level <= count; ++level) {
        char dir[32];
        std::snprintf(dir, sizeof dir, "levels/level%02d/", level);
        const ParamFile t = Params(*m_levels, std::string(dir) + "terra.ter");
        const ParamFile e = Params(*m_levels, std::string(dir) + "enemies.ter");
        const std::vector<uint8_t> raw = Read(*m_levels, t.GetString("raw_name", "0"));
        const int n = static_cast<int>(std::sqrt(static_cast<double>(raw.size())));
        const int lines = t.GetInt("lines", "0");
        const float hd = t.GetFloat("h_dist", "0");
        const float halfWidth = (n / lines) * hd / 2;
        const float length = lines * (n - 1) * hd;
        std::vector<float> depots;
        for (int i = 0; i < e.GetInt("enemies_count", "0"); ++i)
            if (e.GetString("name" + std::to_string(i), "0") == "Fuel")
                depots.push_back(e.GetFloat("m_lpy" + std::to_string(i), "0") + halfWidth);
        std::sort(depots.begin(), depots.end());
        for (int a = 0; a < 3; ++a) {
            auto fly = [&](bool careful) {
                float fuel = 100.0f, lowest = 100.0f, y = 0.0f;
                size_t next = 0;
                const float step = speed[a] * 2.1667f;   // one update at normal speed
                for (int frame = 0; y < length && frame < 1000000; ++frame) {
                    y += step;
                    fuel -= burn[a] * 2.1667f;
                    lowest = std::min(lowest, fuel);
                    if (fuel < 1.0f)
                        return -1.0f;   // dry
                    while (next < depots.size() && depots[next] <= y) {
                        if (careful && next % 3 != 2)
                            fuel = std::min(100.0f, fuel + perDepot);
                        ++next;
                    }
                }
                return lowest;
            };
            EXPECT_GT(fly(true), 1.0f) << "level " << level << " aircraft " << a << " runs dry taking two depots of three";
            EXPECT_LT(fly(false), 0.0f) << "level " << level << " aircraft " << a << " finishes without refuelling";
        }
    }
}

TEST_F(ForgePack, EveryBendCanBeFollowedAtNormalSpeed)
{
    // The sideways speed a pilot needs to follow the river's steepest bend at normal speed stays
    // within what a full roll gives (the roll settles at about three quarters of its maximum).
    const ParamFile game = Params(*m_main, "dat/game.txt");
    float speed[3], side[3];
    ASSERT_EQ(std::sscanf(game.GetString("m_plane_speed_normal_forward", "").c_str(), "%f %f %f", &speed[0], &speed[1], &speed[2]), 3);
    ASSERT_EQ(std::sscanf(game.GetString("m_plane_k_side_speed", "").c_str(), "%f %f %f", &side[0], &side[1], &side[2]), 3);
    for (int level = 1; level <= 10; ++level) {
        const LevelTerrain t(LevelShape(level));
        float steepest = 0.0f;
        for (float y = 0.0f; y < t.Length() - 1.0f; y += 0.5f)
            steepest = std::max(steepest, std::fabs(t.RiverCenter(y + 1.0f) - t.RiverCenter(y)));
        for (int a = 0; a < 3; ++a)
            EXPECT_LT(steepest * speed[a], 0.75f * side[a] * 0.85f) << "level " << level << " aircraft " << a;
    }
}

TEST_F(ForgePack, EveryLevelHoldsItsFilesAndKeys)
{
    const ParamFile set = Params(*m_levels, "levels/levels.txt");
    const int count = set.GetInt("levels_count", "0");
    ASSERT_GE(count, 10);
    for (int level = 1; level <= count; ++level) {
        char dir[32];
        std::snprintf(dir, sizeof dir, "levels/level%02d/", level);
        const std::string d = dir;
        const ParamFile t = Params(*m_levels, d + "terra.ter");
        ExpectKeys(t, d + "terra.ter",
                   {"k_scale", "raw_name", "lines", "h_dist", "h_max", "k_detail_tex", "main_tex", "detail_tex", "plane_pos_z",
                    "m_fog_color.x", "m_fog_color.y", "m_fog_color.z", "m_fog_type", "h_water", "water_size", "k_water_tex",
                    "water_transparency", "water_speed_y", "water_tex"});
        const std::vector<uint8_t> raw = Read(*m_levels, t.GetString("raw_name", "0"));
        const int n = static_cast<int>(std::sqrt(static_cast<double>(raw.size())));
        const int lines = t.GetInt("lines", "0");
        ASSERT_GT(lines, 0);
        const float width = (n / lines) * t.GetFloat("h_dist", "0") * t.GetFloat("k_scale", "0");
        EXPECT_GE(width, 40.0f);
        EXPECT_LE(width, 50.0f);
        DecodedImage main, detail, water, clouds, noise;
        auto bytes = [&](const std::string& k) { return Read(*m_levels, t.GetString(k, "0")); };
        std::vector<uint8_t> b = bytes("main_tex");
        ASSERT_TRUE(DecodeJpeg(b.data(), b.size(), main));
        EXPECT_EQ(main.bytesPerPixel, 3u);
        EXPECT_EQ(main.width % static_cast<uint32_t>(n), 0u) << "main texture laid out like the heights";
        b = bytes("detail_tex");
        ASSERT_TRUE(DecodeJpeg(b.data(), b.size(), detail));
        EXPECT_EQ(detail.bytesPerPixel, 3u);
        b = bytes("water_tex");
        ASSERT_TRUE(DecodeJpeg(b.data(), b.size(), water));
        EXPECT_EQ(water.bytesPerPixel, 3u);

        const ParamFile c = Params(*m_levels, d + "clouds.cld");
        ExpectKeys(c, d + "clouds.cld",
                   {"faces_file_name", "clouds_file_name", "clouds_noise_file_name", "show_normales", "m_intensity",
                    "m_clouds_delta.x", "m_clouds_delta.y", "m_clouds_delta.z", "m_clouds_delta.w", "m_clouds_noise_delta.x",
                    "m_clouds_noise_delta.y", "m_clouds_noise_delta.z", "m_clouds_noise_delta.w", "m_clouds_red",
                    "m_clouds_green", "m_clouds_blue", "m_sky_red", "m_sky_green", "m_sky_blue"});
        b = Read(*m_levels, c.GetString("clouds_file_name", "n"));
        ASSERT_TRUE(DecodeJpeg(b.data(), b.size(), clouds));
        EXPECT_EQ(clouds.bytesPerPixel, 1u) << "cloud bytes are taken as alpha";
        b = Read(*m_levels, c.GetString("clouds_noise_file_name", "n"));
        ASSERT_TRUE(DecodeJpeg(b.data(), b.size(), noise));
        EXPECT_EQ(noise.bytesPerPixel, 1u);
        // The sky is the fog colour, so that the horizon blends.
        EXPECT_NEAR(c.GetFloat("m_sky_red", "0") / 255.0f, t.GetFloat("m_fog_color.x", "0"), 0.01f);
        EXPECT_NEAR(c.GetFloat("m_sky_blue", "0") / 255.0f, t.GetFloat("m_fog_color.z", "0"), 0.01f);

        const ParamFile e = Params(*m_levels, d + "enemies.ter");
        EXPECT_GT(e.GetInt("enemies_count", "0"), 10);
    }
}

TEST(ForgeDeterminism, ASecondRunMakesByteIdenticalPacks)
{
    const std::filesystem::path out = std::filesystem::temp_directory_path() / ("gw_forge_determinism_" + std::to_string(getpid()));
    std::filesystem::remove_all(out);
    const std::string cmd = std::string(GW_FORGE_EXE) + " " + out.string() + " > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    for (const char* pack : {"/data/data.pk", "/levels/base.set"}) {
        std::vector<uint8_t> a, b;
        ASSERT_TRUE(ReadWholeFile(kGame + pack, a));
        ASSERT_TRUE(ReadWholeFile(out.string() + pack, b));
        EXPECT_EQ(a.size(), b.size()) << pack;
        EXPECT_TRUE(a == b) << pack << " differs between two runs";
        // Both packs together stay well under 40 MB.
        EXPECT_LT(a.size(), 30u * 1024 * 1024) << pack;
    }
    std::filesystem::remove_all(out);
}

// GameData: construction defaults, "dat/game.txt" keys, the level-set switch and the effect ids.
#include "LevelFiles.h"

#include "game/GameData.h"

#include <gtest/gtest.h>

namespace {

class GameDataTest : public GameFolderTest {};

TEST_F(GameDataTest, ConstructionDefaults)
{
    GameData g;
    EXPECT_FLOAT_EQ(g.timeScale, 0.13f);
    EXPECT_EQ(g.m_levels_pack_name, "levels/base.set");
    EXPECT_EQ(g.levelsCount, 2);
    EXPECT_EQ(g.m_custom_level_num, 1);
    EXPECT_EQ(g.m_left_key, 203);
    EXPECT_EQ(g.m_camera_key, 46);
    EXPECT_FLOAT_EQ(g.m_mouseSens, 1.5f);
    EXPECT_EQ(g.m_camera_pos, 7);
    EXPECT_EQ(g.m_score_plane, 80);
    EXPECT_EQ(g.m_score_aad, 100);
    EXPECT_EQ(g.m_score_per_lives, 5000);
    EXPECT_FLOAT_EQ(g.m_gravity_boat, 2e-05f);
    EXPECT_FLOAT_EQ(g.m_helic_shoot_roket_pause, 100.0f);
    EXPECT_FLOAT_EQ(g.m_boat_subexplods_time, 500.0f);
    EXPECT_FLOAT_EQ(g.m_sound_barrier, 30.0f);
    // The level group exists with the level-set key.
    ResourceGroup* levels = ResourceGroup::GetGroup(kLevelsGroup);
    ASSERT_NE(levels, nullptr);
    EXPECT_EQ(levels->Key(), kLevelsPackKey);
}

TEST_F(GameDataTest, GameFileKeysAndRowsOfThree)
{
    Write("dat/game.txt",
          "m_lc en\nm_plane_pos_y 12.5\nm_plane_speed_normal_forward \"0.19 0.18 0.15\"\n"
          "m_plane_angle_max_side \"45 40\"\nm_missle_smoke_time 6\nm_score_helic 100\nm_gravity 0.0004\n"
          "m_flak_damage 0.5\nm_sound_barrier 25\n");
    Write("dat/f18/f18.txt", "m_hull 12\n");
    Write("dat/particles/p_flak.txt", "m_size 0.3\n");
    GameData g;
    EXPECT_TRUE(g.LoadGameFile());
    EXPECT_EQ(g.m_lc, "en");
    EXPECT_FLOAT_EQ(g.m_plane_pos_y, 12.5f);
    EXPECT_FLOAT_EQ(g.m_plane_speed_normal_forward[0], 0.19f);
    EXPECT_FLOAT_EQ(g.m_plane_speed_normal_forward[2], 0.15f);
    EXPECT_FLOAT_EQ(g.m_plane_angle_max_side[1], 40.0f);
    EXPECT_FLOAT_EQ(g.m_plane_angle_max_side[2], 0.0f);  // a short row leaves zeros
    EXPECT_FLOAT_EQ(g.m_fuel_rate_hight[1], 0.0f);        // a missing row is zeros
    EXPECT_EQ(g.m_missle_smoke_time, 6);
    EXPECT_EQ(g.m_barrels_smoke_time, g.m_missle_smoke_time);
    EXPECT_EQ(g.m_score_helic, 100);
    EXPECT_FLOAT_EQ(g.m_gravity, 0.0004f);
    EXPECT_FLOAT_EQ(g.m_sound_barrier, 25.0f);
    EXPECT_FLOAT_EQ(g.m_aircraft_params[1].GetFloat("m_hull", "0"), 12.0f);
    EXPECT_FLOAT_EQ(g.m_particles[kParticleFlak].GetFloat("m_size", "0"), 0.3f);
    EXPECT_EQ(g.m_particles[kParticleExplode].Size(), 0u);
}

TEST_F(GameDataTest, MissingKeysReadAsZeroNotTheConstructionValue)
{
    Write("dat/game.txt", "m_score_helic 100\n");
    GameData g;
    ASSERT_TRUE(g.LoadGameFile());
    EXPECT_EQ(g.m_score_plane, 0);  // not 80
    EXPECT_EQ(g.m_score_per_lives, 0);
    EXPECT_FLOAT_EQ(g.m_gravity_boat, 0.0f);
    EXPECT_FLOAT_EQ(g.m_helic_shoot_roket_pause, 0.0f);
    EXPECT_FLOAT_EQ(g.m_sound_barrier, 0.0f);
    EXPECT_EQ(g.m_lc, "0");
}

TEST_F(GameDataTest, MissingGameFileIsReportedAndLeavesZeros)
{
    GameData g;
    EXPECT_FALSE(g.LoadGameFile());
    EXPECT_EQ(g.m_score_plane, 0);
    EXPECT_FLOAT_EQ(g.m_plane_speed_max_forward[0], 0.0f);
}

TEST_F(GameDataTest, LevelSetSwitchReadsTheLevelCount)
{
    GameData g;
    Write("levels/levels.txt", "levels_count 10\n");
    g.SelectLevelSet("levels/none.set");  // no pack: the list comes from the disk
    EXPECT_EQ(g.levelsCount, 10);
    EXPECT_EQ(g.m_levels_pack_name, "levels/none.set");
    Write("levels/levels.txt", "level_name1 x\n");
    g.SelectLevelSet("levels/none.set");
    EXPECT_EQ(g.levelsCount, 0);  // a set without "levels_count" has no levels
    Write("levels/levels.txt", "levels_count -5\n");
    g.SelectLevelSet("levels/none.set");
    EXPECT_EQ(g.levelsCount, 0);
}

TEST(GameDataIds, EffectIdsGrowByTwenty)
{
    GameData::ResetEffectIds();
    EXPECT_EQ(GameData::TakeEffectId(), 20u);
    EXPECT_EQ(GameData::TakeEffectId(), 40u);
    GameData::ResetEffectIds();
}

TEST(GameDataModels, WithoutABankNothingLoads)
{
    GameData g;
    EXPECT_EQ(g.LoadModels(nullptr), -1);
    EXPECT_EQ(g.m_air_planes[0], nullptr);
    ResourceGroup::DeleteAllGroups();
}

}  // namespace

// The stored controls of "data/save.sav" and the two score tables they bring along.
#include "LevelFiles.h"

#include "game/GameControls.h"
#include "game/GameData.h"
#include "resources/ParamFile.h"

#include <gtest/gtest.h>

namespace {

class GameControlsTest : public GameFolderTest {};

void ExpectDefaultBindings(const GameData& g)
{
    EXPECT_EQ(g.m_down_key, 208);
    EXPECT_EQ(g.m_left_key, 203);
    EXPECT_EQ(g.m_right_key, 205);
    EXPECT_EQ(g.m_up_key, 200);
    EXPECT_EQ(g.m_fire_primary_key, 29);
    EXPECT_EQ(g.m_fire_secondary_key, 57);
    EXPECT_EQ(g.m_maneuver_key, 42);
    EXPECT_EQ(g.m_camera_key, 46);
    EXPECT_EQ(g.m_fire_primary_joy, 0);
    EXPECT_EQ(g.m_fire_secondary_joy, 2);
    EXPECT_EQ(g.m_maneuver_joy, 1);
    EXPECT_FLOAT_EQ(g.m_mouseSens, 1.5f);
}

TEST_F(GameControlsTest, LeftKeyZeroGivesEveryDefaultAndKeepsThePreferences)
{
    GameData g;
    g.m_left_key = 1;
    g.m_fire_primary_joy = 9;
    g.m_mouseSens = 4.0f;
    g.m_camera_pos = 3;
    g.m_custom_level_num = 6;
    ParamFile save;
    save.Parse("m_left_key 0 m_right_key 17 m_mouseSens 3 m_camera_pos 2 m_custom_level_num 4 "
               "m_levels_pack_name levels/other.set",
               true);
    LoadControls(g, save);
    ExpectDefaultBindings(g);
    EXPECT_EQ(g.m_camera_pos, 3);
    EXPECT_EQ(g.m_custom_level_num, 6);
    EXPECT_EQ(g.m_levels_pack_name, "levels/base.set");
}

TEST_F(GameControlsTest, MissingLeftKeyIsTheSameAsZero)
{
    GameData g;
    g.m_right_key = 77;
    ParamFile save;
    LoadControls(g, save);
    ExpectDefaultBindings(g);
}

TEST_F(GameControlsTest, StoredBindingsComeBackAndMissingOnesTakeTheirReaderDefaults)
{
    GameData g;
    ParamFile save;
    save.Parse("m_left_key 30 m_right_key 32 m_up_key 17 m_camera_pos 2 m_custom_level_num 4", true);
    LoadControls(g, save);
    EXPECT_EQ(g.m_left_key, 30);
    EXPECT_EQ(g.m_right_key, 32);
    EXPECT_EQ(g.m_up_key, 17);
    EXPECT_EQ(g.m_down_key, 0);
    EXPECT_EQ(g.m_fire_primary_key, 0);
    EXPECT_EQ(g.m_fire_primary_joy, 0);
    EXPECT_EQ(g.m_fire_secondary_joy, 2);
    EXPECT_EQ(g.m_maneuver_joy, 1);
    EXPECT_FLOAT_EQ(g.m_mouseSens, 1.0f);
    EXPECT_EQ(g.m_camera_pos, 2);
    EXPECT_EQ(g.m_custom_level_num, 4);
    EXPECT_EQ(g.m_levels_pack_name, "levels/base.set");
}

TEST_F(GameControlsTest, StoreThenLoadThroughTheEncipheredFile)
{
    GameData a;
    a.m_left_key = 75;
    a.m_right_key = 77;
    a.m_up_key = 72;
    a.m_down_key = 80;
    a.m_camera_key = 28;  // Enter: stored and read back though it has no name
    a.m_fire_primary_key = 44;
    a.m_fire_secondary_key = 45;
    a.m_maneuver_key = 54;
    a.m_fire_primary_joy = 3;
    a.m_fire_secondary_joy = 4;
    a.m_maneuver_joy = 5;
    a.m_mouseSens = 2.25f;
    a.m_camera_pos = 1;
    a.m_custom_level_num = 9;
    a.m_levels_pack_name = "levels/mine.set";
    a.scoreTables[0].Insert("Ann", 900, 3);
    a.scoreTables[1].Insert("Bob", 400, 1);
    ParamFile save;
    StoreControls(a, save);
    EXPECT_EQ(save.GetString("m_mouseSens", ""), "2.250000");
    EXPECT_FALSE(save.Has("m_game_kind"));
    ASSERT_TRUE(WriteSaveFile(save));
    Write("levels/levels.txt", "levels_count 5\n");

    GameData b;
    ParamFile read;
    ASSERT_TRUE(ReadSaveFile(read));
    LoadControls(b, read);
    EXPECT_EQ(b.m_left_key, 75);
    EXPECT_EQ(b.m_down_key, 80);
    EXPECT_EQ(b.m_camera_key, 28);
    EXPECT_EQ(b.m_maneuver_key, 54);
    EXPECT_EQ(b.m_fire_secondary_joy, 4);
    EXPECT_EQ(b.m_maneuver_joy, 5);
    EXPECT_FLOAT_EQ(b.m_mouseSens, 2.25f);
    EXPECT_EQ(b.m_camera_pos, 1);
    EXPECT_EQ(b.m_custom_level_num, 9);
    EXPECT_EQ(b.m_levels_pack_name, "levels/mine.set");
    EXPECT_EQ(b.levelsCount, 5);
    ASSERT_EQ(b.scoreTables[0].Entries().size(), 1u);
    EXPECT_EQ(b.scoreTables[0].Entries()[0].name, "Ann");
    ASSERT_EQ(b.scoreTables[1].Entries().size(), 1u);
    EXPECT_EQ(b.scoreTables[1].Entries()[0].score, 400);
}

TEST_F(GameControlsTest, ForeignOrMissingSaveFileGivesDefaults)
{
    ParamFile none;
    EXPECT_FALSE(ReadSaveFile(none));
    EXPECT_EQ(none.Size(), 0u);
    ParamFile other;
    other.SetInt("m_left_key", 99);
    ASSERT_TRUE(other.Save(kSaveFile, "another"));
    ParamFile read;
    ReadSaveFile(read);
    GameData g;
    LoadControls(g, read);
    // The noise of a foreign key holds no binding keys: defaults.
    EXPECT_NE(g.m_left_key, 99);
}

TEST(ScoreTable, RankAndInsert)
{
    CScoreTable t;
    EXPECT_EQ(t.Rank(0), -1);
    EXPECT_EQ(t.Rank(10), 0);
    for (int i = 0; i < 7; ++i)
        t.Insert("p" + std::to_string(i), 500, 1);
    EXPECT_EQ(t.Rank(500), -1);  // seven equal scores: an eighth does not qualify
    EXPECT_EQ(t.Rank(501), 0);
    t.Insert("top", 501, 2);
    ASSERT_EQ(t.Entries().size(), 7u);
    EXPECT_EQ(t.Entries()[0].name, "top");
    EXPECT_EQ(t.Entries()[6].name, "p5");
    t.Insert("mid", 500, 2);  // after the equal ones: dropped at once
    EXPECT_EQ(t.Entries()[6].name, "p5");
}

TEST_F(GameControlsTest, ScoreTableFileKeepsFileOrderAndIsBounded)
{
    ParamFile f;
    f.Parse("num 9 name0 a score0 5 name1 b score1 50 name2 c score2 7 name3 d name4 e name5 f name6 g "
            "name7 h name8 i",
            true);
    ASSERT_TRUE(f.Save("data/scores1.tab", CScoreTable::kKey));
    CScoreTable t;
    ASSERT_TRUE(t.Load("data/scores1.tab"));
    ASSERT_EQ(t.Entries().size(), 9u);
    EXPECT_EQ(t.Entries()[1].score, 50);
    t.Insert("new", 1, 1);
    EXPECT_EQ(t.Entries().size(), 7u);

    ParamFile huge;
    huge.Parse("num 2000000000 name0 x score0 3", true);
    ASSERT_TRUE(huge.Save("data/scores2.tab", CScoreTable::kKey));
    CScoreTable u;
    ASSERT_TRUE(u.Load("data/scores2.tab"));
    EXPECT_LE(u.Entries().size(), 3u);
}

}  // namespace

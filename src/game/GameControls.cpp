// GameControls: load and store of the bindings and preferences of "data/save.sav".
#include "game/GameControls.h"

#include "game/GameData.h"
#include "resources/GameFolders.h"
#include "resources/ParamFile.h"

void SetDefaultBindings(GameData& g)
{
    g.m_down_key = 208;
    g.m_left_key = 203;
    g.m_right_key = 205;
    g.m_up_key = 200;
    g.m_fire_primary_key = 29;
    g.m_fire_secondary_key = 57;
    g.m_maneuver_key = 42;
    g.m_camera_key = 46;
    g.m_fire_primary_joy = 0;
    g.m_fire_secondary_joy = 2;
    g.m_maneuver_joy = 1;
    g.m_mouseSens = 1.5f;
}

void LoadControls(GameData& g, const ParamFile& f)
{
    const int left = f.GetInt("m_left_key", "0");
    if (left == 0) {
        SetDefaultBindings(g);
    } else {
        g.m_left_key = left;
        g.m_right_key = f.GetInt("m_right_key", "0");
        g.m_up_key = f.GetInt("m_up_key", "0");
        g.m_down_key = f.GetInt("m_down_key", "0");
        g.m_camera_key = f.GetInt("m_camera_key", "0");
        g.m_fire_primary_key = f.GetInt("m_fire_primary_key", "0");
        g.m_fire_secondary_key = f.GetInt("m_fire_secondary_key", "0");
        g.m_maneuver_key = f.GetInt("m_maneuver_key", "0");
        g.m_fire_primary_joy = f.GetInt("m_fire_primary_joy", "0");
        g.m_fire_secondary_joy = f.GetInt("m_fire_secondary_joy", "2");
        g.m_maneuver_joy = f.GetInt("m_maneuver_joy", "1");
        g.m_mouseSens = f.GetFloat("m_mouseSens", "1");
        g.m_camera_pos = f.GetInt("m_camera_pos", "7");
        g.m_custom_level_num = f.GetInt("m_custom_level_num", "1");
        g.m_levels_pack_name = f.GetString("m_levels_pack_name", GameData::kDefaultLevelsPack);
    }
    g.m_attract_mode = f.GetInt("m_attract_mode", "1") != 0 ? 1 : 0;
    g.SelectLevelSet(g.m_levels_pack_name);
    for (int i = 0; i < 2; ++i)
        g.scoreTables[i].Load(CurrentFolders().ScoresFile(i));
}

void StoreControls(const GameData& g, ParamFile& f)
{
    f.SetInt("m_left_key", g.m_left_key);
    f.SetInt("m_right_key", g.m_right_key);
    f.SetInt("m_up_key", g.m_up_key);
    f.SetInt("m_down_key", g.m_down_key);
    f.SetInt("m_camera_key", g.m_camera_key);
    f.SetInt("m_fire_primary_key", g.m_fire_primary_key);
    f.SetInt("m_fire_secondary_key", g.m_fire_secondary_key);
    f.SetInt("m_maneuver_key", g.m_maneuver_key);
    f.SetInt("m_fire_primary_joy", g.m_fire_primary_joy);
    f.SetInt("m_fire_secondary_joy", g.m_fire_secondary_joy);
    f.SetInt("m_maneuver_joy", g.m_maneuver_joy);
    f.SetFloat("m_mouseSens", g.m_mouseSens);
    f.SetInt("m_camera_pos", g.m_camera_pos);
    f.SetInt("m_custom_level_num", g.m_custom_level_num);
    f.SetString("m_levels_pack_name", g.m_levels_pack_name);
    f.SetInt("m_attract_mode", g.m_attract_mode);
    // A table that cannot be written is logged by the writer and keeps its old file.
    for (int i = 0; i < 2; ++i)
        g.scoreTables[i].Save(CurrentFolders().ScoresFile(i));
}

bool ReadSaveFile(ParamFile& save)
{
    save.Clear();
    return save.Load(CurrentFolders().SaveFile(), true, kSaveKey);
}

bool WriteSaveFile(const ParamFile& save)
{
    return save.Save(CurrentFolders().SaveFile(), kSaveKey);
}

#!/usr/bin/env bash
# Seeds for save_fuzz: "data/save.sav" texts as the game writes them (controls only, and with a
# saved game of the base set), plus a saved game with hostile counts and levels.
# Usage: save.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
out="$2"
mkdir -p "$out"
controls='m_left_key 203
m_right_key 205
m_up_key 200
m_down_key 208
m_camera_key 46
m_fire_primary_key 29
m_fire_secondary_key 57
m_maneuver_key 42
m_fire_primary_joy 0
m_fire_secondary_joy 2
m_maneuver_joy 1
m_mouseSens 1.500000
m_camera_pos 7
m_custom_level_num 1
m_levels_pack_name levels/base.set
'
printf '%s' "$controls" >"$out/controls"
{
  printf '%s' "$controls"
  printf 'm_game_kind 0\ngf_m_score_at_level_begin 0\ngf_m_lifes_count_at_level_begin 2\ngf_m_is_game_over 0\n'
  printf 'gf_m_level_current 3\ngf_m_score_game 4200\ngf_m_score_level 0\ngf_m_score_counts 10\n'
  for i in 0 1 2 3 4 5 6 7 8 9; do printf 'gf_m_score_counts%d %d\n' $i $i; done
} >"$out/saved_game"
printf 'm_left_key 1\ngf_m_level_current 2000000000\ngf_m_score_counts -3\ngf_m_lifes_count_at_level_begin -1\nm_levels_pack_name data/save.sav\n' \
  >"$out/hostile"

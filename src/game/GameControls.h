// GameControls: the player's controls and preferences kept in "data/save.sav".
//
// The main menu calls LoadControls once when it is first built, with the file it has read
// (ReadSaveFile), and StoreControls into the tree it writes back at exit (WriteSaveFile); the
// game's autosave at every level start (done by the game screen) stores them too. The bindings are
// DirectInput scan codes and joystick button indices, whatever the platform: the input layer
// translates. A file without bindings ("m_left_key" missing or 0) gives every default binding and
// keeps the camera, custom level and level set already held. Failures are not errors: an
// unreadable file is an empty tree, and a level set or score table that cannot be read keeps
// what GameData holds.
#pragma once

class GameData;
class ParamFile;

// The save file's name in a portable game folder; an installed game keeps it in the player's
// configuration folder (GameFolders::SaveFile).
inline constexpr const char* kSaveFile = "data/save.sav";
inline constexpr const char* kSaveKey = "kq71x";

// The default bindings, as a fresh GameData holds them.
void SetDefaultBindings(GameData& game);

// Fills the bindings and preferences, mounts the chosen level set with its level list, then
// loads both score tables (GameFolders::ScoresFile: "data/scores1.tab" and "data/scores2.tab" in a
// portable game folder).
void LoadControls(GameData& game, const ParamFile& save);

// Writes every binding and preference key (not "m_game_kind"), then saves both score tables.
void StoreControls(const GameData& game, ParamFile& save);

// The save file (GameFolders::SaveFile) with its key; false (and an empty tree) when it cannot be read.
bool ReadSaveFile(ParamFile& save);
// Replaces the save file through a temporary file; false (logged by the writer) when it cannot be written.
bool WriteSaveFile(const ParamFile& save);

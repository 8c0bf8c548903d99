// AppConfig: the player's window and sound choices, kept in the settings file "data/dx.cfg".
//
// The entry point owns the use of the one record (TheAppConfig): it loads the settings before
// the window opens and saves them after the main loop ends. The game screen and the main menu
// read the quit and minimise keys; the options dialog changes autosave and sound. The settings
// file is a ParamFile enciphered with CCipher under the key "zel"; only the keys written by
// SaveSettings are kept. A missing, unreadable or foreign file leaves every setting at its
// default and is not reported; a file that cannot be written is not written (the old one stays
// whole: the text goes to a temporary file that is renamed over it).
#pragma once

#include "audio/Music.h"

#include <string>

// The settings file and its cipher key.
inline constexpr const char* kSettingsFile = "data/dx.cfg";
inline constexpr const char* kSettingsKey = "zel";

struct AppConfig {
    int m_window_width = 0;
    int m_window_height = 0;
    int m_window_left = 0;
    int m_window_top = 0;
    bool m_full_screen = true;
    int m_quit_key = 27;      // Escape: leaves the game screen and the main menu
    int m_minimize_key = 13;  // Enter
    bool m_autosave = false;
    bool m_sound = true;
    // The stereo-invert choice read from the file; the entry point hands it to the sound manager.
    bool m_sound_invert = false;
    // The menu music (its track list is loaded with the sounds at start-up; the main menu plays it).
    NAudio::Music m_music;
};

// The one process-wide settings record.
AppConfig& TheAppConfig();

// What the settings file takes from the running program when it is written.
struct SettingsSnapshot {
    bool minimized = false;    // a minimised window writes no size or position
    int windowLeft = 0;        // the window's current left and top edges on screen
    int windowTop = 0;
    bool soundInvert = false;  // the audio device's invert flag
    bool fullScreen = false;   // whether the window is in full screen now
};

// Window sizes read from the file are kept within these; smaller ones become the view size.
inline constexpr int kSettingsMinWindowSize = 100;
inline constexpr int kSettingsMaxWindowSize = 16384;

// Fills config from the settings file. Width and height first become the view size; when the
// file cannot be read nothing else changes and false is returned. Otherwise width, height, x, y,
// autosave, sound, invert stereo and full screen are read with their defaults.
bool LoadSettings(AppConfig& config, int viewWidth, int viewHeight, const std::string& path = kSettingsFile);

// Writes the settings file from config and the running program's state, replacing the old file.
// False when it cannot be written.
bool SaveSettings(const AppConfig& config, const SettingsSnapshot& state, const std::string& path = kSettingsFile);

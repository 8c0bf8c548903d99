// Loading and saving the settings file "data/dx.cfg".
#include "resources/AppConfig.h"

#include "resources/ParamFile.h"

AppConfig& TheAppConfig()
{
    static AppConfig config;
    return config;
}

bool LoadSettings(AppConfig& config, int viewWidth, int viewHeight, const std::string& path)
{
    config.m_window_width = viewWidth;
    config.m_window_height = viewHeight;
    ParamFile pf;
    if (!pf.Load(path, true, kSettingsKey))
        return false;
    config.m_window_width = pf.GetInt("m_window_width", "0");
    config.m_window_height = pf.GetInt("m_window_height", "0");
    config.m_window_left = pf.GetInt("x", "0");
    config.m_window_top = pf.GetInt("y", "0");
    // Too small falls back to the view size; a size no screen has (only a damaged or hand-made
    // file holds one) is treated the same, so that the window can always be opened.
    if (config.m_window_width < kSettingsMinWindowSize || config.m_window_width > kSettingsMaxWindowSize)
        config.m_window_width = viewWidth;
    if (config.m_window_height < kSettingsMinWindowSize || config.m_window_height > kSettingsMaxWindowSize)
        config.m_window_height = viewHeight;
    config.m_autosave = pf.GetInt("m_autosave", "0") == 1;
    config.m_sound = pf.GetInt("m_sound", "1") == 1;
    config.m_sound_invert = pf.GetInt("m_sound_invert", "0") != 0;
    config.m_full_screen = pf.GetInt("m_is_full_screen_loaded", "1") != 0;
    return true;
}

bool SaveSettings(const AppConfig& config, const SettingsSnapshot& state, const std::string& path)
{
    ParamFile pf;
    if (!state.minimized) {
        pf.SetInt("m_window_width", config.m_window_width);
        pf.SetInt("m_window_height", config.m_window_height);
        pf.SetInt("x", state.windowLeft);
        pf.SetInt("y", state.windowTop);
    }
    pf.SetInt("m_autosave", config.m_autosave ? 1 : 0);
    pf.SetInt("m_sound", config.m_sound ? 1 : 0);
    pf.SetInt("m_sound_invert", state.soundInvert ? 1 : 0);
    pf.SetInt("m_is_full_screen_loaded", state.fullScreen ? 1 : 0);
    return pf.Save(path, kSettingsKey);
}

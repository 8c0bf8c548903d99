// The settings file: defaults on a first run, the size limits, what a minimised window writes,
// foreign and damaged files.
#include "resources/AppConfig.h"
#include "resources/CCipher.h"
#include "resources/ParamFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class AppConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / ("gw_cfg_" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
        m_path = (m_dir / "dx.cfg").string();
        std::filesystem::remove(m_path);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    void WriteSettings(const std::string& text, const char* key = kSettingsKey)
    {
        ParamFile pf;
        pf.Parse(text, true);
        ASSERT_TRUE(pf.Save(m_path, key));
    }

    std::filesystem::path m_dir;
    std::string m_path;
};

}  // namespace

TEST_F(AppConfigTest, FirstRunWithoutAFileKeepsTheDefaults)
{
    AppConfig config;
    EXPECT_FALSE(LoadSettings(config, 800, 600, m_path));
    EXPECT_EQ(config.m_window_width, 800);
    EXPECT_EQ(config.m_window_height, 600);
    EXPECT_TRUE(config.m_full_screen);
    EXPECT_TRUE(config.m_sound);
    EXPECT_FALSE(config.m_autosave);
    EXPECT_FALSE(config.m_sound_invert);
    EXPECT_EQ(config.m_quit_key, 27);
    EXPECT_EQ(config.m_minimize_key, 13);
}

TEST_F(AppConfigTest, WrittenAndReadBack)
{
    AppConfig out;
    out.m_window_width = 1024;
    out.m_window_height = 768;
    out.m_autosave = true;
    out.m_sound = false;
    SettingsSnapshot state;
    state.windowLeft = 40;
    state.windowTop = 30;
    state.soundInvert = true;
    state.fullScreen = false;
    ASSERT_TRUE(SaveSettings(out, state, m_path));

    // The file holds exactly the keys of the table, in key order, enciphered with "zel".
    ParamFile raw;
    ASSERT_TRUE(raw.Load(m_path, true, kSettingsKey));
    EXPECT_EQ(raw.ToText(),
              "m_autosave 1\nm_is_full_screen_loaded 0\nm_sound 0\nm_sound_invert 1\n"
              "m_window_height 768\nm_window_width 1024\nx 40\ny 30\n");

    AppConfig in;
    ASSERT_TRUE(LoadSettings(in, 800, 600, m_path));
    EXPECT_EQ(in.m_window_width, 1024);
    EXPECT_EQ(in.m_window_height, 768);
    EXPECT_EQ(in.m_window_left, 40);
    EXPECT_EQ(in.m_window_top, 30);
    EXPECT_TRUE(in.m_autosave);
    EXPECT_FALSE(in.m_sound);
    EXPECT_TRUE(in.m_sound_invert);
    EXPECT_FALSE(in.m_full_screen);
}

TEST_F(AppConfigTest, MinimisedWindowWritesNoSizeOrPosition)
{
    AppConfig out;
    out.m_window_width = 1024;
    out.m_window_height = 768;
    SettingsSnapshot state;
    state.minimized = true;
    state.fullScreen = true;
    ASSERT_TRUE(SaveSettings(out, state, m_path));
    AppConfig in;
    ASSERT_TRUE(LoadSettings(in, 800, 600, m_path));
    EXPECT_EQ(in.m_window_width, 800);
    EXPECT_EQ(in.m_window_height, 600);
    EXPECT_TRUE(in.m_full_screen);
}

TEST_F(AppConfigTest, WidthsBelowAHundredAndAbsurdSizesFallBack)
{
    WriteSettings("m_window_width 99 m_window_height 100");
    AppConfig a;
    ASSERT_TRUE(LoadSettings(a, 800, 600, m_path));
    EXPECT_EQ(a.m_window_width, 800);
    EXPECT_EQ(a.m_window_height, 100);

    WriteSettings("m_window_width -5000 m_window_height 2000000000");
    AppConfig b;
    ASSERT_TRUE(LoadSettings(b, 800, 600, m_path));
    EXPECT_EQ(b.m_window_width, 800);
    EXPECT_EQ(b.m_window_height, 600);
}

TEST_F(AppConfigTest, SwitchesReadAsTheTableSays)
{
    // autosave and sound are on only for exactly 1; invert and full screen for any non-zero.
    WriteSettings("m_autosave 2 m_sound 2 m_sound_invert 2 m_is_full_screen_loaded 2");
    AppConfig a;
    ASSERT_TRUE(LoadSettings(a, 800, 600, m_path));
    EXPECT_FALSE(a.m_autosave);
    EXPECT_FALSE(a.m_sound);
    EXPECT_TRUE(a.m_sound_invert);
    EXPECT_TRUE(a.m_full_screen);

    WriteSettings("m_sound yes m_is_full_screen_loaded no");
    AppConfig b;
    ASSERT_TRUE(LoadSettings(b, 800, 600, m_path));
    EXPECT_FALSE(b.m_sound);  // present but not a number: 0
    EXPECT_FALSE(b.m_full_screen);
}

TEST_F(AppConfigTest, ForeignDamagedAndPlainFilesGiveTheDefaults)
{
    for (const char* key : {"kq71x", "qpwoeirut5678zmxncbv0192"}) {
        WriteSettings("m_window_width 1024 m_window_height 768 m_sound 0 m_is_full_screen_loaded 0", key);
        AppConfig config;
        LoadSettings(config, 800, 600, m_path);
        // The noise may hold anything, but never a value taken from the foreign file.
        EXPECT_NE(config.m_window_width, 1024) << key;
        EXPECT_NE(config.m_window_height, 768) << key;
        EXPECT_GE(config.m_window_width, kSettingsMinWindowSize);
        EXPECT_LE(config.m_window_width, kSettingsMaxWindowSize);
    }
    for (const std::string& bytes : {std::string(), std::string("\x05"), std::string("\xff\x01\x02"),
                                    std::string("m_window_width 1024\n")}) {
        std::ofstream(m_path, std::ios::binary) << bytes;
        AppConfig config;
        LoadSettings(config, 800, 600, m_path);
        EXPECT_GE(config.m_window_width, kSettingsMinWindowSize);
        EXPECT_LE(config.m_window_height, kSettingsMaxWindowSize);
    }
}

TEST_F(AppConfigTest, UnwritablePathReportsFalse)
{
    AppConfig out;
    EXPECT_FALSE(SaveSettings(out, SettingsSnapshot{}, (m_dir / "missing" / "dx.cfg").string()));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "missing"));
}

// gw-pack end to end: a folder round-trips through create, list and extract; settings files made
// by the tool load in the game and the other way round; bad command lines and hostile packs.
#include "resources/AppConfig.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int status = -1;
    std::string out;
};

class PackToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_tool = std::string(GW_BIN_DIR) + "/gw-pack";
        ASSERT_TRUE(fs::exists(m_tool)) << "build the gw-pack target first: " << m_tool;
        m_dir = fs::temp_directory_path() / ("gw_packtool_" + std::to_string(getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        ResourceGroup::DeleteAllGroups();
        fs::remove_all(m_dir);
    }

    // Runs the tool with a shell-quoted argument string; collects standard output.
    RunResult Run(const std::string& arguments) const
    {
        RunResult r;
        std::string command = "'" + m_tool + "' " + arguments + " 2>/dev/null";
        FILE* p = popen(command.c_str(), "r");
        if (!p)
            return r;
        std::array<char, 4096> chunk;
        size_t got;
        while ((got = std::fread(chunk.data(), 1, chunk.size(), p)) > 0)
            r.out.append(chunk.data(), got);
        int status = pclose(p);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return r;
    }
    std::string P(const std::string& leaf) const { return "'" + (m_dir / leaf).string() + "'"; }
    void Write(const std::string& leaf, const std::string& bytes) const
    {
        fs::create_directories((m_dir / leaf).parent_path());
        std::ofstream((m_dir / leaf).string(), std::ios::binary) << bytes;
    }
    std::string ReadAll(const fs::path& path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string m_tool;
    fs::path m_dir;
};

const std::string kKey = "qpwoeirut5678zmxncbv0192";

}  // namespace

TEST_F(PackToolTest, FolderRoundTripsWithMixedFlags)
{
    std::string noise;
    for (int i = 0; i < 3000; ++i)
        noise += char(i * 31 + 7);
    Write("src/dat/game.txt", "m_lives 3\n");
    Write("src/dat/planes/Jet.txt", "m_plane_speed_max_forward 2.5\n");
    Write("src/mui/font.tga", noise);
    Write("src/empty.txt", "");
    ASSERT_EQ(Run("create " + P("data.pk") + " " + P("src") + " --key " + kKey + " --encipher 'dat/*'").status, 0);

    RunResult list = Run("list " + P("data.pk"));
    ASSERT_EQ(list.status, 0);
    EXPECT_EQ(list.out,
              "dat/game.txt 10 y 27\n"
              "dat/planes/Jet.txt 30 y 64\n"
              "empty.txt 0 n 112\n"
              "mui/font.tga 3000 n 133\n");

    ASSERT_EQ(Run("extract " + P("data.pk") + " " + P("out") + " --key " + kKey).status, 0);
    for (const char* leaf : {"dat/game.txt", "dat/planes/Jet.txt", "mui/font.tga", "empty.txt"})
        EXPECT_EQ(ReadAll(m_dir / "out" / leaf), ReadAll(m_dir / "src" / leaf)) << leaf;

    // The game reads the tool's pack.
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    group->SetKey(kKey);
    ASSERT_TRUE(group->MountPack((m_dir / "data.pk").string()));
    EXPECT_EQ(group->ReadFile("DAT\\PLANES\\JET.TXT").Text(), "m_plane_speed_max_forward 2.5\n");
    ParamFile pf;
    ASSERT_TRUE(pf.Read(*group, "dat/game.txt", true));
    EXPECT_EQ(pf.GetInt("m_lives", "0"), 3);
}

TEST_F(PackToolTest, SettingsFilesCrossBetweenToolAndGame)
{
    Write("dx.txt", "m_window_width 1024\nm_window_height 768\nm_is_full_screen_loaded 0\n");
    ASSERT_EQ(Run("encipher " + P("dx.txt") + " " + P("dx.cfg") + " --key zel").status, 0);
    AppConfig config;
    ASSERT_TRUE(LoadSettings(config, 800, 600, (m_dir / "dx.cfg").string()));
    EXPECT_EQ(config.m_window_width, 1024);
    EXPECT_EQ(config.m_window_height, 768);
    EXPECT_FALSE(config.m_full_screen);

    SettingsSnapshot state;
    state.windowLeft = 12;
    ASSERT_TRUE(SaveSettings(config, state, (m_dir / "game.cfg").string()));
    RunResult text = Run("decipher " + P("game.cfg") + " --key zel");
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(text.out,
              "m_autosave 0\nm_is_full_screen_loaded 0\nm_sound 1\nm_sound_invert 0\n"
              "m_window_height 768\nm_window_width 1024\nx 12\ny 0\n");
}

TEST_F(PackToolTest, BadCommandLinesAndUnreadableInput)
{
    EXPECT_EQ(Run("--help").status, 0);
    EXPECT_NE(Run("--help").out.find("gw-pack create OUT DIR --key KEY"), std::string::npos);
    EXPECT_EQ(Run("").status, 2);
    EXPECT_EQ(Run("frobnicate x").status, 2);
    EXPECT_EQ(Run("list").status, 2);
    EXPECT_EQ(Run("extract a b").status, 2);                 // no key
    EXPECT_EQ(Run("decipher a --key").status, 2);            // key without value
    EXPECT_EQ(Run("list a --bogus").status, 2);
    EXPECT_EQ(Run("create o " + P("src") + " --encipher '*'").status, 2);  // nothing to encipher with
    EXPECT_EQ(Run("list " + P("missing.pk")).status, 1);
    EXPECT_EQ(Run("decipher " + P("missing.cfg") + " --key zel").status, 1);
    EXPECT_EQ(Run("create " + P("o.pk") + " " + P("no_folder") + " --key k").status, 1);
    Write("notpack", "PK not a pack");
    EXPECT_EQ(Run("list " + P("notpack")).status, 1);
    Write("long/" + std::string(100, 'n'), "x");
    EXPECT_EQ(Run("create " + P("o.pk") + " " + P("long") + " --key k").status, 1);
    EXPECT_FALSE(fs::exists(m_dir / "o.pk"));
}

TEST_F(PackToolTest, ExtractKeepsHostileNamesInsideTheFolder)
{
    // A pack naming "../escape.txt" and "/abs.txt" must not write outside the target folder.
    std::string pack = std::string("LB") + std::string("\x03\0\0\0", 4);
    auto add = [&](const std::string& name, const std::string& data) {
        pack += char(name.size());
        pack += std::string(3, '\0');
        pack += name;
        pack += char(data.size());
        pack += std::string(3, '\0');
        pack += 'n';
        pack += data;
    };
    add("../escape.txt", "bad");
    add("/abs.txt", "bad");
    add("ok\\inside.txt", "good");
    Write("evil.set", pack);
    EXPECT_EQ(Run("extract " + P("evil.set") + " " + P("out") + " --key k").status, 1);
    EXPECT_FALSE(fs::exists(m_dir / "escape.txt"));
    EXPECT_EQ(ReadAll(m_dir / "out" / "ok" / "inside.txt"), "good");
}

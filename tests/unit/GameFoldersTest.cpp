// Where the data is found and where the player's files go: portable game folders, an installed
// prefix, the environment's choices, a missing or unwritable home. No window, real temporary folders.
#include "resources/GameFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class GameFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("gw_folders_" + std::to_string(getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root);
        m_root = fs::canonical(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }

    // A game folder with data/data.pk and levels/base.set.
    fs::path GameFolder(const fs::path& dir)
    {
        fs::create_directories(dir / "data");
        fs::create_directories(dir / "levels");
        std::ofstream(dir / "data" / "data.pk") << "pack";
        std::ofstream(dir / "levels" / "base.set") << "set";
        return dir;
    }
    // Inputs of a program started from `cwd`, with only the given variables set.
    FolderInputs Inputs(const fs::path& cwd, const fs::path& exe = {})
    {
        FolderInputs in;
        in.currentDir = cwd.string();
        in.executable = exe.string();
        in.env = [this](const char* name) -> const char* {
            auto it = m_env.find(name);
            return it == m_env.end() ? nullptr : it->second.c_str();
        };
        return in;
    }

    fs::path m_root;
    std::map<std::string, std::string> m_env;
};

}  // namespace

TEST_F(GameFoldersTest, AWritableGameFolderIsPortableWithTodaysNames)
{
    const fs::path game = GameFolder(m_root / "build" / "game");
    m_env["HOME"] = (m_root / "home").string();
    const GameFolders f = ResolveGameFolders(Inputs(game, m_root / "build" / "bin" / "gorgewing2"));
    EXPECT_TRUE(f.portable);
    EXPECT_EQ(f.dataDir, game.string());
    EXPECT_EQ(f.SettingsFile(), "data/dx.cfg");
    EXPECT_EQ(f.SaveFile(), "data/save.sav");
    EXPECT_EQ(f.ScoresFile(0), "data/scores1.tab");
    EXPECT_EQ(f.ScoresFile(1), "data/scores2.tab");
    EXPECT_EQ(f.LogFile(), "log.txt");
    EXPECT_TRUE(f.userLevelsDir.empty());
    EXPECT_TRUE(MakeUserFolders(f));
    EXPECT_FALSE(fs::exists(m_root / "home"));  // nothing made in the home

    // The build's game folder is found from the executable too, from any working folder.
    const GameFolders fromElsewhere = ResolveGameFolders(Inputs(m_root, m_root / "build" / "bin" / "gorgewing2"));
    EXPECT_TRUE(fromElsewhere.portable);
    EXPECT_EQ(fromElsewhere.dataDir, game.string());
}

TEST_F(GameFoldersTest, AnInstalledPrefixKeepsThePlayersFilesInTheXdgFolders)
{
    const fs::path prefix = m_root / "prefix";
    const fs::path data = GameFolder(prefix / "share" / "gorgewing2");
    const fs::path home = m_root / "home";
    m_env["HOME"] = home.string();
    // The prefix is writable here (tests may run as root): the installed place is read-only by rule.
    const GameFolders f = ResolveGameFolders(Inputs(m_root, prefix / "bin" / "gorgewing2"));
    EXPECT_FALSE(f.portable);
    EXPECT_EQ(f.dataDir, data.string());
    EXPECT_EQ(f.SettingsFile(), (home / ".config/gorgewing2/dx.cfg").string());
    EXPECT_EQ(f.SaveFile(), (home / ".config/gorgewing2/save.sav").string());
    EXPECT_EQ(f.ScoresFile(0), (home / ".local/share/gorgewing2/scores1.tab").string());
    EXPECT_EQ(f.ScoresFile(1), (home / ".local/share/gorgewing2/scores2.tab").string());
    EXPECT_EQ(f.userLevelsDir, (home / ".local/share/gorgewing2/levels").string());
    EXPECT_EQ(f.LogFile(), (home / ".local/state/gorgewing2/log.txt").string());
    EXPECT_EQ(f.picturesDir, (home / "Pictures/gorgewing2").string());

    ASSERT_TRUE(MakeUserFolders(f));
    struct stat st {};
    ASSERT_EQ(stat(f.configDir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(fs::is_directory(f.userLevelsDir));
    EXPECT_TRUE(fs::is_directory(f.stateDir));
    EXPECT_FALSE(fs::exists(f.picturesDir));  // made by the first screenshot only

    // A moved prefix is found the same way.
    fs::rename(prefix, m_root / "moved");
    const GameFolders moved = ResolveGameFolders(Inputs(m_root, m_root / "moved" / "bin" / "gorgewing2"));
    EXPECT_EQ(moved.dataDir, (m_root / "moved" / "share" / "gorgewing2").string());
    EXPECT_FALSE(moved.portable);
}

TEST_F(GameFoldersTest, TheEnvironmentAndTheOptionsChoose)
{
    const fs::path installed = GameFolder(m_root / "prefix" / "share" / "gorgewing2");
    const fs::path other = GameFolder(m_root / "other");
    const fs::path exe = m_root / "prefix" / "bin" / "gorgewing2";
    m_env["HOME"] = (m_root / "home").string();
    m_env["XDG_CONFIG_HOME"] = (m_root / "cfg/").string();
    m_env["XDG_DATA_HOME"] = "relative/ignored";  // not absolute: the default applies
    m_env["XDG_STATE_HOME"] = (m_root / "state").string();
    GameFolders f = ResolveGameFolders(Inputs(m_root, exe));
    EXPECT_EQ(f.SettingsFile(), (m_root / "cfg/gorgewing2/dx.cfg").string());
    EXPECT_EQ(f.ScoresFile(0), (m_root / "home/.local/share/gorgewing2/scores1.tab").string());
    EXPECT_EQ(f.LogFile(), (m_root / "state/gorgewing2/log.txt").string());

    m_env["GORGEWING2_DATA"] = other.string();
    f = ResolveGameFolders(Inputs(m_root, exe));
    EXPECT_EQ(f.dataDir, other.string());
    EXPECT_FALSE(f.portable);

    // --data beats the variable, and a relative --data is taken from the working folder.
    FolderInputs in = Inputs(m_root, exe);
    in.dataOption = "prefix/share/gorgewing2";
    f = ResolveGameFolders(in);
    EXPECT_EQ(f.dataDir, installed.string());
    EXPECT_FALSE(f.portable);
    in.portableOption = true;
    f = ResolveGameFolders(in);
    EXPECT_TRUE(f.portable);
    EXPECT_EQ(f.SettingsFile(), "data/dx.cfg");

    // --portable alone: the installed data folder, written beside (its writes may then fail).
    m_env.erase("GORGEWING2_DATA");
    in.dataOption.clear();
    f = ResolveGameFolders(in);
    EXPECT_EQ(f.dataDir, installed.string());
    EXPECT_TRUE(f.portable);
}

TEST_F(GameFoldersTest, AMissingOrUnwritableHomeNeverStopsTheGame)
{
    GameFolder(m_root / "prefix" / "share" / "gorgewing2");
    const fs::path exe = m_root / "prefix" / "bin" / "gorgewing2";
    // No HOME: the account's home from the user database.
    FolderInputs in = Inputs(m_root, exe);
    in.accountHome = (m_root / "account").string();
    GameFolders f = ResolveGameFolders(in);
    EXPECT_EQ(f.SettingsFile(), (m_root / "account/.config/gorgewing2/dx.cfg").string());
    m_env["HOME"] = "";  // an empty HOME counts as none
    EXPECT_EQ(ResolveGameFolders(in).configDir, (m_root / "account/.config/gorgewing2").string());

    // No home at all: no file names, so nothing is read or written anywhere.
    in.accountHome.clear();
    f = ResolveGameFolders(in);
    EXPECT_FALSE(f.portable);
    EXPECT_EQ(f.SettingsFile(), "");
    EXPECT_EQ(f.SaveFile(), "");
    EXPECT_EQ(f.ScoresFile(1), "");
    EXPECT_EQ(f.LogFile(), "");
    EXPECT_EQ(f.picturesDir, "");
    EXPECT_FALSE(MakeUserFolders(f));

    // A home that is not a folder (a file here, since root writes through read-only modes): the
    // folders cannot be made, which is reported, not fatal.
    std::ofstream(m_root / "notafolder") << "x";
    m_env["HOME"] = (m_root / "notafolder").string();
    f = ResolveGameFolders(Inputs(m_root, exe));
    EXPECT_FALSE(MakeUserFolders(f));
    EXPECT_FALSE(fs::exists(f.configDir));
}

TEST_F(GameFoldersTest, PicturesFolderFollowsUserDirs)
{
    FolderInputs in = Inputs(m_root);
    m_env["HOME"] = "/home/ada";
    const fs::path config = m_root / "cfg";
    EXPECT_EQ(PicturesFolder(in, config.string()), "/home/ada/Pictures");
    fs::create_directories(config);
    std::ofstream(config / "user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                                "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                                "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    EXPECT_EQ(PicturesFolder(in, config.string()), "/home/ada/Bilder");
    std::ofstream(config / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"/srv/shots/\"\n";
    EXPECT_EQ(PicturesFolder(in, config.string()), "/srv/shots");
    // "$HOME/" means no pictures folder of its own; a relative value is not valid.
    std::ofstream(config / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/\"\nXDG_PICTURES_DIR=\"shots\"\n";
    EXPECT_EQ(PicturesFolder(in, config.string()), "/home/ada/Pictures");
}

TEST_F(GameFoldersTest, LevelSetNamesAreFoundInTheDataFolderThenThePlayers)
{
    const fs::path data = GameFolder(m_root / "data");
    GameFolders f;
    f.dataDir = data.string();
    f.portable = false;
    f.userDataDir = (m_root / "own").string();
    fs::create_directories(m_root / "own" / "levels");
    std::ofstream(m_root / "own" / "levels" / "canyon.set") << "set";
    std::ofstream(m_root / "own" / "levels" / "base.set") << "shadowed";

    EXPECT_EQ(ResolveLevelSetPath("levels/base.set", f), "levels/base.set");
    EXPECT_EQ(ResolveLevelSetPath("levels/canyon.set", f), (m_root / "own/levels/canyon.set").string());
    EXPECT_EQ(ResolveLevelSetPath("/abs/any.set", f), "/abs/any.set");
    EXPECT_EQ(ResolveLevelSetPath("levels/none.set", f), "levels/none.set");
    f.portable = true;  // a portable folder has no player's folder
    EXPECT_EQ(ResolveLevelSetPath("levels/canyon.set", f), "levels/canyon.set");
}

// The player's files under faults: a writer killed at random moments leaves the old file or the
// new one, complete; a full disk and a read-only folder make every save fail with a log line, keep
// the previous file, and the game goes on.
//
// The kill test runs GW_KILL_SAVE_COUNT kills per file (25 by default, a few seconds; the long
// check uses 200). The full-disk and read-only cases run in a child process inside a mount
// namespace of its own (a small tmpfs, then remounted read-only), so that they stop root as well
// and leave no mount behind; where namespaces are not allowed they are skipped with a message.
#include "LevelFiles.h"

#include "app/Log.h"
#include "game/GameControls.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "game/ScoreTable.h"
#include "input/InputDevices.h"
#include "resources/AppConfig.h"
#include "resources/GameFolders.h"
#include "resources/ParamFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Two versions of each of the player's files, as the game writes and reads them.
struct Versions {
    std::string file;
    std::function<bool(int version)> write;
    // Which version the game reads from the file: 0 or 1, or -1 when it is neither whole.
    std::function<int()> read;
};

AppConfig ConfigVersion(int v)
{
    AppConfig c;
    c.m_window_width = v ? 1024 : 640;
    c.m_window_height = v ? 768 : 480;
    c.m_autosave = v != 0;
    c.m_sound = v == 0;
    return c;
}

ParamFile SaveVersion(int v)
{
    ParamFile f;
    f.SetInt("m_left_key", v ? 30 : 203);
    f.SetInt("m_right_key", v ? 32 : 205);
    f.SetString("m_levels_pack_name", v ? "levels/other.set" : "levels/base.set");
    f.SetInt("gf_m_level_current", v ? 7 : 2);
    for (int i = 0; i < 10; ++i)
        f.SetInt("gf_m_score_counts" + std::to_string(i), v * 100 + i);
    return f;
}

CScoreTable TableVersion(int v)
{
    CScoreTable t;
    for (int i = 0; i < (v ? 7 : 3); ++i)
        t.Insert((v ? "New " : "Old ") + std::to_string(i), 1000 * (8 - i), i + 1);
    return t;
}

bool SameTable(const CScoreTable& a, const CScoreTable& b)
{
    if (a.Entries().size() != b.Entries().size())
        return false;
    for (size_t i = 0; i < a.Entries().size(); ++i)
        if (a.Entries()[i].name != b.Entries()[i].name || a.Entries()[i].score != b.Entries()[i].score ||
            a.Entries()[i].level != b.Entries()[i].level)
            return false;
    return true;
}

std::vector<Versions> PlayerFiles()
{
    std::vector<Versions> files;
    files.push_back({CurrentFolders().SettingsFile(),
                     [](int v) {
                         SettingsSnapshot s;
                         s.fullScreen = v != 0;
                         return SaveSettings(ConfigVersion(v), s, CurrentFolders().SettingsFile());
                     },
                     [] {
                         AppConfig c;
                         if (!LoadSettings(c, 800, 600, CurrentFolders().SettingsFile()))
                             return -1;
                         for (int v = 0; v < 2; ++v) {
                             const AppConfig e = ConfigVersion(v);
                             if (c.m_window_width == e.m_window_width && c.m_window_height == e.m_window_height &&
                                 c.m_autosave == e.m_autosave && c.m_sound == e.m_sound && c.m_full_screen == (v != 0))
                                 return v;
                         }
                         return -1;
                     }});
    files.push_back({CurrentFolders().SaveFile(), [](int v) { return WriteSaveFile(SaveVersion(v)); },
                     [] {
                         ParamFile f;
                         if (!ReadSaveFile(f))
                             return -1;
                         for (int v = 0; v < 2; ++v)
                             if (f.Pairs() == SaveVersion(v).Pairs())
                                 return v;
                         return -1;
                     }});
    for (int i = 0; i < 2; ++i) {
        const std::string file = CurrentFolders().ScoresFile(i);
        files.push_back({file, [file](int v) { return TableVersion(v).Save(file); },
                         [file] {
                             CScoreTable t;
                             if (!t.Load(file))
                                 return -1;
                             for (int v = 0; v < 2; ++v)
                                 if (SameTable(t, TableVersion(v)))
                                     return v;
                             return -1;
                         }});
    }
    return files;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SaveFaults : public GameFolderTest {};

}  // namespace

TEST_F(SaveFaults, AKilledWriterLeavesTheOldOrTheNewFileWhole)
{
    int count = 25;
    if (const char* env = std::getenv("GW_KILL_SAVE_COUNT"))
        count = std::max(1, std::atoi(env));
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> pause(0, 4000);  // microseconds
    for (const Versions& f : PlayerFiles()) {
        ASSERT_TRUE(f.write(0)) << f.file;
        int seen[2] = {0, 0};
        // On a busy machine the writer may get so little time that every kill lands in one phase
        // of its loop: more kills are made, up to four times the count and with longer pauses,
        // until both were seen.
        int k = 0;
        for (; k < count || (count >= 20 && k < 4 * count && (seen[0] == 0 || seen[1] == 0)); ++k) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                // The writer: the two versions in turn, as fast as it can, until it is killed.
                for (int v = 1;; v ^= 1)
                    f.write(v);
            }
            // Past the count the pauses grow (up to 50 ms): where a durable write takes longer than
            // the 4 ms window, later kills still find the writer past its second rename.
            const int stretch = k < count ? 1 : std::min(12, 1 + (k - count) / 5);
            usleep(static_cast<useconds_t>(pause(rng) * stretch));
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);
            ASSERT_TRUE(WIFSIGNALED(status)) << f.file;
            const int version = f.read();
            ASSERT_NE(version, -1) << f.file << " is neither the old nor the new content after kill " << k;
            ++seen[version];
        }
        // The kills landed in both phases of the loop, not always before its first write.
        if (count >= 20) {
            EXPECT_GT(seen[0], 0) << f.file;
            EXPECT_GT(seen[1], 0) << f.file;
        }
        std::printf("%s: %d kills, old %d, new %d\n", f.file.c_str(), k, seen[0], seen[1]);
    }
}

namespace {

// In a child process with a mount namespace of its own: "data" becomes a small tmpfs holding the
// first version of every file; then fill (true: the tmpfs is filled to the last byte; false: it is
// remounted read-only) and every save is tried with the second version. The child's exit status
// is the number of failed checks; 77 when no namespace or mount could be made.
int FaultInChild(const std::filesystem::path& dir, bool fill)
{
    if (unshare(CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return 77;
    if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return 77;
    const std::string data = (dir / "data").string();
    if (mount("tmpfs", data.c_str(), "tmpfs", 0, "size=64k") != 0)
        return 77;
    LogOpen((dir / "log.txt").c_str());
    int failed = 0;
    auto check = [&failed](bool ok, const std::string& what) {
        if (!ok) {
            std::fprintf(stderr, "FAILED: %s\n", what.c_str());
            ++failed;
        }
    };
    const std::vector<Versions> files = PlayerFiles();
    for (const Versions& f : files)
        check(f.write(0), "first write of " + f.file);
    if (fill) {
        std::FILE* filler = std::fopen((data + "/filler").c_str(), "wb");
        char block[512] = {};
        while (filler && std::fwrite(block, 1, sizeof block, filler) == sizeof block && std::fflush(filler) == 0) {
        }
        // The last partial block too: not one byte is left.
        while (filler && std::fwrite(block, 1, 1, filler) == 1 && std::fflush(filler) == 0) {
        }
        if (filler)
            std::fclose(filler);
    } else if (mount(nullptr, data.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        return 77;
    }
    for (const Versions& f : files) {
        check(!f.write(1), "a save of " + f.file + " reported success");
        check(f.read() == 0, f.file + " is not the previous file any more");
        check(ReadText((dir / "log.txt").string()).find("cannot write " + f.file) != std::string::npos,
              std::string("no log line for ") + f.file);
    }
    // The game goes on: a level start (which autosaves) and a few frames of it.
    GameData game;
    InputDevices input;
    CGameField field(&game, nullptr, &input, false);
    uint32_t clock = 0;
    field.SetClock([&clock] { return clock; });
    field.NewLevel(1);
    for (int n = 0; n < 30; ++n) {
        field.Update(16.666666f * game.timeScale);
        clock += 17;
    }
    check(field.Player() != nullptr, "the level did not start after the failed autosave");
    check(files[1].read() == 0, "the autosave changed the previous save.sav");
    return failed;
}

int RunFaultChild(const std::filesystem::path& dir, bool fill)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(FaultInChild(dir, fill));
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

}  // namespace

TEST_F(SaveFaults, AFullDiskFailsEverySaveCleanly)
{
    const int result = RunFaultChild(m_dir, true);
    if (result == 77)
        GTEST_SKIP() << "no mount namespace here (needs root or user namespaces)";
    EXPECT_EQ(result, 0) << "see the FAILED lines above";
}

TEST_F(SaveFaults, AReadOnlyFolderFailsEverySaveCleanlyEvenForRoot)
{
    const int result = RunFaultChild(m_dir, false);
    if (result == 77)
        GTEST_SKIP() << "no mount namespace here (needs root or user namespaces)";
    EXPECT_EQ(result, 0) << "see the FAILED lines above";
}

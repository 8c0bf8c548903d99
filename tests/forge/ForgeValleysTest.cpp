// gw-forge valleys: a seeded set is the same bytes for the same seed and a different landscape,
// palette and enemy placement for another; its pack reads back through the game's own readers
// (the level-set list with its title, every level's terrain, water, clouds and enemies); the
// command writes the pack and refuses bad arguments.
#include "ForgeContent.h"
#include "game/GameData.h"
#include "resources/PackFile.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"
#include "ui/LevelSetDlg.h"
#include "world/EnemiesCtrl.h"
#include "world/EnemyKinds.h"
#include "world/Level.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace {

using Pack = ForgeFiles::Pack;

const ForgeFiles& Set(uint64_t seed)
{
    // Two levels each: enough for the first and the last of the rise, and quick.
    static std::map<uint64_t, ForgeFiles> made;
    auto it = made.find(seed);
    if (it == made.end()) {
        it = made.emplace(seed, ForgeFiles{}).first;
        ForgeValleySet(it->second, seed, "Test Valleys", 2);
    }
    return it->second;
}

const std::vector<uint8_t>& Bytes(const ForgeFiles& f, const std::string& name)
{
    static const std::vector<uint8_t> none;
    auto it = f.Files(Pack::Levels).find(name);
    return it == f.Files(Pack::Levels).end() ? none : it->second.bytes;
}

std::filesystem::path TempDir(const char* name)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace

TEST(ForgeValleys, TheSameSeedMakesTheSameBytesAnotherSeedAnotherValley)
{
    ForgeFiles again;
    ForgeValleySet(again, 11, "Test Valleys", 2);
    const ForgeFiles& a = Set(11);
    ASSERT_EQ(a.Files(Pack::Levels).size(), again.Files(Pack::Levels).size());
    for (const auto& [name, file] : a.Files(Pack::Levels))
        EXPECT_EQ(file.bytes, Bytes(again, name)) << name;
    EXPECT_TRUE(a.Files(Pack::Main).empty());

    // Every level has the base set's files.
    for (const char* file : {"height.raw", "main.jpg", "detail.jpg", "water.jpg", "clouds.jpg", "noise.jpg", "dome.obj",
                             "terra.ter", "clouds.cld", "enemies.ter"})
        for (int level = 1; level <= 2; ++level)
            EXPECT_FALSE(Bytes(a, "levels/level0" + std::to_string(level) + "/" + file).empty()) << level << " " << file;

    // Another seed: another river course, another palette, other enemies.
    const ForgeFiles& b = Set(12);
    for (const char* file : {"height.raw", "main.jpg", "water.jpg", "enemies.ter", "clouds.cld"})
        EXPECT_NE(Bytes(a, std::string("levels/level01/") + file), Bytes(b, std::string("levels/level01/") + file)) << file;
    const auto& ha = Bytes(a, "levels/level02/height.raw");
    const auto& hb = Bytes(b, "levels/level02/height.raw");
    ASSERT_EQ(ha.size(), hb.size());
    size_t differ = 0;
    for (size_t i = 0; i < ha.size(); ++i)
        differ += ha[i] != hb[i] ? 1 : 0;
    EXPECT_GT(differ, ha.size() / 3) << "the valleys of two seeds should differ in most places";
}

TEST(ForgeValleys, ThePackReadsBackThroughTheGamesReaders)
{
    const std::filesystem::path dir = TempDir("gw_valleys_read_");
    const std::string pack = (dir / "valleys.set").string();
    {
        std::vector<PackSource> sources;
        for (const auto& [name, file] : Set(11).Files(Pack::Levels))
            sources.push_back(PackSource{name, file.bytes, file.encipher});
        std::string error;
        ASSERT_TRUE(WritePack(pack, sources, kLevelsPackKey, &error)) << error;
    }
    // The level-set list: the title in place of the file's name.
    std::string title;
    EXPECT_EQ(NInterface::CLevelSetDlg::ReadSetInfo(pack, title), 2);
    EXPECT_EQ(title, "Test Valleys");
    EXPECT_EQ(NInterface::CLevelSetDlg::ItemText("valleys.set", title, 2), "Test Valleys (2)");

    // Every level as a game level starts: terrain, water, clouds, enemies.
    ResourceGroup::DeleteGroup(kLevelsGroup);
    ResourceGroup* group = ResourceGroup::CreateGroup(kLevelsGroup);
    group->SetKey(kLevelsPackKey);
    ASSERT_TRUE(group->MountPack(pack));
    RegisterEnemyKinds();
    GameData game;
    for (int level = 1; level <= 2; ++level) {
        CLevel world(&game, nullptr, false);
        EXPECT_TRUE(world.LoadLevel(level)) << level;
        EXPECT_FLOAT_EQ(world.FlyingHeight(), ForgeScale::kFlyHeight);
        EXPECT_GT(world.Length(), 2000.0f);
        ASSERT_NE(world.Enemies(), nullptr);
        size_t depots = 0;
        for (const auto& e : world.Enemies()->Enemies())
            depots += e->ScoreCode() == 0 ? 1 : 0;
        EXPECT_GT(world.Enemies()->Enemies().size(), depots + 10) << level;
        EXPECT_GE(depots, 5u) << level;
    }
    ResourceGroup::DeleteGroup(kLevelsGroup);
    std::filesystem::remove_all(dir);
}

TEST(ForgeValleys, TheCommandWritesTheSetAndRefusesBadArguments)
{
    const std::filesystem::path dir = TempDir("gw_valleys_cmd_");
    const std::string out = (dir / "mine.set").string();
    const std::string forge = GW_FORGE_EXE;
    const std::string quiet = " >/dev/null 2>&1";
    ASSERT_EQ(std::system((forge + " valleys --seed 77 --levels 1 --title 'My Gorge' " + out + quiet).c_str()), 0);
    std::string title;
    EXPECT_EQ(NInterface::CLevelSetDlg::ReadSetInfo(out, title), 1);
    EXPECT_EQ(title, "My Gorge");
    for (const char* bad : {" valleys --levels 1 x.set", " valleys --seed -3 x.set", " valleys --seed 5 --levels 0 x.set",
                            " valleys --seed 5 --levels 61 x.set", " valleys --seed 5 a.set b.set", " valleys --seed"})
        EXPECT_NE(std::system((forge + bad + quiet).c_str()), 0) << bad;
    std::filesystem::remove_all(dir);
}

TEST(ForgeValleys, TitlesAreCleanedAsTheFontDrawsThem)
{
    using NInterface::CLevelSetDlg;
    EXPECT_EQ(CLevelSetDlg::CleanSetTitle("  Deep\tRiver\x01 \xc3\xa9 "), "DeepRiver");
    EXPECT_EQ(CLevelSetDlg::CleanSetTitle(std::string(100, 'x')).size(), CLevelSetDlg::kMaxTitle);
    EXPECT_EQ(CLevelSetDlg::CleanSetTitle("   "), "");
    EXPECT_EQ(CLevelSetDlg::ItemText("my_set.set", "", 4), "my_set (4)");
}

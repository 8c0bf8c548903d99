// Resource groups over pack files: the format byte for byte, look-ups, disk fall-back, the group
// table, and damaged or hostile packs.
#include "app/Log.h"
#include "resources/EntryCipher.h"
#include "resources/PackFile.h"
#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

const char* kMainKey = "qpwoeirut5678zmxncbv0192";

std::vector<uint8_t> Bytes(const std::string& s)
{
    return {s.begin(), s.end()};
}

class ResourceGroupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("gw_res_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        ResourceGroup::DeleteAllGroups();
        std::filesystem::remove_all(m_dir);
    }
    std::string Path(const std::string& leaf) const { return (m_dir / leaf).string(); }
    std::string WriteRaw(const std::string& leaf, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(Path(leaf), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return Path(leaf);
    }
    std::string WritePackFile(const std::string& leaf, const std::vector<PackSource>& sources,
                              const std::string& key = kMainKey) const
    {
        std::string error;
        EXPECT_TRUE(WritePack(Path(leaf), sources, key, &error)) << error;
        return Path(leaf);
    }
    std::vector<PackSource> Sample() const
    {
        return {{"dat/game.txt", Bytes("m_lives 3\n"), true},
                {"MUI\\Menu.txt", Bytes("button \"x y\"\n"), false},
                {"empty.bin", {}, true}};
    }

    std::filesystem::path m_dir;
};

}  // namespace

TEST_F(ResourceGroupTest, PackBytesFollowTheFormat)
{
    std::vector<uint8_t> out;
    ASSERT_TRUE(BuildPack({{"a.txt", Bytes("abc"), false}, {"B", std::vector<uint8_t>(5, 0), true}}, "abc", out));
    std::vector<uint8_t> expected = {'L', 'B', 2, 0, 0, 0, 5, 0, 0, 0, 'a', '.', 't', 'x', 't', 3, 0, 0, 0, 'n', 'a', 'b',
                                     'c', 1, 0, 0, 0, 'B', 5, 0, 0, 0, 'y', 0x03, 0x01, 0x02, 0x03, 0x01};
    EXPECT_EQ(out, expected);

    std::string error;
    EXPECT_FALSE(BuildPack({{std::string(100, 'n'), {}, false}}, "k", out, &error));
    EXPECT_NE(error.find("99"), std::string::npos);
    EXPECT_TRUE(BuildPack({{std::string(99, 'n'), {}, false}}, "k", out));
}

TEST_F(ResourceGroupTest, ReadsPlainAndEncipheredEntries)
{
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    group->SetKey(kMainKey);
    ASSERT_TRUE(group->MountPack(WritePackFile("data.pk", Sample())));
    ASSERT_EQ(group->Entries().size(), 3u);
    EXPECT_EQ(group->Names()[1], "mui\\menu.txt");

    FileBuffer game = group->ReadFile("dat/game.txt");
    EXPECT_EQ(game.bytes, Bytes("m_lives 3\n"));
    EXPECT_EQ(game.flag, 'y');
    EXPECT_EQ(game.offset, 2u + 4 + 4 + 12 + 4 + 1);

    FileBuffer menu = group->ReadFile("mui/menu.txt");
    EXPECT_EQ(menu.Text(), "button \"x y\"\n");
    EXPECT_EQ(menu.flag, 'n');

    FileBuffer empty = group->ReadFile("empty.bin");
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.flag, 'y');

    // The same pack read under another key gives noise for the enciphered entry only.
    group->SetKey("k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1");
    EXPECT_NE(group->ReadFile("dat/game.txt").bytes, Bytes("m_lives 3\n"));
    EXPECT_EQ(group->ReadFile("mui/menu.txt").Text(), "button \"x y\"\n");
    game.Release();
    EXPECT_TRUE(game.Empty());
}

TEST_F(ResourceGroupTest, LookUpIgnoresCaseAndSlashDirection)
{
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    group->SetKey(kMainKey);
    ASSERT_TRUE(group->MountPack(WritePackFile("data.pk", Sample())));
    EXPECT_EQ(group->FindEntry("DAT\\GAME.TXT"), 0);
    EXPECT_EQ(group->FindEntry("Dat/Game.Txt"), 0);
    EXPECT_EQ(group->FindEntry("mui/menu.txt"), 1);   // stored with a backslash
    EXPECT_EQ(group->FindEntry("MUI\\MENU.TXT"), 1);
    EXPECT_EQ(group->FindEntry("dat/game.tx"), -1);
    EXPECT_EQ(group->ReadFile("DAT\\GAME.TXT").bytes, Bytes("m_lives 3\n"));
}

TEST_F(ResourceGroupTest, ZeroEntryPackMountsAndReadsFallBackToDisk)
{
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    ASSERT_TRUE(group->MountPack(WriteRaw("zero.pk", {'L', 'B', 0, 0, 0, 0})));
    EXPECT_TRUE(group->Entries().empty());
    WriteRaw("loose.txt", Bytes("from disk"));
    FileBuffer loose = group->ReadFile(Path("loose.txt"));
    EXPECT_EQ(loose.Text(), "from disk");
    EXPECT_EQ(loose.flag, 0);
    EXPECT_EQ(loose.offset, 0u);
    EXPECT_TRUE(group->ReadFile(Path("nowhere.txt")).Empty());
}

TEST_F(ResourceGroupTest, MissingOrForeignPackLeavesTheGroupAsItWas)
{
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    group->SetKey(kMainKey);
    const std::string good = WritePackFile("data.pk", Sample());
    ASSERT_TRUE(group->MountPack(good));
    EXPECT_FALSE(group->MountPack(Path("missing.pk")));
    EXPECT_FALSE(group->MountPack(WriteRaw("foreign.pk", Bytes("PK\3\4 not ours at all"))));
    EXPECT_FALSE(group->MountPack(WriteRaw("short.pk", Bytes("L"))));
    EXPECT_EQ(group->Entries().size(), 3u);
    // The old entries still read from the old pack, not from the foreign file.
    EXPECT_EQ(group->PackPath(), good);
    EXPECT_EQ(group->ReadFile("dat/game.txt").bytes, Bytes("m_lives 3\n"));
}

TEST_F(ResourceGroupTest, SecondMountReplacesTheFirst)
{
    ResourceGroup* group = ResourceGroup::CreateGroup("levels_pack");
    ASSERT_TRUE(group->MountPack(WritePackFile("a.set", Sample())));
    ASSERT_TRUE(group->MountPack(WritePackFile("b.set", {{"levels/levels.txt", Bytes("levels_count 2"), false}})));
    ASSERT_EQ(group->Entries().size(), 1u);
    EXPECT_EQ(group->FindEntry("dat/game.txt"), -1);
}

TEST_F(ResourceGroupTest, GroupTableReplacesAndDeletes)
{
    EXPECT_EQ(std::string(kMainPackKey).size(), 24u);
    EXPECT_EQ(std::string(kLevelsPackKey).size(), 53u);

    ResourceGroup* first = ResourceGroup::CreateGroup("main");
    ASSERT_TRUE(first->MountPack(WritePackFile("data.pk", Sample())));
    EXPECT_EQ(ResourceGroup::GetGroup("main"), first);
    ResourceGroup* second = ResourceGroup::CreateGroup("main");
    EXPECT_EQ(ResourceGroup::GetGroup("main"), second);
    EXPECT_TRUE(second->Entries().empty());
    EXPECT_EQ(ResourceGroup::GetGroup("Main"), nullptr);  // names are compared exactly
    ResourceGroup::DeleteGroup("main");
    EXPECT_EQ(ResourceGroup::GetGroup("main"), nullptr);
    ResourceGroup::DeleteGroup("never");  // harmless
}

TEST_F(ResourceGroupTest, NameLengthsOf99And100)
{
    // An entry with a 100-byte name is dropped; the walk goes on to the next entry.
    std::vector<uint8_t> pack = {'L', 'B', 3, 0, 0, 0};
    auto add = [&](const std::string& name, const std::string& data) {
        uint32_t n = uint32_t(name.size()), s = uint32_t(data.size());
        for (int i = 0; i < 4; ++i)
            pack.push_back(uint8_t(n >> (8 * i)));
        pack.insert(pack.end(), name.begin(), name.end());
        for (int i = 0; i < 4; ++i)
            pack.push_back(uint8_t(s >> (8 * i)));
        pack.push_back('n');
        pack.insert(pack.end(), data.begin(), data.end());
    };
    add(std::string(99, 'a'), "ninety-nine");
    add(std::string(100, 'b'), "hundred");
    add("after", "still here");
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    ASSERT_TRUE(group->MountPack(WriteRaw("names.pk", pack)));
    ASSERT_EQ(group->Entries().size(), 2u);
    EXPECT_EQ(group->ReadFile(std::string(99, 'a')).Text(), "ninety-nine");
    EXPECT_EQ(group->ReadFile("after").Text(), "still here");
    EXPECT_EQ(group->FindEntry(std::string(100, 'b')), -1);
}

TEST_F(ResourceGroupTest, HostileHeadersMountOnlyWhatIsThere)
{
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    std::vector<uint8_t> good;
    ASSERT_TRUE(BuildPack({{"one", Bytes("1111"), false}, {"two", Bytes("22"), false}}, "", good));

    // A count far larger than the entries present.
    std::vector<uint8_t> bigCount = good;
    bigCount[2] = bigCount[3] = bigCount[4] = bigCount[5] = 0xff;
    ASSERT_TRUE(group->MountPack(WriteRaw("count.pk", bigCount)));
    EXPECT_EQ(group->Entries().size(), 2u);
    EXPECT_EQ(group->ReadFile("two").Text(), "22");

    // A name length past the end of the file.
    std::vector<uint8_t> longName = good;
    longName[6] = 0xf0;
    longName[9] = 0x7f;
    ASSERT_TRUE(group->MountPack(WriteRaw("name.pk", longName)));
    EXPECT_TRUE(group->Entries().empty());

    // A data size past the end of the file: that entry and everything after it are dropped.
    std::vector<uint8_t> bigData = good;
    const size_t secondSize = 6 + 4 + 3 + 4 + 1 + 4 + 4 + 3;
    bigData[secondSize + 3] = 0x80;
    ASSERT_TRUE(group->MountPack(WriteRaw("data.pk", bigData)));
    ASSERT_EQ(group->Entries().size(), 1u);
    EXPECT_EQ(group->ReadFile("one").Text(), "1111");
}

TEST_F(ResourceGroupTest, EveryTruncationMountsSafely)
{
    std::vector<uint8_t> good;
    ASSERT_TRUE(BuildPack(Sample(), kMainKey, good));
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    group->SetKey(kMainKey);
    for (size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<uint8_t> part(good.begin(), good.begin() + long(cut));
        bool mounted = group->MountPack(WriteRaw("cut.pk", part));
        EXPECT_EQ(mounted, cut >= 2) << cut;
        if (!mounted)
            continue;
        // Every entry that survived is whole and reads back exactly.
        for (size_t i = 0; i < group->Entries().size(); ++i) {
            const PackEntry& e = group->Entries()[i];
            EXPECT_LE(uint64_t(e.offset) + e.size, cut);
            EXPECT_EQ(group->ReadFile(group->Names()[i]).Size(), e.size);
        }
    }
}

TEST_F(ResourceGroupTest, PackCutAfterMountReadsEmpty)
{
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    group->SetKey(kMainKey);
    const std::string path = WritePackFile("data.pk", Sample());
    ASSERT_TRUE(group->MountPack(path));
    std::filesystem::resize_file(path, 20);
    EXPECT_TRUE(group->ReadFile("mui/menu.txt").Empty());
    std::filesystem::remove(path);
    EXPECT_TRUE(group->ReadFile("dat/game.txt").Empty());
}

TEST_F(ResourceGroupTest, MountProblemNamesWhatWasWrongAndMissesAreLogged)
{
    const std::string log = Path("log.txt");
    ASSERT_TRUE(LogOpen(log.c_str()));
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    group->SetKey(kMainKey);
    std::vector<uint8_t> good;
    ASSERT_TRUE(BuildPack(Sample(), kMainKey, good));

    EXPECT_FALSE(group->MountPack(Path("missing.pk")));
    EXPECT_EQ(group->MountProblem(), "cannot be opened");
    EXPECT_FALSE(group->MountPack(WriteRaw("zeros.pk", std::vector<uint8_t>(good.size(), 0))));
    EXPECT_EQ(group->MountProblem(), "is not a pack file");
    // Cut inside the last entry: the first two mount, the pack is reported damaged.
    EXPECT_TRUE(group->MountPack(WriteRaw("cut.pk", {good.begin(), good.end() - 1})));
    EXPECT_EQ(group->MountProblem(), "is damaged");
    EXPECT_EQ(group->Entries().size(), 2u);
    EXPECT_TRUE(group->MountPack(WriteRaw("good.pk", good)));
    EXPECT_EQ(group->MountProblem(), "");

    // A file neither in the pack nor on disk is named in the log; one found is not.
    EXPECT_TRUE(group->ReadFile("dat/nowhere.txt").Empty());
    EXPECT_FALSE(group->ReadFile("dat/game.txt").Empty());
    LogOpen(nullptr);
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("ResourceGroup main: dat/nowhere.txt found nowhere"), std::string::npos) << text;
    EXPECT_EQ(text.find("dat/game.txt"), std::string::npos) << text;
}

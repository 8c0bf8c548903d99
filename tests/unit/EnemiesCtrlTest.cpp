// CEnemiesCtrl with a test enemy kind: file reading, the order along the level, the active
// window and removal of finished enemies during an update.
#include "LevelFiles.h"

#include "game/GameData.h"
#include "resources/ParamFile.h"
#include "world/EnemiesCtrl.h"
#include "world/EnemyKinds.h"
#include "world/Level.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its updates; finishes after a set number of them.
class CTestEnemy : public CEnemy {
public:
    CTestEnemy(CLevel* level, CAtmosphericCtpl* effects) : CEnemy(level, effects) {}
    void Draw() override { ++draws; }
    void Update(float) override
    {
        ++updates;
        log->push_back(tag);
    }
    void WriteKeys(ParamFile& f, int i) const override { f.SetString(Key("name", i), "EnemyPlane1"); }
    void ReadKeys(const ParamFile& f, int i) override
    {
        SetKind(f.GetInt(Key("m_kind", i), "0"));
        tag = f.GetInt(Key("m_tag", i), "0");
        SetPosition(ReadLevelPosition(f, i));
    }
    void ApplyKind() override {}
    bool IsFinished() const override { return finishAfter > 0 && updates >= finishAfter; }

    int updates = 0, draws = 0, finishAfter = 0, tag = 0;
    std::vector<int>* log = &s_log;
    static std::vector<int> s_log;
};
std::vector<int> CTestEnemy::s_log;

class EnemiesCtrlTest : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        // Only the test's own kind: a game field made by an earlier test registers the real ones.
        UnregisterEnemyKinds();
        CEnemiesCtrl::RegisterKind("EnemyPlane1", [](CLevel* l, CAtmosphericCtpl* e) {
            return std::make_unique<CTestEnemy>(l, e);
        });
        // A level 32 wide (half width 16) with scale 2: 256 samples, 4 lines, hd 0.25 × 2.
        Write("levels/level01/height.raw", Heights(256, [](int, int) { return 10; }));
        Write("levels/level01/terra.ter", "k_scale 2\n" + TerraText(0.25f).substr(std::string("k_scale 1\n").size()));
        CTestEnemy::s_log.clear();
    }
    void TearDown() override
    {
        UnregisterEnemyKinds();
        GameFolderTest::TearDown();
    }
    std::unique_ptr<CTestEnemy> Enemy(float y, int tag, int finishAfter = 0)
    {
        auto e = std::make_unique<CTestEnemy>(&m_level, nullptr);
        e->SetPosition(0, y, 0);
        e->tag = tag;
        e->finishAfter = finishAfter;
        return e;
    }
    std::vector<int> Tags(const CEnemiesCtrl& c) const
    {
        std::vector<int> t;
        for (const auto& e : c.Enemies())
            t.push_back(static_cast<const CTestEnemy&>(*e).tag);
        return t;
    }

    GameData m_game;
    CLevel m_level{&m_game, nullptr, false};
};

TEST_F(EnemiesCtrlTest, ReadsKnownNamesInIndexOrderAndPlacesThemInLevelUnits)
{
    ASSERT_TRUE(m_level.LoadLevel(1));
    ASSERT_FLOAT_EQ(m_level.HalfWidth(), 16.0f);
    ParamFile f;
    f.Parse("enemies_count 5\n"
            "name0 EnemyPlane1 m_tag0 1 m_lpx0 1 m_lpy0 0 m_lpz0 2 m_kind0 3\n"
            "name1 Tank m_tag1 2 m_lpy1 5\n"          // unknown class: skipped
            "name2 EnemyBoat1 m_tag2 3\n"             // known name, no factory: skipped
            "name3 EnemyPlane1 m_tag3 4 m_lpy3 10\n"
            "m_tag4 5\n"                              // no name: skipped
            "name5 EnemyPlane1 m_tag5 6\n",           // beyond the count
            true);
    CEnemiesCtrl c(&m_level, nullptr);
    EXPECT_EQ(c.ReadEnemies(f), 2);
    ASSERT_EQ(Tags(c), (std::vector<int>{1, 4}));
    // "m_lpy%i" = 0 is half the terrain width; every coordinate is scaled by k_scale.
    EXPECT_FLOAT_EQ(c.Enemies()[0]->GetPosition().x, 2.0f);
    EXPECT_FLOAT_EQ(c.Enemies()[0]->GetPosition().y, 16.0f);
    EXPECT_FLOAT_EQ(c.Enemies()[0]->GetPosition().z, 4.0f);
    EXPECT_FLOAT_EQ(c.Enemies()[1]->GetPosition().y, 36.0f);
    EXPECT_EQ(c.Enemies()[0]->Kind(), 3);
    EXPECT_EQ(c.First(), 0);
    EXPECT_EQ(c.Count(), 0);
}

TEST_F(EnemiesCtrlTest, NoCountOrAHugeCountIsHarmless)
{
    ASSERT_TRUE(m_level.LoadLevel(1));
    CEnemiesCtrl c(&m_level, nullptr);
    ParamFile none;
    none.Parse("name0 EnemyPlane1", true);
    EXPECT_EQ(c.ReadEnemies(none), 0);
    ParamFile huge;
    huge.Parse("enemies_count 2000000000 name0 EnemyPlane1 name1999999999 EnemyPlane1 name00 EnemyPlane1 "
               "name-1 EnemyPlane1 name99999999999 EnemyPlane1",
               true);
    EXPECT_EQ(c.ReadEnemies(huge), 2);
    c.UpdateWindow(Vec3(0, 0, 0));
    EXPECT_EQ(c.First(), 0);
}

TEST_F(EnemiesCtrlTest, LevelLoadReadsTheEnemiesFile)
{
    Write("levels/level01/enemies.ter", "enemies_count 2 name0 EnemyPlane1 m_lpy0 30 name1 EnemyPlane1 m_lpy1 20\n");
    ASSERT_TRUE(m_level.LoadLevel(1));
    const auto& list = m_level.Enemies()->Enemies();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_FLOAT_EQ(list[0]->GetPosition().y, 56.0f);
    EXPECT_FLOAT_EQ(list[1]->GetPosition().y, 76.0f);
    EXPECT_EQ(list[0]->Game(), &m_game);
    EXPECT_NE(list[0]->EffectId(), list[1]->EffectId());
}

TEST_F(EnemiesCtrlTest, EqualYKeepsInsertionOrder)
{
    ASSERT_TRUE(m_level.LoadLevel(1));
    CEnemiesCtrl c(&m_level, nullptr);
    c.AddEnemy(Enemy(50, 1));
    c.AddEnemy(Enemy(10, 2));
    c.AddEnemy(Enemy(50, 3));
    c.AddEnemy(Enemy(30, 4));
    c.AddEnemy(Enemy(50, 5));
    c.AddEnemy(nullptr);
    EXPECT_EQ(Tags(c), (std::vector<int>{2, 4, 1, 3, 5}));
    c.UpdateWindow(Vec3(0, 0, 0));
    EXPECT_EQ(Tags(c), (std::vector<int>{2, 4, 1, 3, 5}));
}

TEST_F(EnemiesCtrlTest, WindowFromHalfAWidthBehindToTwoPointEightAhead)
{
    ASSERT_TRUE(m_level.LoadLevel(1));
    CEnemiesCtrl c(&m_level, nullptr);
    for (int y : {10, 84, 85, 100, 144, 145, 200})
        c.AddEnemy(Enemy(static_cast<float>(y), y));
    // View at 100, D = 16: y > 84 and y < 144.8.
    c.UpdateWindow(Vec3(0, 100, 0));
    EXPECT_EQ(c.First(), 2);
    EXPECT_EQ(c.Count(), 3);
    c.DrawEnemies();
    EXPECT_EQ(static_cast<CTestEnemy&>(*c.Enemies()[1]).draws, 0);
    EXPECT_EQ(static_cast<CTestEnemy&>(*c.Enemies()[2]).draws, 1);
    EXPECT_EQ(static_cast<CTestEnemy&>(*c.Enemies()[5]).draws, 0);
    // Nothing ahead of py − D: first 0, count 0, nothing updated.
    c.UpdateWindow(Vec3(0, 1000, 0));
    EXPECT_EQ(c.First(), 0);
    EXPECT_EQ(c.Count(), 0);
    c.UpdateEnemies(1.0f);
    EXPECT_TRUE(CTestEnemy::s_log.empty());
}

TEST_F(EnemiesCtrlTest, OneBubblePassPerFrameRestoresOrder)
{
    ASSERT_TRUE(m_level.LoadLevel(1));
    CEnemiesCtrl c(&m_level, nullptr);
    for (int i = 1; i <= 4; ++i)
        c.AddEnemy(Enemy(i * 10.0f, i));
    // The first enemy moves past all the others: one pass carries it to the end.
    const_cast<CEnemy&>(*c.Enemies()[0]).SetPosition(0, 100, 0);
    c.UpdateWindow(Vec3(0, 0, 0));
    EXPECT_EQ(Tags(c), (std::vector<int>{2, 3, 4, 1}));
    // The last moves to the front: one step per pass.
    const_cast<CEnemy&>(*c.Enemies()[3]).SetPosition(0, 0, 0);
    c.UpdateWindow(Vec3(0, 0, 0));
    EXPECT_EQ(Tags(c), (std::vector<int>{2, 3, 1, 4}));
    c.UpdateWindow(Vec3(0, 0, 0));
    c.UpdateWindow(Vec3(0, 0, 0));
    EXPECT_EQ(Tags(c), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(EnemiesCtrlTest, RemovingTheWindowsFirstEnemyStillUpdatesTheRest)
{
    ASSERT_TRUE(m_level.LoadLevel(1));
    CEnemiesCtrl c(&m_level, nullptr);
    c.AddEnemy(Enemy(5, 1));
    c.AddEnemy(Enemy(90, 2, 1));  // finishes on its first update
    c.AddEnemy(Enemy(95, 3));
    c.AddEnemy(Enemy(96, 4, 1));  // and so does this one
    c.AddEnemy(Enemy(97, 5));
    c.AddEnemy(Enemy(300, 6));
    c.UpdateWindow(Vec3(0, 100, 0));
    ASSERT_EQ(c.First(), 1);
    ASSERT_EQ(c.Count(), 4);
    c.UpdateEnemies(1.0f);
    EXPECT_EQ(CTestEnemy::s_log, (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(Tags(c), (std::vector<int>{1, 3, 5, 6}));
    EXPECT_EQ(c.Count(), 2);
    CTestEnemy::s_log.clear();
    c.UpdateEnemies(1.0f);
    EXPECT_EQ(CTestEnemy::s_log, (std::vector<int>{3, 5}));
}

TEST_F(EnemiesCtrlTest, OnlyTheSevenNamesTakeFactories)
{
    EXPECT_FALSE(CEnemiesCtrl::RegisterKind("Tank", [](CLevel*, CAtmosphericCtpl*) { return nullptr; }));
    EXPECT_TRUE(CEnemiesCtrl::HasKind("EnemyPlane1"));
    EXPECT_FALSE(CEnemiesCtrl::HasKind("Tank"));
    EXPECT_FALSE(CEnemiesCtrl::HasKind("EnemyBoat1"));
}

TEST_F(EnemiesCtrlTest, DamageAndBaseAnswers)
{
    ASSERT_TRUE(m_level.LoadLevel(1));
    auto e = Enemy(10, 1);
    EXPECT_FLOAT_EQ(e->Health(), 1.0f);
    e->Damage(0.25f);
    EXPECT_FLOAT_EQ(e->Health(), 0.75f);
    EXPECT_FALSE(e->IsAlive());
    EXPECT_FALSE(e->IsDying());
    EXPECT_EQ(e->AimPoint(), e->GetPosition());
    EXPECT_EQ(e->Missiles(), nullptr);
}

}  // namespace

// The combat world drawn from the forged game data: every enemy and target class of level 1 seen
// close up, and the battle effects (explosion, splash, fire) over a black frame. With
// GW_SCREENSHOT_DIR set, each frame is also written there as a TGA for people to look at.
#include "GLTestContext.h"

#include "app/AppWindow.h"
#include "game/GameData.h"
#include "render/ResourceBank.h"
#include "resources/ResourceGroup.h"
#include "world/AtmosphericCtpl.h"
#include "world/EnemiesCtrl.h"
#include "world/EnemyKind.h"
#include "world/EnemyKinds.h"
#include "world/Level.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace {

class CombatGLTest : public GLTestContext {
protected:
    void SetUp() override
    {
        width = 400;
        height = 300;
        GLTestContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        AppWindow::InitMultiTexture();
        m_old_dir = std::filesystem::current_path();
        std::filesystem::current_path(GW_GAME_DIR);
        if (!std::filesystem::exists("data/data.pk") || !std::filesystem::exists("levels/base.set"))
            GTEST_SKIP() << "no forged data";
        m_group = ResourceGroup::CreateGroup(kMainGroup);
        m_group->SetKey(kMainPackKey);
        ASSERT_TRUE(m_group->MountPack(kMainPackFile));
        m_bank = CResourceBank::CreateBank("main", m_group);
        m_game = std::make_unique<GameData>();
        ASSERT_TRUE(m_game->LoadGameFile(*m_group));
        EXPECT_EQ(m_game->LoadModels(m_bank), 0);
        ASSERT_TRUE(m_game->SelectLevelSet("levels/base.set"));
        UnregisterEnemyKinds();
        ASSERT_TRUE(RegisterEnemyKinds());
        m_fx = std::make_unique<CAtmosphericCtpl>();
        m_level = std::make_unique<CLevel>(m_game.get(), m_fx.get(), true);
        ASSERT_TRUE(m_level->LoadLevel(1));
        m_fx->SetLevel(m_level.get());
    }
    void TearDown() override
    {
        m_level.reset();
        m_fx.reset();
        m_game.reset();
        UnregisterEnemyKinds();
        CResourceBank::DeleteAllBanks();
        ResourceGroup::DeleteAllGroups();
        if (!m_old_dir.empty())
            std::filesystem::current_path(m_old_dir);
        GLTestContext::TearDown();
    }

    void Camera(const Vec3& eye, const Vec3& target)
    {
        glEnable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(70.0, static_cast<double>(width) / height, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 0, 1);
    }

    // Reads the frame back, writes it when asked, and counts the pixels that are not black.
    int Lit(const std::string& name)
    {
        const std::vector<unsigned char> px = ReadFrame(name.c_str());
        int lit = 0;
        for (size_t i = 0; i < px.size(); i += 4)
            if (px[i] + px[i + 1] + px[i + 2] > 30)
                ++lit;
        return lit;
    }

    std::filesystem::path m_old_dir;
    ResourceGroup* m_group = nullptr;
    CResourceBank* m_bank = nullptr;
    std::unique_ptr<GameData> m_game;
    std::unique_ptr<CAtmosphericCtpl> m_fx;
    std::unique_ptr<CLevel> m_level;
};

TEST_F(CombatGLTest, EveryClassOfLevelOneIsDrawnWithItsModel)
{
    const CEnemiesCtrl* enemies = m_level->Enemies();
    ASSERT_NE(enemies, nullptr);
    std::map<int, CEnemy*> firstOfCategory;
    for (const auto& e : enemies->Enemies())
        firstOfCategory.emplace(e->ScoreCode() / 100, e.get());
    // Depots, planes, boats, helicopters, sites, buildings and barrels are all in the level.
    ASSERT_EQ(firstOfCategory.size(), 7u);
    for (const auto& [category, e] : firstOfCategory) {
        const float s = std::max(e->LargestScaledExtent(), 0.1f);
        const Vec3 p = e->GetPosition();
        Camera(p + Vec3(0.5f * s, -0.7f * s, 0.4f * s), p);
        EXPECT_TRUE(static_cast<CEnemyKind*>(e)->InView());
        e->Draw();
        EXPECT_GT(Lit("enemy_" + std::to_string(category)), width * height / 100) << "category " << category;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        // Looking the other way, or from beyond the far plane, the model is skipped.
        Camera(p + Vec3(0, -3.0f * s - 3.0f, 0), p + Vec3(0, -10.0f * s - 10.0f, 0));
        EXPECT_FALSE(static_cast<CEnemyKind*>(e)->InView()) << "category " << category;
        Camera(p + Vec3(0, -150.0f, 0), p);
        EXPECT_FALSE(static_cast<CEnemyKind*>(e)->InView()) << "category " << category;
    }
}

TEST_F(CombatGLTest, BattleEffectsShowAndFade)
{
    const Vec3 at(0, 60, m_level->WaterHeight() + 1.0f);
    m_fx->SpawnExplosion(at, 1.0f);
    m_fx->SpawnWaterSplash(Vec3(1.5f, 60, m_level->WaterHeight()), 1.0f);
    for (int i = 0; i < 10; ++i)
        m_fx->EmitFire(20, at + Vec3(-1.5f, 0, 0.05f * static_cast<float>(i)));
    const float dt = 16.666666f * 0.13f;
    for (int i = 0; i < 6; ++i)
        m_fx->Update(dt);
    Camera(at + Vec3(0, -5, 1), at);
    m_fx->Draw();
    EXPECT_GT(Lit("effects"), width * height / 200);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    for (int i = 0; i < 3000 && m_fx->ParticleCount() > 0; ++i)
        m_fx->Update(dt);
    EXPECT_EQ(m_fx->ParticleCount(), 0u);
    EXPECT_EQ(m_fx->KeyedCount(), 0u);
    EXPECT_EQ(m_fx->OneShotCount(), 0u);
}

}  // namespace

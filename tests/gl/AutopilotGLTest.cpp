// The autopilot on the forged first level, with the enemies' models loaded (their sizes are what
// it steers by): with the tank low, a boat on the water, far under the flying height, is flown
// over so that the fuel depot past it is taken; a plane at the flying height on the way is passed.
#include "ForgedDataGLContext.h"

#include "game/Autopilot.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "player/Player.h"
#include "resources/ParamFile.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace {

class AutopilotGL : public ForgedDataGLContext {
protected:
    void SetUp() override
    {
        ForgedDataGLContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_game = std::make_unique<GameData>();
        ASSERT_TRUE(m_game->LoadGameFile(*m_group));
        m_game->LoadModels(m_bank);
        ASSERT_TRUE(m_game->SelectLevelSet("levels/base.set"));
        m_field = std::make_unique<CGameField>(m_game.get(), nullptr, &m_input, true);
        m_field->SetWriteSaveFile(false);
        m_field->SetClock([this] { return m_clock; });
        m_field->NewLevel(1);
        m_field->SelectAircraft(0);
        ASSERT_NE(m_field->Player(), nullptr);
        ASSERT_NE(m_field->World(), nullptr);
    }
    void TearDown() override
    {
        m_field.reset();
        m_game.reset();
        ForgedDataGLContext::TearDown();
    }

    // The level's enemies replaced by one of the class name, standing still dy units ahead of
    // the aircraft on its line at height z, and a second one (a fuel depot at the flying height)
    // further on when named.
    void OnlyOneAhead(const std::string& name, float dy, float z, const std::string& then = "", float thenDy = 0.0f)
    {
        CLevel* level = m_field->World();
        const Vec3 at = m_field->Player()->Position();
        ParamFile f;
        f.SetInt("enemies_count", then.empty() ? 1 : 2);
        auto place = [&](int i, const std::string& n, float ahead, float height) {
            const std::string k = std::to_string(i);
            f.SetString("name" + k, n);
            f.SetInt("m_kind" + k, 0);
            f.SetFloat("m_sp" + k, 0.0f);
            f.SetFloat("m_spx" + k, 0.0f);
            f.SetFloat("m_spy" + k, -1.0f);
            f.SetFloat("m_spz" + k, 0.0f);
            f.SetFloat("m_az" + k, 180.0f);
            f.SetFloat("m_lpx" + k, at.x / level->Scale());
            f.SetFloat("m_lpy" + k, (at.y + ahead - level->HalfWidth()) / level->Scale());
            f.SetFloat("m_lpz" + k, height / level->Scale());
            f.SetInt("m_shoot_status" + k, 0);
            f.SetInt("m_fire_pt" + k, 1);
        };
        place(0, name, dy, z);
        if (!then.empty())
            place(1, then, thenDy, level->FlyingHeight());
        CEnemiesCtrl* enemies = level->Enemies();
        enemies->ClearEnemies();
        ASSERT_EQ(enemies->ReadEnemies(f), then.empty() ? 1 : 2);
        enemies->SetMissileCtrl(m_field->Missiles());
        ASSERT_GT(enemies->Enemies()[0]->LargestScaledExtent(), 0.3f) << name << " has no model";
    }
    // Flies with the autopilot (which steers through the field's own devices) until the aircraft
    // is past y; the largest sideways move from where it started.
    float FlyPast(Autopilot& pilot, float y)
    {
        const float x0 = m_field->Player()->Position().x;
        float widest = 0.0f;
        for (int n = 0; n < 2000 && m_field->Player()->Position().y < y; ++n) {
            pilot.Steer(*m_field);
            m_field->Update(16.666666f * m_game->timeScale);
            m_clock += 17;
            widest = std::max(widest, std::fabs(m_field->Player()->Position().x - x0));
        }
        return widest;
    }

    InputDevices m_input;
    std::unique_ptr<GameData> m_game;
    std::unique_ptr<CGameField> m_field;
    uint32_t m_clock = 0;
};

}  // namespace

TEST_F(AutopilotGL, WithTheTankLowABoatIsFlownOverToTheDepotAndAPlaneIsPassed)
{
    CLevel* level = m_field->World();
    const float y0 = m_field->Player()->Position().y;
    {
        // A boat on the water on the way, a depot behind it, little fuel left.
        OnlyOneAhead("EnemyBoat1", 30.0f, level->WaterHeight(), "Fuel", 40.0f);
        m_field->Player()->SetFuel(30.0f);
        Autopilot pilot(m_input, *m_game);
        FlyPast(pilot, y0 + 45.0f);
        EXPECT_EQ(pilot.AvoidFrames(), 0) << "a boat on the water turned the autopilot off the depot";
        EXPECT_GT(m_field->Player()->Fuel(), 30.0f) << "the depot was missed";
        EXPECT_EQ(m_field->Player()->GetState(), CPlayer::Flying);
    }
    {
        const float y1 = m_field->Player()->Position().y;
        OnlyOneAhead("EnemyPlane1", 30.0f, level->FlyingHeight());
        m_field->Player()->SetFuel(30.0f);
        Autopilot pilot(m_input, *m_game);
        const float aside = FlyPast(pilot, y1 + 35.0f);
        EXPECT_GT(pilot.AvoidFrames(), 0);
        EXPECT_GT(aside, 0.5f);
        EXPECT_EQ(m_field->Player()->GetState(), CPlayer::Flying) << "the autopilot flew into the plane";
    }
}

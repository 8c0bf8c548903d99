// Where the child parts of an enemy land when the game draws it: a barrel stack (the path of the
// planes, boats, buildings and depots too), a helicopter with its rotor and a site with its
// turret, at a scale of 2 and turned, read back from above and from the side. Each part must
// stand at its offset in the model times the scale, turned with the body, at the body's size.
#include "GLTestContext.h"
#include "unit/CombatTestWorld.h"
#include "unit/PartsModel.h"

#include "world/AtmosphericCtpl.h"
#include "world/EnemyAAD.h"
#include "world/EnemyBarrels.h"
#include "world/EnemyHelicopter.h"
#include "world/Level.h"

#include "game/GameData.h"
#include "resources/ParamFile.h"

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

constexpr float kScale = 2.0f;

// Where the pixels of one colour lie in the frame.
struct Spot {
    int count = 0;
    double x = 0, y = 0;  // centroid, window pixels
};

class EnemyPartsGLTest : public GLTestContext {
protected:
    void SetUp() override
    {
        GLTestContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TuneCombat(game);
        effects.SetGame(&game);
        effects.SetWorld(&world);
        m_dir = std::filesystem::temp_directory_path() / ("gw_enemy_parts_gl_" + std::to_string(getpid()));
        ASSERT_TRUE(parts_model::Load(proto, m_group, m_dir, kScale));
        for (int k = 0; k < GameData::kMaxBarrels; ++k)
            game.m_e_barrels[k] = &proto;
        for (int k = 0; k < GameData::kMaxHelicops; ++k)
            game.m_e_helicops[k] = &proto;
        for (int k = 0; k < GameData::kMaxAads; ++k)
            game.m_e_aads[k] = &proto;
    }
    void TearDown() override
    {
        proto.Release();
        if (!m_dir.empty())
            std::filesystem::remove_all(m_dir);
        GLTestContext::TearDown();
    }

    template <class T>
    std::unique_ptr<T> Make(const std::string& keys)
    {
        auto e = std::make_unique<T>(&level, &effects);
        e->SetWorld(&world);
        ParamFile f;
        f.Parse(keys, true);
        e->ReadKeys(f, 0);
        e->SetPosition(kAt.x, kAt.y, kAt.z);
        return e;
    }

    // Orthographic, 3 world units across, looking at the enemy from above (y up the frame) or
    // from the front (from −y, z up the frame).
    void View(bool fromAbove)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_FOG);
        glDisable(GL_CULL_FACE);
        glColor4f(1, 1, 1, 1);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.5, 1.5, -1.5, 1.5, 0.1, 20);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (fromAbove)
            gluLookAt(kAt.x, kAt.y, kAt.z + 5, kAt.x, kAt.y, kAt.z, 0, 1, 0);
        else
            gluLookAt(kAt.x, kAt.y - 5, kAt.z, kAt.x, kAt.y, kAt.z, 0, 0, 1);
    }

    // Window coordinates of a world point under the current matrices.
    static std::array<double, 2> Project(const Vec3& p)
    {
        GLdouble mv[16], pr[16];
        GLint vp[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
        glGetDoublev(GL_PROJECTION_MATRIX, pr);
        glGetIntegerv(GL_VIEWPORT, vp);
        GLdouble x = 0, y = 0, z = 0;
        gluProject(p.x, p.y, p.z, mv, pr, vp, &x, &y, &z);
        return {x, y};
    }

    // The pixels of each piece's colour: 0 white (body), 1 red, 2 green, 3 blue.
    std::array<Spot, 4> Spots(const char* name)
    {
        const std::vector<unsigned char> px = ReadFrame(name);
        std::array<Spot, 4> spots;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char* c = &px[(static_cast<size_t>(y) * width + x) * 4];
                const bool r = c[0] > 200, g = c[1] > 200, b = c[2] > 200;
                const bool r0 = c[0] < 60, g0 = c[1] < 60, b0 = c[2] < 60;
                int piece = -1;
                if (r && g && b)
                    piece = 0;
                else if (r && g0 && b0)
                    piece = 1;
                else if (r0 && g && b0)
                    piece = 2;
                else if (r0 && g0 && b)
                    piece = 3;
                if (piece < 0)
                    continue;
                Spot& s = spots[static_cast<size_t>(piece)];
                ++s.count;
                s.x += x + 0.5;
                s.y += y + 0.5;
            }
        for (Spot& s : spots)
            if (s.count > 0) {
                s.x /= s.count;
                s.y /= s.count;
            }
        return spots;
    }

    // Draws the enemy from above and from the front and checks that child i (drawn in colour
    // i + 1) is centred on body(offset × S), where body turns a point of the model frame as the
    // enemy's drawing does. From above every part shows beside the body (the one on top hides
    // it); from the front the part on top shows above the body, at the body's size.
    void ExpectPartsWhereTheModelPutsThem(CEnemyKind& e, const std::function<Vec3(Vec3)>& body, const char* name)
    {
        const float side = parts_model::kSide * kScale * static_cast<float>(width) / 3.0f;
        const int cube = static_cast<int>(side * side);
        for (bool fromAbove : {true, false}) {
            View(fromAbove);
            e.Draw();
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
            const auto spots = Spots((std::string(name) + (fromAbove ? "_above" : "_front")).c_str());
            for (size_t i = fromAbove ? 0 : 2; i < 3; ++i) {
                SCOPED_TRACE(std::string(name) + (fromAbove ? " from above, part " : " from the front, part ") +
                             std::to_string(i));
                const Vec3 offset = e.Child(i)->GetPosition() * kScale;
                const auto want = Project(kAt + body(offset));
                const Spot& s = spots[i + 1];
                ASSERT_GT(s.count, cube / 2);
                EXPECT_NEAR(s.x, want[0], 1.5);
                EXPECT_NEAR(s.y, want[1], 1.5);
            }
            if (!fromAbove) {
                // Two cubes of one size, turned alike: one silhouette.
                EXPECT_GT(spots[0].count, cube / 2) << name;
                EXPECT_NEAR(spots[3].count, spots[0].count, spots[0].count * 0.15) << name;
            }
        }
    }

    static Vec3 TurnZ(Vec3 v, float degrees)
    {
        v.RotateZ(degrees);
        return v;
    }

    const Vec3 kAt{1.0f, 20.0f, 4.0f};
    GameData game;
    CombatTestWorld world;
    CLevel level{&game, nullptr, false};
    CAtmosphericCtpl effects;
    ResourceGroup m_group{"enemy_parts_gl"};
    CUnit proto;
    std::filesystem::path m_dir;
};

}  // namespace

TEST_F(EnemyPartsGLTest, TheModelIsWhatTheTestsThinkItIs)
{
    EXPECT_FLOAT_EQ(proto.GetScale(), kScale);
    const Vec3 axes[3] = {Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1)};
    for (size_t i = 0; i < 3; ++i) {
        const Vec3 p = proto.Child(i)->GetPosition();
        EXPECT_NEAR((p - axes[i] * parts_model::kOffset).Length(), 0.0f, 1e-5f) << i;
        EXPECT_FLOAT_EQ(proto.Child(i)->GetScale(), 1.0f);
    }
    EXPECT_EQ(proto.FindChild("rotor"), proto.Child(0));
}

TEST_F(EnemyPartsGLTest, BarrelsStandAtTheirOffsetsTurnedWithTheStack)
{
    auto stack = Make<CEnemyBarrels>("m_az0 30");
    ASSERT_FLOAT_EQ(stack->GetScale(), kScale);
    ASSERT_EQ(stack->ChildCount(), 3u);
    ExpectPartsWhereTheModelPutsThem(*stack, [](Vec3 v) { return TurnZ(v, 30.0f); }, "parts_barrels");
    // The fire of a burning stack is emitted where its barrels are drawn.
    for (size_t i = 0; i < 3; ++i) {
        const Vec3 drawn = TurnZ(stack->Child(i)->GetPosition() * kScale, 30.0f);
        EXPECT_NEAR((stack->PartOffset(i) - drawn).Length(), 0.0f, 1e-5f) << i;
    }
}

TEST_F(EnemyPartsGLTest, HelicopterRotorAndPartsTiltWithTheBody)
{
    auto heli = Make<CEnemyHelicopter>("m_az0 -50 m_is_fly0 1");
    ASSERT_EQ(heli->ChildCount(), 3u);
    // The body is turned by the heading and tilted nose down by 10 degrees.
    ExpectPartsWhereTheModelPutsThem(
        *heli,
        [](Vec3 v) {
            v.RotateX(-10.0f);
            return TurnZ(v, -50.0f + 360.0f);
        },
        "parts_helicopter");
}

TEST_F(EnemyPartsGLTest, SiteTurretStandsOnTheBaseTurnedWithIt)
{
    auto site = Make<CEnemyAAD>("m_az0 120");
    ASSERT_EQ(site->ChildCount(), 3u);
    ExpectPartsWhereTheModelPutsThem(*site, [](Vec3 v) { return TurnZ(v, 120.0f); }, "parts_site");
}

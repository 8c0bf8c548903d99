// Forge units: the counts of enemy and target models the game loads, and the child parts the
// game looks up by name or position, read back through the game's unit mesh store.
#include "content/ModelLibrary.h"
#include "render/FacesDepot.h"
#include "resources/ParamFile.h"
#include "writers/ModelWriters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace {

std::map<std::string, UnitModel> ByPath()
{
    std::map<std::string, UnitModel> m;
    for (UnitModel& u : AllUnitModels())
        m.emplace(u.path, std::move(u));
    return m;
}

std::unique_ptr<CFacesDepot> Parse(const ForgeModel& model)
{
    const std::string text = WriteObj(model);
    auto d = std::make_unique<CFacesDepot>();
    EXPECT_TRUE(d->ParseAllGroups(text.data(), text.size()));
    return d;
}

} // namespace

TEST(ForgeUnits, EveryModelTheGameLoadsIsMade)
{
    const auto units = ByPath();
    int planes = 0, helis = 0, boats = 0, sites = 0, barrels = 0, buildings = 0;
    for (const auto& [path, u] : units) {
        planes += path.rfind("dat/e_plane", 0) == 0;
        helis += path.rfind("dat/e_helicop", 0) == 0;
        boats += path.rfind("dat/e_boat", 0) == 0;
        sites += path.rfind("dat/e_aad", 0) == 0;
        barrels += path.rfind("dat/misc/barrel", 0) == 0;
    }
    for (const char* b : {"garage", "armry", "cargo1", "cargo2", "hangar1", "hangar2"})
        buildings += units.count(std::string("dat/misc/") + b) ? 1 : 0;
    EXPECT_EQ(planes, 4);
    EXPECT_EQ(helis, 2);
    EXPECT_EQ(boats, 4);
    EXPECT_EQ(sites, 2);
    EXPECT_EQ(barrels, 3);
    EXPECT_EQ(buildings, 6);
    EXPECT_EQ(units.count("dat/fuel"), 1u);
    // Planes and helicopters cast shadows; the rest do not need one.
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(units.at("dat/e_plane" + std::to_string(i)).shadowPath, "dat/e_plane" + std::to_string(i) + "_shad.tga");
    for (int i = 1; i <= 2; ++i)
        EXPECT_EQ(units.at("dat/e_helicop" + std::to_string(i)).shadowPath, "dat/e_helicop" + std::to_string(i) + "_shad.tga");
}

TEST(ForgeUnits, ChildPartsAreWhereTheGameLooksForThem)
{
    const auto units = ByPath();
    for (const char* h : {"dat/e_helicop1", "dat/e_helicop2"}) {
        auto d = Parse(units.at(h).model);
        bool rotor = false;
        for (size_t g = 1; g < d->m_groups.size(); ++g)
            rotor = rotor || d->m_groups[g].name == "rotor";
        EXPECT_TRUE(rotor) << h << " has no child part named rotor";
    }
    for (const char* s : {"dat/e_aad1", "dat/e_aad2"}) {
        auto d = Parse(units.at(s).model);
        ASSERT_GE(d->m_groups.size(), 2u);
        EXPECT_EQ(d->m_groups[1].name, "turret") << s << ": the first child part is the turret";
    }
    // Propeller planes carry their propellers as child parts; each turns about its own hub.
    auto bomber = Parse(units.at("dat/e_plane2").model);
    ASSERT_EQ(bomber->m_groups.size(), 3u);
    float x1, y1, z1, x2, y2, z2;
    bomber->GroupCenter(1, x1, y1, z1);
    bomber->GroupCenter(2, x2, y2, z2);
    EXPECT_NEAR(x1, -2.2f, 1e-3f) << "the left propeller turns about its hub";
    EXPECT_NEAR(x2, 2.2f, 1e-3f) << "the right propeller turns about its hub";
    EXPECT_NEAR(y1, y2, 1e-3f);
    for (const char* h : {"dat/e_helicop1", "dat/e_helicop2"}) {
        auto d = Parse(units.at(h).model);
        const ForgeMesh* body = units.at(h).model.FindMesh("body");
        const ForgeMesh* rotor = units.at(h).model.FindMesh("rotor");
        ASSERT_TRUE(body && rotor);
        // The hub is the mast's top: the rotor's centre lies on the mast's axis.
        float x, y, z;
        d->GroupCenter(1, x, y, z);
        Vec3 lo, hi;
        rotor->Bounds(lo, hi);
        EXPECT_NEAR(x, 0.0f, 1e-3f) << h;
        EXPECT_LT(hi.x - lo.x, 2.01f * std::max(std::fabs(hi.x - x), std::fabs(lo.x - x))) << h;
    }
    // Every barrel of a stack and every piece of the depot is a child part that can fly apart.
    const int barrels[3] = {3, 5, 6};
    for (int k = 0; k < 3; ++k) {
        auto d = Parse(units.at("dat/misc/barrel" + std::to_string(k + 1)).model);
        EXPECT_EQ(d->m_groups.size(), static_cast<size_t>(barrels[k] + 1));
        for (size_t g = 1; g < d->m_groups.size(); ++g)
            EXPECT_EQ(d->m_groups[g].name.rfind("barrel", 0), 0u);
    }
    EXPECT_GE(Parse(units.at("dat/fuel").model)->m_groups.size(), 5u);
}

TEST(ForgeUnits, SizesFitTheValleyAndTheFlyingHeight)
{
    // The world size of a unit is its scale; its height is the scale times the height share of
    // its largest extent. Buildings, sites and barrels stand on ground at most 1.0 above the water
    // (1.0) and must stay below the flying height (3.0) with room for the aircraft.
    for (const UnitModel& u : AllUnitModels()) {
        Vec3 lo, hi;
        u.model.Bounds(lo, hi);
        const float largest = std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z});
        const float height = u.scale * (hi.z - lo.z) / largest;
        EXPECT_GT(u.scale, 0.5f) << u.path;
        EXPECT_LT(u.scale, 3.0f) << u.path;
        if (u.path.rfind("dat/misc/", 0) == 0 || u.path.rfind("dat/e_aad", 0) == 0) {
            EXPECT_LT(2.0f + height * 1.1f, 2.9f) << u.path << " would reach the flying height";
        }
    }
    // The four boats are clearly different sizes.
    const auto units = ByPath();
    float last = 0.0f;
    for (int i = 1; i <= 4; ++i) {
        const float s = units.at("dat/e_boat" + std::to_string(i)).scale;
        EXPECT_GT(s, last * 1.2f);
        last = s;
    }
}

// Entity boxes: rotation orders, point inside and the overlap test with its distance pre-test.
#include "render/Entity.h"

#include <gtest/gtest.h>

namespace {

CEntity Box(float x, float y, float z, float w = 1, float h = 1, float d = 1, float scale = 1)
{
    CEntity e;
    e.SetPosition(x, y, z);
    e.SetSize(w, h, d);
    e.SetScale(scale);
    return e;
}

}  // namespace

TEST(EntityPointInside, StrictInsideScaledBox)
{
    CEntity e = Box(10, 0, 0, 2, 4, 6, 0.5f);  // scaled 1 x 2 x 3
    EXPECT_TRUE(e.PointInside(Vec3(10, 0, 0)));
    EXPECT_TRUE(e.PointInside(Vec3(10.49f, 0.99f, 1.49f)));
    EXPECT_FALSE(e.PointInside(Vec3(10.5f, 0, 0)));  // on a face: outside
    EXPECT_FALSE(e.PointInside(Vec3(10, 1.0f, 0)));
    EXPECT_FALSE(e.PointInside(Vec3(10, 0, -1.5f)));
    EXPECT_FALSE(e.PointInside(Vec3(10.6f, 0, 0)));
}

TEST(EntityPointInside, RotationOrderAndIgnoredAxes)
{
    // A long thin box along x, turned 90 degrees about z, lies along y.
    CEntity e = Box(0, 0, 0, 4, 0.5f, 0.5f);
    e.SetAngles(0, 0, 90);
    EXPECT_TRUE(e.PointInside(Vec3(0, 1.5f, 0)));
    EXPECT_FALSE(e.PointInside(Vec3(1.5f, 0, 0)));
    // 'A' names no axis: the same angle adds no rotation.
    e.SetRotationOrder('x', 'y', 'A');
    EXPECT_FALSE(e.PointInside(Vec3(0, 1.5f, 0)));
    EXPECT_TRUE(e.PointInside(Vec3(1.5f, 0, 0)));
    // The order matters when two angles are set: x then z differs from z then x.
    CEntity f = Box(0, 0, 0, 4, 0.5f, 0.5f);
    f.SetAngles(90, 0, 90);
    f.SetRotationOrder("xzy");
    const Vec3 probe(0, 0, 1.5f);
    const bool xz = f.PointInside(probe);
    f.SetRotationOrder("zxy");
    EXPECT_NE(xz, f.PointInside(probe));
}

TEST(EntityOverlap, DistancePreTestUsesTheSumOfSquares)
{
    // Scaled extent 1: 1.5 apart is rejected by distance alone (2.25 > 1 + 1) although the
    // boxes, stretched, would touch.
    CEntity a = Box(0, 0, 0, 1, 1, 1);
    CEntity b = Box(1.5f, 0, 0, 1, 1, 1);
    EXPECT_FALSE(a.Overlaps(b));
    // At 1.4 the distance test passes and the boxes decide: unit cubes 1.4 apart do not touch.
    CEntity c = Box(1.4f, 0, 0, 1, 1, 1);
    EXPECT_FALSE(a.Overlaps(c));
    // ...but a bigger box reaching over does.
    CEntity d = Box(1.4f, 0, 0, 2, 2, 2);
    d.SetScale(1);
    EXPECT_TRUE(a.Overlaps(d));
    EXPECT_TRUE(d.Overlaps(a));
}

TEST(EntityOverlap, ProbeCentreAndCorners)
{
    // A small box whose centre lies inside a big one.
    CEntity big = Box(0, 0, 0, 10, 10, 10);
    CEntity small = Box(1, 1, 1, 0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(big.Overlaps(small));
    EXPECT_TRUE(small.Overlaps(big));
    // A small box outside except for one corner.
    CEntity corner = Box(5.2f, 5.2f, 5.2f, 1, 1, 1);
    EXPECT_TRUE(big.Overlaps(corner));
    CEntity away = Box(5.6f, 5.6f, 5.6f, 1, 1, 1);
    EXPECT_FALSE(big.Overlaps(away));
}

TEST(EntityOverlap, ProbeCornersTurnWithTheProbe)
{
    // A thin stick turned 90 degrees about z reaches along y into a box beside it.
    CEntity box = Box(0, 2.4f, 0, 1.5f, 1.5f, 1.5f);
    CEntity stick = Box(0, 0, 0, 4, 0.2f, 0.2f);
    stick.SetAngles(0, 0, 90);
    EXPECT_TRUE(box.Overlaps(stick));
    stick.SetAngles(0, 0, 0);
    EXPECT_FALSE(box.Overlaps(stick));
}

TEST(EntityCopy, CopiesAllButTheSecondSpareVector)
{
    CEntity a = Box(1, 2, 3, 4, 5, 6, 7);
    a.m_vector1.Set(1, 1, 1);
    a.m_vector2.Set(2, 2, 2);
    a.SetRotationOrder("zyx");
    CEntity b;
    b.m_vector2.Set(9, 9, 9);
    b.CopyEntity(a);
    EXPECT_EQ(b.GetPosition(), Vec3(1, 2, 3));
    EXPECT_FLOAT_EQ(b.ScaledDepth(), 42.0f);
    EXPECT_EQ(b.m_vector1, Vec3(1, 1, 1));
    EXPECT_EQ(b.m_vector2, Vec3());
    EXPECT_EQ(b.m_rotation_order[0], 'z');
}

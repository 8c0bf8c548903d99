// Vec3 arithmetic and rotations in degrees about each world axis.
#include "app/Vec3.h"

#include <gtest/gtest.h>

namespace {

void ExpectNear(const Vec3& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

}  // namespace

TEST(Vec3, ConstructedWithWOneAndArithmeticIgnoresW)
{
    Vec3 a(1, 2, 3);
    EXPECT_EQ(a.w, 1.0f);
    Vec3 b = a * 2.0f + Vec3(1, 1, 1);
    ExpectNear(b, 3, 5, 7);
    EXPECT_EQ(b.w, 1.0f);
    EXPECT_FLOAT_EQ(a.Dot(Vec3(1, 0, 0)), 1.0f);
    ExpectNear(Vec3(1, 0, 0).Cross(Vec3(0, 1, 0)), 0, 0, 1);
}

TEST(Vec3, RotationsAboutEachAxisAreCounterClockwiseInDegrees)
{
    Vec3 v(1, 0, 0);
    v.RotateZ(90);  // heading: x turns into y
    ExpectNear(v, 0, 1, 0);
    v.RotateX(90);  // pitch: y turns into z
    ExpectNear(v, 0, 0, 1);
    v.RotateY(90);  // roll: z turns into x
    ExpectNear(v, 1, 0, 0);
    Vec3 u(0, 1, 0);
    u.RotateZ(-45);
    ExpectNear(u, 0.70710678f, 0.70710678f, 0);
}

TEST(Vec3, NormalizeSafeLeavesZeroAlone)
{
    Vec3 z;
    z.NormalizeSafe();
    ExpectNear(z, 0, 0, 0);
    Vec3 v(3, 0, 4);
    v.Normalize();
    EXPECT_NEAR(v.Length(), 1.0f, 1e-6f);
}

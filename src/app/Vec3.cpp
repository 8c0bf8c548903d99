// Vec3 rotations about the world axes.
#include "app/Vec3.h"

void Vec3::RotateX(float degrees)
{
    const float a = degrees * kDegToRad, c = std::cos(a), s = std::sin(a);
    const float ny = y * c - z * s, nz = y * s + z * c;
    y = ny; z = nz;
}

void Vec3::RotateY(float degrees)
{
    const float a = degrees * kDegToRad, c = std::cos(a), s = std::sin(a);
    const float nz = z * c - x * s, nx = z * s + x * c;
    x = nx; z = nz;
}

void Vec3::RotateZ(float degrees)
{
    const float a = degrees * kDegToRad, c = std::cos(a), s = std::sin(a);
    const float nx = x * c - y * s, ny = x * s + y * c;
    x = nx; y = ny;
}

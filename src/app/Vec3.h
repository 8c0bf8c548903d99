// Vec3: the vector of positions, directions, velocities, sizes and colours, shared by every subsystem.
//
// Four 32-bit floats; w is 1 when constructed and takes no part in the arithmetic. World axes: x
// across the level (terrain centred on x = 0), y along it (the player flies towards growing y), z up.
// Angles are in degrees. Normalise does not test for zero length: callers that may hold a zero
// vector use NormalizeSafe.
#pragma once

#include <cmath>

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;

    constexpr Vec3() = default;
    constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_), w(1.0f) {}

    void Set(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vec3 operator/(float s) const { return {x / s, y / s, z / s}; }
    Vec3& operator+=(const Vec3& o) { x += o.x; y += o.y; z += o.z; return *this; }
    Vec3& operator-=(const Vec3& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    Vec3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
    Vec3& operator/=(float s) { x /= s; y /= s; z /= s; return *this; }
    bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vec3& o) const { return !(*this == o); }

    float Dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 Cross(const Vec3& o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
    float Length() const { return std::sqrt(x * x + y * y + z * z); }
    float LengthSq() const { return x * x + y * y + z * z; }
    void Normalize() { *this /= Length(); }
    // Leaves a zero (or non-finite length) vector unchanged instead of dividing by zero.
    void NormalizeSafe()
    {
        const float len = Length();
        if (len > 0.0f && std::isfinite(len))
            *this /= len;
    }

    // Rotations by an angle in degrees (right-handed, counter-clockwise looking down the axis).
    void RotateX(float degrees);
    void RotateY(float degrees);
    void RotateZ(float degrees);
};

inline Vec3 operator*(float s, const Vec3& v) { return v * s; }

constexpr float kDegToRad = 3.14159265358979323846f / 180.0f;

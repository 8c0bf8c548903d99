// Placement of entities and the point-inside and overlap tests.
#include "render/Entity.h"

#include <algorithm>
#include <cmath>

bool CEntity::Load(ResourceGroup*, const std::string&)
{
    return false;
}

float CEntity::LargestScaledExtent() const
{
    return std::max(ScaledWidth(), std::max(ScaledHeight(), ScaledDepth()));
}

void CEntity::SetRotationOrder(const char* order)
{
    for (int i = 0; i < 3; ++i) {
        const char c = order ? order[i] : 0;
        m_rotation_order[i] = c;
        if (!c) {
            for (int k = i + 1; k < 3; ++k)
                m_rotation_order[k] = 0;
            break;
        }
    }
}

Vec3 CEntity::ToModelAxes(Vec3 v) const
{
    for (char axis : m_rotation_order) {
        switch (axis) {
        case 'x': v.RotateX(-m_angle_x); break;
        case 'y': v.RotateY(-m_angle_y); break;
        case 'z': v.RotateZ(-m_angle_z); break;
        default: break;
        }
    }
    return v;
}

bool CEntity::PointInside(const Vec3& p) const
{
    const float r = LargestScaledExtent();
    if ((m_position - p).LengthSq() > r * r)
        return false;
    const Vec3 local = ToModelAxes(p - m_position);
    return std::abs(local.x) < ScaledWidth() * 0.5f && std::abs(local.y) < ScaledHeight() * 0.5f &&
           std::abs(local.z) < ScaledDepth() * 0.5f;
}

bool CEntity::Overlaps(const CEntity& other) const
{
    const float ra = LargestScaledExtent();
    const float rb = other.LargestScaledExtent();
    if ((m_position - other.m_position).LengthSq() > ra * ra + rb * rb)
        return false;
    const float sumA = ScaledWidth() + ScaledHeight() + ScaledDepth();
    const float sumB = other.ScaledWidth() + other.ScaledHeight() + other.ScaledDepth();
    const CEntity& probe = sumB < sumA ? other : *this;
    const CEntity& box = sumB < sumA ? *this : other;
    if (box.PointInside(probe.m_position))
        return true;
    static const float kSigns[8][3] = {{1, 1, 1},   {-1, 1, 1},   {-1, -1, 1}, {1, -1, 1},
                                       {1, 1, -1}, {-1, 1, -1}, {-1, -1, -1}, {1, -1, -1}};
    const float hw = probe.ScaledWidth() * 0.5f, hh = probe.ScaledHeight() * 0.5f, hd = probe.ScaledDepth() * 0.5f;
    for (const auto& s : kSigns) {
        // The corners are turned with the probe's own angles and order.
        const Vec3 offset = probe.ToModelAxes(Vec3(hw * s[0], hh * s[1], hd * s[2]));
        if (box.PointInside(probe.m_position + offset))
            return true;
    }
    return false;
}

void CEntity::CopyEntity(const CEntity& other)
{
    CEntity::operator=(other);
    m_vector2 = Vec3();
}

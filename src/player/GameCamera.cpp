// CGameCamera: the eight views, the snap and the glide, ground clearance and the cross-hair view.
#include "player/GameCamera.h"

#include "platform/GL.h"
#include "player/FlightWorld.h"
#include "player/Player.h"

#include <cmath>

namespace {

constexpr float kViewAngles[CGameCamera::kViewCount] = {-90, -75, -57, -35, -10, -35, -57, -75};
const Vec3 kViewOffsets[CGameCamera::kViewCount] = {
    {0, 0.3f, 0.1f}, {0, 0, 2}, {0, 1, 3}, {0, 2, 5}, {0, 3, 7}, {0, 2, 5}, {0, 1, 3}, {0, 0, 2},
};

// Sine and cosine with values below 0.00001 in size taken as 0, so right angles turn exactly.
void SinCos(float degrees, float& s, float& c)
{
    const float a = degrees * kDegToRad;
    s = std::sin(a);
    c = std::cos(a);
    if (std::fabs(s) < 0.00001f)
        s = 0.0f;
    if (std::fabs(c) < 0.00001f)
        c = 0.0f;
}

void TurnX(Vec3& v, float degrees)
{
    float s, c;
    SinCos(degrees, s, c);
    const float y = v.y * c - v.z * s, z = v.y * s + v.z * c;
    v.y = y;
    v.z = z;
}

void TurnY(Vec3& v, float degrees)
{
    float s, c;
    SinCos(degrees, s, c);
    const float x = v.x * c + v.z * s, z = -v.x * s + v.z * c;
    v.x = x;
    v.z = z;
}

void TurnZ(Vec3& v, float degrees)
{
    float s, c;
    SinCos(degrees, s, c);
    const float x = v.x * c - v.y * s, y = v.x * s + v.y * c;
    v.x = x;
    v.y = y;
}

}  // namespace

CGameCamera::CGameCamera() = default;

void CGameCamera::SelectView(int i)
{
    if (i < 0 || i >= kViewCount)
        i = 0;
    m_crosshair = i == 0 ? 1 : 0;
    const bool snap = i == 0 || m_view == 0;
    m_view = i;
    m_target_angle = kViewAngles[i];
    m_target_offset = kViewOffsets[i];
    m_angle_step = (m_target_angle - m_angle) * 0.02f;
    m_offset_step = (m_target_offset - m_offset) * 0.02f;
    if (snap)
        Snap();
}

void CGameCamera::Snap()
{
    m_angle = m_target_angle;
    m_offset = m_target_offset;
}

void CGameCamera::Follow(const CPlayer& player)
{
    m_following = 1;
    const CPlayer::State s = player.GetState();
    if (s != CPlayer::Start && s != CPlayer::Flying && s != CPlayer::Maneuver && m_view == 0) {
        SelectView(1);
        Snap();
    }
    m_look_dir = player.Velocity();
    m_look_point = player.Position() + Vec3(0.0f, m_offset.y, 0.0f);
    m_orbit = player.Pitch();
    m_roll = player.Roll();

    if ((m_target_offset - m_offset).LengthSq() > 0.001f)
        m_offset += m_offset_step * m_glide_rate;
    if (std::fabs(m_target_angle - m_angle) > 1.0f)
        m_angle += m_angle_step * m_glide_rate;

    Vec3 eye(m_offset.x, 0.0f, m_offset.z);
    TurnX(eye, m_angle);
    TurnZ(eye, m_orbit - 180.0f);
    eye += m_look_point;
    m_up.Set(0.0f, 0.0f, 1.0f);
    if (m_crosshair) {
        TurnY(m_up, m_roll);
        if (m_following) {
            m_look_point.z += 0.25f;
            eye.z += 0.25f;
        }
    } else if (m_world) {
        const float g = m_world->GroundHeight(eye.x, eye.y);
        if (eye.z < g + 0.8f)
            eye.z = g + 0.8f;
    }
    m_eye = eye;
}

void CGameCamera::LookAt(const CPlayer& player)
{
    Follow(player);
    gluLookAt(m_eye.x, m_eye.y, m_eye.z, m_look_point.x, m_look_point.y, m_look_point.z, m_up.x, m_up.y, m_up.z);
    m_following = 0;
}

// CGameCamera: the eye of the running game — eight fixed views around the player's aircraft,
// from the cockpit with its cross-hair to a high view from above, with a glide between views.
//
// Embedded in CGameField: it is attached to the level at every level start (SetWorld), switched
// by the camera key (SelectView) and asked once per frame to look at the player (LookAt, which
// ends in gluLookAt). Follow does the same arithmetic without GL, for tests and tools. The glide
// advances once per frame, whatever the frame's length.
#pragma once

#include "app/Vec3.h"

#include <cstdint>

class CPlayer;
class IFlightWorld;

class CGameCamera {
public:
    static constexpr int kViewCount = 8;

    CGameCamera();

    void SetWorld(const IFlightWorld* world) { m_world = world; }
    void SelectView(int i);
    void Snap();
    // Places eye, look point and up for this frame (no GL).
    void Follow(const CPlayer& player);
    // Follow, then gluLookAt.
    void LookAt(const CPlayer& player);

    bool HasCrosshair() const { return m_crosshair != 0; }
    static int ViewCount() { return kViewCount; }
    int View() const { return m_view; }
    const Vec3& Eye() const { return m_eye; }
    const Vec3& LookPoint() const { return m_look_point; }
    const Vec3& Up() const { return m_up; }
    const Vec3& Offset() const { return m_offset; }
    const Vec3& TargetOffset() const { return m_target_offset; }
    float Angle() const { return m_angle; }
    float TargetAngle() const { return m_target_angle; }

private:
    Vec3 m_target_offset;
    Vec3 m_offset;
    Vec3 m_look_point;
    Vec3 m_up{0, 0, 1};
    Vec3 m_look_dir;
    const IFlightWorld* m_world = nullptr;
    float m_glide_rate = 1.0f;
    float m_angle_step = 0;
    Vec3 m_offset_step;
    float m_target_angle = -75.0f, m_angle = -75.0f;
    float m_orbit = 0, m_roll = 0;
    uint8_t m_following = 0;
    uint8_t m_crosshair = 0;
    int32_t m_view = 0;
    Vec3 m_eye;
};

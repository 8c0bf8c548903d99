// CEntity: the base of every world object — a box with a position, three rotation angles composed
// in a per-object axis order, an unscaled size and a uniform scale — and the two collision tests.
//
// Derived kinds (CUnit, CEntity3DS and the game's aircraft, enemies and missiles) load and draw
// the model; the base only holds the placement. The tests need no GL context. A rotation-order
// character other than 'x', 'y' or 'z' names no axis and adds no rotation at its place.
#pragma once

#include "app/Vec3.h"

#include <string>

class ResourceGroup;

class CEntity {
public:
    CEntity() = default;

    // Loads the model through a resource group; the base has none.
    virtual bool Load(ResourceGroup* group, const std::string& fileName);
    // Frees the model's GL objects and owned parts.
    virtual void Release() {}
    // Issues the model's drawing commands in the current model-view matrix.
    virtual void Draw() {}

    float ScaledWidth() const { return m_scale * m_width; }
    float ScaledHeight() const { return m_scale * m_height; }
    float ScaledDepth() const { return m_scale * m_depth; }
    float LargestScaledExtent() const;

    const Vec3& GetPosition() const { return m_position; }
    void SetPosition(const Vec3& p) { m_position = p; }
    void SetPosition(float x, float y, float z) { m_position.Set(x, y, z); }
    void SetAngles(float ax, float ay, float az) { m_angle_x = ax; m_angle_y = ay; m_angle_z = az; }
    void SetSize(float w, float h, float d) { m_width = w; m_height = h; m_depth = d; }
    void SetScale(float s) { m_scale = s; }
    float GetScale() const { return m_scale; }
    void SetRotationOrder(char a, char b, char c) { m_rotation_order[0] = a; m_rotation_order[1] = b; m_rotation_order[2] = c; }
    void SetRotationOrder(const char* order);

    // Turns a vector by minus each angle, axis by axis in the rotation order (world to model axes).
    Vec3 ToModelAxes(Vec3 v) const;

    // True when p lies strictly inside the scaled, rotated box.
    bool PointInside(const Vec3& p) const;
    // True when this entity's box and the other's overlap (distance pre-test, then the probe's
    // centre and eight corners against the other box).
    bool Overlaps(const CEntity& other) const;

    // Copies everything but the second spare vector, which keeps its default.
    void CopyEntity(const CEntity& other);

    bool m_use_normals = false;
    float m_angle_x = 0, m_angle_y = 0, m_angle_z = 0;
    float m_width = 0, m_height = 0, m_depth = 0;
    float m_scale = 1;
    Vec3 m_position;
    Vec3 m_vector1;  // at the disposal of derived kinds
    Vec3 m_vector2;  // at the disposal of derived kinds; not copied
    char m_rotation_order[3] = {'x', 'y', 'z'};

    // Virtual so that a derived kind held through the base is always destroyed whole.
    virtual ~CEntity() = default;
    CEntity(const CEntity&) = default;
    CEntity& operator=(const CEntity&) = default;
};

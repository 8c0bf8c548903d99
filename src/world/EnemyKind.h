// CEnemyKind: what the seven enemy and target classes share on top of CEnemy — the life state,
// the battle world they query, motion (direction and speed), the model switch that keeps the
// pose, the child parts drawn at their offsets, and the mends of bad values from shared level
// files.
//
// Only the kinds derive from it; CEnemiesCtrl sees them as CEnemy. The world is the enemy's own
// LevelBattleWorld over its level unless SetWorld gave another (tests). Mends, each logged once
// per entry: a kind outside the class's range is clamped into it; non-finite or huge coordinates,
// speeds and headings are replaced (0, or clamped to kMaxCoordinate), so no later division or
// model look-up can go wrong.
#pragma once

#include "world/BattleWorld.h"
#include "world/Enemy.h"

#include <cstdint>

class CEnemyKind : public CEnemy {
public:
    static constexpr float kMaxCoordinate = 100000.0f;
    static constexpr float kMaxSpeed = 100.0f;

    CEnemyKind(CLevel* level, CAtmosphericCtpl* effects);

    bool IsFinished() const override { return m_life == 2; }
    bool IsDying() const override { return m_life == 1; }
    bool IsAlive() const override { return m_life == 0; }

    void SetWorld(const IBattleWorld* world) { m_world = world ? world : &m_level_world; }
    const IBattleWorld& World() const { return *m_world; }
    int32_t Life() const { return m_life; }
    const Vec3& Direction() const { return m_dir; }
    float Speed() const { return m_speed; }
    float Heading() const { return m_angle_z; }
    void SetMotion(const Vec3& direction, float speed) { m_dir = direction; m_speed = speed; }
    void SetHeading(float degrees) { m_angle_z = degrees; }
    // A child part's offset in the world: its position in the model × S, turned by the heading
    // (where fire and smoke of the part are emitted; DrawWithChildren draws it there).
    Vec3 PartOffset(size_t i) const;

    // True when a sphere of the model's largest extent around the position may be seen through
    // the current GL projection and model-view: the kinds skip the model (not the ground shadow)
    // when it cannot, which spares the software rasteriser the enemies behind the camera.
    bool InView() const;
    // Vertical and lengthwise extents of the scaled model (z and y sizes; the model's x is its
    // width).
    float ScaledUp() const { return m_scale * m_depth; }
    float ScaledLength() const { return m_scale * m_height; }
    // The kind clamped into 0 .. count - 1, with a log line when it was outside.
    static int32_t ClampKind(int32_t kind, int32_t count, const char* className);
    // A finite coordinate within ±kMaxCoordinate (0 for NaN).
    static float SaneCoordinate(float v);
    static Vec3 SanePoint(const Vec3& p);

protected:
    // Sound range R = k_scale × "m_sound_barrier".
    float SoundRange() const;
    Vec3 Listener() const { return m_world->Listener(); }
    void PlaceSound(int id) const;
    // A kill's reward: points to the level score, one to the kill counter of its row (0 planes,
    // 1 helicopters, 2 boats, 3 ground targets), and the sound played and placed.
    void CountKill(int32_t points, int counter, int soundId);
    // Makes this enemy a sharing copy of the model prototype (none: the model stays as it is),
    // keeping position, the three angles and the rotation order. The children keep their scale
    // of 1: DrawWithChildren gives them the enemy's.
    void LoadModel(const CUnit* prototype);
    // Reads "m_sp%i", "m_spx%i", "m_spy%i", "m_spz%i", "m_az%i" with the mends above; a zero
    // direction becomes (0, 1, 0) turned by the heading when zeroToHeading is set.
    void ReadMotion(const ParamFile& file, int i, bool zeroToHeading);
    void WriteMotion(ParamFile& file, int i) const;
    // "m_lpx%i", "m_lpy%i", "m_lpz%i" in level units, mended.
    Vec3 ReadPosition(const ParamFile& file, int i) const;
    void WritePosition(ParamFile& file, int i) const;
    // Fire and smoke of a wreck at the body and, each with probability one half, at its parts.
    void EmitWreckSmoke();

    LevelBattleWorld m_level_world;
    const IBattleWorld* m_world;
    int32_t m_life = 0;
    Vec3 m_dir{0, 1, 0};
    float m_speed = 0.0f;
};

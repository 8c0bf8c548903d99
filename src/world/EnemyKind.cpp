// CEnemyKind: the shared state, model switch, part drawing and file mends of the enemy kinds.
#include "world/EnemyKind.h"

#include "app/Log.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"
#include "world/Level.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

CEnemyKind::CEnemyKind(CLevel* level, CAtmosphericCtpl* effects)
    : CEnemy(level, effects), m_level_world(level), m_world(&m_level_world)
{
}

int32_t CEnemyKind::ClampKind(int32_t kind, int32_t count, const char* className)
{
    const int32_t c = std::max(count, 1);
    if (kind >= 0 && kind < c)
        return kind;
    const int32_t k = std::clamp(kind, 0, c - 1);
    LogWrite("%s: kind %d is not one of 0..%d, %d used", className, kind, c - 1, k);
    return k;
}

float CEnemyKind::SaneCoordinate(float v)
{
    if (std::isnan(v))
        return 0.0f;
    return std::clamp(v, -kMaxCoordinate, kMaxCoordinate);
}

Vec3 CEnemyKind::SanePoint(const Vec3& p) { return Vec3(SaneCoordinate(p.x), SaneCoordinate(p.y), SaneCoordinate(p.z)); }

float CEnemyKind::SoundRange() const { return m_world->Scale() * (m_game ? m_game->m_sound_barrier : 30.0f); }

void CEnemyKind::PlaceSound(int id) const { BattleSound::Place(id, Listener(), m_position, SoundRange()); }

void CEnemyKind::CountKill(int32_t points, int counter, int soundId)
{
    if (m_game) {
        m_game->scoreLevel += points;
        m_game->killCounts[counter] += 1;
    }
    BattleSound::Play(soundId);
    PlaceSound(soundId);
}

void CEnemyKind::LoadModel(const CUnit* prototype)
{
    if (!prototype)
        return;
    const Vec3 p = m_position;
    const float ax = m_angle_x, ay = m_angle_y, az = m_angle_z;
    const char order[3] = {m_rotation_order[0], m_rotation_order[1], m_rotation_order[2]};
    CUnit::operator=(*prototype);
    m_position = p;
    SetAngles(ax, ay, az);
    SetRotationOrder(order[0], order[1], order[2]);
}

Vec3 CEnemyKind::PartOffset(size_t i) const
{
    Vec3 o = ChildOffset(i);
    o.RotateZ(m_angle_z);
    return o;
}

bool CEnemyKind::InView() const
{
    GLfloat mv[16], pr[16], m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glGetFloatv(GL_PROJECTION_MATRIX, pr);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float v = 0.0f;
            for (int k = 0; k < 4; ++k)
                v += pr[k * 4 + r] * mv[c * 4 + k];
            m[c * 4 + r] = v;
        }
    const float radius = LargestScaledExtent() + 0.5f;
    const Vec3& p = m_position;
    for (int axis = 0; axis < 3; ++axis)
        for (float sign : {1.0f, -1.0f}) {
            const float a = m[3] + sign * m[axis], b = m[7] + sign * m[4 + axis], c = m[11] + sign * m[8 + axis],
                        d = m[15] + sign * m[12 + axis];
            const float len = std::sqrt(a * a + b * b + c * c);
            if (len > 0.0f && (a * p.x + b * p.y + c * p.z + d) / len < -radius)
                return false;
        }
    return true;
}

void CEnemyKind::ReadMotion(const ParamFile& f, int i, bool zeroToHeading)
{
    float speed = f.GetFloat(Key("m_sp", i), "0");
    if (!std::isfinite(speed) || std::fabs(speed) > kMaxSpeed) {
        LogWrite("enemy %d: speed %f mended", i, static_cast<double>(speed));
        speed = std::isfinite(speed) ? std::clamp(speed, -kMaxSpeed, kMaxSpeed) : 0.0f;
    }
    m_speed = speed;
    Vec3 d(f.GetFloat(Key("m_spx", i), "0"), f.GetFloat(Key("m_spy", i), "0"), f.GetFloat(Key("m_spz", i), "0"));
    if (!std::isfinite(d.x) || !std::isfinite(d.y) || !std::isfinite(d.z) || d.Length() > kMaxCoordinate) {
        LogWrite("enemy %d: direction mended to zero", i);
        d.Set(0, 0, 0);
    }
    float heading = f.GetFloat(Key("m_az", i), "0");
    if (!std::isfinite(heading)) {
        LogWrite("enemy %d: heading mended to 0", i);
        heading = 0.0f;
    }
    heading = std::fmod(heading, 360.0f);
    if (heading < 0.0f)
        heading += 360.0f;
    m_angle_z = heading;
    if (zeroToHeading && d.x == 0.0f && d.y == 0.0f && d.z == 0.0f) {
        d.Set(0, 1, 0);
        d.RotateZ(heading);
    }
    m_dir = d;
}

void CEnemyKind::WriteMotion(ParamFile& f, int i) const
{
    f.SetFloat(Key("m_sp", i), m_speed);
    f.SetFloat(Key("m_spx", i), m_dir.x);
    f.SetFloat(Key("m_spy", i), m_dir.y);
    f.SetFloat(Key("m_spz", i), m_dir.z);
    f.SetFloat(Key("m_az", i), m_angle_z);
}

Vec3 CEnemyKind::ReadPosition(const ParamFile& f, int i) const
{
    const Vec3 raw = ReadLevelPosition(f, i);
    const Vec3 p = SanePoint(raw);
    if (!(p == raw))
        LogWrite("enemy %d: position mended to %f %f %f", i, static_cast<double>(p.x), static_cast<double>(p.y),
                 static_cast<double>(p.z));
    return p;
}

void CEnemyKind::WritePosition(ParamFile& f, int i) const
{
    // The inverse of ReadLevelPosition: level units, y counted from half the terrain width.
    const float k = m_level && m_level->Scale() != 0.0f ? m_level->Scale() : 1.0f;
    const float half = m_level ? m_level->HalfWidth() : 0.0f;
    f.SetFloat(Key("m_lpx", i), m_position.x / k);
    f.SetFloat(Key("m_lpy", i), (m_position.y - half) / k);
    f.SetFloat(Key("m_lpz", i), m_position.z / k);
}

void CEnemyKind::EmitWreckSmoke()
{
    if (!m_effects)
        return;
    m_effects->EmitFire(m_effect_id, m_position);
    for (size_t i = 0; i < ChildCount(); ++i)
        if (std::rand() % 2 == 0)
            m_effects->EmitFire(m_effect_id + 1 + i % 18, m_position + PartOffset(i));
}

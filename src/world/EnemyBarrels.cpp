// CEnemyBarrels: the stack's jump, the flying barrels with their fire, the fall below the ground.
#include "world/EnemyBarrels.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"

#include <algorithm>
#include <cstdlib>

namespace {

float Signed(float v) { return std::rand() % 2 == 0 ? v : -v; }

}  // namespace

CEnemyBarrels::CEnemyBarrels(CLevel* level, CAtmosphericCtpl* effects) : CEnemyKind(level, effects)
{
    m_gravity.Set(0, 0, -(m_game ? m_game->m_barrels_expl_gravity : 0.0f));
    SetRotationOrder('z', 'A', 'A');
}

void CEnemyBarrels::SetKind(int32_t kind)
{
    const int32_t k = ClampKind(kind, GameData::kMaxBarrels, "CEnemyBarrels");
    m_kind = k;
    m_score_code = 600 + k;
    if (m_game)
        LoadModel(m_game->m_e_barrels[k]);
    m_part_velocity.assign(ChildCount(), Vec3(0, 0, 0));
}

void CEnemyBarrels::ApplyKind() { SetKind(m_kind); }

void CEnemyBarrels::ReadKeys(const ParamFile& f, int i)
{
    SetKind(f.GetInt(Key("m_kind", i), "0"));
    const Vec3 p = ReadPosition(f, i);
    ReadMotion(f, i, false);
    m_speed = 0.0f;
    m_dir.Set(0, 0, 0);
    Place(p);
}

void CEnemyBarrels::WriteKeys(ParamFile& f, int i) const
{
    f.SetString(Key("name", i), "EnemyBarrels");
    WritePosition(f, i);
    f.SetFloat(Key("m_az", i), m_angle_z);
    f.SetInt(Key("m_kind", i), m_kind);
}

void CEnemyBarrels::Place(const Vec3& p)
{
    const float h = ScaledUp();
    SetPosition(p.x, p.y, m_world->GroundHeight(p.x, p.y) + h / 2.0f + h / 10.0f);
}

void CEnemyBarrels::Kill(const Vec3* hitPoint)
{
    (void)hitPoint;
    if (m_life != 0)
        return;
    m_life = 1;
    const float speed = m_game ? m_game->m_barrels_expl_speed : 0.0f;
    m_dir = Vec3(m_dir.x, m_dir.y, 0.8f) * speed;
    m_part_velocity.assign(ChildCount(), Vec3(0, 0, 0));
    for (Vec3& v : m_part_velocity) {
        // Sideways either way, never downwards: the barrels fly up out of the stack.
        v.Set(Signed(0.06f * static_cast<float>(std::rand() % 10)), Signed(0.06f * static_cast<float>(std::rand() % 10)),
              0.24f * static_cast<float>(std::rand() % 20));
        v.NormalizeSafe();
        v *= speed;
    }
    if (m_effects)
        m_effects->CrashEffect(*this);
    const int t = std::max(m_game ? m_game->m_missle_smoke_time : 1, 1);
    m_smoke_timer = static_cast<float>((std::rand() % t + t) * 5);
    CountKill(m_game ? m_game->m_score_aad : 0, 3, 7);
}

void CEnemyBarrels::SmokeStep(float dt)
{
    m_smoke_timer -= dt;
    if (m_smoke_timer >= 0.0f)
        return;
    const int t = std::max(m_game ? m_game->m_missle_smoke_time : 1, 1);
    m_smoke_timer = static_cast<float>(std::rand() % t + 4 * t);
    if (m_life != 1 || !m_effects)
        return;
    m_effects->EmitFire(m_effect_id, m_position);
    for (size_t i = 0; i < ChildCount(); ++i) {
        CUnit* part = Child(i);
        // Each barrel keeps its own trail, so no fire is drawn from one barrel to the next.
        m_effects->EmitFire(m_effect_id + 1 + i % 18, m_position + PartOffset(i));
        Vec3 back = (part->GetPosition() - m_part_velocity[i] * (0.5f * dt)) * m_scale;
        back.RotateZ(m_angle_z);
        m_effects->EmitFireSource(m_position + back);
    }
}

void CEnemyBarrels::Update(float dt)
{
    if (m_life != 1)
        return;
    PlaceSound(7);
    if (m_world->GroundHeight(m_position.x, m_position.y) > m_position.z)
        m_life = 2;
    SmokeStep(dt);
    m_dir += m_gravity * dt;
    m_position.z += m_dir.z * dt;
    for (size_t i = 0; i < ChildCount() && i < m_part_velocity.size(); ++i) {
        m_part_velocity[i] += m_gravity * dt;
        CUnit* part = Child(i);
        part->SetPosition(part->GetPosition() + m_part_velocity[i] * dt);
    }
}

void CEnemyBarrels::Draw()
{
    // Flying barrels leave the stack's sphere: only an intact stack is culled.
    if (m_life == 0 && !InView())
        return;
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle_z, 0, 0, 1);
    DrawWithChildren();
    glPopMatrix();
}

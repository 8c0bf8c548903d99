// CFuel: the turning depot, taken or shot apart.
#include "world/Fuel.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"

#include <algorithm>
#include <cstdlib>

CFuel::CFuel(CLevel* level, CAtmosphericCtpl* effects) : CEnemyKind(level, effects)
{
    m_gravity.Set(0, 0, -(m_game ? m_game->m_gravity : 0.0f));
    SetRotationOrder('z', 'A', 'A');
    if (m_game)
        LoadModel(m_game->m_fuel);
    m_part_velocity.assign(ChildCount(), Vec3(0, 0, 0));
    m_score_code = 0;
}

void CFuel::SetKind(int32_t kind)
{
    (void)kind;
    m_kind = 0;
    m_score_code = 0;
}

void CFuel::ApplyKind()
{
    if (m_game)
        LoadModel(m_game->m_fuel);
    m_part_velocity.assign(ChildCount(), Vec3(0, 0, 0));
}

void CFuel::ReadKeys(const ParamFile& f, int i) { Place(ReadPosition(f, i)); }

void CFuel::WriteKeys(ParamFile& f, int i) const
{
    f.SetString(Key("name", i), "Fuel");
    WritePosition(f, i);
}

void CFuel::Place(const Vec3& p) { SetPosition(p.x, p.y, m_world->FlyingHeight()); }

void CFuel::Update(float dt)
{
    if (m_life == 0) {
        m_angle_z += dt * m_spin;
        return;
    }
    if (m_life != 1)
        return;
    m_life = 2;
    for (size_t i = 0; i < ChildCount() && i < m_part_velocity.size(); ++i) {
        CUnit* part = Child(i);
        part->SetPosition(part->GetPosition() + m_part_velocity[i] * dt);
    }
}

void CFuel::Kill(const Vec3* hitPoint)
{
    (void)hitPoint;
    if (m_life != 0)
        return;
    m_life = 1;
    m_part_velocity.assign(ChildCount(), Vec3(0, 0, 0));
    for (Vec3& v : m_part_velocity) {
        v.Set(static_cast<float>(std::rand() % 100 - 50), static_cast<float>(std::rand() % 100 - 50),
              static_cast<float>(std::rand() % 40 - 25));
        v.NormalizeSafe();
    }
    if (m_effects)
        m_effects->EmitFireSource(m_position);
    const int t = std::max(m_game ? m_game->m_missle_smoke_time : 1, 1);
    m_smoke_timer = static_cast<float>((std::rand() % t + t) * 5);
}

void CFuel::Take()
{
    if (m_life == 0)
        m_life = 1;
}

void CFuel::Draw()
{
    if (m_life == 2 || !InView())
        return;
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle_z, 0, 0, 1);
    DrawWithChildren();
    glPopMatrix();
}

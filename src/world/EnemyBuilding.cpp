// CEnemyBuilding: placement on the bank, the one explosion, the fire that never goes out.
#include "world/EnemyBuilding.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"

#include <algorithm>

CEnemyBuilding::CEnemyBuilding(CLevel* level, CAtmosphericCtpl* effects) : CEnemyKind(level, effects)
{
    SetRotationOrder('z', 'A', 'A');
}

void CEnemyBuilding::SetKind(int32_t kind)
{
    const int32_t k = ClampKind(kind, GameData::kMaxBuildings, "CEnemyBuilding");
    m_kind = k;
    m_score_code = 500 + k;
    if (m_game)
        LoadModel(m_game->m_e_buildings[k]);
}

void CEnemyBuilding::ApplyKind() { SetKind(m_kind); }

void CEnemyBuilding::ReadKeys(const ParamFile& f, int i)
{
    SetKind(f.GetInt(Key("m_kind", i), "0"));
    const Vec3 p = ReadPosition(f, i);
    ReadMotion(f, i, false);
    m_speed = 0.0f;
    Place(p);
}

void CEnemyBuilding::WriteKeys(ParamFile& f, int i) const
{
    f.SetString(Key("name", i), "EnemyBuilding");
    WritePosition(f, i);
    f.SetFloat(Key("m_az", i), m_angle_z);
    f.SetInt(Key("m_kind", i), m_kind);
}

void CEnemyBuilding::Place(const Vec3& p)
{
    const float h = ScaledUp();
    SetPosition(p.x, p.y, std::max(m_world->GroundHeight(p.x, p.y), m_world->WaterHeight()) + h / 2.0f + h / 15.0f);
}

void CEnemyBuilding::Update(float dt)
{
    (void)dt;
    if (m_life != 1)
        return;
    PlaceSound(6);
    if (m_effects)
        m_effects->EmitBoatFire(m_effect_id, m_position + Vec3(0, 0, ScaledUp() / 2.0f));
}

void CEnemyBuilding::Kill(const Vec3* hitPoint)
{
    (void)hitPoint;
    if (m_life != 0)
        return;
    m_life = 1;
    if (m_effects)
        m_effects->SpawnExplosion(m_position, std::min(m_scale, 1.4f));
    CountKill(m_game ? m_game->m_score_aad : 0, 3, 6);
}

void CEnemyBuilding::Draw()
{
    if (!InView())
        return;
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle_z, 0, 0, 1);
    DrawWithChildren();
    glPopMatrix();
}

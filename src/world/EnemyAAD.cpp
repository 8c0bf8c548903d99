// CEnemyAAD: timed missiles and flak from the turret, the explosion when hit.
#include "world/EnemyAAD.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "player/MissleCtrl.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/BattleSound.h"

#include <cmath>
#include <cstdlib>

CEnemyAAD::CEnemyAAD(CLevel* level, CAtmosphericCtpl* effects) : CEnemyKind(level, effects)
{
    SetRotationOrder('z', 'A', 'A');
}

void CEnemyAAD::SetKind(int32_t kind)
{
    const int32_t k = ClampKind(kind, GameData::kMaxAads, "CEnemyAAD");
    m_kind = k;
    m_score_code = 400 + k;
    if (m_game)
        LoadModel(m_game->m_e_aads[k]);
    m_turret = Child(0);
    if (m_turret)
        m_turret->m_angle_x = m_turret_pitch;
}

void CEnemyAAD::ApplyKind() { SetKind(m_kind); }

void CEnemyAAD::ReadKeys(const ParamFile& f, int i)
{
    SetKind(f.GetInt(Key("m_kind", i), "0"));
    ReadMotion(f, i, false);
    m_turret_heading = m_angle_z;
    m_angle_z = 0.0f;
    const Vec3 p = ReadPosition(f, i);
    m_shoot_status = f.GetInt(Key("m_shoot_status", i), "0");
    m_rocket_range = f.GetFloat(Key("m_distance_rocket", i), "0");
    m_flak_range = f.GetFloat(Key("m_distance_flak", i), "0");
    if (!std::isfinite(m_rocket_range))
        m_rocket_range = 0.0f;
    if (!std::isfinite(m_flak_range))
        m_flak_range = 0.0f;
    Place(p);
}

void CEnemyAAD::WriteKeys(ParamFile& f, int i) const
{
    f.SetString(Key("name", i), "EnemyAAD1");
    WriteMotion(f, i);
    f.SetFloat(Key("m_az", i), m_turret_heading);
    WritePosition(f, i);
    f.SetInt(Key("m_shoot_status", i), m_shoot_status);
    f.SetFloat(Key("m_distance_rocket", i), m_rocket_range);
    f.SetFloat(Key("m_distance_flak", i), m_flak_range);
    f.SetInt(Key("m_kind", i), m_kind);
}

void CEnemyAAD::Place(const Vec3& p) { SetPosition(p.x, p.y, m_world->GroundHeight(p.x, p.y) + ScaledUp() / 2.0f); }

Vec3 CEnemyAAD::TurretPoint() const
{
    CUnit* turret = const_cast<CEnemyAAD*>(this)->Child(0);
    if (!turret)
        return m_position + Vec3(0, 0, ScaledUp() / 2.0f);
    Vec3 o = turret->GetPosition() * m_scale;
    o.RotateZ(m_turret_heading);
    return m_position + o;
}

void CEnemyAAD::Update(float dt)
{
    if (!m_game)
        return;
    if (m_life == 0) {
        if ((m_shoot_status == 1 || m_shoot_status == 3) && m_missiles) {
            m_missile_timer -= dt;
            if (m_missile_timer < 0.0f) {
                m_missile_timer = 150.0f;
                Vec3 d(0, 1, 0);
                d.RotateX(m_turret_pitch);
                d.RotateZ(m_turret_heading);
                m_missiles->FireSiteMissile(TurretPoint(), d, m_turret_heading, m_game->m_missile_aa_damage,
                                            m_rocket_range);
            }
        }
        if ((m_shoot_status == 2 || m_shoot_status == 3) && m_missiles) {
            m_flak_timer -= dt;
            if (m_flak_timer < 0.0f) {
                m_flak_timer = 70.0f;
                // Level, along the turret's heading spread by a few degrees: the shells cross
                // the flight path only where the turret stands near the flying height.
                Vec3 d(0, 1, 0);
                d.RotateZ(m_turret_heading - 5.0f + static_cast<float>(std::rand() % 10));
                m_missiles->FireSiteFlak(TurretPoint(), d, m_game->m_flak_damage, m_flak_range);
            }
        }
    } else if (m_life == 1) {
        PlaceSound(6);
        m_life = 2;
    }
}

void CEnemyAAD::Kill(const Vec3* hitPoint)
{
    (void)hitPoint;
    if (m_life != 0)
        return;
    m_life = 1;
    if (m_effects)
        m_effects->SpawnExplosion(m_position, 1.4f);
    BattleSound::Play(6);
    PlaceSound(6);
}

void CEnemyAAD::Draw()
{
    if (!InView())
        return;
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_turret_heading, 0, 0, 1);
    DrawWithChildren();
    glPopMatrix();
}

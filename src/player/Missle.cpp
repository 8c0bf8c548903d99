// CMissle: the shared part of every projectile — model copy, launch pose, lock classes.
#include "player/Missle.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "world/BattleWorld.h"

#include <cmath>

CMissle::CMissle(const IBattleWorld* world, CAtmosphericCtpl* atmosphere, const GameData* game)
    : m_world(world), m_atmosphere(atmosphere), m_game(game), m_effect_id(GameData::TakeEffectId())
{
}

CMissle::~CMissle() = default;

void CMissle::UseModel(const CEntity3DS* prototype, float scale)
{
    if (prototype && prototype->IsLoaded())
        CEntity3DS::operator=(*prototype);
    else
        SetSize(0.3f, 1.0f, 0.3f);  // no model: a slim box along its flight, for the hit tests
    SetScale(scale);
    SetRotationOrder('z', 'x', 'y');
}

float CMissle::SoundRange() const { return m_world->Scale() * (m_game ? m_game->m_sound_barrier : 30.0f); }

void CMissle::Launch(const Vec3& start, const Vec3& direction, float heading)
{
    m_position = start;
    Vec3 d = direction;
    d.NormalizeSafe();
    if (d.LengthSq() == 0.0f || !std::isfinite(d.x) || !std::isfinite(d.y) || !std::isfinite(d.z)) {
        d.Set(0, 1, 0);
        d.RotateZ(heading);
    }
    m_velocity = d;
    m_angle_z = std::isfinite(heading) ? heading : 0.0f;
}

void CMissle::DrawAtHeading()
{
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle_z, 0, 0, 1);
    glRotatef(m_angle_x, 1, 0, 0);
    glEnable(GL_TEXTURE_2D);
    CEntity3DS::Draw();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

bool CMissle::KindMayLock(int32_t kind, int32_t category)
{
    switch (kind) {
    case 1:
        return true;
    case 2:
        return category == 1 || category == 3;
    case 3:
        return category == 2;
    case 4:
        return category >= 4 && category <= 6;
    case 5:
        return category == 1 || (category >= 3 && category <= 6);
    case 6:
        return category == 2 || (category >= 4 && category <= 6);
    default:
        return false;
    }
}

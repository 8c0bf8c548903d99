// CMissleCtrl: the controller of shots in flight; it holds none yet.
#include "player/MissleCtrl.h"

CMissleCtrl::CMissleCtrl(CLevel* level, CPlayer* player, CAtmosphericCtpl* atmosphere)
    : m_level(level), m_player(player), m_atmosphere(atmosphere)
{
}

CMissleCtrl::~CMissleCtrl() = default;

void CMissleCtrl::LaunchPlayerShot(const PlayerShot& shot)
{
    (void)shot;
}

void CMissleCtrl::Update(float dt)
{
    (void)dt;
}

void CMissleCtrl::Draw() {}

void CMissleCtrl::Release() {}

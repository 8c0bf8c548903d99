// CMissleCtrl: the missiles and torpedoes in flight — the player's shots and the enemies' — and
// their hits.
//
// The game field creates one per level start, after the player (NewLevel's order), updates it
// after the battle effects and draws it after the player; the player hands it its shots through
// LaunchPlayerShot. This controller holds no missiles yet: a shot asked of it is dropped, so the
// aircraft fires without effect until the weapons are flown.
#pragma once

#include "app/Vec3.h"

class CAtmosphericCtpl;
class CLevel;
class CPlayer;

// One shot of the player: primary missiles are kinds 2 (the helicopter's) and 5, the
// helicopter's secondary rocket kind 6, the jets' torpedo is marked as such and starts with the
// aircraft's velocity.
struct PlayerShot {
    int kind = 0;
    bool torpedo = false;
    Vec3 start;
    Vec3 direction{0, 1, 0};
    Vec3 velocity;
    float heading = 0;
    float damage = 0;
};

class CMissleCtrl {
public:
    CMissleCtrl(CLevel* level, CPlayer* player, CAtmosphericCtpl* atmosphere);
    virtual ~CMissleCtrl();
    CMissleCtrl(const CMissleCtrl&) = delete;
    CMissleCtrl& operator=(const CMissleCtrl&) = delete;

    virtual void LaunchPlayerShot(const PlayerShot& shot);
    virtual void Update(float dt);
    virtual void Draw();
    // Frees the GL objects of the missiles (the level's release).
    virtual void Release();

protected:
    CLevel* m_level;
    CPlayer* m_player;
    CAtmosphericCtpl* m_atmosphere;
};

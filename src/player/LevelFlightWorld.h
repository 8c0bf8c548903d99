// LevelFlightWorld: the flight world of a running level — CLevel's heights, speed factor, width
// and end — and the player's collisions with the enemies near it.
//
// CGameField makes one per level start over its CLevel and hands it to the player and the camera;
// it lives exactly as long as that level. Collisions walk the enemies controller's active window:
// a fuel depot (score code 0) refuels, anything else alive that the aircraft touches is destroyed
// and so is the aircraft, and the remains of a building (score codes 500..599) still crash it.
#pragma once

#include "player/FlightWorld.h"

#include <functional>

class CEnemiesCtrl;
class CEnemy;
class CLevel;

class LevelFlightWorld : public IFlightWorld {
public:
    explicit LevelFlightWorld(CLevel* level) : m_level(level) {}

    float GroundHeight(float x, float y) const override;
    float WaterHeight() const override;
    float FlyingHeight() const override;
    float Scale() const override;
    float HalfWidth() const override;
    bool IsFinished() const override;
    void SetViewPosition(const Vec3& p) override;
    void CollideEnemies(CPlayer& player) override;
    // The contact rules over enemies [first, last) of a controller.
    static void Collide(CPlayer& player, const CEnemiesCtrl& enemies, int first, int last, float fuelPerBarrel,
                        const std::function<void(CEnemy&)>& onTakeDepot = {});

    // Called for a depot the aircraft flew through, before it is taken and the fuel is added
    // (tests, tools).
    std::function<void(CEnemy&)> onTakeDepot;

private:
    CLevel* m_level;
};

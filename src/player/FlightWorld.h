// IFlightWorld: what the player's aircraft and the camera ask of the level they fly over.
//
// The game field hands the player and the camera a LevelFlightWorld over its CLevel; tests and
// tools give them a small world of their own, so that flight, crashes and the camera are steps
// over explicit state that run without GL and without level files. Heights and distances are in
// level units; Scale is the level's speed factor k_scale.
#pragma once

#include "app/Vec3.h"

class CPlayer;

class IFlightWorld {
public:
    virtual ~IFlightWorld() = default;
    // Height of the raw samples at (x, y): what the aircraft crashes into.
    virtual float GroundHeight(float x, float y) const = 0;
    virtual float WaterHeight() const = 0;
    virtual float FlyingHeight() const = 0;
    virtual float Scale() const = 0;
    virtual float HalfWidth() const = 0;
    // The player has passed the level's end.
    virtual bool IsFinished() const = 0;
    // The aircraft's position, every update (the level moves its active window with it).
    virtual void SetViewPosition(const Vec3& p) = 0;
    // Player against the enemies near it, once per frame while flying: depots refuel, anything
    // else (and the remains of a building) crashes the aircraft.
    virtual void CollideEnemies(CPlayer& player) { (void)player; }
};

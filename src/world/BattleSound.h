// BattleSound: the sound calls of enemies, missiles and targets — play once, place at a point
// relative to the listener, keep a looping sound alive — over the one CSoundManager.
//
// Sound is optional: without a manager (tests, tools, a machine without audio) every call is
// silent and nothing else changes.
#pragma once

#include "app/Vec3.h"

#include <cstdint>

namespace BattleSound {

// Plays sound id once (from its start when force is set or it is not playing now).
void Play(int id, bool force = true);
// Positions sound id at source for a listener, with range R.
void Place(int id, const Vec3& listener, const Vec3& source, float range);
// Keeps the looping sound id of an owner alive for countdown more updates and places it.
void Loop(uint64_t owner, int id, int countdown, const Vec3& listener, const Vec3& source, float range);

}  // namespace BattleSound

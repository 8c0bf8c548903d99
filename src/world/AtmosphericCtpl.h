// CAtmosphericCtpl: the battle effects of a level — smoke, fire, explosions, splashes and the
// player's contrails — keyed by the effect ids of the objects that cause them.
//
// The game field creates one per level start, first of all (NewLevel's order), hands it the
// level (SetLevel), updates it after the player and draws it after the missiles. The level, the
// enemies and the player hold a pointer to it and feed it emission points. This controller holds
// no effects yet: what is fed to it is dropped.
#pragma once

#include "app/Vec3.h"

#include <cstdint>

class CLevel;

class CAtmosphericCtpl {
public:
    CAtmosphericCtpl();
    virtual ~CAtmosphericCtpl();
    CAtmosphericCtpl(const CAtmosphericCtpl&) = delete;
    CAtmosphericCtpl& operator=(const CAtmosphericCtpl&) = delete;

    void SetLevel(CLevel* level) { m_level = level; }
    CLevel* Level() const { return m_level; }

    // The player's two contrail points this frame (maneuver trails when rolling).
    virtual void EmitContrails(const Vec3& left, const Vec3& right, bool maneuver);
    // Fire and smoke of a falling aircraft at a point.
    virtual void EmitFire(uint64_t id, const Vec3& at);
    virtual void Update(float dt);
    virtual void Draw();

protected:
    CLevel* m_level = nullptr;
};

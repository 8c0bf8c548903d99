// CEnemy: the interface every enemy and target of a level shares — planes, helicopters, boats,
// anti-aircraft sites, buildings, barrel stacks and fuel depots.
//
// CEnemiesCtrl creates enemies from the level's enemies file (ReadKeys), owns them, and drives
// them only through this interface: Update and Draw while they are inside the active window,
// deletion once IsFinished. The missile and collision code walk them through the controller and
// call Damage, Kill and AimPoint. Each kind keeps its own life state (0 alive, 1 dying,
// 2 finished); the base answers false to the three state questions. An enemy takes its effect
// id at construction from the process-wide counter (GameData::TakeEffectId) and keys its smoke
// and explosions in the battle effects by it (id + 1, id + 2, ... for several).
#pragma once

#include "render/Unit.h"

#include <cstdint>

class CAtmosphericCtpl;
class CLevel;
class CMissleCtrl;
class GameData;
class ParamFile;

class CEnemy : public CUnit {
public:
    CEnemy(CLevel* level, CAtmosphericCtpl* effects);
    ~CEnemy() override;

    // Load and Release are the unit's; Draw draws the enemy (the kinds call CUnit::Draw for the
    // model itself) and Update is the unit's one-argument step.
    void Draw() override = 0;
    void Update(float dt) override = 0;

    // The keys of entry i of the enemies file: written back under "name%i" and the same keys.
    virtual void WriteKeys(ParamFile& file, int i) const = 0;
    virtual void ReadKeys(const ParamFile& file, int i) = 0;
    // Reloads the model of the current kind, keeping position, direction and the three angles.
    virtual void ApplyKind() = 0;
    // Stores the kind; the kinds also set the score code and load that kind's model.
    virtual void SetKind(int32_t kind) { m_kind = kind; }
    virtual bool IsFinished() const { return false; }
    virtual bool IsDying() const { return false; }
    virtual bool IsAlive() const { return false; }
    // Starts the dying sequence; hitPoint may be null.
    virtual void Kill(const Vec3* hitPoint) { (void)hitPoint; }
    virtual Vec3 AimPoint() const { return GetPosition(); }

    void Damage(float amount) { m_health -= amount; }
    void SetMissileCtrl(CMissleCtrl* ctrl) { m_missiles = ctrl; }

    // "m_lpx%i", "m_lpy%i", "m_lpz%i" in level units: scaled by the level's k_scale, and y moved
    // on by half the terrain width (the file's y counts from the start of the valley floor).
    Vec3 ReadLevelPosition(const ParamFile& file, int i) const;
    // Text key "base%i".
    static std::string Key(const char* base, int i);

    GameData* Game() const { return m_game; }
    CLevel* Level() const { return m_level; }
    CAtmosphericCtpl* Effects() const { return m_effects; }
    CMissleCtrl* Missiles() const { return m_missiles; }
    int32_t Kind() const { return m_kind; }
    int32_t ScoreCode() const { return m_score_code; }
    uint64_t EffectId() const { return m_effect_id; }
    float Health() const { return m_health; }

protected:
    GameData* m_game;
    CLevel* m_level;
    CAtmosphericCtpl* m_effects;
    CMissleCtrl* m_missiles = nullptr;
    int32_t m_kind = 0;
    int32_t m_score_code = 0;  // kind + 100 plane, 200 boat, 300 helicopter, 400 site, 500 building, 600 barrels
    uint64_t m_effect_id;
    float m_health = 1.0f;
};

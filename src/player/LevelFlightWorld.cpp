// LevelFlightWorld: CLevel's answers for the player and camera, and player-against-enemy contact.
#include "player/LevelFlightWorld.h"

#include "audio/SoundManager.h"
#include "game/GameData.h"
#include "player/Player.h"
#include "world/EnemiesCtrl.h"
#include "world/Fuel.h"
#include "world/Level.h"

float LevelFlightWorld::GroundHeight(float x, float y) const { return m_level ? m_level->GroundHeight(x, y) : 0.0f; }
float LevelFlightWorld::WaterHeight() const { return m_level ? m_level->WaterHeight() : 0.0f; }
float LevelFlightWorld::FlyingHeight() const { return m_level ? m_level->FlyingHeight() : 0.0f; }
float LevelFlightWorld::Scale() const { return m_level ? m_level->Scale() : 1.0f; }
float LevelFlightWorld::HalfWidth() const { return m_level ? m_level->HalfWidth() : 0.0f; }
bool LevelFlightWorld::IsFinished() const { return m_level && m_level->IsFinished(); }

void LevelFlightWorld::SetViewPosition(const Vec3& p)
{
    if (m_level)
        m_level->SetViewPosition(p);
}

void LevelFlightWorld::CollideEnemies(CPlayer& player)
{
    CEnemiesCtrl* enemies = m_level ? m_level->Enemies() : nullptr;
    if (!enemies)
        return;
    const GameData* g = m_level->Game();
    Collide(player, *enemies, enemies->First(), enemies->First() + enemies->Count(), g ? g->m_fuel_per_barrel : 0.0f,
            onTakeDepot);
}

void LevelFlightWorld::Collide(CPlayer& player, const CEnemiesCtrl& enemies, int first, int last, float fuelPerBarrel,
                               const std::function<void(CEnemy&)>& onTakeDepot)
{
    for (int i = first; i < last; ++i) {
        CEnemy* e = enemies.At(i);
        if (!e)
            continue;
        const int code = e->ScoreCode();
        const bool building = code >= 500 && code <= 599;
        if (!e->IsAlive() && !building)
            continue;
        if (!player.Overlaps(*e))
            continue;
        if (code == 0 && e->IsAlive()) {
            if (onTakeDepot)
                onTakeDepot(*e);
            if (auto* depot = dynamic_cast<CFuel*>(e))
                depot->Take();
            player.AddFuel(fuelPerBarrel);
            if (CSoundManager* sm = CSoundManager::Instance())
                sm->Play(15, true, false);
            continue;
        }
        if (e->IsAlive())
            e->Kill(nullptr);
        player.SetHull(0.0f);
        player.Kill();
        return;
    }
}

// LevelBattleWorld: CLevel's answers for enemies, missiles and effects.
#include "world/BattleWorld.h"

#include "world/Level.h"
#include "world/Terrain.h"

float LevelBattleWorld::GroundHeight(float x, float y) const { return m_level ? m_level->GroundHeight(x, y) : 0.0f; }
float LevelBattleWorld::MeshHeight(float x, float y) const { return m_level ? m_level->MeshHeight(x, y) : 0.0f; }
bool LevelBattleWorld::IsAboveWater(float x, float y) const { return m_level && m_level->IsAboveWater(x, y); }
float LevelBattleWorld::WaterHeight() const { return m_level ? m_level->WaterHeight() : 0.0f; }
float LevelBattleWorld::FlyingHeight() const { return m_level ? m_level->FlyingHeight() : 0.0f; }
float LevelBattleWorld::HalfWidth() const { return m_level ? m_level->HalfWidth() : 0.0f; }
float LevelBattleWorld::Scale() const { return m_level ? m_level->Scale() : 1.0f; }
Vec3 LevelBattleWorld::Listener() const { return m_level ? m_level->ViewPosition() : Vec3(); }

float LevelBattleWorld::HeightMax() const
{
    const Terrain* t = m_level ? m_level->GetTerrain() : nullptr;
    return t ? t->HeightMax() : 0.0f;
}

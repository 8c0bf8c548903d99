// CEnemy: the shared part of every enemy — identity, health and the file position rule.
#include "world/Enemy.h"

#include "game/GameData.h"
#include "resources/ParamFile.h"
#include "world/Level.h"

#include <cstdio>
#include <string>

CEnemy::CEnemy(CLevel* level, CAtmosphericCtpl* effects)
    : m_game(level ? level->Game() : nullptr), m_level(level), m_effects(effects),
      m_effect_id(GameData::TakeEffectId())
{
}

CEnemy::~CEnemy() = default;

std::string CEnemy::Key(const char* base, int i)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%i", base, i);
    return buf;
}

Vec3 CEnemy::ReadLevelPosition(const ParamFile& file, int i) const
{
    const float k = m_level ? m_level->Scale() : 1.0f;
    Vec3 p(file.GetFloat(Key("m_lpx", i), "0") * k, file.GetFloat(Key("m_lpy", i), "0") * k,
           file.GetFloat(Key("m_lpz", i), "0") * k);
    if (m_level)
        p.y += m_level->HalfWidth();
    return p;
}

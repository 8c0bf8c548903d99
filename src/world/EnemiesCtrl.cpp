// CEnemiesCtrl: reading the enemies file, the ordered list, the active window.
#include "world/EnemiesCtrl.h"

#include "app/Log.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"
#include "world/Level.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

const char* const CEnemiesCtrl::kKindNames[7] = {"EnemyPlane1", "EnemyBoat1",    "EnemyHelic1", "EnemyAAD1",
                                                 "Fuel",        "EnemyBuilding", "EnemyBarrels"};

namespace {

std::map<std::string, CEnemiesCtrl::Factory>& Factories()
{
    static std::map<std::string, CEnemiesCtrl::Factory> table;
    return table;
}

bool IsKindName(const std::string& name)
{
    return std::any_of(std::begin(CEnemiesCtrl::kKindNames), std::end(CEnemiesCtrl::kKindNames),
                       [&](const char* k) { return name == k; });
}

}  // namespace

bool CEnemiesCtrl::RegisterKind(const std::string& name, Factory factory)
{
    if (!IsKindName(name))
        return false;
    if (factory)
        Factories()[name] = std::move(factory);
    else
        Factories().erase(name);
    return true;
}

bool CEnemiesCtrl::HasKind(const std::string& name) { return Factories().count(name) != 0; }

CEnemiesCtrl::CEnemiesCtrl(CLevel* level, CAtmosphericCtpl* effects) : m_level(level), m_effects(effects) {}

CEnemiesCtrl::~CEnemiesCtrl() { ClearEnemies(); }

void CEnemiesCtrl::ClearEnemies()
{
    m_enemies.clear();
    m_first = 0;
    m_count = 0;
}

void CEnemiesCtrl::LoadEnemies(int levelNumber)
{
    char path[64];
    std::snprintf(path, sizeof path, "levels/level%02i/enemies.ter", levelNumber);
    ParamFile file;
    const ResourceGroup* group = ResourceGroup::GetGroup(kLevelsGroup);
    if (!group || !file.Read(*group, path, true))
        LogWrite("CEnemiesCtrl: cannot read %s, the level has no enemies", path);
    ReadEnemies(file);
}

int CEnemiesCtrl::ReadEnemies(const ParamFile& file)
{
    const int count = file.GetInt("enemies_count", "0");
    if (count <= 0)
        return 0;
    // The entries that can create anything are those with a "name%i" key; visit just those, in
    // index order, so a huge count in a damaged file costs nothing.
    std::vector<int> indices;
    for (const auto& [key, value] : file.Pairs()) {
        if (key.size() <= 4 || key.compare(0, 4, "name") != 0)
            continue;
        const std::string digits = key.substr(4);
        if (digits.size() > 10 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const long index = std::strtol(digits.c_str(), nullptr, 10);
        // Only the canonical spelling of an index is the key "name%i" looks up.
        if (index < count && std::to_string(index) == digits)
            indices.push_back(static_cast<int>(index));
    }
    std::sort(indices.begin(), indices.end());
    int added = 0;
    for (int i : indices) {
        const std::string name = file.GetString("name" + std::to_string(i), "0");
        const auto it = Factories().find(name);
        if (it == Factories().end())
            continue;
        std::unique_ptr<CEnemy> enemy = it->second(m_level, m_effects);
        if (!enemy)
            continue;
        enemy->ReadKeys(file, i);
        AddEnemy(std::move(enemy));
        ++added;
    }
    return added;
}

void CEnemiesCtrl::AddEnemy(std::unique_ptr<CEnemy> enemy)
{
    if (!enemy)
        return;
    const float y = enemy->GetPosition().y;
    const auto at = std::find_if(m_enemies.begin(), m_enemies.end(),
                                 [y](const std::unique_ptr<CEnemy>& e) { return e->GetPosition().y > y; });
    m_enemies.insert(at, std::move(enemy));
}

void CEnemiesCtrl::UpdateWindow(const Vec3& view)
{
    for (size_t i = 1; i < m_enemies.size(); ++i)
        if (m_enemies[i]->GetPosition().y < m_enemies[i - 1]->GetPosition().y)
            std::swap(m_enemies[i], m_enemies[i - 1]);

    const float d = m_level ? m_level->HalfWidth() : 0.0f;
    m_first = -1;
    m_count = 0;
    for (size_t i = 0; i < m_enemies.size(); ++i)
        if (m_enemies[i]->GetPosition().y > view.y - d) {
            m_first = static_cast<int32_t>(i);
            break;
        }
    if (m_first < 0) {
        m_first = 0;
        return;
    }
    for (size_t i = static_cast<size_t>(m_first); i < m_enemies.size(); ++i) {
        if (!(m_enemies[i]->GetPosition().y < view.y + 2.8f * d))
            break;
        ++m_count;
    }
}

void CEnemiesCtrl::UpdateEnemies(float dt)
{
    int i = m_first;
    int left = m_count;
    while (left > 0 && i >= 0 && static_cast<size_t>(i) < m_enemies.size()) {
        m_enemies[static_cast<size_t>(i)]->Update(dt);
        --left;
        if (m_enemies[static_cast<size_t>(i)]->IsFinished()) {
            m_enemies.erase(m_enemies.begin() + i);
            --m_count;
        } else {
            ++i;
        }
    }
}

void CEnemiesCtrl::DrawEnemies()
{
    for (int k = 0; k < m_count; ++k)
        if (CEnemy* e = At(m_first + k))
            e->Draw();
}

void CEnemiesCtrl::SetMissileCtrl(CMissleCtrl* ctrl)
{
    for (auto& e : m_enemies)
        e->SetMissileCtrl(ctrl);
}

// The class-name factories of the enemies file.
#include "world/EnemyKinds.h"

#include "world/EnemiesCtrl.h"
#include "world/EnemyAAD.h"
#include "world/EnemyBarrels.h"
#include "world/EnemyBoat.h"
#include "world/EnemyBuilding.h"
#include "world/EnemyHelicopter.h"
#include "world/EnemyPlane.h"
#include "world/Fuel.h"

namespace {

template <class T>
CEnemiesCtrl::Factory Make()
{
    return [](CLevel* level, CAtmosphericCtpl* effects) -> std::unique_ptr<CEnemy> {
        return std::make_unique<T>(level, effects);
    };
}

}  // namespace

bool RegisterEnemyKinds()
{
    const std::pair<const char*, CEnemiesCtrl::Factory> kinds[] = {
        {"EnemyPlane1", Make<CEnemyPlane>()},     {"EnemyBoat1", Make<CEnemyBoat>()},
        {"EnemyHelic1", Make<CEnemyHelicopter>()}, {"EnemyAAD1", Make<CEnemyAAD>()},
        {"Fuel", Make<CFuel>()},                   {"EnemyBuilding", Make<CEnemyBuilding>()},
        {"EnemyBarrels", Make<CEnemyBarrels>()},
    };
    bool all = true;
    for (const auto& [name, factory] : kinds) {
        if (!CEnemiesCtrl::HasKind(name))
            CEnemiesCtrl::RegisterKind(name, factory);
        all = all && CEnemiesCtrl::HasKind(name);
    }
    return all;
}

void UnregisterEnemyKinds()
{
    for (const char* name : CEnemiesCtrl::kKindNames)
        CEnemiesCtrl::RegisterKind(name, nullptr);
}

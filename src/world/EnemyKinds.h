// The seven enemy and target classes of the enemies file, made known to CEnemiesCtrl's name
// table. The game registers them once before it loads its first level (CGameField::NewLevel);
// tools that load levels do the same. Tests that register kinds of their own unregister them.
#pragma once

// Sets the factory of every class name that has none yet; true when all seven are known after.
bool RegisterEnemyKinds();
// Removes the factories of all seven names.
void UnregisterEnemyKinds();

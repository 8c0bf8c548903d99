// CEnemiesCtrl: every enemy and target of the running level, ordered along the level, and the
// active window of those near the player that are updated and drawn.
//
// Owned by CLevel: created and filled by LoadLevel (LoadEnemies), windowed and updated by
// UpdateLevel (UpdateWindow, then UpdateEnemies), drawn by DrawLevel, destroyed with the level.
// The missile controller and the collision code read the ordered list with First and Count.
// The list is kept ascending in y (equal y keep file order); one bubble pass per frame restores
// the order of enemies that moved. An enemy is deleted once it reports IsFinished during an
// update inside the window.
//
// The seven class names of the enemies file map to factories the enemy kinds register
// (RegisterKind); a name without a factory, or any other name, creates nothing and the entry is
// skipped. The entry count read from the file is never looped over blindly: only the entries
// whose "name%i" key the file really holds are visited, in index order.
#pragma once

#include "world/Enemy.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CAtmosphericCtpl;
class CLevel;
class CMissleCtrl;
class ParamFile;

class CEnemiesCtrl {
public:
    using Factory = std::function<std::unique_ptr<CEnemy>(CLevel*, CAtmosphericCtpl*)>;

    // The class names of the enemies file, exactly as written there.
    static const char* const kKindNames[7];
    // Sets the factory of one of the seven names (an empty factory removes it); false for any
    // other name.
    static bool RegisterKind(const std::string& name, Factory factory);
    static bool HasKind(const std::string& name);

    CEnemiesCtrl(CLevel* level, CAtmosphericCtpl* effects);
    virtual ~CEnemiesCtrl();
    CEnemiesCtrl(const CEnemiesCtrl&) = delete;
    CEnemiesCtrl& operator=(const CEnemiesCtrl&) = delete;

    // Reads "levels/level%02i/enemies.ter" through "levels_pack" and calls ReadEnemies.
    void LoadEnemies(int levelNumber);
    // Creates, reads and adds every entry with a known class name. Returns how many were added.
    int ReadEnemies(const ParamFile& file);
    // Inserts before the first enemy with a greater y (after every equal one).
    void AddEnemy(std::unique_ptr<CEnemy> enemy);

    void UpdateWindow(const Vec3& viewPosition);
    void UpdateEnemies(float dt);
    void DrawEnemies();
    void ClearEnemies();
    void SetMissileCtrl(CMissleCtrl* ctrl);
    // Called when the level's graphics are rebuilt; the enemies keep theirs.
    void ResetGraphics() {}

    const std::vector<std::unique_ptr<CEnemy>>& Enemies() const { return m_enemies; }
    int First() const { return m_first; }
    int Count() const { return m_count; }
    CEnemy* At(int i) const { return i >= 0 && static_cast<size_t>(i) < m_enemies.size() ? m_enemies[static_cast<size_t>(i)].get() : nullptr; }

private:
    CLevel* m_level;
    CAtmosphericCtpl* m_effects;
    std::vector<std::unique_ptr<CEnemy>> m_enemies;
    int32_t m_first = 0;
    int32_t m_count = 0;
};

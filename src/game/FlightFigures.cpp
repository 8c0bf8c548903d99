// FlightFigures: one frame of the field read into targets in range, kills, hull and launches.
#include "game/FlightFigures.h"

#include "game/GameField.h"
#include "player/Missle.h"
#include "player/MissleCtrl.h"
#include "player/Player.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"

#include <algorithm>

const char* const FlightFigures::kKindNames[kKinds] = {"plane", "boat", "helicopter", "site", "building", "barrels"};

void FlightFigures::Add(const Frame& f)
{
    m_seconds += f.seconds;
    for (uintptr_t id : f.inRange)
        m_met.insert(id);
    for (int kind : f.killedKinds)
        if (kind >= 0 && kind < kKinds)
            ++m_kills[kind];
    if (m_last_hull >= 0.0f && f.hull < m_last_hull)
        m_hull_lost += m_last_hull - f.hull;
    m_last_hull = f.hull;
    m_launches += f.launches;
    if (f.inRange.empty()) {
        m_gap += f.seconds;
    } else {
        if (m_gap > m_longest_gap)
            m_longest_gap = m_gap;
        m_gap = 0.0f;
    }
}

void FlightFigures::Observe(const CGameField& field, float frameSeconds)
{
    Frame f;
    f.seconds = frameSeconds;
    const CPlayer* player = field.Player();
    const CLevel* level = field.World();
    const CEnemiesCtrl* enemies = level ? level->Enemies() : nullptr;
    if (!player || !enemies)
        return;
    f.hull = player->Hull();
    const float y = player->Position().y;

    // Targets alive now; the ones alive last frame that are not are this frame's kills (an
    // enemy is deleted only after its dying, so a kill is always seen as a change of state).
    std::map<const CEnemy*, int> alive;
    for (const auto& e : enemies->Enemies()) {
        const int kind = e->ScoreCode() / 100 - 1;
        if (e->ScoreCode() == 0 || kind < 0 || kind >= kKinds || !e->IsAlive())
            continue;
        alive.emplace(e.get(), kind);
        const float ahead = e->GetPosition().y - y;
        if (ahead >= 0.0f && ahead <= kRange)
            f.inRange.push_back(reinterpret_cast<uintptr_t>(e.get()));
    }
    for (const auto& [e, kind] : m_alive)
        if (!alive.count(e))
            f.killedKinds.push_back(kind);
    m_alive = std::move(alive);

    if (const CMissleCtrl* missiles = field.Missiles())
        for (const auto& m : missiles->EnemyMissiles())
            if (m_projectiles.insert(m->EffectId()).second)
                ++f.launches;
    Add(f);
}

void FlightRuns::Add(const FlightFigures& f, bool died)
{
    ++m_runs;
    m_deaths += died ? 1 : 0;
    m_seconds += f.Seconds();
    m_targets += static_cast<float>(f.TargetsMet());
    m_hull_lost += f.HullLost();
    m_launches += static_cast<float>(f.Launches());
    m_gap_sum += f.LongestGapSeconds();
    m_gap_max = std::max(m_gap_max, f.LongestGapSeconds());
}

// FuzzFlight: the flight the whole-game fuzz targets give a level — a game field built without
// GL on the record's current level set, the chosen aircraft, and frames of play with both weapons
// in bursts, climbs, dives, a weave and roll maneuvers driven through the input devices, as a
// player's keys would. A non-finite aircraft position or an enemy window outside the enemy list
// aborts (the fuzzer reports it).
#pragma once

#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "player/Player.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace gwfuzz {

// Frames of play on a field whose level is already started.
inline void Fly(CGameField& field, InputDevices& input, const GameData& game, int frames)
{
    uint32_t clock = 0;
    field.SetClock([&clock] { return clock; });
    const float dt = 16.666666f * game.timeScale;
    for (int n = 0; n < frames && !field.Ended(); ++n) {
        input.SetKey(game.m_fire_primary_key, (n / 20) % 2 == 0);
        input.SetKey(game.m_fire_secondary_key, n % 90 < 3);
        input.SetKey(game.m_up_key, (n / 50) % 3 == 0);
        input.SetKey(game.m_down_key, (n / 50) % 3 == 2);
        input.SetKey(game.m_left_key, (n / 60) % 4 == 1);
        input.SetKey(game.m_right_key, (n / 60) % 4 == 3);
        input.SetKey(game.m_maneuver_key, n % 120 < 10);
        field.Update(dt);
        clock += 17;
        if (const CPlayer* p = field.Player()) {
            const Vec3& q = p->Position();
            if (!std::isfinite(q.x) || !std::isfinite(q.y) || !std::isfinite(q.z))
                std::abort();
        }
        if (const CEnemiesCtrl* enemies = field.World() ? field.World()->Enemies() : nullptr) {
            const int first = enemies->First(), count = enemies->Count();
            if (count < 0 || first < 0 || static_cast<size_t>(first) + static_cast<size_t>(count) > enemies->Enemies().size())
                std::abort();
        }
    }
}

// A field of the record's level set: level started, aircraft chosen, frames flown.
inline void PlayLevel(GameData& game, int level, int aircraft, int frames)
{
    game.scoreGame = 0;
    game.scoreLevel = 0;
    game.ClearKillCounts();
    InputDevices input;
    input.SetKeyboardValid(true);
    CGameField field(&game, nullptr, &input, false);
    field.SetWriteSaveFile(false);
    field.SetClock([] { return 0u; });
    field.NewLevel(level);
    field.SelectAircraft(aircraft);
    Fly(field, input, game, frames);
}

}  // namespace gwfuzz

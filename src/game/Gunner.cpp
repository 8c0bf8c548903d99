// Gunner: the fire keys from the enemies in the player's lock cone.
#include "game/Gunner.h"

#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "player/Missle.h"
#include "player/Player.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"

#include <cmath>

Gunner::Gunner(InputDevices& input, const GameData& game) : m_input(input), m_game(game) {}

void Gunner::Aim(const CGameField& field)
{
    bool primary = false, secondary = false;
    const CPlayer* p = field.Player();
    const CLevel* level = field.World();
    const CEnemiesCtrl* enemies = level ? level->Enemies() : nullptr;
    if (p && enemies && p->GetState() == CPlayer::Flying) {
        const Vec3& pos = p->Position();
        const float half = level->HalfWidth();
        const float lock = 2.0f * half * 2.0f / 3.0f;
        const int primaryKind = p->IsHelicopter() ? 2 : 5;
        const int secondaryKind = p->IsHelicopter() ? 6 : 3;
        for (int k = 0; k < enemies->Count(); ++k) {
            const CEnemy* e = enemies->At(enemies->First() + k);
            if (!e || !e->IsAlive() || e->ScoreCode() == 0)
                continue;
            const Vec3 d = e->AimPoint() - pos;
            if (d.y < 2.0f || d.y > lock)
                continue;
            const float side = std::fabs(std::atan2(d.x, d.y)) / kDegToRad;
            const int category = e->ScoreCode() / 100;
            if (side < 12.0f && CMissle::KindMayLock(primaryKind, category))
                primary = true;
            if (secondaryKind == 3) {
                // The torpedo falls about ten units before it runs, and then straight on: only a
                // boat right ahead is worth one.
                if (category == 2 && d.y > 10.0f && d.y < 35.0f && std::fabs(d.x) < e->ScaledWidth() * 0.5f + 0.1f)
                    secondary = true;
            } else if (side < 12.0f && CMissle::KindMayLock(secondaryKind, category)) {
                secondary = true;
            }
        }
    }
    // The primary key wins when both are held; a secondary target takes every other frame.
    if (secondary && primary && (m_primary_frames + m_secondary_frames) % 2 == 0)
        primary = false;
    m_input.SetKey(m_game.m_fire_primary_key, primary);
    m_input.SetKey(m_game.m_fire_secondary_key, secondary && !primary);
    m_primary_frames += primary ? 1 : 0;
    m_secondary_frames += secondary && !primary ? 1 : 0;
}

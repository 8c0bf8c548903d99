// Autopilot: the corridor search ahead, depot seeking, and a proportional-derivative steer fed
// through the mouse cursor as a person's hand would.
#include "game/Autopilot.h"

#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "player/Player.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this much fuel a depot in reach comes before passing boats.
constexpr float kLowFuel = 50.0f;

}  // namespace

Autopilot::Autopilot(InputDevices& input, const GameData& game) : m_input(input), m_game(game)
{
    m_input.SetFrozen(true);
    m_input.SetKeyboardValid(true);
    m_input.ClearKeys();
    m_input.SetViewSize(800, 600);
    m_input.SetCursor(400, 300);
}

float Autopilot::CorridorCentre(const CGameField& field, float y, float nearX) const
{
    const CLevel* level = field.World();
    const float half = level->HalfWidth();
    const float ceiling = level->FlyingHeight() - 0.8f;
    const float step = 0.25f;
    // The free run (ground well under the flying height) nearest to nearX; its middle.
    float bestCentre = nearX, bestDist = 1e9f;
    float runStart = 0.0f;
    bool inRun = false;
    for (float x = -half; x <= half + step; x += step) {
        const bool free = x <= half && level->GroundHeight(x, y) < ceiling;
        if (free && !inRun) {
            runStart = x;
            inRun = true;
        } else if (!free && inRun) {
            inRun = false;
            const float a = runStart, b = x - step;
            const float centre = (a + b) / 2.0f;
            const float dist = nearX < a ? a - nearX : (nearX > b ? nearX - b : 0.0f);
            // Prefer the run that holds us, then the widest near one.
            const float score = dist - 0.05f * (b - a);
            if (score < bestDist) {
                bestDist = score;
                bestCentre = centre;
            }
        }
    }
    return bestCentre;
}

void Autopilot::Steer(const CGameField& field)
{
    const CPlayer* p = field.Player();
    const CLevel* level = field.World();
    if (!p || !level)
        return;
    const Vec3& pos = p->Position();
    m_min_fuel = std::min(m_min_fuel, p->Fuel());
    if (p->GetState() == CPlayer::Flying)
        m_min_clearance = std::min(m_min_clearance, pos.z - level->GroundHeight(pos.x, pos.y));

    // Where to go: the corridor ahead, followed from near to far.
    float target = pos.x;
    const float ahead[] = {4.0f, 9.0f, 15.0f};
    float weightSum = 0.0f, sum = 0.0f;
    float guide = pos.x;
    for (float d : ahead) {
        const float c = CorridorCentre(field, pos.y + d, guide);
        const float w = 1.0f / d;
        sum += c * w;
        weightSum += w;
        guide = c;
    }
    target = sum / weightSum;

    // A depot ahead in reach when the tank is not full: go through it.
    bool needsDepot = false;
    if (p->Fuel() < 90.0f) {
        if (const CEnemiesCtrl* enemies = level->Enemies()) {
            const auto& all = enemies->Enemies();
            for (const auto& e : all) {
                if (!e || e->ScoreCode() != 0 || !e->IsAlive())
                    continue;
                const Vec3& d = e->GetPosition();
                const float dy = d.y - pos.y;
                if (dy < 0.2f || dy > 45.0f)
                    continue;
                // Only when it can be reached in time: about a unit sideways per unit ahead at most.
                if (std::fabs(d.x - pos.x) > dy * 0.9f + 1.0f)
                    continue;
                target = d.x;
                needsDepot = p->Fuel() < kLowFuel;
                if (d.y != m_last_depot_y) {
                    m_last_depot_y = d.y;
                    ++m_depots_steered;
                }
                break;
            }
        }
    }

    // Anything alive at the flying height ahead (planes, helicopters) is passed on its far side.
    if (const CEnemiesCtrl* enemies = level->Enemies()) {
        for (const auto& e : enemies->Enemies()) {
            if (!e || e->ScoreCode() == 0 || !e->IsAlive())
                continue;
            const Vec3& q = e->GetPosition();
            const float dy = q.y - pos.y;
            if (dy < -1.0f || dy > 25.0f)
                continue;
            // With the tank low and a depot in reach, what lies well under the flying height
            // (boats on the water) is flown over rather than passed, or the depots over the
            // river are missed one after another; what comes within a unit of the aircraft's
            // own height (planes climbing over the ground ahead among them) is still passed.
            const float overlapHeight = (e->ScaledDepth() + p->ScaledDepth()) / 2.0f + 1.0f;
            const float reach = e->LargestScaledExtent() + p->LargestScaledExtent() + 0.8f;
            if (std::fabs(q.z - pos.z) > (needsDepot ? overlapHeight : reach) || std::fabs(q.x - target) > reach)
                continue;
            const float left = q.x - reach, right = q.x + reach;
            const float ground = level->FlyingHeight() - 0.8f;
            const bool leftFree = level->GroundHeight(left, q.y) < ground;
            const bool rightFree = level->GroundHeight(right, q.y) < ground;
            if (leftFree && (!rightFree || target <= q.x))
                target = left;
            else if (rightFree)
                target = right;
            ++m_avoided;
            break;
        }
    }

    // Proportional-derivative steering through the cursor's offset from the view centre.
    const float error = target - pos.x;
    const float vx = p->Velocity().x;
    float input = 260.0f * error - 9000.0f * vx;
    input = std::clamp(input, -1000.0f, 1000.0f);
    const float sens = m_game.m_mouseSens > 0.0f ? m_game.m_mouseSens : 1.0f;
    m_input.SetCursor(400 + static_cast<int>(std::lround(input / sens)), 300);

    // Normal speed: the throttle is left alone, so the flight measures the designed pace.
    m_input.SetKey(m_game.m_up_key, false);
    m_input.SetKey(m_game.m_down_key, false);
}

// LevelEnemies: placing a level's enemies from the landscape and a fixed seed per level.
#include "content/LevelEnemies.h"

#include "ForgeContent.h"
#include "app/Vec3.h"
#include "content/ModelLibrary.h"
#include "core/ForgeRandom.h"
#include "resources/ParamFile.h"
#include "world/Terrain.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace ForgeScale;

constexpr float kFirstY = 90.0f;   // the start run stays clear
// Flak leaves a site's turret level: the turrets of flak sites stand this far under the flying
// height, so that their shells pass through the thin box of an aircraft flying there, and about
// half of them stay below the height they would burst at (the flying height give or take 0.3).
constexpr float kFlakTurretBelowFlight = 0.02f;
// Flak sites stand, where the valley allows, within this distance across the valley from the
// line a pilot flies, and aim at that line a stretch down the valley, led so that a shell meets
// an approaching aircraft there at a shallow angle, inside the range.
constexpr float kFlakSiteOffsetMax = 8.0f;
constexpr float kSiteRocketRange = 35.0f, kSiteFlakRange = 25.0f;
// A pilot keeps the ground this far under the flying height.
constexpr float kFreeBelowFlight = 0.8f;
// The game's rules a flak turret is laid by: the enemies wake 2.8 half valley widths ahead of
// the aircraft; a site's first shell leaves 100 time units after it wakes, then one every 70;
// shells fly at the tuning's "m_boat_flak_speed". In updates where the rule is in time.
constexpr float kWindowAhead = 2.8f * kValleyWidth / 2;
constexpr float kFlakFirstShot = 47.0f, kFlakPeriod = 33.0f;
constexpr float kFlakShellSpeed = 0.25f;
// The stretch down the valley the turret may be laid at.
constexpr float kFlakAimMin = 5.0f, kFlakAimMax = 21.0f;
// Before kFlakLeadsFrom the sites warn rather than hit: flak shells cross where the pilot's line
// is at least kFlakWarningMargin updates before or after each aircraft and burst kWarningShort
// units short of that line; missiles fall away kWarningRocketRange units from the site.
constexpr int kFlakLeadsFrom = 9;
constexpr float kFlakWarningMargin = 7.0f;
constexpr float kWarningRocketRange = 9.0f, kWarningShort = 4.0f;
// On those levels a flak boat lies at anchor and fires its column of shells up this far across
// from the pilot's line, wherever the river lets it (its shells spread less than a unit sideways
// on their way up to the flying height); so do the missile boats of the last level's first
// stretch.
constexpr float kBoatClear = 1.6f;
// Planes kept off the pilot's line stay this far across from it over the stretch they fly
// before they meet the pilot: one coming head-on flies at most kHeadOnTravel units down the
// valley before the slowest aircraft meets it, one flying ahead at most kAheadTravel up it
// before the aircraft catches it up.
constexpr float kPlaneClear = 3.0f, kHeadOnTravel = 32.0f, kAheadTravel = 130.0f;
// One crossing the valley is off the pilot's line by kCrossingClear when any of the three
// aircraft, at its normal speed give or take a tenth, passes it. A plane that leaves the valley
// at one side comes back in at the other (the game wraps it at 1.1 half widths).
constexpr float kCrossingClear = 5.0f, kPlaneWrap = 1.1f * kValleyWidth / 2, kSlowCrossing = 0.08f;

// How many enemies of each sort a level of each difficulty gets, and how many of them shoot, as
// counts so that no level draws fewer armed enemies than the one before. What costs hull comes in
// lumps: a missile takes 3 points and hits only when its boat lies on the aircraft's way, a
// collision ends the flight. So the first seven levels grow in fire that is seen and heard (flak
// boats and warning sites off the pilot's line, helicopters over the plain, planes that keep
// clear of it) but does not meet a pilot who keeps to the river; missile boats come from level
// 8, a few on the river's middle. Level 9 opens with a flak barrage and ends in a gauntlet of
// missile boats lying on the pilot's way; level 10 has far more of them, on the pilot's way after
// a first stretch where they keep off it, and alone sends planes and helicopters along the
// pilot's own way, so that it brings the end sooner. Ground targets stand one per stretch of
// groundSpacing units.
struct LevelMix {
    int planes, linePlanes;               // linePlanes: of the planes, those that may fly the pilot's line
    int helicopters, armedHelicopters;
    int riverHelicopters;                 // of the armed ones, those that patrol over the river
    int boats, missileBoats, flakBoats;   // the rest of the boats are unarmed
    float stillBoats;                     // of the boats, the share that hold station
    int missileSites, flakSites, flakWithMissiles;
    float groundSpacing;
    // The stretch of the level (shares of its length) the flak boats and the missile boats are
    // spread over; every missileFlak-th missile boat has flak as well; from the share onLineFrom
    // of the level on, missile boats lie on the pilot's line, before it they keep off it (beyond
    // 1: neither, they lie on the river's middle).
    float flakBoatsTo, missileBoatsFrom;
    int missileFlak;
    float onLineFrom;
};
constexpr LevelMix kMix[kLevelCount] = {
    // planes line helis armed river boats missile flak still msites fsites both spacing flakTo missileFrom missileFlak onLineFrom
    {6, 0, 2, 0, 0, 5, 0, 0, 0.3f, 1, 0, 0, 80.0f, 1.0f, 0.0f, 4, 2.0f},
    {8, 0, 3, 1, 0, 6, 0, 2, 0.3f, 1, 2, 0, 76.0f, 1.0f, 0.0f, 4, 2.0f},
    {9, 0, 4, 2, 0, 7, 0, 4, 0.3f, 2, 4, 0, 72.0f, 1.0f, 0.0f, 4, 2.0f},
    {10, 0, 5, 3, 0, 10, 0, 7, 0.3f, 2, 6, 0, 68.0f, 1.0f, 0.0f, 4, 2.0f},
    {12, 0, 6, 4, 0, 10, 0, 8, 0.3f, 3, 7, 0, 64.0f, 1.0f, 0.0f, 4, 2.0f},
    {14, 0, 7, 5, 0, 18, 0, 16, 0.3f, 3, 10, 0, 60.0f, 1.0f, 0.0f, 4, 2.0f},
    {16, 0, 8, 7, 0, 24, 0, 22, 0.3f, 4, 12, 0, 57.0f, 1.0f, 0.0f, 4, 2.0f},
    {18, 0, 9, 9, 0, 32, 4, 26, 0.3f, 4, 13, 0, 54.0f, 1.0f, 0.0f, 4, 2.0f},
    {20, 0, 10, 10, 0, 62, 34, 28, 0.5f, 5, 15, 10, 51.0f, 0.5f, 0.5f, 4, 0.5f},
    {23, 10, 11, 11, 6, 92, 74, 18, 0.7f, 5, 17, 17, 42.0f, 1.0f, 0.0f, 1, 0.15f},
};

float HeadingOf(float dx, float dy)
{
    // The game turns (0, 1, 0) by the heading about z: (-sin h, cos h).
    return std::atan2(-dx, dy) / kDegToRad;
}

// The ground as the game reads it: its own terrain over the forged height image (samples
// rounded to bytes, interpolated between them), without graphics.
struct GameGround {
    Terrain terrain;
    bool loaded = false;

    GameGround(const LevelTerrain& shape, const ParamFile& keys) : terrain(keys.GetFloat("k_scale", "1"), false)
    {
        const std::vector<uint8_t> image = shape.FoldedHeights();
        loaded = terrain.LoadFromHeights(image.data(), image.size(), keys);
    }
    float At(float x, float y) const { return terrain.GroundHeight(x, y); }
};

struct Placer {
    const LevelTerrain& terrain;
    const GameGround& game;
    ForgeRandom rng;
    float lastY;
    std::vector<EnemyPlacement> out;
    std::vector<std::pair<float, float>> ground;   // x, y of things standing on the ground

    float RandomY() { return rng.Range(kFirstY, lastY); }

    // The i-th of n equal stretches between the start run and the end, its middle three fifths
    // (so that the enemies of one sort come one after another over the whole level, never two
    // side by side): the band a placement of that sort is drawn in.
    void Stratum(int i, int n, float& y0, float& y1) const
    {
        const float step = (lastY - kFirstY) / static_cast<float>(std::max(n, 1));
        y0 = kFirstY + step * (static_cast<float>(i) + 0.2f);
        y1 = kFirstY + step * (static_cast<float>(i) + 0.8f);
    }
    float StratumY(int i, int n)
    {
        float y0 = 0.0f, y1 = 0.0f;
        Stratum(i, n, y0, y1);
        return rng.Range(y0, y1);
    }

    bool GroundFree(float x, float y, float r)
    {
        for (const auto& g : ground)
            if ((g.first - x) * (g.first - x) + (g.second - y) * (g.second - y) < r * r)
                return false;
        return true;
    }

    // A spot on the flood plain on either side of the river: above the water, below the flying
    // height with room to spare, and away from other ground targets; between y0 and y1 when
    // they are given.
    bool PlainSpot(float& x, float& y, float maxGround, float spacing, float y0 = 0.0f, float y1 = 0.0f)
    {
        for (int tries = 0; tries < 60; ++tries) {
            const float ty = y1 > y0 ? rng.Range(y0, y1) : RandomY();
            const float side = rng.Chance(0.5f) ? -1.0f : 1.0f;
            const float c = terrain.RiverCenter(ty), rw = terrain.RiverHalfWidth(ty);
            const float tx = c + side * (rw + terrain.Shape().bankWidth + rng.Range(0.8f, terrain.Shape().plainWidth));
            const float h = terrain.Height(tx, ty);
            if (h > kWater + 0.15f && h < maxGround && std::fabs(tx) < kValleyWidth / 2 - 4 && GroundFree(tx, ty, spacing)) {
                x = tx;
                y = ty;
                ground.emplace_back(x, y);
                return true;
            }
        }
        return false;
    }

    // A boat at e.y on the river's middle, still until given a course, with the weapons of
    // shootStatus (0 none, 1 missiles, 2 flak, 3 both).
    void Boat(EnemyPlacement& e, int maxKind, int shootStatus)
    {
        e.name = "EnemyBoat1";
        e.kind = rng.Int(maxKind + 1);
        e.x = terrain.RiverCenter(e.y) + rng.Range(-0.1f, 0.1f) * terrain.RiverHalfWidth(e.y);
        e.z = kWater;
        e.dy = -1.0f;
        e.heading = HeadingOf(e.dx, e.dy);
        e.shootStatus = shootStatus;
        e.firePoints = e.kind == 3 ? 3 : (e.kind == 1 ? 2 : 1);
        // An armed submarine lies surfaced: one that rises fires only once it is up, and one
        // that holds station never comes up, so its weapons would stay under water all the pass.
        e.floatingUp = e.kind == 2 && rng.Chance(0.5f) && shootStatus == 0 ? 1 : 0;
    }

    // The least distance across from the pilot's line of a thing that is at x at y and moves dx
    // across for each unit along the valley, over the stretch from y to y + along (along may be
    // negative: down the valley), looked at every two units.
    float LineClearance(float x, float y, float dx, float along) const
    {
        float least = 1e9f;
        const int steps = static_cast<int>(std::fabs(along) / 2.0f) + 1;
        for (int k = 0; k <= steps; ++k) {
            const float d = along * static_cast<float>(k) / static_cast<float>(steps);
            const float ty = std::clamp(y + d, kFirstY, lastY);
            least = std::min(least, std::fabs(x + dx * std::fabs(d) - FlightLine(ty)));
        }
        return least;
    }

    // How close to the pilot's line a plane crossing the valley from (x, y) along (dx, dy) at
    // speed comes when an aircraft passes it: the plane sets off when the aircraft is the
    // enemies' window away, and the aircraft draws level with it after the window over their
    // closing speed. The least over the three aircraft at their normal speed give or take a tenth.
    float CrossingClearance(float x, float y, float dx, float dy, float speed) const
    {
        const float length = std::hypot(dx, dy);
        if (!(length > 0.0f) || !(speed > 0.0f))
            return 1e9f;
        const float ux = dx / length, uy = dy / length;
        float least = 1e9f;
        for (float v : kNormalSpeed)
            for (float f : {0.9f, 1.0f, 1.1f}) {
                const float closing = v * f - speed * uy;
                if (!(closing > 0.0f))
                    continue;
                const float t = kWindowAhead / closing;
                float px = x + speed * ux * t;
                for (int wraps = 0; wraps < 8 && std::fabs(px) > kPlaneWrap; ++wraps)
                    px -= (px > 0.0f ? 2.0f : -2.0f) * kPlaneWrap;
                const float py = std::clamp(y + speed * uy * t, kFirstY, lastY);
                least = std::min(least, std::fabs(px - FlightLine(py)));
            }
        return least;
    }

    // Moves a boat across the river away from the pilot's line when it would lie closer than
    // kBoatClear: of a few spots across the river's middle seven tenths, the first that
    // clears it, else the clearest. No random draw, so the rest of the level is placed as before.
    // For the warning levels' flak boats, which lie at anchor, and the missile boats of the last
    // level's first stretch.
    void KeepBoatOffLine(EnemyPlacement& e) const
    {
        const float line = FlightLine(e.y);
        float best = std::fabs(e.x - line);
        if (best >= kBoatClear)
            return;
        const float c = terrain.RiverCenter(e.y), rw = terrain.RiverHalfWidth(e.y);
        for (int k = 0; k <= 8 && best < kBoatClear; ++k) {
            const float x = c + (static_cast<float>(k) / 4.0f - 1.0f) * 0.7f * rw;
            if (std::fabs(x - line) > best) {
                best = std::fabs(x - line);
                e.x = x;
            }
        }
    }

    // Where a pilot flies at y: the middle of the free run (ground well under the flying height,
    // as the game's ground has it) around the river.
    float FlightLine(float y) const
    {
        const float c = terrain.RiverCenter(y);
        float edge[2] = {c, c};
        for (int s = 0; s < 2; ++s) {
            const float side = s == 0 ? -1.0f : 1.0f;
            float d = 0.0f;
            while (d < kValleyWidth / 2 && game.At(c + side * d, y) < kFlyHeight - kFreeBelowFlight)
                d += 0.1f;
            edge[s] = c + side * d;
        }
        return (edge[0] + edge[1]) / 2;
    }

    // How far down the valley from a site at (x, y) its turret is laid, so that one of its
    // shells crosses the flight line just as an aircraft flying at speed (units per update)
    // arrives there: the site wakes when the aircraft comes within kWindowAhead, fires its first
    // shell kFlakFirstShot updates later and then one every kFlakPeriod. 0 when no shell can meet
    // it inside the range. With late, the aircraft arrives that many updates after a shell has
    // crossed: half a period puts it between two shells.
    float LeadDistance(float x, float y, float speed, float late = 0.0f) const
    {
        const float shell = kFlakShellSpeed * kUpdateTime;
        float best = 0.0f;
        for (float a = kFlakAimMin; a <= kFlakAimMax && best == 0.0f; a += 0.05f) {
            const float line = FlightLine(y - a);
            const float reach = std::hypot(line - x, a);
            if (reach > kSiteFlakRange - 2.0f)
                continue;
            const float arrive = (kWindowAhead - a) / speed;   // updates after the site wakes
            const float flown = reach / shell;
            for (int k = 0; k < 8; ++k) {
                const float miss = arrive - (kFlakFirstShot + kFlakPeriod * k + flown) - late;
                if (std::fabs(miss) < 0.11f)   // the scan's step moves it by about 0.2
                    best = a;
            }
        }
        return best;
    }

    // For the first levels' warning flak: how far down the valley from a site at (x, y) its
    // turret is laid so that its shells cross the flight line well between two passes of each
    // of the three aircraft at its normal speed: every shell crosses at least kFlakWarningMargin
    // updates before or after any of them (a shell crosses the way about 0.54 units an update,
    // so an aircraft 3 units off the line still flies between). 0 when no such lay is found.
    float WarningDistance(float x, float y) const
    {
        const float shell = kFlakShellSpeed * kUpdateTime;
        for (float a = kFlakAimMin; a <= kFlakAimMax; a += 0.05f) {
            const float line = FlightLine(y - a);
            const float reach = std::hypot(line - x, a);
            if (reach > kSiteFlakRange - 2.0f)
                continue;
            const float flown = reach / shell;
            bool clear = true;
            for (int s = 0; s < 3 && clear; ++s) {
                const float arrive = (kWindowAhead - a) / (kNormalSpeed[s] * kUpdateTime);
                for (int k = 0; k < 12 && clear; ++k)
                    clear = std::fabs(arrive - (kFlakFirstShot + kFlakPeriod * k + flown)) >= kFlakWarningMargin;
            }
            if (clear)
                return a;
        }
        return 0.0f;
    }

    // A spot on the valley side where a turret standing turretHeight above the game's ground is
    // at the height z, with a level line of fire from it to the flight line further down, led
    // for an aircraft at leadSpeed (LeadDistance), inside the flak's range; away from other
    // ground targets. Of the spots tried, the nearest to the flight line (the first within
    // kFlakSiteOffsetMax). Gives the spot and the heading of that line.
    // Between y0 and y1 when they are given.
    bool HillSpot(float turretHeight, float z, float spacing, float leadSpeed, float& x, float& y, float& heading,
                  float y0 = 0.0f, float y1 = 0.0f, bool warning = false)
    {
        if (!game.loaded)
            return false;
        float bestOffset = 1e9f;
        for (int tries = 0; tries < 60 && bestOffset > kFlakSiteOffsetMax; ++tries) {
            const float ty = y1 > y0 ? rng.Range(y0, y1) : RandomY();
            const float side = rng.Chance(0.5f) ? -1.0f : 1.0f;
            const float c = terrain.RiverCenter(ty);
            // Outwards from the river until the turret would stand at z, then halve the step.
            float inner = c + side * terrain.RiverHalfWidth(ty), outer = inner;
            bool found = false;
            for (int i = 0; i < 400 && std::fabs(outer) < kValleyWidth / 2; ++i) {
                outer += side * 0.1f;
                if (game.At(outer, ty) + turretHeight >= z) {
                    found = true;
                    break;
                }
                inner = outer;
            }
            if (!found)
                continue;
            for (int i = 0; i < 24; ++i) {
                const float mid = (inner + outer) / 2;
                (game.At(mid, ty) + turretHeight < z ? inner : outer) = mid;
            }
            const float tx = inner;
            const float offset = std::fabs(tx - FlightLine(ty));
            if (offset >= bestOffset || std::fabs(tx) > kValleyWidth / 2 - 4 || !GroundFree(tx, ty, spacing))
                continue;
            float lead = warning ? WarningDistance(tx, ty) : 0.0f;
            if (lead <= 0.0f)
                lead = LeadDistance(tx, ty, leadSpeed, warning ? kFlakPeriod / 2 : 0.0f);
            if (lead <= 0.0f)
                continue;
            const float aimY = ty - lead;
            const float dx = FlightLine(aimY) - tx, dy = aimY - ty;
            const float length = std::sqrt(dx * dx + dy * dy);
            bool clear = true;
            for (float d = 0.5f; d < length && clear; d += 0.25f)
                clear = game.At(tx + dx / length * d, ty + dy / length * d) < z - 0.05f;
            if (!clear)
                continue;
            bestOffset = offset;
            x = tx;
            y = ty;
            heading = HeadingOf(dx, dy);
        }
        if (bestOffset == 1e9f)
            return false;
        ground.emplace_back(x, y);
        return true;
    }
};

} // namespace

std::vector<EnemyPlacement> PlaceEnemies(const LevelTerrain& terrain, int level, uint64_t seed)
{
    const LevelMix& mix = kMix[static_cast<size_t>(std::clamp(level, 1, kLevelCount) - 1)];
    const float t = (level - 1) / static_cast<float>(kLevelCount - 1);
    const float endY = terrain.Length() - 2.6f * kHeightSide / kLines * kSampleDist;
    if (seed == 0)
        seed = 5000u + static_cast<uint64_t>(level) * 977u;
    ParamText terrainKeys;   // its texture names do not matter: no graphics
    AddTerrainKeys(terrainKeys, "levels/level/");
    ParamFile keys;
    keys.Parse(terrainKeys.Text(), true);
    const GameGround game(terrain, keys);
    Placer p{terrain, game, ForgeRandom(seed), endY, {}, {}};
    const int maxKind4 = std::min(3, 1 + (level - 1) / 2);   // kinds unlock as levels go on

    // Fuel depots, evenly spread over the river at the flying height.
    const int fuel = 10 - (level - 1) / 2;
    for (int i = 0; i < fuel; ++i) {
        EnemyPlacement e;
        e.name = "Fuel";
        e.y = kFirstY + 120.0f + (endY - kFirstY - 200.0f) * (i + p.rng.Range(0.3f, 0.7f)) / fuel;
        e.x = terrain.RiverCenter(e.y) + p.rng.Range(-1.5f, 1.5f);
        e.z = kFlyHeight;
        p.out.push_back(e);
    }

    // Enemy aircraft, one in each stretch of the level: most come head-on, some cross the valley,
    // a few fly ahead of the player. Those that come head-on or fly ahead keep off the pilot's
    // line (a stretch to one side, drifting outwards) but for the level's few line planes, spread
    // among them: a collision costs the aircraft, so only the last levels aim their planes at it.
    for (int i = 0; i < mix.planes; ++i) {
        EnemyPlacement e;
        e.name = "EnemyPlane1";
        e.kind = p.rng.Int(maxKind4 + 1);
        e.y = p.StratumY(i, mix.planes);
        const bool line = (i + 1) * mix.linePlanes / mix.planes > i * mix.linePlanes / mix.planes;
        const float side = p.rng.Chance(0.5f) ? -1.0f : 1.0f;
        const float x0 = p.rng.Range(-8.0f, 8.0f), off = p.rng.Range(3.5f, 8.0f);
        const float edge = kValleyWidth / 2 - 3.0f;
        e.x = line ? terrain.RiverCenter(e.y) + x0 : std::clamp(p.FlightLine(e.y) + side * off, -edge, edge);
        e.z = kFlyHeight;
        const float mode = p.rng.Float();
        if (mode < 0.6f) {
            const float drift = p.rng.Range(-0.15f, 0.15f);
            e.dx = line ? drift : side * std::fabs(drift);
            e.dy = -1.0f;
            e.speed = p.rng.Range(0.06f, 0.1f + 0.05f * t);
        } else if (mode < 0.88f) {
            e.dx = p.rng.Chance(0.5f) ? 1.0f : -1.0f;
            e.dy = p.rng.Range(-0.4f, 0.1f);
            e.speed = p.rng.Range(0.08f, 0.14f);
        } else {
            e.dy = 1.0f;
            e.speed = p.rng.Range(0.07f, 0.1f);
        }
        // One crossing the valley is timed: of its way out and its way in, and other distances
        // from the line, the first that keeps it clear of every aircraft as it passes.
        if (mix.linePlanes == 0 && mode >= 0.6f && mode < 0.88f &&
            p.CrossingClearance(e.x, e.y, e.dx, e.dy, e.speed) < kCrossingClear) {
            const float line0 = p.FlightLine(e.y);
            float best = -1.0f, bestX = e.x, bestDx = e.dx, bestSpeed = e.speed;
            for (int k = 0; k < 40 && best < kCrossingClear; ++k) {
                const float s = k % 2 == 0 ? side : -side;
                const float o = 3.5f + 0.5f * static_cast<float>(k % 20 / 4);
                const float dx = (k / 2) % 2 == 0 ? e.dx : -e.dx;
                // Where no way at its own speed clears every aircraft, a slow one that is
                // still on its way out or back when they pass.
                const float speed = k < 20 ? e.speed : kSlowCrossing;
                const float x = std::clamp(line0 + s * o, -edge, edge);
                const float got = p.CrossingClearance(x, e.y, dx, e.dy, speed);
                if (got > best) {
                    best = got;
                    bestX = x;
                    bestDx = dx;
                    bestSpeed = speed;
                }
            }
            e.x = bestX;
            e.dx = bestDx;
            e.speed = bestSpeed;
        }
        // A plane kept off the line is kept off it all the way to the pilot: where the valley
        // bends under its course, it flies on the other side or further out, whichever of them
        // first keeps it clear (else the clearest).
        if (!line && e.dy != 0.0f && (mode < 0.6f || mode >= 0.88f)) {
            const float along = e.dy < 0.0f ? -kHeadOnTravel : kAheadTravel;
            float best = p.LineClearance(e.x, e.y, e.dx, along), bestX = e.x, bestDx = e.dx;
            const float line0 = p.FlightLine(e.y);
            for (int k = 1; k < 20 && best < kPlaneClear; ++k) {
                const float s = k % 2 == 0 ? side : -side;
                const float o = k < 2 ? off : 3.5f + 0.5f * static_cast<float>((k - 2) / 2);
                const float x = std::clamp(line0 + s * o, -edge, edge);
                const float dx = s * std::fabs(e.dx);   // drifting outwards on its side
                const float got = p.LineClearance(x, e.y, dx, along);
                if (got > best) {
                    best = got;
                    bestX = x;
                    bestDx = dx;
                }
            }
            e.x = bestX;
            e.dx = bestDx;
        }
        e.heading = HeadingOf(e.dx, e.dy);
        p.out.push_back(e);
    }

    // Helicopters patrol across the valley; a few stand parked on the plain. The level's armed
    // ones spread over the whole level among themselves, and so do the unarmed ones.
    const int armedHelicopters = std::min(mix.armedHelicopters, mix.helicopters);
    for (int i = 0; i < mix.helicopters; ++i) {
        const bool armed = i < armedHelicopters;
        EnemyPlacement e;
        e.name = "EnemyHelic1";
        e.kind = p.rng.Int(level >= 3 ? 2 : 1);
        if (p.rng.Chance(0.15f) && p.PlainSpot(e.x, e.y, kWater + 1.1f, 4.0f)) {
            e.isFlying = 0;
            e.heading = p.rng.Range(0.0f, 360.0f);
        } else {
            e.y = armed ? p.StratumY(i, armedHelicopters)
                        : p.StratumY(i - armedHelicopters, mix.helicopters - armedHelicopters);
            // A helicopter that starts over the water keeps to the river, the pilot's own way; the
            // level's river patrols are spread among its armed ones, the rest start over the
            // plain and cross the river only on their way from one side to the other.
            const bool river = armed && mix.riverHelicopters > 0 &&
                               (i + 1) * mix.riverHelicopters / armedHelicopters > i * mix.riverHelicopters / armedHelicopters;
            const float c = terrain.RiverCenter(e.y), rw = terrain.RiverHalfWidth(e.y);
            const float side = p.rng.Chance(0.5f) ? -1.0f : 1.0f;
            const float off = p.rng.Range(1.0f, 4.0f);
            e.x = river ? c + side * off * 0.25f * rw : c + side * (rw + terrain.Shape().bankWidth + off);
            // Those over the plain set out away from the river: they turn at the valley's side
            // and come back across it slowly, after the pilot has gone by.
            const float way = p.rng.Chance(0.5f) ? 1.0f : -1.0f;
            e.dx = river ? way : side;
            e.speed = p.rng.Range(0.025f, 0.04f + 0.02f * t);
            // Sideways along the valley's width, nose and rockets turned down the valley at the
            // approaching player.
            e.heading = 180.0f;
            e.shoot = armed ? 1 : 0;
        }
        e.z = kFlyHeight;
        p.out.push_back(e);
    }

    // Boats on the river; kind 2 is the submarine, which may surface. The missile boats,
    // the flak boats and the unarmed ones each spread evenly over their stretch of the level (the
    // whole of it unless the mix says otherwise), so that the fire keeps coming at an even pace.
    const int missileBoats = std::min(mix.missileBoats, mix.boats);
    const int flakBoats = std::min(mix.flakBoats, mix.boats - missileBoats);
    auto within = [&](float y, float from, float to) {
        return kFirstY + (from + (y - kFirstY) / (p.lastY - kFirstY) * (to - from)) * (p.lastY - kFirstY);
    };
    const float onLineY = kFirstY + mix.onLineFrom * (p.lastY - kFirstY);
    for (int i = 0; i < mix.boats; ++i) {
        EnemyPlacement e;
        int status = 0;
        if (i < missileBoats) {
            e.y = within(p.StratumY(i, missileBoats), mix.missileBoatsFrom, 1.0f);
            status = i % mix.missileFlak == mix.missileFlak - 1 ? 3 : 1;
        } else if (i < missileBoats + flakBoats) {
            e.y = within(p.StratumY(i - missileBoats, flakBoats), 0.0f, mix.flakBoatsTo);
            status = 2;
        } else {
            e.y = p.StratumY(i - missileBoats - flakBoats, mix.boats - missileBoats - flakBoats);
        }
        p.Boat(e, maxKind4, status);
        if (!p.rng.Chance(mix.stillBoats)) {
            const bool up = p.rng.Chance(0.5f);
            e.dy = up ? 1.0f : -1.0f;
            e.speed = p.rng.Range(0.015f, 0.03f + 0.015f * t);
            e.heading = HeadingOf(e.dx, e.dy);
        }
        // The warning levels' flak boats hold station off the pilot's line (the draws for a
        // course are still made, so the rest of the level is placed as before).
        if (status == 2 && level < kFlakLeadsFrom) {
            e.speed = 0.0f;
            e.dy = -1.0f;
            e.heading = HeadingOf(e.dx, e.dy);
            p.KeepBoatOffLine(e);
        }
        // Before the stretch where they lie on the pilot's way, missile boats keep off it where
        // the river lets them: on the straight start run the river's middle is the pilot's way,
        // and the first boats there could end the level in its first seconds.
        if (i < missileBoats && mix.onLineFrom <= 1.0f && e.y < onLineY)
            p.KeepBoatOffLine(e);
        // Lying on the pilot's way, as far as the river reaches towards it.
        if (i < missileBoats && e.y >= onLineY) {
            const float c = terrain.RiverCenter(e.y), rw = terrain.RiverHalfWidth(e.y);
            e.x = std::clamp(p.FlightLine(e.y), c - 0.7f * rw, c + 0.7f * rw);
        }
        p.out.push_back(e);
    }

    // Anti-aircraft sites: kind 0 launches missiles, kind 1 fires flak, late ones may do both.
    // The turret covers the river a stretch down the valley, where the player comes from. A
    // missile climbs to the flying height, so missile sites stand on the plain; flak flies level
    // from the turret, so sites with flak stand on the valley side, turret just under the
    // flying height. A spot is looked for again a few times before a site is given up.
    // Each sort of site spreads over the whole level: a site's spot is looked for in its own
    // stretch first, then anywhere. Flak sites with missiles as well come evenly among them.
    const int bothWeapons = std::min(mix.flakWithMissiles, mix.flakSites);
    for (int i = 0; i < mix.missileSites + mix.flakSites; ++i) {
        EnemyPlacement e;
        e.name = "EnemyAAD1";
        const bool flak = i >= mix.missileSites;
        e.kind = flak ? 1 : 0;
        const int k = flak ? i - mix.missileSites : i;
        const bool both = flak && (k + 1) * bothWeapons / mix.flakSites > k * bothWeapons / mix.flakSites;
        e.shootStatus = !flak ? 1 : (both ? 3 : 2);
        float y0 = 0.0f, y1 = 0.0f;
        p.Stratum(k, flak ? mix.flakSites : mix.missileSites, y0, y1);
        // The first levels' flak is laid so that a pilot keeping the normal speed flies between
        // two shells, in any of the three aircraft (or, where no lay clears all three, the one
        // the turret is laid for), and bursts short of the way: seen and heard, it hits only one
        // who strays towards the site. From kFlakLeadsFrom on it is laid to meet the aircraft.
        const bool warning = level < kFlakLeadsFrom;
        bool placed = false;
        for (int attempt = 0; attempt < 4 && !placed; ++attempt) {
            if (attempt == 2)
                y0 = y1 = 0.0f;
            if (!flak) {
                placed = p.PlainSpot(e.x, e.y, kFlyHeight - 1.2f, 5.0f, y0, y1);
                if (placed) {
                    const float aimY = e.y - p.rng.Range(8.0f, 16.0f);
                    e.heading = HeadingOf(terrain.RiverCenter(aimY) - e.x, aimY - e.y);
                }
            } else {
                // Each turret is laid for one aircraft's normal speed, in turn.
                const float lead = kNormalSpeed[(i - mix.missileSites) % 3] * kUpdateTime;
                placed = p.HillSpot(SiteTurretHeight(e.kind), kFlyHeight - kFlakTurretBelowFlight, 5.0f, lead, e.x, e.y,
                                    e.heading, y0, y1, warning);
            }
        }
        if (!placed)
            continue;
        e.z = terrain.Height(e.x, e.y);
        e.rocketRange = kSiteRocketRange;
        e.flakRange = kSiteFlakRange;
        if (warning) {
            // The first levels' sites warn: a missile falls away soon after it has levelled, a
            // shell bursts short of the flight line.
            e.rocketRange = kWarningRocketRange;
            if (flak) {
                const float dx = -std::sin(e.heading * kDegToRad), dy = std::cos(e.heading * kDegToRad);
                float d = 0.5f;
                while (d < kSiteFlakRange && std::fabs(e.x + dx * d - p.FlightLine(e.y + dy * d)) > kWarningShort)
                    d += 0.25f;
                e.flakRange = std::max(d, 1.0f);
            }
        }
        p.out.push_back(e);
    }

    // Buildings and barrel stacks on the plain, one in every stretch of the level's ground
    // spacing, so that something to shoot comes into range every few seconds; where a stretch
    // has no room on the plain an anchored, unarmed barge on the river stands in.
    const float spacing = mix.groundSpacing;
    const int stretches = std::max(1, static_cast<int>(std::ceil((endY - kFirstY) / spacing)));
    for (int i = 0; i < stretches; ++i) {
        const float y0 = kFirstY + (endY - kFirstY) * i / stretches;
        const float y1 = kFirstY + (endY - kFirstY) * (i + 1) / stretches;
        EnemyPlacement e;
        const bool building = p.rng.Chance(0.5f);
        e.name = building ? "EnemyBuilding" : "EnemyBarrels";
        if (p.PlainSpot(e.x, e.y, building ? kWater + 0.9f : kWater + 1.0f, building ? 6.0f : 3.0f, y0, y1)) {
            e.kind = building ? p.rng.Int(6) : p.rng.Int(3);
            e.heading = building ? static_cast<float>(p.rng.Int(24) * 15) : static_cast<float>(p.rng.Int(36) * 10);
            e.z = terrain.Height(e.x, e.y);
        } else {
            e = EnemyPlacement{};
            e.y = p.rng.Range(y0, y1);
            p.Boat(e, maxKind4, 0);
        }
        p.out.push_back(e);
    }

    std::stable_sort(p.out.begin(), p.out.end(), [](const EnemyPlacement& a, const EnemyPlacement& b) { return a.y < b.y; });
    return p.out;
}

ParamText EnemiesFile(const LevelTerrain& terrain, int level, uint64_t seed)
{
    const std::vector<EnemyPlacement> list = PlaceEnemies(terrain, level, seed);
    const float half = kValleyWidth / 2;   // the game adds HalfWidth to every y
    ParamText p;
    p.Comment("Enemies of level " + std::to_string(level) + ", in order along the level");
    p.SetInt("enemies_count", static_cast<long long>(list.size()));
    for (size_t n = 0; n < list.size(); ++n) {
        const EnemyPlacement& e = list[n];
        const std::string i = std::to_string(n);
        p.Set("name" + i, e.name);
        auto pose = [&]() {
            p.SetFloat("m_sp" + i, e.speed);
            p.SetFloat("m_spx" + i, e.dx);
            p.SetFloat("m_spy" + i, e.dy);
            p.SetFloat("m_spz" + i, e.dz);
            p.SetFloat("m_az" + i, e.heading);
        };
        auto pos = [&]() {
            p.SetFloat("m_lpx" + i, e.x);
            p.SetFloat("m_lpy" + i, e.y - half);
            p.SetFloat("m_lpz" + i, e.z);
        };
        if (e.name == "Fuel") {
            pos();
            continue;
        }
        p.SetInt("m_kind" + i, e.kind);
        if (e.name == "EnemyBuilding" || e.name == "EnemyBarrels") {
            pos();
            p.SetFloat("m_az" + i, e.heading);
            continue;
        }
        if (e.name == "EnemyHelic1")
            p.SetInt("m_is_fly" + i, e.isFlying);
        pose();
        pos();
        if (e.name == "EnemyHelic1")
            p.SetInt("m_shoot" + i, e.shoot);
        if (e.name == "EnemyBoat1") {
            p.SetInt("m_shoot_status" + i, e.shootStatus);
            p.SetInt("m_fire_pt" + i, e.firePoints);
            if (e.kind == 2)
                p.SetInt("m_floating_up" + i, e.floatingUp);
        }
        if (e.name == "EnemyAAD1") {
            p.SetInt("m_shoot_status" + i, e.shootStatus);
            p.SetFloat("m_distance_rocket" + i, e.rocketRange);
            p.SetFloat("m_distance_flak" + i, e.flakRange);
        }
    }
    return p;
}

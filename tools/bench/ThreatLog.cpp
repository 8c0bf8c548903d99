// ThreatLog: launches, near passes and hits of the enemies' projectiles, read from the field.
#include "ThreatLog.h"

#include "game/GameField.h"
#include "player/MissleCtrl.h"
#include "player/MissleEnemy.h"
#include "player/Player.h"
#include "world/EnemiesCtrl.h"
#include "world/Level.h"

#include <cmath>
#include <set>

namespace {

// The boat or site nearest a flak shell's first seen position fired it.
ThreatLog::Weapon FlakSource(const CGameField& field, const Vec3& at)
{
    const CLevel* level = field.World();
    const CEnemiesCtrl* enemies = level ? level->Enemies() : nullptr;
    float best = 1e9f;
    ThreatLog::Weapon w = ThreatLog::BoatFlak;
    if (!enemies)
        return w;
    for (const auto& e : enemies->Enemies()) {
        const int category = e->ScoreCode() / 100;
        if (category != 2 && category != 4)
            continue;
        const float d = (e->GetPosition() - at).LengthSq();
        if (d < best) {
            best = d;
            w = category == 2 ? ThreatLog::BoatFlak : ThreatLog::SiteFlak;
        }
    }
    return w;
}

}  // namespace

void ThreatLog::Close(const Track& t)
{
    if (t.closest < m_closest[t.weapon]) {
        m_closest[t.weapon] = t.closest;
        m_closest_offset[t.weapon] = t.closestOffset;
    }
    if (t.closest < 1.0f)
        ++m_within1[t.weapon];
    if (t.closest < 3.0f)
        ++m_within3[t.weapon];
}

void ThreatLog::Observe(const CGameField& field)
{
    const CPlayer* player = field.Player();
    const CMissleCtrl* missiles = field.Missiles();
    if (!player || !missiles)
        return;
    const Vec3 p = player->Position();
    const float hull = player->Hull();
    const bool hullDropped = m_last_hull >= 0.0f && hull < m_last_hull;
    if (hullDropped) {
        m_hull_lost += m_last_hull - hull;
        ++m_hull_drops;
    }
    m_last_hull = hull;

    std::set<uint64_t> present;
    float hitDist = 1e9f;
    Weapon hitWeapon = WeaponCount;
    for (const auto& m : missiles->EnemyMissiles()) {
        const uint64_t id = m->EffectId();
        present.insert(id);
        auto [it, fresh] = m_live.try_emplace(id);
        Track& t = it->second;
        if (fresh) {
            if (dynamic_cast<const CMissleHelicopAA*>(m.get()))
                t.weapon = HelicMissile;
            else if (dynamic_cast<const CMissleBoat1AA*>(m.get()))
                t.weapon = BoatMissile;
            else if (dynamic_cast<const CMissleAAD1AA*>(m.get()))
                t.weapon = SiteMissile;
            else
                t.weapon = FlakSource(field, m->GetPosition());
            ++m_launches[t.weapon];
        }
        const Vec3 off = m->GetPosition() - p;
        if (m->Life() == 0 || m->IsExploding()) {
            const float d = off.Length();
            if (d < t.closest) {
                t.closest = d;
                t.closestOffset = off;
            }
        }
        // A hit explodes the projectile in the frame the hull drops.
        if (hullDropped && m->IsExploding() && !t.seen) {
            const float d = off.Length();
            if (d < hitDist) {
                hitDist = d;
                hitWeapon = t.weapon;
            }
        }
        if (m->IsExploding())
            t.seen = true;
    }
    if (hitWeapon != WeaponCount)
        ++m_hits[hitWeapon];
    for (auto it = m_live.begin(); it != m_live.end();) {
        if (!present.count(it->first)) {
            Close(it->second);
            it = m_live.erase(it);
        } else {
            ++it;
        }
    }
}

void ThreatLog::Print(std::FILE* out) const
{
    static const char* names[] = {"helic_missile", "boat_missile", "boat_flak", "site_missile", "site_flak"};
    // Projectiles still in flight count with their closest pass so far.
    int within1[WeaponCount], within3[WeaponCount];
    float closest[WeaponCount];
    Vec3 offset[WeaponCount];
    for (int w = 0; w < WeaponCount; ++w) {
        within1[w] = m_within1[w];
        within3[w] = m_within3[w];
        closest[w] = m_closest[w];
        offset[w] = m_closest_offset[w];
    }
    for (const auto& [id, t] : m_live) {
        (void)id;
        within1[t.weapon] += t.closest < 1.0f ? 1 : 0;
        within3[t.weapon] += t.closest < 3.0f ? 1 : 0;
        if (t.closest < closest[t.weapon]) {
            closest[t.weapon] = t.closest;
            offset[t.weapon] = t.closestOffset;
        }
    }
    std::fprintf(out, ", \"hull_lost\": %.2f, \"hull_hits\": %d, \"threats\": {", m_hull_lost, m_hull_drops);
    for (int w = 0; w < WeaponCount; ++w) {
        std::fprintf(out, "%s\"%s\": {\"launched\": %d, \"within_1\": %d, \"within_3\": %d, \"hits\": %d", w ? ", " : "",
                     names[w], m_launches[w], within1[w], within3[w], m_hits[w]);
        if (m_launches[w] > 0)
            std::fprintf(out, ", \"closest\": %.2f, \"closest_at\": [%.2f, %.2f, %.2f]", closest[w], offset[w].x,
                         offset[w].y, offset[w].z);
        std::fprintf(out, "}");
    }
    std::fprintf(out, "}");
}

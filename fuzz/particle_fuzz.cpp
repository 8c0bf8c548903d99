// Fuzzes the particle descriptions: the ten prototypes of the battle effects read from fuzzed
// files, then 120 frames of every effect the game emits (contrails, fires, smoke and missile
// trails, wakes, flak, explosions, splashes) moving over the ground, each system updated and aged.
//
// Input: the files split at "--- dat/particles/p_*.txt" marker lines (fuzz/FuzzFiles.h); the
// first file is "dat/particles/p_missile.txt", and a description the input does not hold takes
// the first file's text, so that a single mutated description drives every effect.
#include "FuzzFiles.h"

#include "game/GameData.h"
#include "render/ParticleSystem.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const auto files = gwfuzz::SplitFiles(data, size, GameData::kParticleFiles[0]);
    static GameData game;
    for (int i = 0; i < kParticleCount; ++i) {
        const gwfuzz::NamedFile* f = gwfuzz::Find(files, GameData::kParticleFiles[i]);
        if (!f)
            f = &files.front();
        game.m_particles[i].Parse(f->bytes.data(), f->bytes.size(), true);
    }
    game.m_gravity = 0.00002f;

    CAtmosphericCtpl effects;
    effects.SetGame(&game);
    const float dt = 16.666666f * 0.13f;
    Vec3 at(0.0f, 0.0f, 3.0f);
    for (int n = 0; n < 120; ++n) {
        at = at + Vec3(0.02f * static_cast<float>((n / 40) % 3 - 1), 0.6f, 0.0f);
        effects.EmitContrails(at + Vec3(-0.5f, 0, 0), at + Vec3(0.5f, 0, 0), (n / 50) % 2 == 0);
        effects.EmitFire(20, at + Vec3(2, 4, -2));
        effects.EmitBoatFire(40, at + Vec3(-2, 5, -2.5f));
        effects.EmitMissileSmoke(60, at + Vec3(0, static_cast<float>(n) * 0.3f, 0));
        effects.EmitMissileTrail(80, at + Vec3(1, static_cast<float>(n) * 0.5f, 0));
        effects.EmitWake(100, at + Vec3(0, 3, -3));
        if (n % 25 == 0) {
            effects.EmitFireSource(at + Vec3(0, 8, 0));
            effects.EmitFlak(at + Vec3(1, 6, 1));
            effects.SpawnExplosion(at + Vec3(0, 10, 0), 1.5f);
            effects.SpawnWaterSplash(at + Vec3(0, 12, -3), 0.8f);
        }
        effects.Update(dt);
    }
    // Every system that survived still divides by a frame count of at least 1.
    for (int i = 0; i < kParticleCount; ++i) {
        const CParticle p = ReadParticle(game.m_particles[i]);
        if (p.frameCount < 1)
            std::abort();
    }
    return 0;
}

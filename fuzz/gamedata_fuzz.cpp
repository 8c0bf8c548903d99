// Fuzzes "dat/game.txt" as GameData reads it: the tuning values, then (from the same pack) the
// ten particle descriptions and the three aircraft files, and a flight of 300 frames over the
// forge's level 1 with the values read (fuzz/FuzzFlight.h; the aircraft chosen by the input's
// length), so that hostile speeds, rates, damages and pauses meet the flight
// model, the missiles, the enemies and the effects.
//
// Input: the files split at "--- dat/..." marker lines (fuzz/FuzzFiles.h); the first file is
// "dat/game.txt". The forge's particle and aircraft files are packed after the input's files, so
// an input may replace any of them.
#include "FuzzFiles.h"
#include "FuzzFlight.h"

#include "resources/PackFile.h"
#include "resources/ResourceGroup.h"

#include <cstdint>
#include <memory>

namespace {
std::unique_ptr<gwfuzz::ScratchFolder> g_scratch;
std::vector<PackSource> g_forged;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const auto game = gwfuzz::GameDir();
    g_scratch = std::make_unique<gwfuzz::ScratchFolder>("gamedata");
    ResourceGroup forge("gamedata_fuzz_forge");
    forge.SetKey(kMainPackKey);
    forge.MountPack((game / kMainPackFile).string());
    for (const char* name : GameData::kParticleFiles)
        g_forged.push_back({name, forge.ReadFile(name).bytes, false});
    for (const char* name : GameData::kAircraftFiles)
        g_forged.push_back({name, forge.ReadFile(name).bytes, false});
    GameData::Get().SelectLevelSet((game / "levels/base.set").string());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const auto files = gwfuzz::SplitFiles(data, size, GameData::kGameFile);
    std::vector<PackSource> sources;
    for (const auto& f : files)
        sources.push_back({f.name, f.bytes, false});
    sources.insert(sources.end(), g_forged.begin(), g_forged.end());
    std::vector<uint8_t> pack;
    if (!BuildPack(sources, kMainPackKey, pack) || !g_scratch->Write("data/fuzz.pk", pack))
        return 0;
    ResourceGroup group("gamedata_fuzz");
    group.SetKey(kMainPackKey);
    group.MountPack("data/fuzz.pk");

    GameData& game = GameData::Get();
    game.LoadGameFile(group);
    gwfuzz::PlayLevel(game, 1, static_cast<int>(size % 3), 300);
    return 0;
}

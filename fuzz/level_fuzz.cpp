// Fuzzes a whole level: its plain files (terra.ter, enemies.ter, clouds.cld, levels.txt) are
// packed into a level set, the set is chosen, and a game field builds level 1 and flies it for
// 600 frames without GL (fuzz/FuzzFlight.h) — the enemies controller with every enemy the file
// made, the player firing both weapons and steering, the missile controller and the effects.
//
// Input: the files split at "--- levels/..." marker lines (fuzz/FuzzFiles.h); the first file is
// levels/level01/enemies.ter. The forge's height image of level 1 is added to the pack after the
// input's files, so that a level that names it has its valley without the input carrying 256 KiB.
#include "FuzzFiles.h"
#include "FuzzFlight.h"

#include "resources/PackFile.h"
#include "resources/ResourceGroup.h"

#include <cstdint>
#include <memory>

namespace {

constexpr const char* kHeightName = "levels/level01/height.raw";
std::unique_ptr<gwfuzz::ScratchFolder> g_scratch;
std::vector<uint8_t> g_height;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const auto game = gwfuzz::GameDir();
    g_scratch = std::make_unique<gwfuzz::ScratchFolder>("level");
    ResourceGroup* main = ResourceGroup::CreateGroup(kMainGroup);
    main->SetKey(kMainPackKey);
    if (!main->MountPack((game / kMainPackFile).string()))
        std::fprintf(stderr, "level_fuzz: no %s; tuning values are 0\n", (game / kMainPackFile).c_str());
    GameData::Get().LoadGameFile(*main);
    // The valley of the forge's level 1.
    ResourceGroup base("level_fuzz_base");
    base.SetKey(kLevelsPackKey);
    base.MountPack((game / "levels/base.set").string());
    const FileBuffer height = base.ReadFile(kHeightName);
    g_height = height.bytes;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    const auto files = gwfuzz::SplitFiles(data, size, "levels/level01/enemies.ter");
    std::vector<PackSource> sources;
    for (const auto& f : files)
        sources.push_back({f.name, f.bytes, false});
    if (!gwfuzz::Find(files, kHeightName) && !g_height.empty())
        sources.push_back({kHeightName, g_height, false});
    if (!gwfuzz::Find(files, "levels/levels.txt"))
        sources.push_back({"levels/levels.txt", gwfuzz::Bytes("levels_count 1\n"), false});
    std::vector<uint8_t> pack;
    if (!BuildPack(sources, kLevelsPackKey, pack) || !g_scratch->Write("levels/fuzz.set", pack))
        return 0;

    GameData& game = GameData::Get();
    game.SelectLevelSet("levels/fuzz.set");
    gwfuzz::PlayLevel(game, 1, static_cast<int>(size % 3), 600);
    return 0;
}

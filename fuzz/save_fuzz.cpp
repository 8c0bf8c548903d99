// Fuzzes "data/save.sav": the input's text is enciphered with the save key (so that the fuzzer
// mutates the plain keys) and read back as the main menu reads it at start — the bindings and
// preferences, the level set it names with its level list, the two score tables — then the saved
// game's keys are read into a game field, which starts the level they name and flies it briefly.
// The controls stored again read back to the same bindings.
//
// The scratch folder holds the forge's level set as "levels/base.set" (a link), so that a saved
// game of the base set starts a real level.
#include "FuzzFiles.h"
#include "FuzzFlight.h"

#include "game/GameControls.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "resources/CCipher.h"
#include "resources/GameFolders.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<gwfuzz::ScratchFolder> g_scratch;
std::filesystem::path g_baseSet;

int Bindings(const GameData& g, int i)
{
    const int all[] = {g.m_left_key,         g.m_right_key,         g.m_up_key,        g.m_down_key,
                       g.m_camera_key,       g.m_fire_primary_key,  g.m_maneuver_key,  g.m_fire_secondary_key,
                       g.m_fire_primary_joy, g.m_fire_secondary_joy, g.m_maneuver_joy, g.m_camera_pos,
                       g.m_custom_level_num};
    return all[i];
}
constexpr int kBindings = 13;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const auto game = gwfuzz::GameDir();
    g_scratch = std::make_unique<gwfuzz::ScratchFolder>("save");
    g_baseSet = game / "levels/base.set";
    ResourceGroup* main = ResourceGroup::CreateGroup(kMainGroup);
    main->SetKey(kMainPackKey);
    main->MountPack((game / kMainPackFile).string());
    GameData::Get().LoadGameFile(*main);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    g_scratch->Reset();
    std::error_code ec;
    std::filesystem::create_symlink(g_baseSet, g_scratch->Dir() / "levels/base.set", ec);
    g_scratch->Write(CurrentFolders().SaveFile(), CCipher().Encipher(data, size, kSaveKey, static_cast<unsigned>(size)));

    GameData& game = GameData::Get();
    game.m_levels_pack_name = GameData::kDefaultLevelsPack;
    ParamFile save;
    ReadSaveFile(save);
    LoadControls(game, save);

    {
        InputDevices input;
        input.SetKeyboardValid(true);
        CGameField field(&game, nullptr, &input, false);
        field.SetWriteSaveFile(false);
        field.SetClock([] { return 0u; });
        field.LoadState(save);
        gwfuzz::Fly(field, input, game, 60);
    }

    // The controls stored and read back are the same.
    int before[kBindings];
    for (int i = 0; i < kBindings; ++i)
        before[i] = Bindings(game, i);
    ParamFile out;
    StoreControls(game, out);
    if (WriteSaveFile(out)) {
        ParamFile back;
        if (!ReadSaveFile(back))
            std::abort();
        LoadControls(game, back);
        for (int i = 0; i < kBindings; ++i)
            if (before[i] != Bindings(game, i))
                std::abort();
    }
    return 0;
}

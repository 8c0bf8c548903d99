// The game's own sounds and music from the forged main pack, loaded the way the game loads them:
// through the resource group "main" into the sound manager and the menu music.
#include "audio/Music.h"
#include "audio/SoundManager.h"
#include "audio/SoundTable.h"
#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

class GameAudioPack : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string pack = std::string(GW_GAME_DIR) + "/data/data.pk";
        if (!std::filesystem::exists(pack))
            GTEST_SKIP() << "no forged pack at " << pack << " (the build makes it)";
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ResourceGroup* group = ResourceGroup::CreateGroup("main");
        ASSERT_TRUE(group->MountPack(pack));
        ASSERT_TRUE(sounds.Initialize());
    }
    void TearDown() override { ResourceGroup::DeleteGroup("main"); }

    CSoundManager sounds;
};

}  // namespace

TEST_F(GameAudioPack, EverySoundOfTheTableLoadsAndTheEngineLoops)
{
    NAudio::Music music;
    LoadGameAudio(sounds, music, true);
    for (const SoundTableEntry& e : GameSoundTable()) {
        if (e.variant)
            EXPECT_EQ(sounds.VariantCount(e.id), [&] {
                int n = 0;
                for (const SoundTableEntry& o : GameSoundTable())
                    if (o.variant && o.id == e.id)
                        n += o.copies;
                return n;
            }()) << e.file;
        else
            EXPECT_NE(sounds.GetSound(e.id), nullptr) << e.file;
    }
    // The jets' engine as the game screen starts it: looped, without force, at volume 90.
    sounds.Play(0, false, true);
    sounds.SetVolume(0, 90);
    Sound* engine = sounds.GetSound(0);
    ASSERT_NE(engine, nullptr);
    EXPECT_TRUE(engine->IsPlaying());
    EXPECT_TRUE(engine->Loop());
    EXPECT_EQ(engine->ChannelVolume(), 90);
    EXPECT_GT(engine->LengthMs(), 1000u);
    sounds.StopAll();
    EXPECT_FALSE(engine->IsPlaying());
}

TEST_F(GameAudioPack, TheMenuMusicStartsWithTrackOne)
{
    NAudio::Music music;
    LoadGameAudio(sounds, music, true);
    music.PlayNext();
    EXPECT_EQ(music.CurrentIndex(), 0);
    EXPECT_TRUE(music.IsActive());
    music.Update();
    EXPECT_EQ(music.CurrentIndex(), 0);
    music.PlayNext();
    EXPECT_EQ(music.CurrentIndex(), 1);
    EXPECT_TRUE(music.IsActive());
    music.Stop();
}

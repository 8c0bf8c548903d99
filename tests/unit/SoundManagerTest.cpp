// The sound manager on SDL's silent driver: play with and without force, the sound switch, live
// loops and their countdown, variants, placement of a playing sound, and the silent device.
#include "audio/SoundManager.h"

#include "AudioTestFiles.h"
#include "audio/Music.h"
#include "audio/SoundTable.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& cond, std::chrono::milliseconds limit = 3000ms)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!cond()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class SoundManagerTest : public ::testing::Test {
protected:
    SoundManagerTest()
        : files({{"long.wav", audiotest::SineWav(4000)},
                 {"short.wav", audiotest::SineWav(60)},
                 {"loop.wav", audiotest::SineWav(250)},
                 {"broken.wav", {'R', 'I', 'F', 'F', 1, 2, 3}}})
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(sounds.Initialize());
        ASSERT_TRUE(sounds.Ready());
    }

    audiotest::FileSourceScope files;
    CSoundManager sounds;
};

}  // namespace

TEST_F(SoundManagerTest, IsTheInstanceWhileItLives)
{
    EXPECT_EQ(CSoundManager::Instance(), &sounds);
    EXPECT_NE(AudioDevice::Get(), nullptr);
}

TEST_F(SoundManagerTest, PlayWithoutForceLeavesAPlayingSoundAloneAndForceRestartsIt)
{
    sounds.AddSound("long.wav", 5);
    Sound* s = sounds.GetSound(5);
    ASSERT_NE(s, nullptr);
    sounds.Play(5, false, false);
    ASSERT_TRUE(s->IsPlaying());
    ASSERT_TRUE(WaitFor([&] { return s->PlayedMs() >= 400; }));

    sounds.Play(5, false, false);
    EXPECT_TRUE(s->IsPlaying());
    EXPECT_GE(s->PlayedMs(), 400u);

    sounds.Play(5, true, false);
    EXPECT_TRUE(s->IsPlaying());
    EXPECT_LT(s->PlayedMs(), 200u);
}

TEST_F(SoundManagerTest, AFinishedSoundPlaysAgainWithoutForce)
{
    sounds.AddSound("short.wav", 13);
    Sound* s = sounds.GetSound(13);
    ASSERT_NE(s, nullptr);
    sounds.Play(13, false, false);
    ASSERT_TRUE(WaitFor([&] { return !s->IsPlaying(); }));
    sounds.Play(13, false, false);
    EXPECT_TRUE(s->IsPlaying());
}

TEST_F(SoundManagerTest, SwitchingSoundOffStopsNewEffectsButNotMusic)
{
    sounds.AddSound("long.wav", 5);
    NAudio::Music music;
    music.AddTrack("long.wav");
    sounds.SetSamplesEnabled(false);
    sounds.Play(5, true, false);
    EXPECT_FALSE(sounds.GetSound(5)->IsPlaying());
    music.PlayNext();
    EXPECT_TRUE(music.IsActive());

    sounds.SetSamplesEnabled(true);
    sounds.Play(5, true, false);
    EXPECT_TRUE(sounds.GetSound(5)->IsPlaying());
    music.Stop();
    EXPECT_FALSE(music.IsActive());
}

TEST_F(SoundManagerTest, MissingBrokenAndUnknownSoundsAreIgnored)
{
    sounds.AddSound("nowhere.ogg", 3);
    sounds.AddSound("broken.wav", 4);
    sounds.AddVariant("nowhere.ogg", 80);
    EXPECT_EQ(sounds.GetSound(3), nullptr);
    EXPECT_EQ(sounds.GetSound(4), nullptr);
    EXPECT_EQ(sounds.VariantCount(80), 0);
    sounds.Play(3, true, false);
    sounds.SetVolume(4, 50);
    sounds.PlaceAt(Vec3(), Vec3(1, 1, 0), 99, 10.0f);
    sounds.StartLoop(1, 80, 2);
    sounds.PlaceLoop(Vec3(), Vec3(1, 1, 0), 1, 80, 10.0f);
    EXPECT_EQ(sounds.LiveLoopCount(), 0u);
    sounds.Update();
}

TEST_F(SoundManagerTest, AddSoundReplacesTheSoundStoredUnderTheId)
{
    sounds.AddSound("short.wav", 7);
    ASSERT_NE(sounds.GetSound(7), nullptr);
    const uint32_t shortMs = sounds.GetSound(7)->LengthMs();
    sounds.AddSound("long.wav", 7);
    ASSERT_NE(sounds.GetSound(7), nullptr);
    EXPECT_GT(sounds.GetSound(7)->LengthMs(), shortMs);
    EXPECT_NEAR(sounds.GetSound(7)->LengthMs(), 4000.0, 5.0);
}

TEST_F(SoundManagerTest, PlaceAtSetsPanAndVolumeScaledBySampleVolume)
{
    sounds.AddSound("long.wav", 2);
    sounds.Play(2, true, false);
    Sound* s = sounds.GetSound(2);
    EXPECT_EQ(s->ChannelVolume(), 100);
    sounds.PlaceAt(Vec3(0, 0, 0), Vec3(2, 2, 0), 2, 100.0f);
    EXPECT_EQ(s->Pan(), 50);
    EXPECT_EQ(s->ChannelVolume(), 85);  // 100 - 100 * 2.83 / 20

    sounds.SetInvertStereo(true);
    sounds.PlaceAt(Vec3(0, 0, 0), Vec3(2, 2, 0), 2, 100.0f);
    EXPECT_EQ(s->Pan(), -50);

    sounds.Device()->SetSampleVolume(50);
    sounds.SetVolume(2, 80);
    EXPECT_EQ(s->ChannelVolume(), 40);
    sounds.SetVolume(2, 250);
    EXPECT_EQ(s->ChannelVolume(), 50);

    // A new playback starts centred.
    sounds.Play(2, true, false);
    EXPECT_EQ(s->Pan(), 0);
}

TEST_F(SoundManagerTest, AFourthLoopIsSilentWhileThreeVariantsPlay)
{
    for (int i = 0; i < 3; ++i)
        sounds.AddVariant("loop.wav", 1);
    ASSERT_EQ(sounds.VariantCount(1), 3);
    for (uint64_t missile = 1; missile <= 3; ++missile)
        sounds.StartLoop(missile, 1, 2);
    EXPECT_EQ(sounds.LiveLoopCount(), 3u);
    Sound* a = sounds.LoopSound(1, 1);
    Sound* b = sounds.LoopSound(2, 1);
    Sound* c = sounds.LoopSound(3, 1);
    ASSERT_TRUE(a && b && c);
    EXPECT_TRUE(a != b && b != c && a != c);
    EXPECT_TRUE(a->IsPlaying() && b->IsPlaying() && c->IsPlaying());
    EXPECT_TRUE(a->Loop());
    EXPECT_EQ(a->ChannelVolume(), 0);  // silent until placed

    sounds.StartLoop(4, 1, 2);
    EXPECT_EQ(sounds.LoopSound(4, 1), nullptr);
    EXPECT_EQ(sounds.LiveLoopCount(), 3u);

    // Looping: still playing well past the sample's length.
    std::this_thread::sleep_for(400ms);
    EXPECT_TRUE(a->IsPlaying());

    sounds.PlaceLoop(Vec3(), Vec3(-3, 3, 0), 2, 1, 100.0f);
    EXPECT_EQ(b->Pan(), -50);
    EXPECT_GT(b->ChannelVolume(), 0);
}

TEST_F(SoundManagerTest, ALoopAskedForOnceWithCountdownTwoStopsTwoUpdatesLater)
{
    sounds.AddVariant("loop.wav", 90);
    sounds.StartLoop(77, 90, 2);
    Sound* s = sounds.LoopSound(77, 90);
    ASSERT_NE(s, nullptr);
    sounds.Update();
    EXPECT_TRUE(s->IsPlaying());
    EXPECT_EQ(sounds.LiveLoopCount(), 1u);
    sounds.Update();
    EXPECT_FALSE(s->IsPlaying());
    EXPECT_EQ(sounds.LiveLoopCount(), 0u);
}

TEST_F(SoundManagerTest, ALoopKeptAliveByItsOwnerPlaysOnAndFreesItsVariantAfterwards)
{
    sounds.AddVariant("loop.wav", 80);
    for (int frame = 0; frame < 10; ++frame) {
        sounds.StartLoop(5, 80, 2);
        sounds.Update();
    }
    Sound* s = sounds.LoopSound(5, 80);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->IsPlaying());
    // Another owner finds the only variant taken.
    sounds.StartLoop(6, 80, 3);
    EXPECT_EQ(sounds.LoopSound(6, 80), nullptr);
    // Owner 5 stops asking; two updates later owner 6 gets the variant.
    sounds.Update();
    sounds.Update();
    sounds.StartLoop(6, 80, 3);
    EXPECT_EQ(sounds.LoopSound(6, 80), s);
    EXPECT_TRUE(s->IsPlaying());
}

TEST_F(SoundManagerTest, StopAllStopsEverythingAndLoopsStartAfreshAfterwards)
{
    sounds.AddSound("long.wav", 0);
    sounds.AddVariant("loop.wav", 16);
    sounds.Play(0, false, true);
    sounds.StartLoop(9, 16, 3);
    Sound* v = sounds.LoopSound(9, 16);
    ASSERT_NE(v, nullptr);
    sounds.StopAll();
    EXPECT_FALSE(sounds.GetSound(0)->IsPlaying());
    EXPECT_FALSE(v->IsPlaying());
    EXPECT_EQ(sounds.LiveLoopCount(), 0u);
    // The owner asks again (after a pause): its sound comes back.
    sounds.StartLoop(9, 16, 3);
    EXPECT_TRUE(v->IsPlaying());
}

TEST_F(SoundManagerTest, TheManagersOwnSwitchIgnoresPlayAndStartLoop)
{
    sounds.AddSound("long.wav", 0);
    sounds.AddVariant("loop.wav", 1);
    sounds.SetEnabled(false);
    sounds.Play(0, true, false);
    sounds.StartLoop(1, 1, 2);
    EXPECT_FALSE(sounds.GetSound(0)->IsPlaying());
    EXPECT_EQ(sounds.LiveLoopCount(), 0u);
}

TEST(SoundManagerSilent, WithoutASoundDeviceNothingLoadsOrPlays)
{
    audiotest::FileSourceScope files({{"long.wav", audiotest::SineWav(500)}});
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        CSoundManager sounds;
        EXPECT_TRUE(sounds.Initialize());  // the silent driver is a success: no message
        EXPECT_FALSE(sounds.Ready());
        ASSERT_NE(sounds.Device(), nullptr);
        sounds.AddSound("long.wav", 0);
        sounds.AddVariant("long.wav", 1);
        EXPECT_EQ(sounds.GetSound(0), nullptr);
        EXPECT_EQ(sounds.VariantCount(1), 0);
        EXPECT_EQ(files.Reads("long.wav"), 0);
        sounds.Play(0, true, true);
        sounds.StartLoop(1, 1, 2);
        sounds.Update();
        sounds.StopAll();
        NAudio::Music music;
        music.AddTrack("long.wav");
        music.PlayNext();
        EXPECT_FALSE(music.Playing());
        EXPECT_EQ(music.CurrentIndex(), -1);
        music.Update();
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// A driver that starts but cannot open its output (here SDL's file writer with a path that cannot
// be made) falls back to silence without restarting SDL audio on another driver: that shutdown
// can wait on the failed driver's device-watching thread. The kept driver goes with the device.
TEST(SoundManagerSilent, ADriverThatCannotOpenIsKeptNotRestartedAndGoesWithTheDevice)
{
    const Uint32 before = SDL_WasInit(SDL_INIT_AUDIO);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/nonexistent-folder/gorgewing2-audio.raw", 1);
    {
        CSoundManager sounds;
        EXPECT_TRUE(sounds.Initialize());
        EXPECT_FALSE(sounds.Ready());
        ASSERT_NE(sounds.Device(), nullptr);
        EXPECT_STREQ(sounds.Device()->DriverName(), "");
        ASSERT_NE(SDL_GetCurrentAudioDriver(), nullptr);
        EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "disk");
        NAudio::Music music;
        music.AddTrack("none.ogg");
        music.PlayNext();
        music.Update();
        sounds.StopAll();
    }
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), before);
    unsetenv("SDL_DISKAUDIOFILE");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(SoundManagerSilent, CallsBeforeInitializeAreHarmless)
{
    CSoundManager sounds;
    EXPECT_FALSE(sounds.Ready());
    sounds.SetSamplesEnabled(false);
    sounds.AddSound("x.ogg", 0);
    sounds.Play(0, true, false);
    sounds.StartLoop(1, 1, 2);
    sounds.Update();
    sounds.StopAll();
    EXPECT_FALSE(sounds.SamplesEnabled());
}

TEST(SoundTable, LoadsEveryIdWithItsVariantCounts)
{
    std::map<std::string, std::vector<uint8_t>> files;
    for (const SoundTableEntry& e : GameSoundTable())
        files[e.file] = audiotest::SineWav(50);
    audiotest::FileSourceScope scope(files);
    CSoundManager sounds;
    ASSERT_TRUE(sounds.Initialize());
    NAudio::Music music;
    LoadGameAudio(sounds, music, false);
    for (int id : {0, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 16, 17, 62})
        EXPECT_NE(sounds.GetSound(id), nullptr) << id;
    EXPECT_EQ(sounds.VariantCount(1), 3);
    EXPECT_EQ(sounds.VariantCount(10), 2);
    EXPECT_EQ(sounds.VariantCount(16), 3);
    for (int id : {31, 32, 33})
        EXPECT_EQ(sounds.VariantCount(id), 1) << id;
    for (int id : {80, 81, 82, 83, 90, 91, 92, 93})
        EXPECT_EQ(sounds.VariantCount(id), 3) << id;
    EXPECT_EQ(scope.Reads("sounds/s6.ogg"), 3);
    EXPECT_FALSE(sounds.SamplesEnabled());
    EXPECT_FALSE(sounds.Device()->SamplesEnabled());
    ASSERT_EQ(music.Tracks().size(), 2u);
    EXPECT_EQ(music.Tracks()[0], "sounds/track1.xm");
    EXPECT_EQ(music.Tracks()[1], "sounds/track2.xm");
    EXPECT_EQ(sounds.Device()->MusicVolume(), 80);
    EXPECT_EQ(sounds.Device()->ModuleVolume(), 51);
}

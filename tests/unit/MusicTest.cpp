// The menu music: track order, wrapping, following on when a track ends, broken tracks.
#include "audio/Music.h"

#include "AudioTestFiles.h"
#include "audio/SoundManager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class MusicTest : public ::testing::Test {
protected:
    MusicTest()
        : files({{"one.wav", audiotest::SineWav(3000, 300)},
                 {"two.wav", audiotest::SineWav(3000, 500)},
                 {"blip.wav", audiotest::SineWav(80)},
                 {"bad.xm", {'E', 'x', 't', 'e', 'n', 'd', 'e', 'd', ' ', 'M', 'o', 'd', 'u', 'l', 'e', ':', ' ', 0, 1}}})
    {
    }
    void SetUp() override { ASSERT_TRUE(sounds.Initialize()); }

    audiotest::FileSourceScope files;
    CSoundManager sounds;
};

}  // namespace

TEST_F(MusicTest, PlayNextStartsWithTheFirstTrackAndWraps)
{
    NAudio::Music music;
    music.AddTrack("one.wav");
    music.AddTrack("two.wav");
    EXPECT_EQ(music.CurrentIndex(), -1);
    music.PlayNext();
    EXPECT_EQ(music.CurrentIndex(), 0);
    EXPECT_TRUE(music.Playing());
    EXPECT_TRUE(music.IsActive());
    music.PlayNext();
    EXPECT_EQ(music.CurrentIndex(), 1);
    EXPECT_TRUE(music.IsActive());
    music.PlayNext();
    EXPECT_EQ(music.CurrentIndex(), 0);
    EXPECT_EQ(files.Reads("one.wav"), 2);
}

TEST_F(MusicTest, UpdateStartsTheNextTrackWhenOneEnds)
{
    NAudio::Music music;
    music.AddTrack("blip.wav");
    music.AddTrack("two.wav");
    music.PlayNext();
    music.Update();
    EXPECT_EQ(music.CurrentIndex(), 0);
    const auto end = std::chrono::steady_clock::now() + 3s;
    while (music.CurrentIndex() == 0 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(10ms);
        music.Update();
    }
    EXPECT_EQ(music.CurrentIndex(), 1);
    EXPECT_TRUE(music.IsActive());
}

TEST_F(MusicTest, StopEndsTheMusicAndUpdateDoesNotRestartIt)
{
    NAudio::Music music;
    music.AddTrack("one.wav");
    music.PlayNext();
    music.Stop();
    EXPECT_FALSE(music.Playing());
    EXPECT_FALSE(music.IsActive());
    music.Update();
    EXPECT_FALSE(music.IsActive());
    EXPECT_EQ(files.Reads("one.wav"), 1);
}

TEST_F(MusicTest, BrokenTracksAreSkippedAndNoneLoadingStopsTheMusic)
{
    NAudio::Music music;
    music.AddTrack("bad.xm");
    music.AddTrack("missing.xm");
    music.AddTrack("two.wav");
    music.PlayNext();
    EXPECT_EQ(music.CurrentIndex(), 2);
    EXPECT_TRUE(music.IsActive());

    const int readsBefore = files.Reads("missing.xm");
    NAudio::Music none;
    none.AddTrack("bad.xm");
    none.AddTrack("missing.xm");
    none.PlayNext();
    EXPECT_FALSE(none.Playing());
    for (int frame = 0; frame < 5; ++frame)
        none.Update();
    EXPECT_EQ(files.Reads("missing.xm"), readsBefore + 1);
}

TEST_F(MusicTest, VolumeIsAppliedOnTheModuleScale)
{
    AudioDevice* device = sounds.Device();
    device->SetMusicVolume(80);
    EXPECT_EQ(device->ModuleVolume(), 51);
    device->SetMusicVolume(150);
    EXPECT_EQ(device->MusicVolume(), 100);
    EXPECT_EQ(device->ModuleVolume(), 64);
    device->SetMusicVolume(-3);
    EXPECT_EQ(device->ModuleVolume(), 0);
}

TEST(MusicSilent, NothingHappensWithoutADevice)
{
    NAudio::Music music;
    music.AddTrack("one.wav");
    music.PlayNext();
    music.Update();
    EXPECT_FALSE(music.Playing());
    EXPECT_FALSE(music.IsActive());
    EXPECT_EQ(music.CurrentIndex(), -1);
}

TEST_F(MusicTest, MovingHandsThePlayingTrackOver)
{
    NAudio::Music music;
    music.AddTrack("one.wav");
    music.AddTrack("two.wav");
    music.PlayNext();
    NAudio::Music moved(std::move(music));
    EXPECT_TRUE(moved.IsActive());
    EXPECT_EQ(moved.CurrentIndex(), 0);
    EXPECT_FALSE(music.IsActive());
    EXPECT_TRUE(music.Tracks().empty());
    // Assigning over a playing Music frees what it played.
    NAudio::Music other;
    other.AddTrack("two.wav");
    moved = std::move(other);
    EXPECT_FALSE(moved.IsActive());
    EXPECT_EQ(moved.CurrentIndex(), -1);
    ASSERT_EQ(moved.Tracks().size(), 1u);
    moved.PlayNext();
    EXPECT_TRUE(moved.IsActive());
}

// The game's own sounds and music from the forged main pack, loaded the way the game loads them:
// through the resource group "main" into the sound manager and the menu music.
#include "audio/Music.h"
#include "audio/SoundManager.h"
#include "audio/SoundTable.h"
#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

class GameAudioPack : public ::testing::Test {
protected:
    void SetUp() override { Open("dummy"); }
    void TearDown() override
    {
        sounds.reset();
        ResourceGroup::DeleteGroup("main");
        unsetenv("GW_AUDIO_TRACE");
        unsetenv("SDL_DISKAUDIOFILE");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    // The environment is changed only while no device is open: SDL's sound thread reads it as it
    // starts (its priority hints), and setenv beside a getenv in another thread can crash.
    void Open(const char* driver)
    {
        const std::string pack = std::string(GW_GAME_DIR) + "/data/data.pk";
        if (!std::filesystem::exists(pack))
            GTEST_SKIP() << "no forged pack at " << pack << " (the build makes it)";
        sounds.reset();
        setenv("SDL_AUDIODRIVER", driver, 1);
        ResourceGroup* group = ResourceGroup::CreateGroup("main");
        ASSERT_TRUE(group->MountPack(pack));
        sounds = std::make_unique<CSoundManager>();
        ASSERT_TRUE(sounds->Initialize());
    }

    std::unique_ptr<CSoundManager> sounds;
};

int TableVariantCount(int id)
{
    int n = 0;
    for (const SoundTableEntry& e : GameSoundTable())
        if (e.variant && e.id == id)
            n += e.copies;
    return n;
}

}  // namespace

TEST_F(GameAudioPack, EverySoundOfTheTableLoadsAndTheEngineLoops)
{
    NAudio::Music music;
    LoadGameAudio(*sounds, music, true);
    for (const SoundTableEntry& e : GameSoundTable()) {
        if (e.variant)
            EXPECT_EQ(sounds->VariantCount(e.id), TableVariantCount(e.id)) << e.file;
        else
            EXPECT_NE(sounds->GetSound(e.id), nullptr) << e.file;
    }
    // The jets' engine as the game screen starts it: looped, without force, at volume 90.
    sounds->Play(0, false, true);
    sounds->SetVolume(0, 90);
    Sound* engine = sounds->GetSound(0);
    ASSERT_NE(engine, nullptr);
    EXPECT_TRUE(engine->IsPlaying());
    EXPECT_TRUE(engine->Loop());
    EXPECT_EQ(engine->ChannelVolume(), 90);
    EXPECT_GT(engine->LengthMs(), 1000u);
    sounds->StopAll();
    EXPECT_FALSE(engine->IsPlaying());
}

TEST_F(GameAudioPack, TheMenuMusicStartsWithTrackOne)
{
    NAudio::Music music;
    LoadGameAudio(*sounds, music, true);
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

// Records what the mixer puts out (SDL's disk driver writes it to a file at the pace of a real
// device) while the game's sounds start and stop, and finds them where they happened. The audio
// trace kept meanwhile stamps each event with the output frame it takes effect at, so the
// recording is read at those frames. The script below also waits on the frames the mixer has
// put out rather than on the wall clock: a busy machine that stalls the sound thread would
// otherwise leave a sound only a few frames between its start and its stop.
TEST_F(GameAudioPack, RecordedOutputFollowsTheEvents)
{
    const std::string tag = "gw_audio_record_" + std::to_string(getpid());
    const std::filesystem::path raw = std::filesystem::temp_directory_path() / (tag + ".raw");
    const std::filesystem::path trace = std::filesystem::temp_directory_path() / (tag + ".trace");
    sounds.reset();  // the silent device of SetUp, closed before the environment changes
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("GW_AUDIO_TRACE", trace.c_str(), 1);
    Open("disk");
    ASSERT_STREQ(sounds->Device()->DriverName(), "disk");
    const int rate = sounds->Device()->OutputRate();
    const size_t channels = size_t(sounds->Device()->OutputChannels());
    ASSERT_EQ(channels, 2u);
    NAudio::Music music;
    LoadGameAudio(*sounds, music, true);

    // Waits until the mixer has put out `ms` of sound since the start; bounded by a minute of
    // wall-clock time should the sound thread stop altogether.
    const AudioDevice& device = *sounds->Device();
    const uint64_t start = device.TracedFrames();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    auto at = [&](int ms) {
        while (device.TracedFrames() < start + uint64_t(ms) * uint64_t(rate) / 1000u &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    };
    at(400);                       // silence
    sounds->Play(0, false, true);  // the engine
    sounds->SetVolume(0, 90);
    at(900);
    sounds->StopAll();
    at(1300);                      // silence
    sounds->Play(5, true, false);  // a plane explodes off to the right
    sounds->PlaceAt(Vec3(0, 0, 0), Vec3(2, 1, 0), 5, 100.0f);
    at(1800);
    sounds->StopAll();
    at(2300);
    sounds.reset();  // closes the recording and the trace
    unsetenv("GW_AUDIO_TRACE");
    unsetenv("SDL_DISKAUDIOFILE");

    std::ifstream in(raw, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(raw);
    std::ifstream lines(trace);
    std::vector<std::string> events;
    for (std::string line; std::getline(lines, line);)
        events.push_back(line);
    lines.close();
    std::filesystem::remove(trace);

    const size_t count = bytes.size() / 2 / channels;
    ASSERT_GT(count, size_t(rate));  // over a second recorded
    auto sample = [&](size_t frame, size_t side) {
        int16_t v = 0;
        std::memcpy(&v, bytes.data() + (frame * channels + side) * 2, 2);
        return v / 32768.0;
    };
    auto ms = [&](int n) { return int64_t(n) * rate / 1000; };
    // RMS of one side between two frames.
    auto level = [&](int64_t from, int64_t to, size_t side) {
        const size_t a = size_t(std::clamp<int64_t>(from, 0, int64_t(count)));
        const size_t b = size_t(std::clamp<int64_t>(to, 0, int64_t(count)));
        double sum = 0.0;
        for (size_t i = a; i < b; ++i)
            sum += sample(i, side) * sample(i, side);
        return b > a ? std::sqrt(sum / double(b - a)) : 0.0;
    };

    // The trace: the format, the engine's start and stop, the explosion's start with its pan,
    // and its stop, in that order.
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "0 format " + std::to_string(rate) + " 2");
    auto find = [&](const std::string& what, size_t from) {
        for (size_t i = from; i < events.size(); ++i)
            if (events[i].find(what) != std::string::npos)
                return i;
        return events.size();
    };
    const size_t engine = find(" play ", 0);
    ASSERT_LT(engine, events.size());
    EXPECT_NE(events[engine].find("sounds/s1.ogg"), std::string::npos) << events[engine];
    const size_t engineStop = find(" stop ", engine);
    const size_t plane = find(" play ", engine + 1);
    ASSERT_LT(engineStop, plane);
    ASSERT_LT(plane, events.size());
    EXPECT_NE(events[plane].find("sounds/s43.ogg"), std::string::npos) << events[plane];
    std::istringstream words(events[plane]);
    std::string frame, play, channel;
    words >> frame >> play >> channel;
    EXPECT_LT(find(" pan " + channel + " ", plane), events.size());
    const size_t planeStop = find(" stop " + channel, plane);
    ASSERT_LT(planeStop, events.size());
    const int64_t e0 = int64_t(std::stoull(events[engine])), e1 = int64_t(std::stoull(events[engineStop]));
    const int64_t p0 = int64_t(std::stoull(events[plane])), p1 = int64_t(std::stoull(events[planeStop]));
    ASSERT_GT(e1 - e0, ms(200));
    ASSERT_GT(p1 - p0, ms(200));

    // The recording: the engine is first heard within the two buffers the output may hold after
    // its traced frame; that delay applies to the events after it, give or take one buffer of
    // 1024 frames (the mixer may fill a buffer ahead of the device), so the silences after the
    // stops are looked for from 50 ms after them to 30 ms before the next start.
    int64_t onset = 0;
    while (onset < int64_t(count) && std::fabs(sample(size_t(onset), 0)) < 0.002)
        ++onset;
    ASSERT_LT(onset, int64_t(count));
    const int64_t latency = onset - e0;
    EXPECT_GE(latency, 0);
    EXPECT_LE(latency, 2048);
    EXPECT_LT(level(0, onset - ms(20), 0), 0.0005);                            // nothing before the engine
    EXPECT_GT(level(onset + ms(50), e1 + latency - ms(20), 0), 0.03);          // the engine
    EXPECT_LT(level(e1 + latency + ms(50), p0 + latency - ms(30), 0), 0.0005);  // stopped
    const double right = level(p0 + latency, p1 + latency, 1);                 // the explosion, on the right...
    EXPECT_GT(right, 0.03);
    EXPECT_GT(right, 1.5 * level(p0 + latency, p1 + latency, 0));  // ...louder than on the left
    EXPECT_LT(level(p1 + latency + ms(50), p1 + latency + ms(150), 1), 0.0005);  // stopped
}

// The game's own sounds and music from the forged main pack, loaded the way the game loads them:
// through the resource group "main" into the sound manager and the menu music.
#include "audio/Music.h"
#include "audio/SoundManager.h"
#include "audio/SoundTable.h"
#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

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

namespace {

class GameAudioPack : public ::testing::Test {
protected:
    void SetUp() override { Open("dummy"); }
    void TearDown() override
    {
        sounds.reset();
        ResourceGroup::DeleteGroup("main");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
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
// device) while the game's sounds start and stop, and finds them at the moments they happened;
// the audio trace kept meanwhile stamps each start with the output frame it is heard at.
TEST_F(GameAudioPack, RecordedOutputFollowsTheEvents)
{
    const std::filesystem::path raw = std::filesystem::temp_directory_path() / "gw_audio_record.raw";
    const std::filesystem::path trace = std::filesystem::temp_directory_path() / "gw_audio_record.trace";
    std::filesystem::remove(raw);
    std::filesystem::remove(trace);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("GW_AUDIO_TRACE", trace.c_str(), 1);
    Open("disk");
    unsetenv("GW_AUDIO_TRACE");
    ASSERT_STREQ(sounds->Device()->DriverName(), "disk");
    const int rate = sounds->Device()->OutputRate();
    const size_t channels = size_t(sounds->Device()->OutputChannels());
    ASSERT_EQ(channels, 2u);
    NAudio::Music music;
    LoadGameAudio(*sounds, music, true);

    const auto start = std::chrono::steady_clock::now();
    auto at = [&](int ms) { std::this_thread::sleep_until(start + std::chrono::milliseconds(ms)); };
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
    sounds.reset();  // closes the recording
    unsetenv("SDL_DISKAUDIOFILE");

    std::ifstream in(raw, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(raw);
    ASSERT_GT(bytes.size(), size_t(rate) * channels * 2 * 2);  // at least 2 s recorded
    const size_t count = bytes.size() / 2 / channels;
    auto sample = [&](size_t frame, size_t side) {
        int16_t v = 0;
        std::memcpy(&v, bytes.data() + (frame * channels + side) * 2, 2);
        return v / 32768.0;
    };
    // RMS of one side between two moments (milliseconds from the start).
    auto level = [&](int fromMs, int toMs, size_t side) {
        const size_t a = std::min(count, size_t(int64_t(fromMs) * rate / 1000));
        const size_t b = std::min(count, size_t(int64_t(toMs) * rate / 1000));
        double sum = 0.0;
        for (size_t i = a; i < b; ++i)
            sum += sample(i, side) * sample(i, side);
        return b > a ? std::sqrt(sum / double(b - a)) : 0.0;
    };
    // The recording began when the device opened, before the sounds were loaded: the moments
    // are measured from the first sound heard, the engine's start at 400 ms.
    size_t onset = 0;
    while (onset < count && std::fabs(sample(onset, 0)) < 0.002)
        ++onset;
    ASSERT_LT(onset, count);
    const int t0 = int(int64_t(onset) * 1000 / rate);
    EXPECT_GE(t0, 350);
    EXPECT_LT(level(0, t0 - 20, 0), 0.0005);              // nothing before the engine
    EXPECT_GT(level(t0 + 50, t0 + 450, 0), 0.03);          // the engine
    EXPECT_LT(level(t0 + 650, t0 + 850, 0), 0.0005);       // stopped
    const double right = level(t0 + 1000, t0 + 1300, 1);  // the explosion, on the right...
    EXPECT_GT(right, 0.03);
    EXPECT_GT(right, 1.5 * level(t0 + 1000, t0 + 1300, 0));  // ...louder than on the left
    EXPECT_LT(level(t0 + 1550, t0 + 1650, 1), 0.0005);     // stopped

    // The trace: the engine's start is heard from its frame on, behind at most the two buffers
    // the output may hold; the explosion's pan and volume follow its start; both stop.
    std::ifstream lines(trace);
    std::vector<std::string> events;
    for (std::string line; std::getline(lines, line);)
        events.push_back(line);
    lines.close();
    std::filesystem::remove(trace);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "0 format " + std::to_string(rate) + " 2");
    auto find = [&](const std::string& what) {
        for (size_t i = 0; i < events.size(); ++i)
            if (events[i].find(what) != std::string::npos)
                return i;
        return events.size();
    };
    const size_t engine = find(" play ");
    ASSERT_LT(engine, events.size());
    EXPECT_NE(events[engine].find("sounds/s1.ogg"), std::string::npos) << events[engine];
    const uint64_t engineFrame = std::stoull(events[engine]);
    EXPECT_GE(onset, engineFrame);
    EXPECT_LE(onset, engineFrame + 2048);
    const size_t plane = find("sounds/s43.ogg");
    ASSERT_LT(plane, events.size());
    EXPECT_GT(plane, find(" stop "));  // the engine stopped first
    std::istringstream words(events[plane]);
    std::string frame, play, channel;
    words >> frame >> play >> channel;
    EXPECT_LT(find(" pan " + channel + " "), events.size());
    const uint64_t planeFrame = std::stoull(events[plane]);
    EXPECT_NEAR(double(planeFrame - engineFrame) / rate, 0.9, 0.1);
}

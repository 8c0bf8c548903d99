// The forge's sounds and music: every file of the sound table is made, the same on every run,
// decodes through the game's mixer without silence or clipping, loops join without a click, and
// both tracks play for at least 90 seconds through the module player the mixer uses.
#include "sound/EffectSounds.h"
#include "sound/ForgeSound.h"
#include "sound/MusicComposer.h"
#include "sound/OggEncoder.h"
#include "sound/Synth.h"
#include "sound/XmWriter.h"

#include "audio/AudioDevice.h"
#include "audio/SoundTable.h"

#include <gtest/gtest.h>
#include <libmodplug/modplug.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace {

// The forge's output, made once for all the tests of this file.
const ForgeFiles& Forged()
{
    static const ForgeFiles files = [] {
        ForgeFiles f;
        ForgeSounds(f);
        ForgeMusic(f);
        return f;
    }();
    return files;
}

const std::vector<uint8_t>& File(const std::string& path)
{
    static const std::vector<uint8_t> none;
    const auto& main = Forged().Files(ForgeFiles::Pack::Main);
    auto it = main.find(path);
    return it == main.end() ? none : it->second.bytes;
}

struct Stats {
    double rms = 0.0;  // of the loudest 250 ms, full scale 1
    int peak = 0;
    size_t railHits = 0;
};

Stats Measure(const std::vector<int16_t>& pcm, int channels, int rate)
{
    Stats s;
    for (int16_t v : pcm) {
        s.peak = std::max(s.peak, std::abs(int(v)));
        if (v >= 32767 || v <= -32768)
            ++s.railHits;
    }
    const size_t frames = pcm.size() / size_t(channels);
    const size_t window = std::min(frames, size_t(rate / 4));
    double sum = 0.0, best = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double v = pcm[i * size_t(channels)] / 32768.0;
        sum += v * v;
        if (i >= window) {
            const double o = pcm[(i - window) * size_t(channels)] / 32768.0;
            sum -= o * o;
        }
        best = std::max(best, sum);
    }
    s.rms = window ? std::sqrt(best / double(window)) : 0.0;
    return s;
}

class ForgeSoundDecode : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        s_device = AudioDevice::Create().release();
    }
    static void TearDownTestSuite()
    {
        delete s_device;
        s_device = nullptr;
    }
    static AudioDevice* s_device;
};
AudioDevice* ForgeSoundDecode::s_device = nullptr;

}  // namespace

TEST(ForgeSound, MakesEveryFileOfTheSoundTableAndBothTracks)
{
    for (const SoundTableEntry& e : GameSoundTable())
        EXPECT_FALSE(File(e.file).empty()) << e.file;
    for (const char* track : GameMusicTracks())
        EXPECT_FALSE(File(track).empty()) << track;
    for (const auto& [path, file] : Forged().Files(ForgeFiles::Pack::Main)) {
        EXPECT_FALSE(file.encipher) << path;
        EXPECT_EQ(path.rfind("sounds/", 0), 0u) << path;
    }
}

TEST(ForgeSound, BytesAreTheSameOnEveryRun)
{
    ForgeFiles again;
    ForgeSounds(again);
    ForgeMusic(again);
    const auto& a = Forged().Files(ForgeFiles::Pack::Main);
    const auto& b = again.Files(ForgeFiles::Pack::Main);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [path, file] : a) {
        ASSERT_TRUE(b.count(path)) << path;
        EXPECT_TRUE(b.at(path).bytes == file.bytes) << path;
    }
}

TEST_F(ForgeSoundDecode, EverySoundDecodesAndIsNeitherSilentNorClipped)
{
    ASSERT_TRUE(s_device->Ready());
    std::map<std::string, bool> seen;
    for (const SoundTableEntry& e : GameSoundTable()) {
        if (seen[e.file])
            continue;
        seen[e.file] = true;
        const std::vector<uint8_t>& ogg = File(e.file);
        const AudioHandle h = s_device->LoadSample(ogg.data(), ogg.size(), 1);
        ASSERT_NE(h, 0u) << e.file;
        const std::vector<int16_t> pcm = s_device->DecodedFrames(h);
        const Stats st = Measure(pcm, s_device->OutputChannels(), s_device->OutputRate());
        EXPECT_GT(pcm.size(), size_t(s_device->OutputRate()) / 4) << e.file;
        EXPECT_GT(st.rms, 0.05) << e.file;
        EXPECT_LT(st.peak, 31000) << e.file;
        EXPECT_EQ(st.railHits, 0u) << e.file;
        s_device->FreeSample(h);
    }
}

TEST_F(ForgeSoundDecode, LoopsJoinTheirEndToTheirStartWithoutAClick)
{
    int loops = 0;
    for (const EffectSound& s : MakeEffectSounds()) {
        if (!s.loop)
            continue;
        ++loops;
        const std::vector<uint8_t> ogg = EncodeOggVorbis(s.samples, kEffectRate);
        const AudioHandle h = s_device->LoadSample(ogg.data(), ogg.size(), 1);
        ASSERT_NE(h, 0u) << s.path;
        const std::vector<int16_t> pcm = s_device->DecodedFrames(h);
        const size_t ch = size_t(s_device->OutputChannels());
        const size_t n = pcm.size() / ch;
        ASSERT_EQ(n, s.samples.size()) << s.path;  // the loop keeps its exact length
        // The step across the seam against the steps around it.
        double around = 0.0;
        const size_t span = 256;
        for (size_t i = 1; i < span; ++i) {
            around += std::abs(pcm[i * ch] - pcm[(i - 1) * ch]);
            around += std::abs(pcm[(n - i) * ch] - pcm[(n - i - 1) * ch]);
        }
        around /= 2.0 * (span - 1);
        const double seam = std::abs(pcm[0] - pcm[(n - 1) * ch]);
        EXPECT_LT(seam, 4.0 * around + 64.0) << s.path << " seam " << seam << " around " << around;
        s_device->FreeSample(h);
    }
    EXPECT_GE(loops, 16);
}

TEST_F(ForgeSoundDecode, TracksLoadThroughTheMixerAndLastNinetySeconds)
{
    for (const char* track : GameMusicTracks()) {
        const std::vector<uint8_t>& bytes = File(track);
        const AudioHandle h = s_device->LoadMusic(bytes.data(), bytes.size());
        ASSERT_NE(h, 0u) << track;
        EXPECT_GE(s_device->MusicLengthMs(h), 90000u) << track;
        s_device->FreeMusic(h);
    }
}

// Renders a module to its end with the player and settings SDL2_mixer uses, at the master volume
// the mixer gives a module at full music volume.
std::vector<int16_t> RenderModule(const std::vector<uint8_t>& bytes, int* lengthMs)
{
    ModPlug_Settings settings;
    ModPlug_GetSettings(&settings);
    settings.mFlags = MODPLUG_ENABLE_OVERSAMPLING;
    settings.mChannels = 2;
    settings.mBits = 16;
    settings.mFrequency = 44100;
    settings.mResamplingMode = MODPLUG_RESAMPLE_FIR;
    settings.mReverbDepth = 0;
    settings.mBassAmount = 0;
    settings.mSurroundDepth = 0;
    settings.mLoopCount = 0;
    ModPlug_SetSettings(&settings);
    ModPlugFile* file = ModPlug_Load(bytes.data(), int(bytes.size()));
    std::vector<int16_t> pcm;
    if (!file)
        return pcm;
    *lengthMs = ModPlug_GetLength(file);
    ModPlug_SetMasterVolume(file, 256);
    std::vector<int16_t> block(8192);
    // Bounded: a module that never ends stops after ten minutes.
    while (pcm.size() < size_t(44100) * 2 * 600) {
        const int got = ModPlug_Read(file, block.data(), int(block.size() * 2));
        if (got <= 0)
            break;
        pcm.insert(pcm.end(), block.begin(), block.begin() + got / 2);
    }
    ModPlug_Unload(file);
    return pcm;
}

TEST(ForgeMusic, TracksPlayAtLeastNinetySecondsWithoutGapsOrClipping)
{
    for (const char* track : GameMusicTracks()) {
        int lengthMs = 0;
        const std::vector<int16_t> pcm = RenderModule(File(track), &lengthMs);
        const double seconds = pcm.size() / 2.0 / 44100.0;
        EXPECT_GE(lengthMs, 90000) << track;
        EXPECT_GE(seconds, 90.0) << track;
        EXPECT_LT(seconds, 300.0) << track << ": the module should end";
        const Stats all = Measure(pcm, 2, 44100);
        EXPECT_EQ(all.railHits, 0u) << track;
        EXPECT_LT(all.peak, 32000) << track;
        // Every two seconds up to the last five hold music.
        const size_t window = 2 * 44100;
        for (size_t start = 0; start + window < size_t(std::max(0.0, seconds - 5.0) * 44100); start += window) {
            double sum = 0.0;
            for (size_t i = 0; i < window; ++i) {
                const double v = pcm[(start + i) * 2] / 32768.0;
                sum += v * v;
            }
            EXPECT_GT(std::sqrt(sum / window), 0.02) << track << " at " << start / 44100 << " s";
        }
    }
}

TEST(ForgeMusic, ComposedLengthMatchesTheOrderTable)
{
    EXPECT_GE(music::ModuleSeconds(music::ComposeTrack1()), 90.0);
    EXPECT_GE(music::ModuleSeconds(music::ComposeTrack2()), 90.0);
}

// The audio device over SDL2_mixer: opening with the silent fall-back, samples on channels of
// their own, modules played once, volumes and switches.
#include "audio/AudioDevice.h"

#include "app/Log.h"
#include "audio/AudioTrace.h"

#include <algorithm>

#ifdef GW_HAVE_MIXER
#include <SDL.h>
#include <SDL_mixer.h>
#endif

namespace {
AudioDevice* g_device = nullptr;

constexpr int kFrequency = 44100;
constexpr int kChunkFrames = 1024;
// More channels than this are never allocated, whatever the callers load.
constexpr int kMaxChannels = 512;
}  // namespace

#ifdef GW_HAVE_MIXER

struct AudioDevice::SampleRec {
    AudioHandle handle = 0;
    Mix_Chunk* chunk = nullptr;
    std::vector<int> channels;
    std::string name;
};

struct AudioDevice::MusicRec {
    AudioHandle handle = 0;
    Mix_Music* music = nullptr;
    std::vector<uint8_t> bytes;  // the module is read from these while it plays
    std::string name;
};

namespace {
// Runs on the mixer's thread after each buffer.
void CountMixed(void* trace, Uint8*, int bytes)
{
    static_cast<AudioTrace*>(trace)->Mixed(bytes);
}
}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::Create()
{
    std::unique_ptr<AudioDevice> device(new AudioDevice());
    device->m_ready = device->Open();
    g_device = device.get();
    return device;
}

bool AudioDevice::Open()
{
    // The default output first, with whatever driver SDL picks (or the environment names).
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, 2, kChunkFrames) == 0) {
            m_opened = true;
            Uint16 format = 0;
            Mix_QuerySpec(&m_frequency, &format, &m_outChannels);
            Mix_Init(MIX_INIT_OGG | MIX_INIT_MOD);
            Mix_AllocateChannels(0);
            m_trace = AudioTrace::FromEnvironment(m_frequency, m_outChannels);
            if (m_trace)
                Mix_SetPostMix(CountMixed, m_trace.get());
            return true;
        }
        // The driver stays up until the device goes (see the header): no output, no mixer.
        m_driverKept = true;
    }
    // No sound output: silence. The device is not ready, so nothing is loaded or played, and
    // every mixer call is skipped.
    m_silent = true;
    return false;
}

AudioDevice::~AudioDevice()
{
    if (m_opened) {
        Mix_SetPostMix(nullptr, nullptr);
        Mix_HaltMusic();
        Mix_HaltChannel(-1);
        for (auto& m : m_music)
            Mix_FreeMusic(m->music);
        for (auto& s : m_samples)
            Mix_FreeChunk(s->chunk);
        m_music.clear();
        m_samples.clear();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (m_driverKept)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (g_device == this)
        g_device = nullptr;
}

const char* AudioDevice::DriverName() const
{
    const char* name = m_opened ? SDL_GetCurrentAudioDriver() : nullptr;
    return name ? name : "";
}

AudioDevice::SampleRec* AudioDevice::FindSample(AudioHandle h)
{
    for (auto& s : m_samples)
        if (s->handle == h)
            return s.get();
    return nullptr;
}

const AudioDevice::SampleRec* AudioDevice::FindSample(AudioHandle h) const
{
    return const_cast<AudioDevice*>(this)->FindSample(h);
}

AudioDevice::MusicRec* AudioDevice::FindMusic(AudioHandle h)
{
    for (auto& m : m_music)
        if (m->handle == h)
            return m.get();
    return nullptr;
}

const AudioDevice::MusicRec* AudioDevice::FindMusic(AudioHandle h) const
{
    return const_cast<AudioDevice*>(this)->FindMusic(h);
}

uint64_t AudioDevice::TracedFrames() const
{
    return m_trace ? m_trace->Frames() : 0;
}

AudioHandle AudioDevice::LoadSample(const uint8_t* data, size_t size, int maxPlaybacks, const std::string& name)
{
    if (!m_ready || !data || size == 0 || size > 0x7fffffff)
        return 0;
    maxPlaybacks = std::clamp(maxPlaybacks, 1, 16);
    if (m_channelCount + maxPlaybacks > kMaxChannels) {
        LogWrite("AudioDevice: no channel left for another sample");
        return 0;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw)
        return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);
    if (!chunk)
        return 0;
    auto rec = std::make_unique<SampleRec>();
    rec->handle = m_nextHandle++;
    rec->chunk = chunk;
    rec->name = name;
    for (int i = 0; i < maxPlaybacks; ++i)
        rec->channels.push_back(m_channelCount + i);
    m_channelCount += maxPlaybacks;
    Mix_AllocateChannels(m_channelCount);
    m_channelStart.resize(static_cast<size_t>(m_channelCount), 0);
    const AudioHandle h = rec->handle;
    m_samples.push_back(std::move(rec));
    return h;
}

void AudioDevice::FreeSample(AudioHandle sample)
{
    auto it = std::find_if(m_samples.begin(), m_samples.end(),
                           [sample](const auto& s) { return s->handle == sample; });
    if (it == m_samples.end())
        return;
    // Its channels stay allocated (idle); channel numbers of other samples never move.
    for (int ch : (*it)->channels)
        Mix_HaltChannel(ch);
    Mix_FreeChunk((*it)->chunk);
    m_samples.erase(it);
}

int AudioDevice::GetChannel(AudioHandle sample)
{
    SampleRec* rec = FindSample(sample);
    if (!rec || rec->channels.empty())
        return -1;
    int oldest = rec->channels.front();
    for (int ch : rec->channels) {
        if (!Mix_Playing(ch))
            return ch;
        if (m_channelStart[ch] < m_channelStart[oldest])
            oldest = ch;
    }
    StopChannel(oldest);
    return oldest;
}

uint32_t AudioDevice::SampleLengthMs(AudioHandle sample) const
{
    const SampleRec* rec = FindSample(sample);
    if (!rec)
        return 0;
    // The mixer holds its samples in the output's format (16-bit).
    const uint64_t frames = uint64_t(rec->chunk->alen) / 2 / uint64_t(std::max(m_outChannels, 1));
    return static_cast<uint32_t>(frames * 1000 / uint64_t(std::max(m_frequency, 1)));
}

std::vector<int16_t> AudioDevice::DecodedFrames(AudioHandle sample) const
{
    const SampleRec* rec = FindSample(sample);
    if (!rec)
        return {};
    const int16_t* data = reinterpret_cast<const int16_t*>(rec->chunk->abuf);
    return std::vector<int16_t>(data, data + rec->chunk->alen / 2);
}

void AudioDevice::PlayChannel(int channel, AudioHandle sample, bool loop, bool restart)
{
    if (!m_ready || !m_samplesEnabled || !ValidChannel(channel))
        return;
    SampleRec* rec = FindSample(sample);
    if (!rec)
        return;
    if (!restart && Mix_Playing(channel) && Mix_GetChunk(channel) == rec->chunk)
        return;
    // A new playback starts centred, as a freshly taken channel does; callers place it after.
    if (Mix_PlayChannel(channel, rec->chunk, loop ? -1 : 0) >= 0) {
        m_channelStart[channel] = SDL_GetTicks();
        Mix_SetPanning(channel, 255, 255);
        if (m_trace) {
            m_trace->Play(channel, rec->name);
            m_trace->Pan(channel, 0);
        }
    }
}

void AudioDevice::StopChannel(int channel)
{
    if (m_opened && ValidChannel(channel)) {
        if (m_trace && Mix_Playing(channel))
            m_trace->Stop(channel);
        Mix_HaltChannel(channel);
    }
}

void AudioDevice::StopSample(AudioHandle sample)
{
    if (const SampleRec* rec = FindSample(sample))
        for (int ch : rec->channels)
            StopChannel(ch);
}

bool AudioDevice::ChannelPlaying(int channel) const
{
    return m_ready && ValidChannel(channel) && Mix_Playing(channel) != 0;
}

uint32_t AudioDevice::ChannelPlayedMs(int channel) const
{
    if (!ChannelPlaying(channel))
        return 0;
    return SDL_GetTicks() - m_channelStart[channel];
}

void AudioDevice::SetChannelVolume(int channel, int volume)
{
    if (!m_ready || !ValidChannel(channel))
        return;
    volume = std::clamp(volume, 0, 100);
    Mix_Volume(channel, volume * MIX_MAX_VOLUME / 100);
    if (m_trace)
        m_trace->Volume(channel, volume);
}

void AudioDevice::SetChannelPan(int channel, int pan)
{
    if (!m_ready || !ValidChannel(channel))
        return;
    pan = std::clamp(pan, -100, 100);
    // Centre keeps both sides at full; a side fades the other one out.
    const int left = pan <= 0 ? 255 : 255 * (100 - pan) / 100;
    const int right = pan >= 0 ? 255 : 255 * (100 + pan) / 100;
    Mix_SetPanning(channel, static_cast<Uint8>(left), static_cast<Uint8>(right));
    if (m_trace)
        m_trace->Pan(channel, pan);
}

AudioHandle AudioDevice::LoadMusic(const uint8_t* data, size_t size, const std::string& name)
{
    if (!m_ready || !data || size == 0 || size > 0x7fffffff)
        return 0;
    auto rec = std::make_unique<MusicRec>();
    rec->bytes.assign(data, data + size);
    SDL_RWops* rw = SDL_RWFromConstMem(rec->bytes.data(), static_cast<int>(rec->bytes.size()));
    if (!rw)
        return 0;
    rec->music = Mix_LoadMUS_RW(rw, 1);
    if (!rec->music)
        return 0;
    rec->handle = m_nextHandle++;
    rec->name = name;
    const AudioHandle h = rec->handle;
    m_music.push_back(std::move(rec));
    return h;
}

void AudioDevice::PlayMusic(AudioHandle music, bool restart)
{
    if (!m_ready || !m_musicEnabled)
        return;
    MusicRec* rec = FindMusic(music);
    if (!rec)
        return;
    // The module's global volume is on a 0..64 scale; the mixer's music volume is 0..128.
    Mix_VolumeMusic(ModuleVolume() * 2);
    if (!restart && m_currentMusic == music && Mix_PlayingMusic())
        return;
    if (Mix_PlayMusic(rec->music, 1) == 0) {
        m_currentMusic = music;
        if (m_trace)
            m_trace->Music(rec->name);
    }
}

void AudioDevice::StopMusic()
{
    if (m_opened) {
        if (m_trace && m_currentMusic != 0)
            m_trace->MusicStop();
        Mix_HaltMusic();
    }
    m_currentMusic = 0;
}

void AudioDevice::FreeMusic(AudioHandle music)
{
    auto it = std::find_if(m_music.begin(), m_music.end(),
                           [music](const auto& m) { return m->handle == music; });
    if (it == m_music.end())
        return;
    if (m_currentMusic == music)
        StopMusic();
    Mix_FreeMusic((*it)->music);
    m_music.erase(it);
}

bool AudioDevice::IsActive(AudioHandle music) const
{
    return m_ready && music != 0 && music == m_currentMusic && Mix_PlayingMusic() != 0;
}

uint32_t AudioDevice::MusicLengthMs(AudioHandle music) const
{
    const MusicRec* rec = FindMusic(music);
    if (!rec)
        return 0;
    const double seconds = Mix_MusicDuration(rec->music);
    return seconds > 0.0 ? static_cast<uint32_t>(std::min(seconds, 1e6) * 1000.0) : 0;
}

void AudioDevice::SetSampleVolume(int volume)
{
    m_sampleVolume = std::clamp(volume, 0, 100);
}

void AudioDevice::SetMusicVolume(int volume)
{
    m_musicVolume = std::clamp(volume, 0, 100);
    if (m_ready)
        Mix_VolumeMusic(ModuleVolume() * 2);
}

#else  // no SDL2_mixer: a device that is never ready

struct AudioDevice::SampleRec {
    AudioHandle handle = 0;
};
struct AudioDevice::MusicRec {
    AudioHandle handle = 0;
};

std::unique_ptr<AudioDevice> AudioDevice::Create()
{
    std::unique_ptr<AudioDevice> device(new AudioDevice());
    g_device = device.get();
    return device;
}
bool AudioDevice::Open() { return false; }
AudioDevice::~AudioDevice()
{
    if (g_device == this)
        g_device = nullptr;
}
const char* AudioDevice::DriverName() const { return ""; }
AudioDevice::SampleRec* AudioDevice::FindSample(AudioHandle) { return nullptr; }
const AudioDevice::SampleRec* AudioDevice::FindSample(AudioHandle) const { return nullptr; }
AudioDevice::MusicRec* AudioDevice::FindMusic(AudioHandle) { return nullptr; }
const AudioDevice::MusicRec* AudioDevice::FindMusic(AudioHandle) const { return nullptr; }
uint64_t AudioDevice::TracedFrames() const { return 0; }
AudioHandle AudioDevice::LoadSample(const uint8_t*, size_t, int, const std::string&) { return 0; }
void AudioDevice::FreeSample(AudioHandle) {}
int AudioDevice::GetChannel(AudioHandle) { return -1; }
uint32_t AudioDevice::SampleLengthMs(AudioHandle) const { return 0; }
std::vector<int16_t> AudioDevice::DecodedFrames(AudioHandle) const { return {}; }
void AudioDevice::PlayChannel(int, AudioHandle, bool, bool) {}
void AudioDevice::StopChannel(int) {}
void AudioDevice::StopSample(AudioHandle) {}
bool AudioDevice::ChannelPlaying(int) const { return false; }
uint32_t AudioDevice::ChannelPlayedMs(int) const { return 0; }
void AudioDevice::SetChannelVolume(int, int) {}
void AudioDevice::SetChannelPan(int, int) {}
AudioHandle AudioDevice::LoadMusic(const uint8_t*, size_t, const std::string&) { return 0; }
void AudioDevice::PlayMusic(AudioHandle, bool) {}
void AudioDevice::StopMusic() { m_currentMusic = 0; }
void AudioDevice::FreeMusic(AudioHandle) {}
bool AudioDevice::IsActive(AudioHandle) const { return false; }
uint32_t AudioDevice::MusicLengthMs(AudioHandle) const { return 0; }
void AudioDevice::SetSampleVolume(int volume) { m_sampleVolume = std::clamp(volume, 0, 100); }
void AudioDevice::SetMusicVolume(int volume) { m_musicVolume = std::clamp(volume, 0, 100); }

#endif

AudioDevice* AudioDevice::Get()
{
    return g_device;
}

// AudioDevice: the thin layer over SDL2_mixer that owns the mixer, the global sound switches and
// volumes, the loaded samples and music modules, and the mixer channels they play on.
//
// CSoundManager::Initialize creates the one device and the manager owns it; Sound and
// NAudio::Music reach it through AudioDevice::Get(). Samples and modules are named by small
// integer handles (0 is none), so a handle kept after the device is gone is harmless: every call
// is a no-op when the device or the handle is missing. When no sound output can be opened the
// device falls back to silence: it counts as opened but is not ready, no mixer runs, nothing is
// loaded or played and the game runs without a message. A driver that started but could not
// open an output is kept until the device goes: shutting it down at once can wait on its
// device-watching thread (SDL's ALSA polls every 100 ms), which would hold up the start.
//
// A sample loaded for n simultaneous playbacks gets n mixer channels of its own; asking for a
// channel while all n play takes the one that has played longest (it is stopped and reused).
// Channel volume is 0 to 100 and pan -100 (left) to 100 (right). A module plays once through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AudioTrace;

using AudioHandle = uint32_t;

class AudioDevice {
public:
    // Opens the default output at 44100 Hz; on failure the silent fall-back, not ready. Registers
    // the new device as the one Get() returns. Never returns null.
    static std::unique_ptr<AudioDevice> Create();
    static AudioDevice* Get();

    ~AudioDevice();
    // The output frames mixed so far when a trace is kept (0 otherwise).
    uint64_t TracedFrames() const;
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool Ready() const { return m_ready; }
    // A real output is open, or the device fell back to silence.
    bool Opened() const { return m_opened || m_silent; }
    // The SDL audio driver the mixer plays through ("pulseaudio", "alsa", "dummy", ...; "" when
    // no mixer is open, as in the silent fall-back).
    const char* DriverName() const;

    // Samples: decoded from a file image in memory (Ogg Vorbis or WAV). 0 when not ready or
    // the bytes do not decode. The name only labels the sample in the audio trace.
    AudioHandle LoadSample(const uint8_t* data, size_t size, int maxPlaybacks, const std::string& name = {});
    void FreeSample(AudioHandle sample);
    // A channel for the sample: a free one of its own, or the one that has played longest.
    // -1 when the sample is unknown.
    int GetChannel(AudioHandle sample);
    // Length of the decoded sample in milliseconds (0 when unknown).
    uint32_t SampleLengthMs(AudioHandle sample) const;
    // The decoded sample as the mixer plays it: interleaved 16-bit frames at OutputRate() with
    // OutputChannels() channels.
    std::vector<int16_t> DecodedFrames(AudioHandle sample) const;
    int OutputRate() const { return m_frequency; }
    int OutputChannels() const { return m_outChannels; }

    // Starts the sample on the channel from its beginning (restart, or when the channel is idle);
    // a channel already playing without restart is left alone. Only when samples are enabled.
    void PlayChannel(int channel, AudioHandle sample, bool loop, bool restart);
    void StopChannel(int channel);
    // Stops every playback of the sample.
    void StopSample(AudioHandle sample);
    bool ChannelPlaying(int channel) const;
    // Milliseconds the channel's current playback has played (0 when idle).
    uint32_t ChannelPlayedMs(int channel) const;
    void SetChannelVolume(int channel, int volume);  // 0..100
    void SetChannelPan(int channel, int pan);        // -100..100

    // Music modules (XM), loaded from memory and played once through.
    AudioHandle LoadMusic(const uint8_t* data, size_t size, const std::string& name = {});
    // Sets the module volume (music volume x 64 / 100 on the 0..64 scale) and plays; only when
    // music is enabled. Without restart a module that plays already carries on.
    void PlayMusic(AudioHandle music, bool restart);
    void StopMusic();
    void FreeMusic(AudioHandle music);
    bool IsActive(AudioHandle music) const;
    AudioHandle CurrentMusic() const { return m_currentMusic; }
    // Length of a module in milliseconds as the decoder reports it (0 when unknown).
    uint32_t MusicLengthMs(AudioHandle music) const;

    // Called once per game update (the mixer runs on its own; kept for the frame's contract).
    void Update() {}

    void SetSamplesEnabled(bool on) { m_samplesEnabled = on; }
    bool SamplesEnabled() const { return m_samplesEnabled; }
    void SetMusicEnabled(bool on) { m_musicEnabled = on; }
    bool MusicEnabled() const { return m_musicEnabled; }

    void SetSampleVolume(int volume);
    int SampleVolume() const { return m_sampleVolume; }
    // Clamped to 0..100 and applied at once to the current module.
    void SetMusicVolume(int volume);
    int MusicVolume() const { return m_musicVolume; }
    // The module volume on its 0..64 scale, as last applied.
    int ModuleVolume() const { return m_musicVolume * 64 / 100; }

private:
    AudioDevice() = default;
    bool Open();

    struct SampleRec;
    struct MusicRec;
    SampleRec* FindSample(AudioHandle h);
    const SampleRec* FindSample(AudioHandle h) const;
    MusicRec* FindMusic(AudioHandle h);
    const MusicRec* FindMusic(AudioHandle h) const;
    bool ValidChannel(int channel) const { return channel >= 0 && channel < m_channelCount; }

    bool m_ready = false;
    bool m_opened = false;        // the mixer is open on an output
    bool m_silent = false;        // no output could be opened: the silent fall-back
    bool m_driverKept = false;    // SDL audio is up without a mixer, shut down with the device
    bool m_samplesEnabled = true;
    bool m_musicEnabled = true;
    int m_sampleVolume = 100;
    int m_musicVolume = 100;
    int m_channelCount = 0;
    int m_frequency = 44100;
    int m_outChannels = 2;
    AudioHandle m_nextHandle = 1;
    AudioHandle m_currentMusic = 0;
    std::vector<std::unique_ptr<SampleRec>> m_samples;
    std::vector<std::unique_ptr<MusicRec>> m_music;
    std::vector<uint32_t> m_channelStart;  // SDL tick at which each channel last started
    std::unique_ptr<AudioTrace> m_trace;   // "GW_AUDIO_TRACE": what the mixer was asked, and when
};

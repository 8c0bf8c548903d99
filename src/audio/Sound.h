// Sound: one loaded sample of the game and the channel its current playback uses.
//
// CSoundManager owns every Sound (the sound table and the variants) and is the only caller.
// A Sound exists only while the device is ready: Load returns null when there is no device, the
// device is silent, or the file is missing or does not decode. Volume and pan go to the current
// channel; a new playback starts centred, so callers place a sound after they play it.
#pragma once

#include "audio/AudioDevice.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class Sound {
public:
    // Reads the file through the audio file source ("main" group) and loads it with one
    // playback at most; null on any failure (logged when the file is missing or broken).
    static std::unique_ptr<Sound> Load(const std::string& fileName);
    // The same from a file image in memory; the name labels it in the audio trace.
    static std::unique_ptr<Sound> LoadFromMemory(const uint8_t* data, size_t size, int maxPlaybacks = 1,
                                                 const std::string& name = {});

    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Plays on the current channel. A change of the loop flag stops the current playback and
    // takes a new channel, as does restart. A negative volume means the device's sample volume.
    void Play(bool restart, bool loop, int volume);
    // v clamped to 0..100 and scaled to 0..the device's sample volume.
    void SetVolume(int v);
    // p clamped to -100..100 (left..right).
    void SetPan(int p);
    bool IsPlaying() const;
    // Stops every playback of the sample.
    void StopAll();

    bool Loop() const { return m_loop; }
    int Pan() const { return m_pan; }
    // The volume last given to the channel, 0..100.
    int ChannelVolume() const { return m_channelVolume; }
    // Milliseconds the current playback has played (0 when idle).
    uint32_t PlayedMs() const;
    uint32_t LengthMs() const;

private:
    Sound(AudioHandle sample, int maxPlaybacks);
    void TakeChannel();

    AudioHandle m_sample = 0;
    int m_channel = -1;
    bool m_loop = false;
    int m_maxPlaybacks = 1;
    int m_pan = 0;
    int m_channelVolume = 100;
};

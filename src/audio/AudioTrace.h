// AudioTrace: an optional record of what the mixer was asked to do, stamped with the position in
// the output stream at which it takes effect.
//
// AudioDevice owns one when the environment variable "GW_AUDIO_TRACE" names a file at open. A
// count of the frames the mixer has put out is kept from the mixer's own thread; every line is
// stamped with that count, so a recording of the output (SDL's disk driver, for example) can be
// laid beside the trace frame by frame. Writing never fails the caller: a file that cannot be
// opened leaves the trace off, and lines are flushed as they are written so a killed game keeps
// them. Lines, one event each:
//   <frame> format <rate> <channels>
//   <frame> play <channel> <file>        a sample starts from its beginning on a channel
//   <frame> volume <channel> <0..100>    only when it changes
//   <frame> pan <channel> <-100..100>    only when it changes
//   <frame> stop <channel>
//   <frame> music <file>                 a module starts
//   <frame> music-stop
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class AudioTrace {
public:
    // The trace named by the environment, or null when none is asked for or the file cannot be
    // written.
    static std::unique_ptr<AudioTrace> FromEnvironment(int rate, int channels);
    // A trace into a file of the caller's choice (null when it cannot be created).
    static std::unique_ptr<AudioTrace> Open(const std::string& path, int rate, int channels);
    ~AudioTrace();
    AudioTrace(const AudioTrace&) = delete;
    AudioTrace& operator=(const AudioTrace&) = delete;

    // Called from the mixer's thread after each buffer it mixes (bytes of interleaved 16-bit
    // frames).
    void Mixed(int bytes);
    uint64_t Frames() const { return m_frames.load(); }

    void Play(int channel, const std::string& file);
    void Volume(int channel, int volume);
    void Pan(int channel, int pan);
    void Stop(int channel);
    void Music(const std::string& file);
    void MusicStop();

private:
    AudioTrace(std::FILE* f, int channels) : m_file(f), m_channels(channels) {}
    void Line(const char* fmt, ...);
    struct ChannelState {
        int volume = -1;
        int pan = 1000;
    };
    ChannelState& State(int channel);

    std::FILE* m_file;
    int m_channels;
    std::atomic<uint64_t> m_frames{0};
    std::vector<ChannelState> m_state;
};

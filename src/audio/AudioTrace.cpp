// The audio trace: mixer events stamped with the output frame at which they take effect.
#include "audio/AudioTrace.h"

#include "app/Log.h"

#include <cstdarg>
#include <cstdlib>

std::unique_ptr<AudioTrace> AudioTrace::FromEnvironment(int rate, int channels)
{
    const char* path = std::getenv("GW_AUDIO_TRACE");
    if (!path || !*path)
        return nullptr;
    auto trace = Open(path, rate, channels);
    if (!trace)
        LogWrite("AudioTrace: cannot write %s", path);
    return trace;
}

std::unique_ptr<AudioTrace> AudioTrace::Open(const std::string& path, int rate, int channels)
{
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f)
        return nullptr;
    std::unique_ptr<AudioTrace> trace(new AudioTrace(f, channels < 1 ? 1 : channels));
    trace->Line("format %d %d", rate, channels);
    return trace;
}

AudioTrace::~AudioTrace()
{
    std::fclose(m_file);
}

void AudioTrace::Mixed(int bytes)
{
    if (bytes > 0)
        m_frames += static_cast<uint64_t>(bytes) / 2u / static_cast<uint64_t>(m_channels);
}

void AudioTrace::Line(const char* fmt, ...)
{
    std::fprintf(m_file, "%llu ", static_cast<unsigned long long>(m_frames.load()));
    va_list args;
    va_start(args, fmt);
    std::vfprintf(m_file, fmt, args);
    va_end(args);
    std::fputc('\n', m_file);
    std::fflush(m_file);
}

AudioTrace::ChannelState& AudioTrace::State(int channel)
{
    const size_t i = channel < 0 ? 0 : static_cast<size_t>(channel);
    if (i >= m_state.size())
        m_state.resize(i + 1);
    return m_state[i];
}

void AudioTrace::Play(int channel, const std::string& file)
{
    Line("play %d %s", channel, file.empty() ? "-" : file.c_str());
}

void AudioTrace::Volume(int channel, int volume)
{
    ChannelState& s = State(channel);
    if (s.volume == volume)
        return;
    s.volume = volume;
    Line("volume %d %d", channel, volume);
}

void AudioTrace::Pan(int channel, int pan)
{
    ChannelState& s = State(channel);
    if (s.pan == pan)
        return;
    s.pan = pan;
    Line("pan %d %d", channel, pan);
}

void AudioTrace::Stop(int channel)
{
    Line("stop %d", channel);
}

void AudioTrace::Music(const std::string& file)
{
    Line("music %s", file.empty() ? "-" : file.c_str());
}

void AudioTrace::MusicStop()
{
    Line("music-stop");
}

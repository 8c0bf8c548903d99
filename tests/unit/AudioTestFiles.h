// Test support for the audio tests: WAV file images made in memory, a file source over them, and
// the silent "dummy" driver that the tests play through.
#pragma once

#include "audio/AudioFiles.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace audiotest {

// A mono 16-bit WAV image of a sine tone lasting ms milliseconds.
inline std::vector<uint8_t> SineWav(int ms, float hz = 440.0f, int rate = 22050)
{
    const uint32_t frames = uint32_t(int64_t(rate) * ms / 1000);
    std::vector<uint8_t> out;
    out.reserve(44 + frames * 2);
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { out.push_back(uint8_t(v)); out.push_back(uint8_t(v >> 8)); };
    auto tag = [&](const char* t) { for (int i = 0; i < 4; ++i) out.push_back(uint8_t(t[i])); };
    tag("RIFF");
    u32(36 + frames * 2);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(uint32_t(rate));
    u32(uint32_t(rate) * 2);
    u16(2);
    u16(16);
    tag("data");
    u32(frames * 2);
    for (uint32_t i = 0; i < frames; ++i)
        u16(uint16_t(int16_t(8000.0 * std::sin(6.283185307 * hz * i / rate))));
    return out;
}

// Installs a file source over the given files for the lifetime of the object; audio runs on
// the silent driver.
class FileSourceScope {
public:
    explicit FileSourceScope(std::map<std::string, std::vector<uint8_t>> files) : m_files(std::move(files))
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        SetAudioFileSource([this](const std::string& name) {
            ++m_reads[name];
            auto it = m_files.find(name);
            return it == m_files.end() ? std::vector<uint8_t>() : it->second;
        });
    }
    ~FileSourceScope() { SetAudioFileSource(nullptr); }
    int Reads(const std::string& name) const
    {
        auto it = m_reads.find(name);
        return it == m_reads.end() ? 0 : it->second;
    }

private:
    std::map<std::string, std::vector<uint8_t>> m_files;
    std::map<std::string, int> m_reads;
};

}  // namespace audiotest

// One sample and its current channel: play, loop switch, volume, pan, stop.
#include "audio/Sound.h"

#include "app/Log.h"
#include "audio/AudioFiles.h"

#include <algorithm>

std::unique_ptr<Sound> Sound::Load(const std::string& fileName)
{
    const AudioDevice* device = AudioDevice::Get();
    if (!device || !device->Ready())
        return nullptr;
    std::vector<uint8_t> bytes = ReadAudioFile(fileName);
    if (bytes.empty()) {
        LogWrite("Sound: \"%s\" not found", fileName.c_str());
        return nullptr;
    }
    std::unique_ptr<Sound> sound = LoadFromMemory(bytes.data(), bytes.size(), 1, fileName);
    if (!sound)
        LogWrite("Sound: \"%s\" could not be decoded", fileName.c_str());
    return sound;
}

std::unique_ptr<Sound> Sound::LoadFromMemory(const uint8_t* data, size_t size, int maxPlaybacks,
                                             const std::string& name)
{
    AudioDevice* device = AudioDevice::Get();
    if (!device || !device->Ready())
        return nullptr;
    maxPlaybacks = std::max(1, maxPlaybacks);
    const AudioHandle sample = device->LoadSample(data, size, maxPlaybacks, name);
    if (!sample)
        return nullptr;
    return std::unique_ptr<Sound>(new Sound(sample, maxPlaybacks));
}

Sound::Sound(AudioHandle sample, int maxPlaybacks) : m_sample(sample), m_maxPlaybacks(maxPlaybacks)
{
    if (m_maxPlaybacks == 1)
        TakeChannel();
}

Sound::~Sound()
{
    if (AudioDevice* device = AudioDevice::Get())
        device->FreeSample(m_sample);
}

void Sound::TakeChannel()
{
    AudioDevice* device = AudioDevice::Get();
    m_channel = device ? device->GetChannel(m_sample) : -1;
    m_pan = 0;
}

void Sound::Play(bool restart, bool loop, int volume)
{
    AudioDevice* device = AudioDevice::Get();
    if (!device)
        return;
    if (loop != m_loop) {
        m_loop = loop;
        device->StopChannel(m_channel);
        TakeChannel();
    }
    if (restart || m_channel < 0)
        TakeChannel();
    if (volume < 0)
        volume = device->SampleVolume();
    m_channelVolume = std::clamp(volume, 0, 100);
    device->SetChannelVolume(m_channel, m_channelVolume);
    device->PlayChannel(m_channel, m_sample, m_loop, restart);
}

void Sound::SetVolume(int v)
{
    AudioDevice* device = AudioDevice::Get();
    if (!device)
        return;
    v = std::clamp(v, 0, 100);
    m_channelVolume = v * device->SampleVolume() / 100;
    device->SetChannelVolume(m_channel, m_channelVolume);
}

void Sound::SetPan(int p)
{
    AudioDevice* device = AudioDevice::Get();
    if (!device)
        return;
    m_pan = std::clamp(p, -100, 100);
    device->SetChannelPan(m_channel, m_pan);
}

bool Sound::IsPlaying() const
{
    const AudioDevice* device = AudioDevice::Get();
    return device && device->ChannelPlaying(m_channel);
}

void Sound::StopAll()
{
    AudioDevice* device = AudioDevice::Get();
    if (!device)
        return;
    device->StopSample(m_sample);
}

uint32_t Sound::PlayedMs() const
{
    const AudioDevice* device = AudioDevice::Get();
    return device ? device->ChannelPlayedMs(m_channel) : 0;
}

uint32_t Sound::LengthMs() const
{
    const AudioDevice* device = AudioDevice::Get();
    return device ? device->SampleLengthMs(m_sample) : 0;
}

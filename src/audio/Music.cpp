// The menu music: tracks in order, the next one when the current has ended.
#include "audio/Music.h"

#include "app/Log.h"
#include "audio/AudioFiles.h"

namespace NAudio {

Music::~Music()
{
    FreeCurrent();
}

Music::Music(Music&& other) noexcept
    : m_tracks(std::move(other.m_tracks)), m_index(other.m_index), m_playing(other.m_playing), m_current(other.m_current)
{
    other.m_tracks.clear();
    other.m_index = -1;
    other.m_playing = false;
    other.m_current = 0;
}

Music& Music::operator=(Music&& other) noexcept
{
    if (this != &other) {
        FreeCurrent();
        m_tracks = std::move(other.m_tracks);
        m_index = other.m_index;
        m_playing = other.m_playing;
        m_current = other.m_current;
        other.m_tracks.clear();
        other.m_index = -1;
        other.m_playing = false;
        other.m_current = 0;
    }
    return *this;
}

void Music::AddTrack(const std::string& fileName)
{
    m_tracks.push_back(fileName);
}

void Music::FreeCurrent()
{
    if (m_current == 0)
        return;
    if (AudioDevice* device = AudioDevice::Get()) {
        if (device->CurrentMusic() == m_current)
            device->StopMusic();
        device->FreeMusic(m_current);
    }
    m_current = 0;
}

void Music::PlayNext()
{
    AudioDevice* device = AudioDevice::Get();
    if (!device || !device->Ready() || !device->MusicEnabled() || m_tracks.empty())
        return;
    FreeCurrent();
    m_playing = true;
    const int count = static_cast<int>(m_tracks.size());
    // Each track is tried once at most; a broken one is passed over.
    for (int tries = 0; tries < count; ++tries) {
        m_index = (m_index + 1) % count;
        const std::string& name = m_tracks[static_cast<size_t>(m_index)];
        std::vector<uint8_t> bytes = ReadAudioFile(name);
        m_current = bytes.empty() ? 0 : device->LoadMusic(bytes.data(), bytes.size(), name);
        if (m_current) {
            device->PlayMusic(m_current, true);
            return;
        }
        LogWrite("Music: \"%s\" could not be loaded", name.c_str());
    }
    LogWrite("Music: no track could be played");
    m_playing = false;
}

void Music::Stop()
{
    const AudioDevice* device = AudioDevice::Get();
    if (!device || !device->Ready())
        return;
    m_playing = false;
    FreeCurrent();
}

void Music::Update()
{
    if (m_playing && !IsActive())
        PlayNext();
}

bool Music::IsActive() const
{
    const AudioDevice* device = AudioDevice::Get();
    return device && device->IsActive(m_current);
}

}  // namespace NAudio

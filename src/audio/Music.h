// NAudio::Music: the menu music, a list of tracker modules played one after the other.
//
// The one Music object belongs to the settings record and holds "sounds/track1.xm" then
// "sounds/track2.xm". The main menu starts it (PlayNext) when it becomes active and calls Update
// every frame, so that when a track ends the next one starts, wrapping to the first; it stops
// the music when a game starts or the player switches music off. Nothing happens without a ready
// audio device. A track that cannot be read or decoded is skipped; when none of them loads the
// music stops (logged once) instead of retrying every frame.
#pragma once

#include "audio/AudioDevice.h"

#include <string>
#include <vector>

namespace NAudio {

class Music {
public:
    Music() = default;
    ~Music();
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;
    // Moving hands the track list and the playing module over; the source is left empty.
    Music(Music&& other) noexcept;
    Music& operator=(Music&& other) noexcept;

    void AddTrack(const std::string& fileName);
    // The next track (the first at the first call), wrapping past the end.
    void PlayNext();
    void Stop();
    // When playing and the current track has ended: the next one.
    void Update();
    bool IsActive() const;

    bool Playing() const { return m_playing; }
    int CurrentIndex() const { return m_index; }
    const std::vector<std::string>& Tracks() const { return m_tracks; }

private:
    void FreeCurrent();

    std::vector<std::string> m_tracks;
    int m_index = -1;
    bool m_playing = false;
    AudioHandle m_current = 0;
};

}  // namespace NAudio

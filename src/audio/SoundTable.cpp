// The sound table in load order and the start-up loading of sounds and music.
#include "audio/SoundTable.h"

#include "audio/Music.h"
#include "audio/SoundManager.h"

namespace {

// Id 16 is in both maps: Play uses "sounds/s15.ogg" (the helicopter's engine), StartLoop the
// "sounds/s71.ogg" variants (enemy missiles in flight).
constexpr SoundTableEntry kTable[] = {
    {0, "sounds/s1.ogg", 1, false},
    {12, "sounds/s11.ogg", 1, false},
    {13, "sounds/s12.ogg", 1, false},
    {14, "sounds/s13.ogg", 1, false},
    {15, "sounds/s14.ogg", 1, false},
    {16, "sounds/s15.ogg", 1, false},
    {17, "sounds/s17.ogg", 1, false},
    {1, "sounds/s6.ogg", 3, true},
    {2, "sounds/s61.ogg", 1, false},
    {62, "sounds/s62.ogg", 1, false},
    {3, "sounds/s41.ogg", 1, false},
    {31, "sounds/s411.ogg", 1, true},
    {32, "sounds/s412.ogg", 1, true},
    {33, "sounds/s413.ogg", 1, true},
    {80, "sounds/s30.ogg", 3, true},
    {81, "sounds/s31.ogg", 3, true},
    {82, "sounds/s32.ogg", 3, true},
    {83, "sounds/s33.ogg", 3, true},
    {4, "sounds/s42.ogg", 1, false},
    {90, "sounds/s20.ogg", 3, true},
    {91, "sounds/s21.ogg", 3, true},
    {92, "sounds/s22.ogg", 3, true},
    {93, "sounds/s23.ogg", 3, true},
    {5, "sounds/s43.ogg", 1, false},
    {6, "sounds/s44.ogg", 1, false},
    {7, "sounds/s45.ogg", 1, false},
    {10, "sounds/s7.ogg", 2, true},
    {16, "sounds/s71.ogg", 3, true},
    {11, "sounds/s8.ogg", 1, false},
};

constexpr const char* kTracks[] = {"sounds/track1.xm", "sounds/track2.xm"};

}  // namespace

std::span<const SoundTableEntry> GameSoundTable()
{
    return kTable;
}

std::span<const char* const> GameMusicTracks()
{
    return kTracks;
}

void LoadGameAudio(CSoundManager& sounds, NAudio::Music& music, bool soundOn)
{
    for (const SoundTableEntry& e : kTable) {
        if (!e.variant) {
            sounds.AddSound(e.file, e.id);
            continue;
        }
        for (int i = 0; i < e.copies; ++i)
            sounds.AddVariant(e.file, e.id);
    }
    sounds.SetSamplesEnabled(soundOn);
    if (music.Tracks().empty())
        for (const char* track : kTracks)
            music.AddTrack(track);
    if (AudioDevice* device = sounds.Device())
        device->SetMusicVolume(80);
}

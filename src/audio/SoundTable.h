// The game's sound table: which file is loaded under which id, in the order the game loads them,
// and the menu music tracks.
//
// The entry point calls LoadGameAudio once after CSoundManager::Initialize; the forge reads the
// same table to know which sound files it has to make.
#pragma once

#include <span>

class CSoundManager;
namespace NAudio {
class Music;
}

struct SoundTableEntry {
    int id;
    const char* file;
    int copies;    // variants: how many times the file is loaded under id
    bool variant;  // false: the one sound of id
};

std::span<const SoundTableEntry> GameSoundTable();
std::span<const char* const> GameMusicTracks();

// The start-up loading: the sounds and variants of the table in its order, then the sound switch
// ("m_sound"), then the music tracks, then the music volume (80).
void LoadGameAudio(CSoundManager& sounds, NAudio::Music& music, bool soundOn);

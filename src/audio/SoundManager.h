// CSoundManager: the game's one sound manager. Holds every sound effect under a small integer id,
// plays them, places them beside the listener by pan and volume, and keeps looping sounds (engines,
// missiles in flight) alive only while their owners keep asking for them.
//
// The entry point creates the manager before anything else of audio and destroys it at the end;
// Initialize creates the AudioDevice it owns. Game objects reach it through Instance() (null
// before the entry point made it, so tests and tools run without one). Every call is safe on a
// silent or missing device: nothing loads, nothing plays, ids without a sound are ignored.
//
// Live loops: an owner (any key unique to it: its effect id or its address) calls StartLoop with
// a countdown every update while it should be heard, and PlaceLoop to place it. Update counts
// every loop down once; a loop that reaches 0 stops, so a sound fades out an update or two after
// its owner stops asking. A loop takes the first variant of its id that is free, so an id with
// three variants is heard from at most three owners at once.
#pragma once

#include "app/Vec3.h"
#include "audio/AudioDevice.h"
#include "audio/Sound.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>

// Pan (-100 left .. 100 right) and volume (0..100) of a source heard from the listener: x is the
// lateral axis, full volume at the listener, silent from a fifth of the range on.
struct SoundPlacement {
    int pan = 0;
    int volume = 0;
};
SoundPlacement ComputePlacement(const Vec3& listener, const Vec3& source, float range, bool invertStereo);

class CSoundManager {
public:
    CSoundManager();
    ~CSoundManager();
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    // The manager the entry point made, or null.
    static CSoundManager* Instance();

    // Creates the audio device. True when a mixer is open, also on the silent fall-back when
    // there is no sound output (Ready() then tells that nothing loads or plays); false only when
    // not even the silent driver could be opened.
    bool Initialize();
    bool Ready() const { return m_device && m_device->Ready(); }
    AudioDevice* Device() const { return m_device.get(); }

    // Loads a file through group "main" and keeps it under id (replacing the one stored there).
    void AddSound(const std::string& file, int id);
    // Loads a file and adds it as one more variant of id (for loops several owners play at once).
    void AddVariant(const std::string& file, int id);

    // Plays sound id from its start when force is set or it is not playing now.
    void Play(int id, bool force, bool loop);
    // Pan and volume of sound id for a source at source heard at listener; does not start it.
    void PlaceAt(const Vec3& listener, const Vec3& source, int id, float range);
    void StartLoop(uint64_t owner, int id, int countdown);
    void PlaceLoop(const Vec3& listener, const Vec3& source, uint64_t owner, int id, float range);
    // v clamped to 0..100, given to sound id.
    void SetVolume(int id, int v);

    // Invert stereo: the one setting (settings key "m_sound_invert", the options dialog's
    // check box); it swaps the sides in placement.
    void SetInvertStereo(bool invert) { m_invertStereo = invert; }
    bool InvertStereo() const { return m_invertStereo; }

    // The sound switch ("m_sound", the options dialog): off stops new effects from starting and
    // leaves music alone. Kept here before the device exists and handed to it at Initialize.
    void SetSamplesEnabled(bool on);
    bool SamplesEnabled() const { return m_samplesEnabled; }
    // The manager's own switch, on from creation: off ignores Play and StartLoop.
    void SetEnabled(bool on) { m_enabled = on; }
    bool Enabled() const { return m_enabled; }

    // Stops every sound and variant and forgets the live loops (level end, pause).
    void StopAll();
    // Once per game update: the device, then the live-loop countdown.
    void Update();

    // Queries for callers and tests.
    Sound* GetSound(int id) const;
    int VariantCount(int id) const;
    Sound* LoopSound(uint64_t owner, int id) const;
    size_t LiveLoopCount() const { return m_loops.size(); }

private:
    struct LiveLoop {
        uint64_t owner = 0;
        int id = 0;
        int countdown = 0;
        Sound* sound = nullptr;
    };
    LiveLoop* FindLoop(uint64_t owner, int id);
    const LiveLoop* FindLoop(uint64_t owner, int id) const;
    bool HeldByLoop(const Sound* sound) const;
    void Place(Sound* sound, const Vec3& listener, const Vec3& source, float range);

    bool m_enabled = true;
    bool m_invertStereo = false;
    bool m_samplesEnabled = true;
    // Sounds die before the device they were loaded on.
    std::unique_ptr<AudioDevice> m_device;
    std::map<int, std::unique_ptr<Sound>> m_sounds;
    std::multimap<int, std::unique_ptr<Sound>> m_variants;
    std::list<LiveLoop> m_loops;
};

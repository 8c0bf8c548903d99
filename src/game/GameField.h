// CGameField: the world of one running game — the level, the player's aircraft, the missiles,
// the battle effects, the camera and the HUD — rebuilt in a fixed order at every level start.
//
// Owned by CGame (one per game). CGame calls NewLevel for every start (a restart after a lost
// life takes one life), Update every frame while playing, Draw every frame, and reads the
// player's end (finished or dead), the lives and the level time. NewLevel ends with the autosave
// of the controls (and, with autosave on, the game state) to "data/save.sav". Built without
// graphics (tests, tools) the level loads no textures and nothing touches GL until Draw; with
// graphics every kind of drawing of the flight is sent once, unseen, before the flight starts
// (PrewarmOnce, called by the begin-level screen and at Take Off).
//
// A level that cannot be loaded still gives a field: an empty level is flown over until the fuel
// runs out, and each step of NewLevel writes its log line only once its object exists.
#pragma once

#include "game/GameHud.h"
#include "player/GameCamera.h"

#include <cstdint>
#include <functional>
#include <memory>

class CAtmosphericCtpl;
class CBitmapText;
class CLevel;
class CMissleCtrl;
class CPlayer;
class GameData;
class InputDevices;
class LevelFlightWorld;
class ParamFile;

class CGameField {
public:
    static constexpr int kStartLives = 3;

    // input: the devices the player and the camera key read (AppWindow's when null).
    CGameField(GameData* game, const CBitmapText* font, InputDevices* input = nullptr, bool graphics = true);
    ~CGameField();
    CGameField(const CGameField&) = delete;
    CGameField& operator=(const CGameField&) = delete;

    void NewLevel(int level);
    void Update(float dt);
    void Draw();
    // A whole frame in the window: its perspective, the clear in the level's sky colour (black
    // without a level), then Draw. The game screen and the attract demonstration draw through it.
    void DrawFrame();
    void SelectAircraft(int aircraft);
    // With graphics: every kind of drawing the flight can ask for, sent once through an empty
    // scissor box, so that a software GL compiles its shader variants before the flight instead
    // of in the middle of it. Leaves the back buffer and every GL state as they were
    // (GameFieldPrewarm.cpp).
    void PrewarmDraws();
    // PrewarmDraws the first time after NewLevel, nothing after. NewLevel leaves it out so that
    // the begin-level screen shows sooner: that screen calls it on its second frame (its first
    // is on screen by then), and Take Off and the attract demonstration call it before the
    // flight's first frame in case it has not run yet.
    void PrewarmOnce();
    bool Prewarmed() const { return m_prewarmed; }
    void ReleaseLevel();

    // The game state keys of the saved game ("gf_..."), and reading them back.
    void SaveState(ParamFile& tree) const;
    void LoadState(const ParamFile& tree);

    bool PlayerFinished() const;
    bool PlayerDead() const;
    bool Ended() const { return m_ended != 0; }
    int Lives() const { return m_lives; }
    void SetLives(int lives) { m_lives = lives; }
    int Level() const { return m_level; }
    int LevelSeconds() const { return m_level_seconds; }
    int CameraIndex() const { return m_camera_index; }
    float CameraKeyDelay() const { return m_camera_key_delay; }
    int LivesAtLevelBegin() const { return m_lives_at_level_begin; }

    CPlayer* Player() const { return m_player.get(); }
    CLevel* World() const { return m_world.get(); }
    CGameHud& Hud() { return *m_hud; }
    const CGameHud& Hud() const { return *m_hud; }
    CGameCamera& Camera() { return m_camera; }
    CMissleCtrl* Missiles() const { return m_missiles.get(); }
    CAtmosphericCtpl* Atmosphere() const { return m_atmosphere.get(); }
    GameData* Game() const { return m_game; }

    // Tests and tools: the clock of the level time (milliseconds), and whether NewLevel writes
    // "data/save.sav" and the score tables (on by default).
    void SetClock(std::function<uint32_t()> clock) { m_clock = std::move(clock); }
    void SetWriteSaveFile(bool write) { m_write_save = write; }

private:
    InputDevices* Input() const;
    void DrawCrosshair() const;

    GameData* m_game;
    std::unique_ptr<CPlayer> m_player;
    std::unique_ptr<CGameHud> m_hud;
    uint8_t m_ended = 0;
    int32_t m_level = 1;
    uint32_t m_level_start_ms = 0;
    int32_t m_level_seconds = 0;
    int32_t m_lives = kStartLives;
    int32_t m_lives_at_level_begin = kStartLives;
    std::unique_ptr<CLevel> m_world;
    std::unique_ptr<CMissleCtrl> m_missiles;
    std::unique_ptr<CAtmosphericCtpl> m_atmosphere;
    std::unique_ptr<LevelFlightWorld> m_flight;
    CGameCamera m_camera;
    float m_frame_time = -1.0f;
    int32_t m_camera_index = 7;
    float m_camera_key_delay = 300.0f;

    InputDevices* m_input;
    bool m_graphics;
    bool m_prewarmed = false;
    bool m_write_save = true;
    std::function<uint32_t()> m_clock;
};

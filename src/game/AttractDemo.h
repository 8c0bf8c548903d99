// CAttractDemo: the attract mode's demonstration — the autopilot and its gunner fly a base level
// with its enemies, the HUD shows and a line says "DEMO - press any key" — and the snapshot of
// the game record that is put back when it ends.
//
// The main menu creates one after it has stood idle, pushes it as a screen and deletes it when the
// screen has closed. Any key, mouse button or joystick button, the end of the flight or 60 seconds
// close it (Finish). The demonstration must leave no trace: its field writes no save and no score
// tables, the game record's scores, counters, level set and everything a level start changes are
// taken before it starts and put back when it finishes, and a level that a held game still shows
// keeps its textures (its resource bank is set aside while the demonstration's level has its own).
// Built without graphics (tests) nothing touches GL until Draw.
#pragma once

#include "app/CScreen.h"
#include "game/GameData.h"
#include "input/InputDevices.h"

#include <cstdint>
#include <memory>
#include <string>

class Autopilot;
class CBitmapText;
class CGameField;
class CTexture;
class Gunner;

// What a level start and a flight change in the game record, taken and put back as one.
struct GameRecordState {
    float planePosY = 0.0f;
    std::string levelsPackName;
    int32_t levelsCount = 0;
    int32_t customGame = 0;
    int32_t customLevelNum = 1;
    int32_t cameraPos = 7;
    int32_t killCounts[GameData::kKillCounters] = {};
    int32_t scoreGame = 0;
    int32_t scoreLevel = 0;
    CTexture* cloudsTexture = nullptr;
    CTexture* cloudsNoiseTexture = nullptr;
    int hintsShown = 0;  // the help overlay's count of games

    static GameRecordState Take(const GameData& game);
    void Restore(GameData& game) const;
};

class CAttractDemo : public CScreen {
public:
    static constexpr float kDemoMs = 60000.0f;
    static constexpr const char* kLine = "DEMO - press any key";

    // Flies level (of the base set) with aircraft (0..2). font: the HUD's and the line's (may be
    // null); graphics: false builds the level without GL (tests).
    CAttractDemo(GameData* game, const CBitmapText* font, int level, int aircraft, bool graphics = true);
    ~CAttractDemo() override;

    void Update(float elapsedMs) override;
    void Draw() override;
    void OnKeyDown(int virtualKey) override;
    bool OnLButtonDown(int x, int y, unsigned flags) override;
    bool OnRButtonUp(int x, int y, unsigned flags) override;
    // Alt+F4 while it flies: it ends, and the menu below carries out the close once it is back.
    void OnCloseRequest() override;
    bool CloseRequested() const { return m_close_requested; }

    // Ends the demonstration: the world goes, the game record is put back, the screen closes.
    void Finish();
    bool Finished() const { return m_finished; }
    float ElapsedMs() const { return m_elapsed_ms; }
    int Level() const { return m_level; }
    CGameField* Field() const { return m_field.get(); }
    // The devices the autopilot steers through (never the player's).
    InputDevices& PilotInput() { return m_pilot_input; }

private:
    bool AnyJoystickButton();

    GameData* m_game;
    const CBitmapText* m_font;
    GameRecordState m_saved;
    bool m_bank_set_aside = false;
    bool m_set_switched = false;
    InputDevices m_pilot_input;
    std::unique_ptr<CGameField> m_field;
    std::unique_ptr<Autopilot> m_pilot;
    std::unique_ptr<Gunner> m_gunner;
    int m_level = 1;
    float m_elapsed_ms = 0.0f;
    bool m_finished = false;
    bool m_close_requested = false;
    bool m_joy_was_down = true;  // a button held when the demonstration began does not end it
};

// CGame: the screen that runs one game — level starts through the begin-level screen, the world
// advanced every frame, level ends with the tally screen, lives, game over and the last level.
// CCustomGame plays one chosen level of a level set and pays for its time.
//
// The main menu's game dialog creates the screen (through the menus' start hook), the main menu
// pushes it, keeps it while the menu shows again (so that "continue" resumes it) and deletes it.
// The game owns its CGameField and the level screen it shows; the layout holder (fonts, button
// looks, positions) is borrowed from the main menu and may be absent (tests: an empty layout).
// The screen ends with result 0 (game over, or the quit key) or 1 (back to the menu from the
// begin-level screen, or the last level done); IsOver tells the menu that the game has ended and
// its final score is to be entered.
#pragma once

#include "game/AGame.h"

#include <cstdint>
#include <memory>

class CBeginLevelScreen;
class CCompleteLevelScreen;
class CGameField;
class GameData;
class CMenuLayout;
class InputDevices;

class CGame : public CAGame {
public:
    enum Phase { StartLevel = 0, Playing = 1, LevelComplete = 2 };

    // layout: the menus' layout holder (may be null); input: AppWindow's devices when null;
    // graphics: false builds levels without GL (tests).
    CGame(GameData* game, CMenuLayout* layout, InputDevices* input = nullptr, bool graphics = true);
    ~CGame() override;

    void Update(float elapsedMs) override;
    void Draw() override;
    void Activate() override;
    void OnKeyDown(int virtualKey) override;
    bool OnLButtonUp(int x, int y, unsigned flags) override;
    bool OnRButtonUp(int x, int y, unsigned flags) override;
    void OnDialogClosed(int result, CDialogScreen* dialog) override;
    void OnCloseRequest() override;

    void SaveState(ParamFile& tree) const override;
    void LoadState(const ParamFile& tree) override;
    int FinalScore() const override { return m_final_score; }
    int CurrentLevel() const override;
    void ReleaseLevel() override;

    // The main menu's options dialog closed while the game waited: what the game shows of the
    // settings is built again from them (the help hint's key names).
    void OptionsChanged();
    // The display switched between full screen and window: a mouse the game holds is caught in
    // the window's new rectangle and centred in it.
    void DisplayChanged();

    virtual bool IsCustom() const { return false; }
    // The game has ended (lost or won) rather than been left with the quit key.
    bool IsOver() const { return m_over; }
    bool HasEnded() const { return m_screen_ended; }
    int GetPhase() const { return m_phase; }
    int Aircraft() const { return m_aircraft; }
    float FreezeTime() const { return m_freeze_time; }
    bool LevelEnded() const { return m_level_ended != 0; }
    CGameField& Field() { return *m_field; }
    CBeginLevelScreen* BeginScreen() const { return m_begin.get(); }
    CCompleteLevelScreen* CompleteScreen() const { return m_complete.get(); }

protected:
    // The level of the first start.
    virtual int FirstLevel() const { return 1; }
    void End(int result);
    InputDevices* Input() const;
    void StartEngine();
    void CaptureMouse();
    void ReleaseMouse();

    uint8_t m_level_ended = 0;
    GameData* m_game;
    float m_freeze_time = 0;
    int32_t m_final_score = 0;
    std::unique_ptr<CGameField> m_field;
    int32_t m_phase = StartLevel;
    std::unique_ptr<CBeginLevelScreen> m_begin;
    std::unique_ptr<CCompleteLevelScreen> m_complete;
    int32_t m_aircraft = 0;

    CMenuLayout* m_layout;
    std::unique_ptr<CMenuLayout> m_own_layout;
    InputDevices* m_input;
    bool m_started = false;
    bool m_over = false;
    bool m_screen_ended = false;
};

class CCustomGame : public CGame {
public:
    CCustomGame(GameData* game, CMenuLayout* layout, int customLevel, InputDevices* input = nullptr,
                bool graphics = true);
    bool IsCustom() const override { return true; }
    int CustomLevel() const { return m_custom_level; }

protected:
    int FirstLevel() const override { return m_custom_level; }

private:
    int32_t m_custom_level;
};

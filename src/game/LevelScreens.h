// CBeginLevelScreen and CCompleteLevelScreen: the two modal screens of a running game — the
// aircraft choice before every level start and the tally after a finished level.
//
// CGame creates each anew when it is needed, sizes it to the 800 x 600 layout, pushes it on the
// dialog stack and deletes it in OnDialogClosed. The layout holder of the menus gives the button
// looks, positions, backgrounds and the font; with an empty layout the screens still work (no
// pictures). The tally's lines are built by TallyLines, so they can be checked without GL.
#pragma once

#include "ui/CControl.h"
#include "ui/MenuDialog.h"

#include <string>
#include <vector>

class CGameField;
class CSimpleButton;
class GameData;
class InputDevices;

class CBeginLevelScreen : public NInterface::CMenuDialog {
public:
    // aircraft: the one chosen last, kept when the player just presses fire.
    CBeginLevelScreen(CGameField* field, int aircraft, CMenuLayout& layout, InputDevices* input);
    ~CBeginLevelScreen() override;

    void Update(float elapsedMs) override;
    void Draw() override;
    void OnKeyDown(int virtualKey) override;
    void OnControlEvent(CControl* control) override;

    int Choice() const { return m_choice; }
    CSimpleButton* AircraftButton(int i) const { return m_select[i]; }
    CSimpleButton* MainMenuButton() const { return m_main_menu; }

private:
    InputDevices* Input() const;

    CGameField* m_field;
    GameData* m_game;
    CSimpleButton* m_select[3] = {};
    CSimpleButton* m_main_menu = nullptr;
    float m_preview_x[3] = {}, m_preview_y[3] = {};
    int m_choice;
    InputDevices* m_input;
    // Fire starts the level only once it has been seen released on this screen: a button still
    // held from the click that opened it does not skip the choice.
    bool m_fire_armed = false;
    bool m_closing = false;
    int m_frames_drawn = 0;
};

class CCompleteLevelScreen : public NInterface::CMenuDialog {
public:
    // Applies the custom game's time cost to the game total.
    CCompleteLevelScreen(CGameField* field, CMenuLayout& layout);
    ~CCompleteLevelScreen() override;

    void Draw() override;
    void OnControlEvent(CControl* control) override;

    CSimpleButton* ContinueButton() const { return m_continue; }
    // The tally: four kill rows, the separator, the level total (and the time line in a custom
    // game), the game total.
    static std::vector<std::string> TallyLines(const GameData& game, int levelSeconds);

private:
    CGameField* m_field;
    GameData* m_game;
    CSimpleButton* m_continue = nullptr;
};

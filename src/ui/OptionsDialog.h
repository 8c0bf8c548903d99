// COptionsDialog: autosave, sound, stereo inversion, the attract mode, the eight keyboard and three joystick
// bindings, and the mouse sensitivity.
//
// Check boxes and the mouse sensitivity take effect at once (the settings record, the sound
// manager, the game record); the key readers are applied to the bindings only by the close button
// — Escape (result 1) and Enter (result 0) leave the bindings as they were. Created by the main
// menu, which deletes it when it closes and lets a running game re-read the options.
#pragma once

#include "ui/MenuDialog.h"

class CKeyReader;
class CSimpleCheckBox;
class CTrackBar;
class GameData;
struct AppConfig;
class CSoundManager;

namespace NInterface {

class COptionsDialog : public CMenuDialog {
public:
    static constexpr int kKeyCount = 8;
    static constexpr int kJoyCount = 3;
    static constexpr float kMouseMin = 0.3f, kMouseMax = 4.0f, kTrackLength = 215.0f;

    // The records it edits; sound may be null (no sound manager).
    COptionsDialog(CMenuLayout& layout, AppConfig& config, GameData& game, CSoundManager* sound);

    void Draw() override;
    void OnKeyDown(int virtualKey) override;
    void OnControlEvent(CControl* control) override;

    CSimpleButton* CloseButton() const { return m_close; }
    CSimpleCheckBox* AutosaveBox() const { return m_autosave; }
    CSimpleCheckBox* SoundBox() const { return m_sound; }
    CSimpleCheckBox* InvertBox() const { return m_invert; }
    CSimpleCheckBox* AttractBox() const { return m_attract; }
    CKeyReader* KeyReader(int i) const { return m_keys[i]; }
    CKeyReader* JoyReader(int i) const { return m_joys[i]; }
    CTrackBar* MouseBar() const { return m_mouse; }

private:
    void ApplyBindings();

    AppConfig& m_config;
    GameData& m_game;
    CSoundManager* m_sound_manager;
    CSimpleButton* m_close;
    CSimpleCheckBox* m_autosave;
    CSimpleCheckBox* m_sound;
    CSimpleCheckBox* m_invert;
    CSimpleCheckBox* m_attract;
    CKeyReader* m_keys[kKeyCount];
    CKeyReader* m_joys[kJoyCount];
    CTrackBar* m_mouse;
};

} // namespace NInterface

// CCustomGameDlg: asks for the level number of a custom game (1 to the level count of the set).
//
// The edit takes two digits at most and refuses any that would leave the range; it starts focused
// with the custom level kept in the game parameters (or 1 when that exceeds the count). OK or
// Enter stores the number as the chosen level and closes with 0 — unless the edit holds no valid
// number (empty), in which case the dialog stays open; cancel or Escape closes with 1. Created and
// deleted by the game dialog.
#pragma once

#include "ui/MenuDialog.h"

class CSimpleEdit;

namespace NInterface {

class CCustomGameDlg : public CMenuDialog {
public:
    CCustomGameDlg(CMenuLayout& layout, int levelCount, int customLevel);

    int ChosenLevel() const { return m_level; }
    int LevelCount() const { return m_level_count; }

    void Draw() override;
    void OnKeyDown(int virtualKey) override;
    void OnControlEvent(CControl* control) override;

    CSimpleButton* OkButton() const { return m_ok; }
    CSimpleButton* CancelButton() const { return m_cancel; }
    CSimpleEdit* Edit() const { return m_edit; }

private:
    // Takes the edit's number; false when it is outside 1..count.
    bool Accept();

    CSimpleButton* m_ok;
    CSimpleButton* m_cancel;
    CSimpleEdit* m_edit;
    int m_level_count;
    int m_level = 1;
};

} // namespace NInterface

// CHelpDialog: the help text "mui/help.txt" in a scrolling window with up, down and close.
//
// The text is read through the group "main" when the dialog is made and wrapped to 520 pixels at
// size 18, 18 lines shown, scrolled two lines a step. A missing file shows an empty window. Created
// by the main menu and deleted by it when it closes (always with result 0 from close).
#pragma once

#include "render/ScrollingText.h"
#include "ui/MenuDialog.h"

class ResourceGroup;

namespace NInterface {

class CHelpDialog : public CMenuDialog {
public:
    static constexpr const char* kHelpFile = "mui/help.txt";
    // The text's place in the dialog and its wrap width: lines reach x 570 at most, which the
    // layout keeps clear of the scroll buttons.
    static constexpr float kTextX = 50.0f, kTextY = 90.0f, kWrapWidth = 520.0f;

    CHelpDialog(CMenuLayout& layout, const ResourceGroup* group);
    void Draw() override;
    void OnControlEvent(CControl* control) override;

    const CScrollingText& Text() const { return m_text; }
    CSimpleButton* CloseButton() const { return m_close; }
    CSimpleButton* UpButton() const { return m_up; }
    CSimpleButton* DownButton() const { return m_down; }

private:
    CScrollingText m_text;
    CSimpleButton* m_close;
    CSimpleButton* m_up;
    CSimpleButton* m_down;
};

} // namespace NInterface

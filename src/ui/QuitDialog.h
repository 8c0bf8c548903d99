// CQuitDalog and CNewGameDlg: the two yes/no questions of the menus ("Do you really want to
// exit?" from the main menu, "Start New Game?" from the game dialog). OK closes with 0, cancel
// with 1; Escape and Enter as in every dialog. Created and deleted by their opener.
#pragma once

#include "ui/MenuDialog.h"

namespace NInterface {

class CQuitDalog : public CMenuDialog {
public:
    explicit CQuitDalog(CMenuLayout& layout);
    void Draw() override;
    void OnControlEvent(CControl* control) override;

    CSimpleButton* OkButton() const { return m_ok; }
    CSimpleButton* CancelButton() const { return m_cancel; }

private:
    CSimpleButton* m_ok;
    CSimpleButton* m_cancel;
};

class CNewGameDlg : public CMenuDialog {
public:
    explicit CNewGameDlg(CMenuLayout& layout);
    void Draw() override;
    void OnControlEvent(CControl* control) override;

    CSimpleButton* OkButton() const { return m_ok; }
    CSimpleButton* CancelButton() const { return m_cancel; }

private:
    CSimpleButton* m_ok;
    CSimpleButton* m_cancel;
};

} // namespace NInterface

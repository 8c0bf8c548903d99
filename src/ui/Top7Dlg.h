// CTop7Dlg: the two "Top 7" tables (normal and custom games) over the whole virtual screen, with
// buttons to switch between them and to clear the one shown.
//
// The main menu opens it from its high-score button and deletes it when told it closed. Right
// after a switch the buttons are ignored for a while (the delay drops by 30 at every draw), so
// that one press is not taken twice. Clearing asks first through a CTextDlg owned by this dialog;
// a confirmed clear empties the shown table and writes its file at once (a file that cannot be
// written is a log line, the table is still empty in memory). Closing ends with result 0;
// Escape with 1. The rows stand above the buttons: a table longer than seven rows (a file written
// by hand) closes its rows up rather than running into them.
#pragma once

#include "ui/MenuDialog.h"

#include <memory>
#include <string>

class CScoreTable;

namespace NInterface {

class CTextDlg;

class CTop7Dlg : public CMenuDialog {
public:
    static constexpr float kSwitchDelay = 1000.0f;
    static constexpr float kDelayPerDraw = 30.0f;

    // tables: the normal (0) and custom (1) tables; files: where each is kept (empty: not
    // written); shown: the table shown first.
    CTop7Dlg(CMenuLayout& layout, CScoreTable* tables[2], const std::string files[2], int shown = 0);
    ~CTop7Dlg() override;

    int Shown() const { return m_shown; }
    float Delay() const { return m_delay; }
    // Where the rows must end: the top of the highest button below the first row (600 when the
    // layout puts none there), so that a long table never runs into the buttons.
    float RowsBottom() const;
    // The clearing question while it is open.
    CTextDlg* ConfirmDialog() const { return m_confirm.get(); }

    void Draw() override;
    void OnControlEvent(CControl* control) override;
    void OnDialogClosed(int result, CDialogScreen* dialog) override;

    CSimpleButton* CloseButton() const { return m_close; }
    CSimpleButton* CustomButton() const { return m_custom; }
    CSimpleButton* GameButton() const { return m_game; }
    CSimpleButton* ClearButton() const { return m_clear; }

private:
    void Show(int table);

    CScoreTable* m_tables[2];
    std::string m_files[2];
    int m_shown = 0;
    float m_delay = 0;
    CSimpleButton* m_close;
    CSimpleButton* m_custom;
    CSimpleButton* m_game;
    CSimpleButton* m_clear;
    std::unique_ptr<CTextDlg> m_confirm;
};

} // namespace NInterface

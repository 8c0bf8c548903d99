// CEnterNameDlg: the game-over screen — the final score and, when the score earns a place in the
// Top 7 table of the kind of game just played, an edit for the player's name.
//
// The main menu opens it over the whole virtual screen when a game screen comes back ended (lost
// for good or the last level done) and deletes it when told it closed. Closing (the close button,
// Enter or Escape) always ends with result 0: a qualifying score goes into the table under the
// typed name ("Anonymous" when none was typed) and the table file is written at once, so that the
// entry survives a crash before the next save. A table file that cannot be written is a log
// line; the entry stays in memory and is written with the settings at exit.
#pragma once

#include "ui/MenuDialog.h"

#include <cstdint>
#include <string>

class CScoreTable;
class CSimpleEdit;

namespace NInterface {

class CEnterNameDlg : public CMenuDialog {
public:
    static constexpr int kNameLength = 15;

    // table: the table of the game's kind; fileName: where it is kept (empty: not written).
    CEnterNameDlg(CMenuLayout& layout, CScoreTable& table, const std::string& fileName, int32_t score, int32_t level);

    bool Qualifies() const { return m_qualifies; }
    int32_t Score() const { return m_score; }
    // The name the entry takes (or took) when the dialog closes.
    std::string EntryName() const;

    void Draw() override;
    void OnKeyDown(int virtualKey) override;
    void OnControlEvent(CControl* control) override;

    CSimpleButton* CloseButton() const { return m_close; }
    CSimpleEdit* Edit() const { return m_edit; }

private:
    void Finish();

    CScoreTable& m_table;
    std::string m_file;
    int32_t m_score;
    int32_t m_level;
    bool m_qualifies;
    bool m_finished = false;
    CSimpleButton* m_close;
    CSimpleEdit* m_edit;
};

} // namespace NInterface

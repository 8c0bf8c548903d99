// CGameDlg: the dialog from which every game starts — continue, new game, custom game, level
// set, back.
//
// The main menu opens it with the game in progress (or none) and, when it closes with 0, takes
// GameScreen() and pushes it: the game in progress for continue, or a new one that this dialog
// made. Starting over deletes the game in progress (the main menu then must not hold it any more:
// GameScreen() no longer returns it). It opens the new-game question (only when a game is in
// progress), the custom-game and the level-set dialogs itself and deletes them when they close.
#pragma once

#include "ui/MenuDialog.h"

#include <functional>
#include <memory>
#include <string>

class CScreen;

namespace NInterface {

class CCustomGameDlg;
class CLevelSetDlg;
class CNewGameDlg;

class CGameDlg : public CMenuDialog {
public:
    // game: the game in progress (not owned until it is replaced), or null. onGameDeleted is
    // called when this dialog deletes it, so that its holder forgets it at once.
    CGameDlg(CMenuLayout& layout, CScreen* game, std::function<void(CScreen*)> onGameDeleted = {});
    ~CGameDlg() override;

    CScreen* GameScreen() const { return m_game; }
    int GameKind() const { return m_kind; }
    int CustomLevel() const { return m_custom_level; }
    bool HasGameInProgress() const { return m_in_progress; }

    void Draw() override;
    void OnControlEvent(CControl* control) override;
    void OnDialogClosed(int result, CDialogScreen* dialog) override;

    CSimpleButton* ContinueButton() const { return m_continue; }
    CSimpleButton* NewGameButton() const { return m_new_game; }
    CSimpleButton* CustomGameButton() const { return m_custom_game; }
    CSimpleButton* LevelSetButton() const { return m_level_set; }
    CSimpleButton* BackButton() const { return m_back; }
    CDialogScreen* OpenSubDialog() const;

private:
    void Open(CDialogScreen* dialog, const char* prefix);
    // Deletes the game in progress and hands over a new one (closing with 0 when there is one).
    void StartNew(int kind, int level);
    void DeleteGame();

    CScreen* m_game;
    std::function<void(CScreen*)> m_on_game_deleted;
    bool m_in_progress;
    int m_kind = 0;
    int m_custom_level = 1;
    CSimpleButton* m_continue;
    CSimpleButton* m_new_game;
    CSimpleButton* m_custom_game;
    CSimpleButton* m_level_set;
    CSimpleButton* m_back;
    std::unique_ptr<CNewGameDlg> m_new_game_dlg;
    std::unique_ptr<CCustomGameDlg> m_custom_dlg;
    std::unique_ptr<CLevelSetDlg> m_level_set_dlg;
};

} // namespace NInterface

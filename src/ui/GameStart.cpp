// GameStart: the menus' hooks into the game screens — a new CGame or CCustomGame with the main
// menu's layout holder, and what the menu asks of a game it holds.
#include "ui/GameStart.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "game/Game.h"
#include "game/GameData.h"
#include "ui/MainMenu.h"

namespace NInterface {

CScreen* StartGameScreen(int gameKind, int level)
{
    // The game dialog sits over the main menu, whose layout holder the game borrows.
    CMenuLayout* layout = nullptr;
    if (AppWindow* app = AppWindow::Get())
        if (auto* menu = dynamic_cast<CMainMenu*>(app->TopScreen()))
            layout = &menu->Layout();
    GameData& game = GameData::Get();
    LogWrite("StartGameScreen(%d, %d)", gameKind, level);
    if (gameKind == kCustomGame)
        return new CCustomGame(&game, layout, level);
    return new CGame(&game, layout);
}

bool GameScreenIsOver(const CScreen* game)
{
    const auto* g = dynamic_cast<const CGame*>(game);
    return g && g->IsOver();
}

int GameScreenScore(const CScreen* game)
{
    const auto* g = dynamic_cast<const CGame*>(game);
    return g ? g->FinalScore() : 0;
}

int GameScreenKind(const CScreen* game)
{
    const auto* g = dynamic_cast<const CGame*>(game);
    return g && g->IsCustom() ? kCustomGame : kNormalGame;
}

int GameScreenLevel(const CScreen* game)
{
    const auto* g = dynamic_cast<const CGame*>(game);
    return g ? g->CurrentLevel() : 0;
}

void GameScreenSaveState(const CScreen* game, ParamFile& tree)
{
    if (const auto* g = dynamic_cast<const CGame*>(game))
        g->SaveState(tree);
}

void GameScreenOptionsChanged(CScreen* game)
{
    if (auto* g = dynamic_cast<CGame*>(game))
        g->OptionsChanged();
}

void GameScreenDisplayChanged(CScreen* game)
{
    if (auto* g = dynamic_cast<CGame*>(game))
        g->DisplayChanged();
}

} // namespace NInterface

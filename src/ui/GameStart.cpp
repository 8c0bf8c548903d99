// GameStart: the menus' hooks into the game screens (no game screen exists yet).
#include "ui/GameStart.h"

#include "app/Log.h"

namespace NInterface {

CScreen* StartGameScreen(int gameKind, int level)
{
    LogWrite("StartGameScreen(%d, %d): no game screen to start", gameKind, level);
    return nullptr;
}

bool GameScreenIsOver(const CScreen*) { return false; }
int GameScreenScore(const CScreen*) { return 0; }
int GameScreenKind(const CScreen*) { return kNormalGame; }
void GameScreenOptionsChanged(CScreen*) {}
void GameScreenDisplayChanged(CScreen*) {}

} // namespace NInterface

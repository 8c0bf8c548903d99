// GameStart: where the menus meet the game screens. The game dialog starts every game through
// StartGameScreen, and the main menu asks a game screen whether it ended in game over and tells
// it about changed options and display modes.
//
// These are the single points that the game screen code fills in; until a game screen exists
// StartGameScreen makes nothing (null, logged) and the menus stay where they are.
#pragma once

class CScreen;
class ParamFile;

namespace NInterface {

enum GameKind { kNormalGame = 0, kCustomGame = 1 };

// A new game screen of the kind (a custom game starts at level), owned by the caller; null when
// no game can be made.
CScreen* StartGameScreen(int gameKind, int level);
// The game screen's game ended in game over (the menu then asks for the player's name).
bool GameScreenIsOver(const CScreen* game);
// The game's score and kind, for the enter-name dialog.
int GameScreenScore(const CScreen* game);
int GameScreenKind(const CScreen* game);
// The level the game was playing when it ended or was left.
int GameScreenLevel(const CScreen* game);
// Adds the game's state keys ("gf_...") to a saved-game tree; nothing for a screen that is no game.
void GameScreenSaveState(const CScreen* game, ParamFile& tree);
// The options dialog closed: the game screen re-reads the settings.
void GameScreenOptionsChanged(CScreen* game);
// The display switched between full screen and window.
void GameScreenDisplayChanged(CScreen* game);

} // namespace NInterface

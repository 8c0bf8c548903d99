// CAGame: what the menus ask of any game screen — its saved state, final score and level — on
// top of the screen interface. CGame and CCustomGame are the games.
#pragma once

#include "app/CScreen.h"

class ParamFile;

class CAGame : public CScreen {
public:
    virtual void SaveState(ParamFile& tree) const = 0;
    virtual void LoadState(const ParamFile& tree) = 0;
    virtual int FinalScore() const = 0;
    virtual int CurrentLevel() const = 0;
    virtual void Idle() {}
    virtual void ReleaseLevel() {}
};

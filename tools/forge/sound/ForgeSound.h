// ForgeSound: the forge's sound module, every sound effect and both menu tracks of the game.
//
// gw-forge calls ForgeSounds and ForgeMusic once; they add to the main pack the Ogg Vorbis files
// of the game's sound table ("sounds/s1.ogg" ...) and the modules "sounds/track1.xm" and
// "sounds/track2.xm". Everything is made from code and fixed seeds: the bytes are the same on
// every run.
#pragma once

#include "ForgeFiles.h"

void ForgeSounds(ForgeFiles& files);
void ForgeMusic(ForgeFiles& files);

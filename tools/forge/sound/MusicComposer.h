// MusicComposer: the forge's two menu tracks, composed from chord progressions by fixed seeds.
//
// Each track is a song of sections (intro, verses, choruses, a bridge, an outro), one pattern of
// four bars each, played in an order that repeats them as songs do. Every section has its chord
// progression; the bass, the arpeggio and the pad follow the chords, the lead melody is made for
// each section from rhythm motifs and chord tones, and the drums set the section's energy.
// Both tracks run for well over 90 seconds before they end (the module does not loop).
#pragma once

#include "sound/XmWriter.h"

namespace music {

xm::Module ComposeTrack1();
xm::Module ComposeTrack2();

// Seconds the module plays: orders x rows x speed x 2.5 / BPM.
double ModuleSeconds(const xm::Module& module);

}  // namespace music

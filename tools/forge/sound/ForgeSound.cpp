// The sound module's entry points: effects encoded as Ogg Vorbis, tracks written as XM.
#include "sound/ForgeSound.h"

#include "sound/EffectSounds.h"
#include "sound/MusicComposer.h"
#include "sound/OggEncoder.h"
#include "sound/XmWriter.h"

#include <cstdio>

void ForgeSounds(ForgeFiles& files)
{
    for (const EffectSound& sound : MakeEffectSounds()) {
        std::vector<uint8_t> ogg = EncodeOggVorbis(sound.samples, kEffectRate, 0.4f);
        if (ogg.empty()) {
            std::fprintf(stderr, "gw-forge: cannot encode %s\n", sound.path.c_str());
            continue;
        }
        files.Add(ForgeFiles::Pack::Main, sound.path, std::move(ogg));
    }
}

void ForgeMusic(ForgeFiles& files)
{
    files.Add(ForgeFiles::Pack::Main, "sounds/track1.xm", xm::WriteXm(music::ComposeTrack1()));
    files.Add(ForgeFiles::Pack::Main, "sounds/track2.xm", xm::WriteXm(music::ComposeTrack2()));
}

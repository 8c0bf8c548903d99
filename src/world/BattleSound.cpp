// BattleSound: forwards to the sound manager when there is one.
#include "world/BattleSound.h"

#include "audio/SoundManager.h"

namespace BattleSound {

void Play(int id, bool force)
{
    if (CSoundManager* sm = CSoundManager::Instance())
        sm->Play(id, force, false);
}

void Place(int id, const Vec3& listener, const Vec3& source, float range)
{
    if (CSoundManager* sm = CSoundManager::Instance())
        sm->PlaceAt(listener, source, id, range);
}

void Loop(uint64_t owner, int id, int countdown, const Vec3& listener, const Vec3& source, float range)
{
    if (CSoundManager* sm = CSoundManager::Instance()) {
        sm->StartLoop(owner, id, countdown);
        sm->PlaceLoop(listener, source, owner, id, range);
    }
}

}  // namespace BattleSound

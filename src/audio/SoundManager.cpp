// The sound manager: the sound table by id, play, placement by pan and volume, live loops.
#include "audio/SoundManager.h"

#include "app/Log.h"

#include <algorithm>
#include <cmath>

namespace {
CSoundManager* g_manager = nullptr;

constexpr double kQuarterTurn = 1.570796325;

// Integer part (toward zero) of v, clamped to lo..hi before the conversion.
int ClampTrunc(double v, int lo, int hi)
{
    if (!(v == v))
        return lo;
    return static_cast<int>(std::trunc(std::clamp(v, double(lo), double(hi))));
}
}  // namespace

SoundPlacement ComputePlacement(const Vec3& listener, const Vec3& source, float range, bool invertStereo)
{
    SoundPlacement out;
    const double dx = double(source.x) - listener.x;
    const double dy = double(source.y) - listener.y;
    const double dz = double(source.z) - listener.z;
    const double dist = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!std::isfinite(dist))
        return out;  // centred and silent

    // The angle between the direction to the source and its projection on the forward-up plane:
    // 0 straight ahead, behind, above or below; a quarter turn for a source right beside.
    if (dist > 0.0) {
        const double lateral = std::sqrt(dy * dy + dz * dz);
        double angle = kQuarterTurn;  // nothing but x: right beside the listener
        if (lateral > 0.0) {
            const double cosine = std::clamp(lateral / dist, -1.0, 1.0);
            angle = std::acos(cosine);
            if (angle > kQuarterTurn)
                angle -= kQuarterTurn;
        }
        const double side = (invertStereo ? -1.0 : 1.0) * (dx / dist);
        if (side < 0.0)
            out.pan = ClampTrunc(angle * -100.0 / kQuarterTurn, -100, 100);
        else if (side > 0.0)
            out.pan = ClampTrunc(angle * 100.0 / kQuarterTurn, -100, 100);
    }

    // Full at the listener, silent from a fifth of the range on; no range hears nothing.
    const double fifth = double(range) / 5.0;
    if (fifth > 0.0 && std::isfinite(fifth))
        out.volume = ClampTrunc(100.0 - 100.0 * dist / fifth, 0, 100);
    return out;
}

CSoundManager::CSoundManager()
{
    g_manager = this;
}

CSoundManager::~CSoundManager()
{
    m_loops.clear();
    m_variants.clear();
    m_sounds.clear();
    m_device.reset();
    if (g_manager == this)
        g_manager = nullptr;
}

CSoundManager* CSoundManager::Instance()
{
    return g_manager;
}

bool CSoundManager::Initialize()
{
    m_loops.clear();
    m_variants.clear();
    m_sounds.clear();
    m_device.reset();
    m_device = AudioDevice::Create();
    m_device->SetSamplesEnabled(m_samplesEnabled);
    return m_device->Opened();
}

void CSoundManager::AddSound(const std::string& file, int id)
{
    // The old sound may be held by no loop: loops only take variants.
    m_sounds.erase(id);
    if (std::unique_ptr<Sound> sound = Sound::Load(file))
        m_sounds[id] = std::move(sound);
}

void CSoundManager::AddVariant(const std::string& file, int id)
{
    if (std::unique_ptr<Sound> sound = Sound::Load(file))
        m_variants.emplace(id, std::move(sound));
}

Sound* CSoundManager::GetSound(int id) const
{
    auto it = m_sounds.find(id);
    return it == m_sounds.end() ? nullptr : it->second.get();
}

int CSoundManager::VariantCount(int id) const
{
    return static_cast<int>(m_variants.count(id));
}

void CSoundManager::Play(int id, bool force, bool loop)
{
    if (!m_enabled || !m_device)
        return;
    Sound* sound = GetSound(id);
    if (!sound)
        return;
    if (force || !sound->IsPlaying())
        sound->Play(true, loop, m_device->SampleVolume());
}

void CSoundManager::Place(Sound* sound, const Vec3& listener, const Vec3& source, float range)
{
    if (!sound)
        return;
    const SoundPlacement p = ComputePlacement(listener, source, range, m_invertStereo);
    sound->SetPan(p.pan);
    sound->SetVolume(p.volume);
}

void CSoundManager::PlaceAt(const Vec3& listener, const Vec3& source, int id, float range)
{
    Place(GetSound(id), listener, source, range);
}

CSoundManager::LiveLoop* CSoundManager::FindLoop(uint64_t owner, int id)
{
    for (LiveLoop& loop : m_loops)
        if (loop.owner == owner && loop.id == id)
            return &loop;
    return nullptr;
}

const CSoundManager::LiveLoop* CSoundManager::FindLoop(uint64_t owner, int id) const
{
    return const_cast<CSoundManager*>(this)->FindLoop(owner, id);
}

bool CSoundManager::HeldByLoop(const Sound* sound) const
{
    return std::any_of(m_loops.begin(), m_loops.end(), [sound](const LiveLoop& l) { return l.sound == sound; });
}

Sound* CSoundManager::LoopSound(uint64_t owner, int id) const
{
    const LiveLoop* loop = FindLoop(owner, id);
    return loop ? loop->sound : nullptr;
}

void CSoundManager::StartLoop(uint64_t owner, int id, int countdown)
{
    if (!m_enabled || !m_device)
        return;
    if (LiveLoop* loop = FindLoop(owner, id)) {
        loop->countdown = countdown;
        return;
    }
    // The first free variant; one another loop holds is not free even when it is silent, so
    // that one owner's countdown never stops another owner's sound.
    auto range = m_variants.equal_range(id);
    for (auto it = range.first; it != range.second; ++it) {
        Sound* sound = it->second.get();
        if (sound->IsPlaying() || HeldByLoop(sound))
            continue;
        sound->Play(true, true, m_device->SampleVolume());
        sound->SetVolume(0);
        m_loops.push_back(LiveLoop{owner, id, countdown, sound});
        return;
    }
}

void CSoundManager::PlaceLoop(const Vec3& listener, const Vec3& source, uint64_t owner, int id, float range)
{
    if (LiveLoop* loop = FindLoop(owner, id))
        Place(loop->sound, listener, source, range);
}

void CSoundManager::SetVolume(int id, int v)
{
    if (Sound* sound = GetSound(id))
        sound->SetVolume(std::clamp(v, 0, 100));
}

void CSoundManager::SetSamplesEnabled(bool on)
{
    m_samplesEnabled = on;
    if (m_device)
        m_device->SetSamplesEnabled(on);
}

void CSoundManager::StopAll()
{
    for (auto& [id, sound] : m_sounds)
        sound->StopAll();
    for (auto& [id, sound] : m_variants)
        sound->StopAll();
    // A stopped loop is started afresh when its owner asks again.
    m_loops.clear();
}

void CSoundManager::Update()
{
    if (m_device)
        m_device->Update();
    for (auto it = m_loops.begin(); it != m_loops.end();) {
        if (--it->countdown <= 0) {
            it->sound->StopAll();
            it = m_loops.erase(it);
        } else {
            ++it;
        }
    }
}

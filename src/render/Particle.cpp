// Reading a particle description into a prototype, with the mends of values that would break it.
#include "render/Particle.h"

#include "app/Log.h"
#include "resources/ParamFile.h"

#include <cmath>

namespace {

float NonNegative(float v, const std::string& name, const char* key)
{
    if (std::isfinite(v) && v >= 0.0f)
        return v;
    LogWrite("particle %s: %s %f is not a rate, 0 used", name.c_str(), key, static_cast<double>(v));
    return 0.0f;
}

float Finite(float v) { return std::isfinite(v) ? v : 0.0f; }

}  // namespace

CParticle ReadParticle(const ParamFile& f, const std::string& name)
{
    CParticle p;
    p.frameCount = f.GetInt("m_frames_count", "1");
    if (p.frameCount < 1) {
        LogWrite("particle %s: m_frames_count %d, 1 used", name.c_str(), p.frameCount);
        p.frameCount = 1;
    }
    p.frameSpeed = NonNegative(f.GetFloat("m_frames_speed", "0"), name, "m_frames_speed");
    p.velocity.Set(Finite(f.GetFloat("m_speed.x", "0")), Finite(f.GetFloat("m_speed.y", "0")),
                   Finite(f.GetFloat("m_speed.z", "0")));
    p.velocity.w = Finite(f.GetFloat("m_speed.w", "0"));
    p.speed = Finite(f.GetFloat("m_speed_val", "0"));
    p.r = Finite(f.GetFloat("m_color.x", "0"));
    p.g = Finite(f.GetFloat("m_color.y", "0"));
    p.b = Finite(f.GetFloat("m_color.z", "0"));
    p.a = Finite(f.GetFloat("m_color.w", "0"));
    p.size = Finite(f.GetFloat("m_size", "0"));
    p.dsize = Finite(f.GetFloat("m_dsize", "0"));
    p.dalpha = NonNegative(f.GetFloat("m_dalpha", "0"), name, "m_dalpha");
    p.dist = NonNegative(f.GetFloat("m_dist", "0"), name, "m_dist");
    p.kind = f.GetString("m_kind", "ALPHA") == "ALPHA" ? 1 : 2;
    return p;
}

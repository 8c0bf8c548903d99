// The synthesis kit: noise, the state-variable filter, envelopes, mixing, loops, loudness.
#include "sound/Synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

Samples WhiteNoise(size_t n, ForgeRandom& rng)
{
    Samples s(n);
    for (float& v : s)
        v = rng.Float() * 2.0f - 1.0f;
    return s;
}

Samples BrownNoise(size_t n, ForgeRandom& rng)
{
    Samples s(n);
    double acc = 0.0;
    for (float& v : s) {
        acc = acc * 0.996 + (rng.Float() * 2.0 - 1.0) * 0.06;
        v = static_cast<float>(acc);
    }
    return s;
}

float Svf::Process(float x, double cutoff, double q)
{
    cutoff = std::clamp(cutoff, 10.0, m_rate * 0.45);
    const double g = std::tan(kPi * cutoff / m_rate);
    const double k = 1.0 / std::max(q, 0.05);
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = x - m_ic2;
    const double v1 = a1 * m_ic1 + a2 * v3;
    const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
    m_ic1 = 2.0 * v1 - m_ic1;
    m_ic2 = 2.0 * v2 - m_ic2;
    switch (m_mode) {
    case Mode::Low: return static_cast<float>(v2);
    case Mode::Band: return static_cast<float>(v1);
    case Mode::High: return static_cast<float>(x - k * v1 - v2);
    }
    return 0.0f;
}

void Filter(Samples& s, Svf::Mode mode, int rate, const std::function<double(double)>& cutoff, double q)
{
    Svf f(mode, rate);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = f.Process(s[i], cutoff(double(i) / rate), q);
}

void Filter(Samples& s, Svf::Mode mode, int rate, double cutoff, double q)
{
    Svf f(mode, rate);
    for (float& v : s)
        v = f.Process(v, cutoff, q);
}

void Shape(Samples& s, int rate, const std::function<double(double)>& env)
{
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<float>(s[i] * env(double(i) / rate));
}

double AttackDecay(double t, double attack, double tau)
{
    if (t < 0.0)
        return 0.0;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / tau);
}

void MixInto(Samples& dst, const Samples& src, size_t offset, float gain)
{
    if (dst.size() < offset + src.size())
        dst.resize(offset + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i)
        dst[offset + i] += src[i] * gain;
}

void MixWrapped(Samples& dst, const Samples& src, size_t offset, float gain)
{
    if (dst.empty())
        return;
    for (size_t i = 0; i < src.size(); ++i)
        dst[(offset + i) % dst.size()] += src[i] * gain;
}

Samples CloseLoop(const Samples& longer, size_t n, size_t fade)
{
    fade = std::min(fade, longer.size() > n ? longer.size() - n : 0);
    fade = std::min(fade, n);
    Samples out(longer.begin(), longer.begin() + static_cast<long>(std::min(n, longer.size())));
    out.resize(n, 0.0f);
    for (size_t i = 0; i < fade; ++i) {
        const double w = (i + 0.5) / fade;
        const double in = std::sin(w * kPi / 2.0);
        const double outGain = std::cos(w * kPi / 2.0);
        out[i] = static_cast<float>(longer[i] * in + longer[n + i] * outGain);
    }
    return out;
}

double LoopFrequency(double hz, size_t n, int rate)
{
    if (n == 0)
        return hz;
    const double seconds = double(n) / rate;
    const double cycles = std::max(1.0, std::round(hz * seconds));
    return cycles / seconds;
}

float Peak(const Samples& s)
{
    float p = 0.0f;
    for (float v : s)
        p = std::max(p, std::fabs(v));
    return p;
}

float Rms(const Samples& s, size_t window)
{
    if (s.empty())
        return 0.0f;
    if (window == 0 || window >= s.size()) {
        double sum = 0.0;
        for (float v : s)
            sum += double(v) * v;
        return static_cast<float>(std::sqrt(sum / s.size()));
    }
    double sum = 0.0;
    for (size_t i = 0; i < window; ++i)
        sum += double(s[i]) * s[i];
    double best = sum;
    for (size_t i = window; i < s.size(); ++i) {
        sum += double(s[i]) * s[i] - double(s[i - window]) * s[i - window];
        best = std::max(best, sum);
    }
    return static_cast<float>(std::sqrt(std::max(best, 0.0) / window));
}

void Finish(Samples& s, float targetRms, float peakCap, size_t window)
{
    const float rms = Rms(s, window);
    if (rms <= 0.0f)
        return;
    const float gain = targetRms / rms;
    for (float& v : s) {
        const float x = v * gain;
        // Below 60% of the cap nothing changes; above it a smooth knee approaches the cap.
        const float knee = 0.6f * peakCap;
        const float a = std::fabs(x);
        if (a <= knee) {
            v = x;
        } else {
            const float room = peakCap - knee;
            const float y = knee + room * std::tanh((a - knee) / room);
            v = x < 0.0f ? -y : y;
        }
    }
}

void FadeEnds(Samples& s, int rate, double inSeconds, double outSeconds)
{
    const size_t in = std::min(s.size(), Frames(inSeconds, rate));
    const size_t out = std::min(s.size(), Frames(outSeconds, rate));
    for (size_t i = 0; i < in; ++i)
        s[i] *= float(i) / in;
    for (size_t i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= float(i) / out;
}

}  // namespace synth

// FrameTimes: percentiles over a sorted copy, the maxima over the frames in order.
#include "app/FrameTimes.h"

#include <algorithm>
#include <numeric>

double FrameTimes::Percentile(double p) const
{
    if (m_ms.empty())
        return 0.0;
    std::vector<double> v = m_ms;
    std::sort(v.begin(), v.end());
    const double rank = std::clamp(p, 0.0, 1.0) * static_cast<double>(v.size() - 1) + 0.5;
    return v[std::min(v.size() - 1, static_cast<size_t>(rank))];
}

double FrameTimes::Max() const
{
    return m_ms.empty() ? 0.0 : *std::max_element(m_ms.begin(), m_ms.end());
}

double FrameTimes::MaxSettled() const
{
    if (m_ms.size() <= kFirstSecondFrames)
        return 0.0;
    return *std::max_element(m_ms.begin() + kFirstSecondFrames, m_ms.end());
}

double FrameTimes::Mean() const
{
    return m_ms.empty() ? 0.0 : std::accumulate(m_ms.begin(), m_ms.end(), 0.0) / static_cast<double>(m_ms.size());
}

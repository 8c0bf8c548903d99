// CTrackBar: the thumb's place, dragging and clamping.
#include "ui/TrackBar.h"

#include "platform/GL.h"
#include "render/Texture.h"
#include "ui/PixelInt.h"

#include <algorithm>

float CTrackBar::ThumbX() const
{
    if (m_max == m_min)
        return m_pos.x;
    return m_pos.x + (m_value - m_min) / (m_max - m_min) * m_length;
}

bool CTrackBar::OnLButtonDown(int x, int y, unsigned)
{
    if (!m_enabled)
        return false;
    const int x0 = PixelInt(ThumbX()), y0 = PixelInt(m_pos.y);
    const int x1 = PixelInt(static_cast<double>(ThumbX()) + m_width);
    const int y1 = PixelInt(static_cast<double>(m_pos.y) + m_height);
    if (x < x0 || x > x1 || y < y0 || y > y1)
        return false;
    m_dragging = true;
    return true;
}

bool CTrackBar::OnMouseMove(int x, int, unsigned)
{
    if (!m_enabled || !m_dragging || m_length <= 0)
        return false;
    const float v = m_min + (x - m_pos.x - m_width / 2) * (m_max - m_min) / m_length;
    m_value = std::clamp(v, std::min(m_min, m_max), std::max(m_min, m_max));
    return true;
}

bool CTrackBar::OnLButtonUp(int, int, unsigned)
{
    const bool was = m_dragging;
    m_dragging = false;
    if (was && m_enabled) {
        Notify();
        return true;
    }
    return false;
}

void CTrackBar::Draw()
{
    if (!m_enabled)
        return;
    const float keepX = m_pos.x;
    m_pos.x = ThumbX();
    DrawBand(1, 1);
    m_pos.x = keepX;
}

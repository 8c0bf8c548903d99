// CSimpleButton: hover, press-to-fire and release.
#include "ui/SimpleButton.h"

bool CSimpleButton::OnMouseMove(int x, int y, unsigned)
{
    if (!m_enabled)
        return false;
    const bool inside = Inside(x, y);
    m_state = inside ? 2 : 1;
    return inside;
}

bool CSimpleButton::OnLButtonDown(int x, int y, unsigned)
{
    if (!m_enabled || !Inside(x, y))
        return false;
    m_state = 3;
    Notify();
    return true;
}

bool CSimpleButton::OnLButtonUp(int, int, unsigned)
{
    if (!m_enabled || m_state != 3)
        return false;
    m_state = 2;
    return true;
}

void CSimpleButton::Draw()
{
    if (m_enabled)
        DrawBand(m_state, kBands);
}

// CSimpleCheckBox, CSimpleRadio, CRadioGroup: hover bands and the release that toggles.
#include "ui/SimpleCheckBox.h"

bool CSimpleCheckBox::OnMouseMove(int x, int y, unsigned)
{
    if (!m_enabled)
        return false;
    if (Inside(x, y)) {
        if (m_state == 1)
            m_state = 2;
        else if (m_state == 3)
            m_state = 4;
        return true;
    }
    if (m_state == 2)
        m_state = 1;
    else if (m_state == 4)
        m_state = 3;
    return false;
}

bool CSimpleCheckBox::OnLButtonDown(int x, int y, unsigned)
{
    return m_enabled && Inside(x, y);
}

// A hover band can outlive the cursor: the screen stops handing out a mouse move at the first
// widget that takes it, so a box may never hear that the cursor went on to a button. A release
// counts only over the box itself; elsewhere it just drops the hover band.
bool CSimpleCheckBox::OnLButtonUp(int x, int y, unsigned)
{
    if (!m_enabled)
        return false;
    if (!Inside(x, y)) {
        if (m_state == 2)
            m_state = 1;
        else if (m_state == 4)
            m_state = 3;
        return false;
    }
    if (m_state == 2) {
        m_state = 4;
        Notify();
        return true;
    }
    if (m_state == 4) {
        m_state = 2;
        Notify();
        return true;
    }
    return false;
}

void CSimpleCheckBox::Draw()
{
    if (m_enabled)
        DrawBand(m_state, kBands);
}

bool CSimpleRadio::OnLButtonUp(int x, int y, unsigned)
{
    if (!m_enabled)
        return false;
    if (!Inside(x, y)) {
        if (m_state == 2)
            m_state = 1;
        else if (m_state == 4)
            m_state = 3;
        return false;
    }
    if (m_state != 2)
        return false;
    m_state = 4;
    Notify();
    return true;
}

void CRadioGroup::Select(int index)
{
    for (size_t i = 0; i < m_radios.size(); ++i)
        m_radios[i]->SetChecked(static_cast<int>(i) == index);
}

void CRadioGroup::Select(const CSimpleRadio* radio)
{
    for (CSimpleRadio* r : m_radios)
        if (r != radio)
            r->SetChecked(false);
}

int CRadioGroup::Selected() const
{
    for (size_t i = 0; i < m_radios.size(); ++i)
        if (m_radios[i]->IsChecked())
            return static_cast<int>(i);
    return -1;
}

// CTrackBar: a thumb dragged along a track to set a value between a minimum and a maximum.
//
// Pressing the thumb starts a drag; moving sets the value from the cursor (fractions kept,
// clamped to the range); releasing tells the owner. The track's background picture is the
// dialog's to draw. Owned by the dialog that lists it.
#pragma once

#include "ui/Widget.h"

class CTrackBar : public CWidget {
public:
    CTrackBar(CScreen* owner, CTexture* thumb) : CWidget(owner, thumb, 1) {}

    void SetRange(float minimum, float maximum)
    {
        m_min = minimum;
        m_max = maximum;
    }
    void SetTrackLength(float length) { m_length = length; }
    void SetValue(float value) { m_value = value; }
    float Value() const { return m_value; }
    bool IsDragging() const { return m_dragging; }
    // Left edge of the thumb for the current value.
    float ThumbX() const;

    bool OnMouseMove(int x, int y, unsigned buttons) override;
    bool OnLButtonDown(int x, int y, unsigned buttons) override;
    bool OnLButtonUp(int x, int y, unsigned buttons) override;
    void Draw() override;

private:
    float m_value = 5, m_min = 0, m_max = 10, m_length = 100;
    bool m_dragging = false;
};

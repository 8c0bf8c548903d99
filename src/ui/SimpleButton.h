// CSimpleButton: a push button with three looks (normal, hover, pressed) that fires on press.
//
// Owned by the screen that lists it; the owner's OnControlEvent is called the moment the left
// button goes down over it (not on release), so a dialog can close from that handler.
#pragma once

#include "ui/Widget.h"

class CSimpleButton : public CWidget {
public:
    static constexpr int kBands = 3;
    CSimpleButton(CScreen* owner, CTexture* texture) : CWidget(owner, texture, kBands) {}

    bool OnMouseMove(int x, int y, unsigned buttons) override;
    bool OnLButtonDown(int x, int y, unsigned buttons) override;
    bool OnLButtonUp(int x, int y, unsigned buttons) override;
    void Draw() override;
    void Reset() override { m_state = 1; }
};

// CSimpleCheckBox and CSimpleRadio with CRadioGroup: two-state boxes with four looks (off,
// off-hover, on, on-hover).
//
// A check box toggles when the left button is released over it (band 2 or 4) and then tells its
// owner; a radio only turns on that way, and a CRadioGroup (owned by the dialog beside its radios)
// keeps one of its radios on. Owned by the screen that lists them.
#pragma once

#include "ui/Widget.h"

#include <vector>

class CSimpleCheckBox : public CWidget {
public:
    static constexpr int kBands = 4;
    CSimpleCheckBox(CScreen* owner, CTexture* texture) : CWidget(owner, texture, kBands) {}

    bool IsChecked() const { return m_state == 3 || m_state == 4; }
    void SetChecked(bool checked) { m_state = checked ? 3 : 1; }

    bool OnMouseMove(int x, int y, unsigned buttons) override;
    bool OnLButtonDown(int x, int y, unsigned buttons) override;
    bool OnLButtonUp(int x, int y, unsigned buttons) override;
    void Draw() override;
};

class CSimpleRadio : public CSimpleCheckBox {
public:
    CSimpleRadio(CScreen* owner, CTexture* texture) : CSimpleCheckBox(owner, texture) {}
    bool OnLButtonUp(int x, int y, unsigned buttons) override;
};

class CRadioGroup {
public:
    void Add(CSimpleRadio* radio) { m_radios.push_back(radio); }
    // Ticks radio index (and unticks every other); an index out of range unticks all.
    void Select(int index);
    // Ticks this radio and unticks the others (call from the owner's OnControlEvent).
    void Select(const CSimpleRadio* radio);
    // The first ticked radio, or -1.
    int Selected() const;
    size_t Size() const { return m_radios.size(); }

private:
    std::vector<CSimpleRadio*> m_radios;
};

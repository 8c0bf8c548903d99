// CKeyReader: shows a control's binding and captures a new one (the options dialog).
//
// A press inside makes it wait (band 2); in keyboard mode the next key press polls the keyboard
// and takes the first key down as the new scan code, keeping the old one when none is down; in
// joystick mode every tick while waiting polls the joystick and takes the first of buttons 0 to
// 10 that is down. The caption is the bound key's or button's name, drawn smaller when it would
// not fit in the look at the font size. Owned by the dialog that lists it; the font is borrowed,
// the poll is KeyPoll() unless one is given.
#pragma once

#include "ui/Widget.h"

#include <string>

class IKeyPoll;

class CKeyReader : public CWidget {
public:
    static constexpr int kBands = 2;
    static constexpr float kTextX = 30.0f;
    static constexpr float kRightMargin = 10.0f;

    CKeyReader(CScreen* owner, CTexture* texture, const CBitmapText* font, float fontSize, bool joystick = false);

    void SetPoll(IKeyPoll* poll) { m_poll = poll; }
    // Sets the code and the caption from the name tables.
    void SetCode(int code);
    int Code() const { return m_code; }
    const std::string& Caption() const { return m_caption; }
    bool IsJoystick() const { return m_joystick; }
    bool IsWaiting() const { return m_state == 2; }
    // The caption's size: the font size, or smaller when a long key name would run past the
    // reader's right edge.
    float CaptionSize() const;

    bool OnLButtonDown(int x, int y, unsigned buttons) override;
    void OnKeyDown(int virtualKey) override;
    void Update(float elapsedMs) override;
    void Draw() override;

private:
    IKeyPoll& Poll() const;

    const CBitmapText* m_font;
    float m_font_size;
    std::string m_caption;
    int32_t m_code = 0;
    bool m_joystick;
    IKeyPoll* m_poll = nullptr;
};

// CSimpleEdit: a one-line text field with a blinking caret (the player's name, a level number).
//
// Focused by a press inside, unfocused by a press outside; while focused it takes printable
// characters (32 to 126) at the caret, Backspace, Delete, Home, End, Left and Right, and pastes
// clipboard text with Ctrl+V or Shift+Insert. A digits-only edit takes only '0' to '9', and with a
// range check refuses a character that would make the number fall outside the range; pastes are
// taken as they are (control characters become spaces). The text never grows past the maximum
// length (default 10); text wider than the field is drawn smaller to stay inside it. Owned by the
// dialog that lists it; the font is the dialog font, borrowed.
#pragma once

#include "ui/Widget.h"

#include <string>

class CSimpleEdit : public CWidget {
public:
    static constexpr int kBands = 2;
    static constexpr size_t kBufferSize = 1024;
    static constexpr float kBlinkMs = 500.0f;
    static constexpr float kMargin = 7.0f;

    CSimpleEdit(CScreen* owner, CTexture* texture, const CBitmapText* font, float fontSize);

    // Copies at most the maximum length and puts the caret at the end.
    void SetText(const std::string& text);
    const std::string& Text() const { return m_text; }
    void SetMaxLength(int length);
    int MaxLength() const { return m_max_length; }
    int Caret() const { return m_caret; }
    bool IsCaretShown() const { return m_caret_shown; }
    void SetDigitsOnly(bool digits) { m_digits_only = digits; }
    void SetRange(int minimum, int maximum)
    {
        m_range_check = true;
        m_min = minimum;
        m_max = maximum;
    }
    void SetTextColor(float r, float g, float b, float a)
    {
        m_color[0] = r;
        m_color[1] = g;
        m_color[2] = b;
        m_color[3] = a;
    }
    void SetFocused(bool focused) { m_state = focused ? 2 : 1; }
    bool IsFocused() const { return m_state == 2; }
    // The size the text is drawn at: the font size, or smaller when the text would run past the
    // right margin (a name of wide letters), so that it always stays inside the field.
    float TextSize() const;

    // Inserts text at the caret as a paste does: control characters become spaces, no digit or
    // range rule.
    void Paste(const std::string& text);

    bool OnLButtonDown(int x, int y, unsigned buttons) override;
    bool OnLButtonUp(int x, int y, unsigned buttons) override;
    void OnKeyDown(int virtualKey) override;
    void OnChar(int code, int repeat) override;
    void Update(float elapsedMs) override;
    void Draw() override;

protected:
    // Modifier keys and the clipboard, through the platform layer (tests replace them).
    virtual bool CtrlDown() const;
    virtual bool ShiftDown() const;
    virtual std::string Clipboard() const;

private:
    void Insert(const std::string& text);
    void ShowCaret()
    {
        m_caret_shown = true;
        m_blink_ms = 0;
    }

    const CBitmapText* m_font;
    float m_font_size;
    std::string m_text;
    int m_max_length = 10;
    int m_caret = 0;
    bool m_caret_shown = false;
    float m_blink_ms = 0;
    float m_color[4] = {1, 1, 0, 1};
    bool m_digits_only = false;
    bool m_range_check = false;
    int32_t m_min = 0, m_max = 0;
};

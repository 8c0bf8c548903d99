// CTextDlg: a message with OK and cancel, for questions other screens ask (clearing a high-score
// table). The user sets the background texture, the message with its size, position and colour,
// and the places of the two buttons; OK closes with 0, cancel with 1. Created and deleted by the
// screen that opens it.
#pragma once

#include "ui/MenuDialog.h"

#include <string>

namespace NInterface {

class CTextDlg : public CMenuDialog {
public:
    CTextDlg(CMenuLayout& layout, CTexture* background);

    void SetMessage(const std::string& text, float size, float x, float y)
    {
        m_text = text;
        m_size = size;
        m_text_x = x;
        m_text_y = y;
    }
    void SetColor(float r, float g, float b, float a)
    {
        m_color[0] = r;
        m_color[1] = g;
        m_color[2] = b;
        m_color[3] = a;
    }
    // Button positions relative to the dialog's corner.
    void PlaceButtons(float okX, float okY, float cancelX, float cancelY);
    const std::string& Message() const { return m_text; }

    void Draw() override;
    void OnControlEvent(CControl* control) override;

    CSimpleButton* OkButton() const { return m_ok; }
    CSimpleButton* CancelButton() const { return m_cancel; }

private:
    CTexture* m_background;
    std::string m_text = "noth\ning";
    float m_size = 20, m_text_x = 20, m_text_y = 20;
    float m_color[4] = {1, 1, 0, 1};
    CSimpleButton* m_ok;
    CSimpleButton* m_cancel;
};

} // namespace NInterface

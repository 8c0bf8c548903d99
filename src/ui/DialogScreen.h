// CDialogScreen: a menu window — a screen that occupies a rectangle of the 800 x 600 virtual
// screen, dims what lies behind it, draws its background, widgets and texts, and ends with a result
// (0 OK / yes, 1 cancel / no, further codes for dialogs with more buttons).
//
// The opener (the main menu or another dialog) creates it, sets the virtual screen size, the
// flags and the rectangle from the layout file (CMenuLayout::PlaceDialog), pushes it on the
// AppWindow's dialog stack, and deletes it when told through OnDialogClosed. Mouse input arrives
// in window client pixels and is converted to the dialog's own coordinates before the widgets get
// it; Escape closes with 1 and Enter with 0 (deferred), the key then also reaching the widgets.
// Each dialog implements OnControlEvent to learn which of its widgets fired.
#pragma once

#include "app/CScreen.h"

#include <cstdint>

class CBitmapText;
class CTexture;

class CDialogScreen : public CScreen {
public:
    static constexpr int kQuitKey = 27;  // Escape
    static constexpr int kOkKey = 13;    // Enter

    void SetVirtualSize(int width, int height)
    {
        m_virtual_width = width;
        m_virtual_height = height;
    }
    void SetPosition(float x, float y)
    {
        m_x = x;
        m_y = y;
    }
    void SetSize(int width, int height)
    {
        m_width = width;
        m_height = height;
    }
    void SetDimBackground(bool dim) { m_dim_background = dim; }
    void SetDrawWindow(bool draw) { m_draw_window = draw; }

    float X() const { return m_x; }
    float Y() const { return m_y; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int VirtualWidth() const { return m_virtual_width; }
    int VirtualHeight() const { return m_virtual_height; }

    // Window client pixels to dialog coordinates: integer part of x / (client / virtual) less the
    // integer part of the dialog's corner.
    static int ToDialog(int pixel, int clientSize, int virtualSize, float corner);

    // Translates to the dialog's corner (z 0.5) and draws the widgets with texturing on.
    void Draw() override;
    // Escape: result 1; Enter: result 0; both close (deferred); every key reaches the widgets.
    void OnKeyDown(int virtualKey) override;
    bool OnMouseMove(int x, int y, unsigned flags) override;
    bool OnLButtonUp(int x, int y, unsigned flags) override;
    bool OnLButtonDown(int x, int y, unsigned flags) override;
    void OnControlEvent(CControl* control) override = 0;

protected:
    // Sets the result and closes the dialog at the start of the next update.
    void Close(int result);
    // The window's client size (the virtual size when there is no window: tests, tools).
    virtual void ClientSize(int& width, int& height) const;

    // Drawing helpers for the derived dialogs.
    // When dim background is set: one blended untextured strip over the virtual screen at z 0.5.
    void DrawDim(float r, float g, float b, float a) const;
    // When draw window is set: the dialog rectangle filled with a colour.
    void DrawWindowFill(float r, float g, float b, float a) const;
    // The texture over the dialog rectangle, blended, (0, 1) at the top-left corner.
    void DrawBackground(const CTexture* texture) const;
    // A text twice: a black shadow shifted by `shadow` pixels, then the colour.
    static void DrawShadowText(const CBitmapText* font, const char* text, float size, float x, float y, float shadow,
                               float r = 1, float g = 1, float b = 0, float a = 1);

    int32_t m_virtual_width = 800;
    int32_t m_virtual_height = 600;
    bool m_dim_background = false;
    float m_x = 0, m_y = 0;
    int32_t m_width = 100, m_height = 100;
    bool m_draw_window = true;
};

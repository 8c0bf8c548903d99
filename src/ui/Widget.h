// CWidget: what every widget of the menus shares — its owner screen, its look, its rectangle, its
// visual state (a 1-based band of the look) and the enabled flag.
//
// A widget's look is one texture of the bank "main" whose picture holds the visual states as
// bands stacked vertically; the widget draws one band over its rectangle. The owner screen creates
// the widget, lists it in its controls, deletes it, and is told through OnControlEvent when the
// user completes an action on it. Coordinates are the owner's virtual pixels, y down; a point is
// inside when x <= px <= x + width and y <= py <= y + height, the float edges truncated to
// integers. A disabled widget neither draws nor handles input. A widget without a texture (the
// layout named none) has no size until one is given with SetSize.
#pragma once

#include "app/Vec3.h"
#include "ui/CControl.h"

#include <cstdint>
#include <string>

class CBitmapText;
class CScreen;
class CTexture;

class CWidget : public CControl {
public:
    // bands: the number of visual states in the look; the size is taken from the texture.
    CWidget(CScreen* owner, CTexture* texture, int bands);

    void SetPosition(float x, float y) { m_pos.Set(x, y, 0); }
    void SetEnabled(bool enabled) { m_enabled = enabled ? 1 : 0; }
    bool IsEnabled() const { return m_enabled != 0; }
    // Overrides the size taken from the texture (widgets without a look, tests).
    void SetSize(float width, float height) { m_width = width; m_height = height; }

    float X() const { return m_pos.x; }
    float Y() const { return m_pos.y; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    int State() const { return m_state; }
    CTexture* Texture() const { return m_texture; }

    bool Inside(int px, int py) const;

protected:
    // Width = texture width, height = texture height / bands (kept when there is no texture).
    void TakeSize(int bands);
    // One GL_QUADS quad of band b (from 1) of n, blended; blending off afterwards.
    void DrawBand(int band, int bands) const;
    // Tells the owner that this widget was used.
    void Notify();

    CScreen* m_owner;
    CTexture* m_texture;
    Vec3 m_pos;
    float m_width = 0, m_height = 0;
    int32_t m_state = 1;
    uint8_t m_enabled = 1;
};

// The size at which a one-line text fits in room pixels: size itself when it fits, otherwise
// smaller in proportion, but never below smallest. Without a usable font: size.
float FitTextSize(const CBitmapText* font, const std::string& text, float size, float room, float smallest);
// The text as it fits in room pixels at size: whole when it fits, otherwise cut and ended with
// "..." (only the dots when not even one character fits with them).
std::string CutText(const CBitmapText* font, const std::string& text, float size, float room);

// Text of a widget: drawn half a unit nearer, as the widgets' texts are.
void DrawWidgetText(const CBitmapText* font, const char* text, float size, float x, float baseline, float r, float g,
                    float b, float a);

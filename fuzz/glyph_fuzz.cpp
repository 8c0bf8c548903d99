// libFuzzer target: the font picture's glyph scan and the text widths of a font it accepts.
#include "render/BitmapText.h"
#include "render/ScrollingText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CBitmapText font;
    if (!font.BuildGlyphs(data, size))
        return 0;
    font.TextWidth("The quick brown fox jumps over the lazy dog! 0123456789 ~{|}", 24.0f);
    CScrollingText text(&font, 300.0f, 18.0f, 5, 2);
    const char help[] = "Fly along the river valley.\r\nShoot what shoots at you and refuel over depots.";
    text.SetText(help, sizeof help - 1);
    text.ScrollDown();
    text.ScrollUp();
    return 0;
}

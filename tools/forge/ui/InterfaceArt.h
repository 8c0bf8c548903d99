// InterfaceArt: the pictures of the menus, painted from code.
//
// Widget looks hold their visual states as bands stacked vertically: band 1 is the bottom band of
// the picture as it is seen (texture v from 0 up), band n the top one, which is how the widgets
// cut them. Buttons carry their own label in every band. Backgrounds are RGBA; the module turns
// some of them into colour + alpha JPEG pairs. Labels need a painter with a font; without one the
// looks are made bare.
#pragma once

#include "InterfaceLayout.h"
#include "core/Image.h"

#include <string>

class TextPainter;

enum class ButtonIcon { None, Minimise, FullScreen, Up, Down };

Image MakeButtonLook(const TextPainter& painter, UiLayout::Size size, const std::string& label,
                     ButtonIcon icon = ButtonIcon::None);
Image MakeCheckLook(UiLayout::Size size, bool round);
// light: a pale field for dark text (the level number), otherwise a dark field for light text.
Image MakeEditLook(UiLayout::Size size, bool light);
Image MakeKeyReaderLook(UiLayout::Size size);
Image MakeListLook(UiLayout::Size size);
Image MakeThumbLook(UiLayout::Size size);
Image MakeTrackBackground(UiLayout::Size size);

// A dialog panel over the whole picture, transparent outside its rounded corners.
Image MakePanel(int width, int height);
// The options panel with the headings and joystick labels painted in.
Image MakeOptionsPanel(const TextPainter& painter);
// The high-score picture over the whole screen: the panel kTop7Panel with the column headings.
Image MakeTop7Panel(const TextPainter& painter);

// The valley at dusk with the title "Gorgewing II" (main menu), and the two intro pictures.
Image MakeMenuBackground(TextPainter& painter);
Image MakeIntroPicture(TextPainter& painter, int variant);
// The level screens' backgrounds.
Image MakeLevelBackground(TextPainter& painter, int variant);

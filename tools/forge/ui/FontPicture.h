// FontPicture: the game's font picture "mui/font.tga" from a FreeType face.
//
// The 94 characters '!' to '~' are laid out in reading order in cells as high as the font's line
// (ascent + descent), so every text line of the picture has one height and the game's glyph scan
// finds one box per character: the whole cell carries a faint alpha of 1/255 (invisible when
// drawn) so that characters made of separate marks ('"', '%', ':', 'i') still read as one
// column-connected glyph, and the cells are parted by fully transparent columns and rows.
#pragma once

#include "core/Image.h"

class TextPainter;

// The RGBA font picture (white ink, alpha = coverage); an empty image when the painter has no font.
Image MakeFontPicture(TextPainter& painter, int pixelSize, int pictureWidth);

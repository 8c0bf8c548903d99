// ForgeInterface: the forge's interface module, all the art and text of the menus.
//
// gw-forge calls ForgeInterface once; it adds to the main pack the layout file "mui/menu.txt",
// every widget look (buttons with their labels painted into each band), the dialog backgrounds
// (four of them as colour + grey alpha JPEG pairs), the main menu background with the title, the
// two intro pictures, the font picture "mui/font.tga" rendered with FreeType from a DejaVu font of
// the system, and the help text "mui/help.txt". When no font file can be found the text-bearing
// pictures are still made, without text, and a line goes to stderr.
#pragma once

#include "ForgeFiles.h"

#include <string>

void ForgeInterface(ForgeFiles& files);

// The layout file's text (exposed for the tests).
std::string InterfaceLayoutText();
// The help text (exposed for the tests).
std::string InterfaceHelpText();

// Screenshot: F12 keeps the frame on screen as a PNG in the player's pictures folder.
//
// AppWindow asks for one when F12 goes down and takes it at the end of the next frame, before the
// buffers are swapped, reading the picture's rectangle (the letterbox in full screen, without the
// bars). The folder (GameFolders::picturesDir: ~/Pictures/gorgewing2, or screenshots/ of a
// portable game folder) is made on first use. Each picture is named by the date and time it was
// taken; the log names the file. A folder or file that cannot be written costs only the picture.
#pragma once

#include <ctime>
#include <string>

// "gorgewing2-YYYY-MM-DD_HH-MM-SS.png" for the local time given; with a number above 1 the name
// gets "-N" before the extension (for several pictures in one second).
std::string ScreenshotName(const std::tm& local, int number = 1);

// Writes the back buffer's rectangle at (x, y) from the lower left corner, width x height, into
// the folder as a new file named by the time now; the path written, or "" (logged) on failure.
// Needs the current GL context.
std::string SaveScreenshot(const std::string& folder, int x, int y, int width, int height);

// The platform layer: window, GL context, display modes, cursor, clock, clipboard and message box
// over SDL2. Nothing above src/platform (except src/input and src/audio) sees SDL.
//
// One thread uses all of it. Video is started once by InitVideo (the first Window::Open does it
// too) and stopped by ShutdownVideo at the very end; every call is safe, and does nothing, when
// video is not up.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Starts SDL's video; false with a reason (no display, for example) on failure.
bool InitVideo(std::string* error);
void ShutdownVideo();
bool VideoReady();
// SDL's video driver in use ("x11", "wayland", "offscreen", ...), "" when video is not up.
const char* VideoDriverName();
// True when the driver shows windows on a real display (not SDL's offscreen or dummy drivers).
bool HasRealDisplay();

// Size in pixels of the primary display's current mode (800 x 600 when video is not up).
void ScreenSize(int& width, int& height);

// Milliseconds since video start, wrapping like a 32-bit system clock; sleep in milliseconds.
uint32_t TimeMs();
void SleepMs(uint32_t ms);

// Cursor: screen-wide position (desktop coordinates), visibility.
void CursorPos(int& x, int& y);
void ShowCursor(bool show);

// Big blocks (decoded pictures, texture storage, file buffers) get pages of their own, given back
// to the system when freed. glibc otherwise raises its threshold for that after the first big
// free and serves later big blocks from the heap, where they leave holes. Called first in main.
void KeepBigBlocksOffTheHeap();

// Gives the heap's free pages back to the system (after a level's loading has freed its
// temporary buffers), so that the resident size is what the game holds.
void ReturnFreeMemory();

// Clipboard text ("" when empty or unavailable).
std::string ClipboardText();

// Modifier and key state for edit boxes and the Alt+F4 rule.
bool IsCtrlDown();
bool IsShiftDown();
bool IsF4Down();

// A modal message box with one OK button (owner may be null); logs to stderr when it cannot show.
class Window;
void MessageBox(Window* owner, const char* caption, const char* text);

}  // namespace platform

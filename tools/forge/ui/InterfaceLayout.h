// InterfaceLayout: the one table of the menu design — sizes of the widget looks, the rectangle of
// every dialog and the position of every widget — from which both the layout file "mui/menu.txt"
// and the pictures are made, so that the art and the placement always agree.
#pragma once

namespace UiLayout {

struct Size {
    int w, h;
};
struct Rect {
    int x, y, w, h;
};
struct Pos {
    int x, y;
};

// Widget looks (one band).
constexpr Size kMenuButton{240, 52};
constexpr Size kDialogButton{220, 44};
constexpr Size kSmallButton{130, 44};
constexpr Size kIconButton{34, 34};
constexpr Size kArrowButton{40, 40};
constexpr Size kCheckBox{40, 40};
constexpr Size kKeyReader{220, 48};
constexpr Size kNameEdit{300, 48};
constexpr Size kLevelEdit{90, 48};
constexpr Size kList{340, 210};
constexpr Size kThumb{20, 32};
constexpr Size kTrackBg{240, 32};
// The aircraft previews of the begin-level screen, drawn at their own size: the aircraft forge
// paints them 256 x 256 (content/ModelKit.cpp, PreviewPicture).
constexpr Size kAircraftPreview{256, 256};

// Dialog rectangles on the 800 x 600 screen.
constexpr Rect kGameDlg{250, 140, 300, 340};
constexpr Rect kNewGameDlg{170, 190, 460, 220};
constexpr Rect kCustomDlg{220, 160, 360, 270};
constexpr Rect kLevelSetDlg{200, 120, 400, 360};
constexpr Rect kQuitDlg{170, 185, 460, 230};
constexpr Rect kHelpDlg{80, 30, 640, 540};
constexpr Rect kOptionsDlg{20, 20, 760, 560};
// The high-score dialog covers the screen; its panel holds the title, the rows and the buttons.
constexpr Rect kTop7Panel{24, 10, 752, 562};
// The level-complete picture's panel under the tally (title from y 30, totals down to y 480).
constexpr Rect kTallyPanel{30, 14, 660, 496};

// Options dialog: widget columns (relative to the dialog).
constexpr int kOptCheckX = 170;
constexpr int kOptCheckY[4] = {96, 142, 188, 234};
constexpr int kOptKeyX = 510;
constexpr int kOptKeyY0 = 90, kOptKeyStep = 58;
constexpr int kOptJoyX = 140;
constexpr int kOptJoyY[3] = {326, 382, 438};
constexpr Pos kOptTrack{40, 500};

} // namespace UiLayout

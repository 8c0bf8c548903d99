// Full screen keeps the picture's shape: where the picture stands on displays of other shapes,
// and a click on the display reaching the dialog's widget through the same scale.
#include "app/AppWindow.h"
#include "app/ViewSettings.h"
#include "ui/CControl.h"
#include "ui/DialogScreen.h"

#include <gtest/gtest.h>

TEST(LetterboxTest, ThePictureKeepsTheViewsShapeAndIsCentred)
{
    EXPECT_EQ(FitPicture(800, 600, 800, 600), (PictureRect{0, 0, 800, 600}));
    EXPECT_EQ(FitPicture(1280, 1024, 800, 600), (PictureRect{0, 32, 1280, 960}));   // 5:4, bars above and below
    EXPECT_EQ(FitPicture(1920, 1080, 800, 600), (PictureRect{240, 0, 1440, 1080})); // 16:9, bars at the sides
    EXPECT_EQ(FitPicture(3840, 1080, 800, 600), (PictureRect{1200, 0, 1440, 1080}));
    EXPECT_EQ(FitPicture(1366, 768, 800, 600), (PictureRect{171, 0, 1024, 768}));   // rounded, not truncated
    EXPECT_EQ(FitPicture(1080, 1920, 800, 600), (PictureRect{0, 555, 1080, 810}));  // a display on its side
    // Sizes that make no picture leave the whole area.
    EXPECT_EQ(FitPicture(1280, 1024, 0, 600), (PictureRect{0, 0, 1280, 1024}));
    EXPECT_EQ(FitPicture(0, 0, 800, 600), (PictureRect{0, 0, 0, 0}));
}

namespace {

class ClickProbe : public CControl {
public:
    bool OnLButtonDown(int x, int y, unsigned) override
    {
        lastX = x;
        lastY = y;
        return false;
    }
    int lastX = -1, lastY = -1;
};

class ProbeDialog : public CDialogScreen {
public:
    ProbeDialog() { m_controls.push_back(&probe); }
    void OnControlEvent(CControl*) override {}
    ClickProbe probe;
};

void Click(AppWindow& app, int x, int y)
{
    platform::Message m;
    m.kind = platform::MsgKind::LButtonDown;
    m.x = x;
    m.y = y;
    app.HandleMessage(m);
}

}  // namespace

TEST(LetterboxTest, AClickOnTheDisplayReachesTheLayoutThroughTheScale)
{
    AppWindow* app = AppWindow::Create("letterbox test");
    ProbeDialog dialog;
    dialog.SetVirtualSize(800, 600);
    app->PushDialog(&dialog);

    // A 16:9 display: the 800 x 600 layout is 1440 x 1080 from x = 240.
    app->LayOutPicture(1920, 1080, true);
    EXPECT_EQ(app->Width(), 1440);
    EXPECT_EQ(app->Height(), 1080);
    EXPECT_TRUE(app->Letterboxed());
    EXPECT_EQ(app->View().viewport_x, 240);
    EXPECT_EQ(app->View().viewport_y, 0);
    Click(*app, 240 + 773 * 1440 / 800, 27 * 1080 / 600);  // the full-screen button's spot
    EXPECT_NEAR(dialog.probe.lastX, 773, 1);
    EXPECT_NEAR(dialog.probe.lastY, 27, 1);
    Click(*app, 240, 0);  // the picture's corner is the layout's
    EXPECT_EQ(dialog.probe.lastX, 0);
    EXPECT_EQ(dialog.probe.lastY, 0);
    Click(*app, 100, 500);  // on the bar: outside the layout
    EXPECT_LT(dialog.probe.lastX, 0);

    // A 5:4 display: bars above and below; GL counts the viewport's rows from the bottom.
    app->LayOutPicture(1280, 1024, true);
    EXPECT_EQ(app->View().viewport_x, 0);
    EXPECT_EQ(app->View().viewport_y, 32);
    Click(*app, 400 * 1280 / 800, 32 + 300 * 960 / 600);
    EXPECT_EQ(dialog.probe.lastX, 400);
    EXPECT_EQ(dialog.probe.lastY, 300);

    // Back in a window the picture is the whole client area again, as before.
    app->LayOutPicture(800, 600, false);
    EXPECT_FALSE(app->Letterboxed());
    EXPECT_EQ(app->View().viewport_y, 0);
    Click(*app, 773, 27);
    EXPECT_EQ(dialog.probe.lastX, 773);
    EXPECT_EQ(dialog.probe.lastY, 27);

    app->CloseAllDialogs();
    AppWindow::Release();
}

// The screen and dialog stacks: input routing, deferred closes and delivery of dialog results.
#include "app/AppWindow.h"
#include "app/CScreen.h"
#include "ui/CControl.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

class RecordingScreen : public CScreen {
public:
    explicit RecordingScreen(std::string name) : m_name(std::move(name)) {}
    void Update(float) override { g_events.push_back(m_name + ".Update"); }
    void Draw() override { g_events.push_back(m_name + ".Draw"); }
    void Activate() override { g_events.push_back(m_name + ".Activate"); }
    void OnKeyDown(int vk) override { g_events.push_back(m_name + ".Key" + std::to_string(vk)); }
    void OnDialogClosed(int result, CDialogScreen* d) override
    {
        g_events.push_back(m_name + ".DialogClosed" + std::to_string(result));
        lastClosed = d;
    }
    void OnScreenClosed(CScreen*) override { g_events.push_back(m_name + ".ScreenClosed"); }
    void OnCloseRequest() override { g_events.push_back(m_name + ".CloseRequest"); }
    CDialogScreen* lastClosed = nullptr;

private:
    std::string m_name;
};

class RecordingDialog : public CDialogScreen {
public:
    explicit RecordingDialog(std::string name) : m_name(std::move(name)) {}
    void Update(float) override { g_events.push_back(m_name + ".Update"); }
    void Draw() override { g_events.push_back(m_name + ".Draw"); }
    void Activate() override { g_events.push_back(m_name + ".Activate"); }
    void OnKeyDown(int vk) override
    {
        g_events.push_back(m_name + ".Key" + std::to_string(vk));
        if (vk == 27) {  // Escape cancels, as the menus' dialogs do
            SetResult(1);
            AppWindow::Get()->CloseTop(false);
        }
    }
    void OnControlEvent(CControl*) override {}
    void OnDialogClosed(int result, CDialogScreen*) override { g_events.push_back(m_name + ".DialogClosed" + std::to_string(result)); }

private:
    std::string m_name;
};

class ScreenStack : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_events.clear();
        app = AppWindow::Create("test");
        app->SetActive(true);
    }
    void TearDown() override { AppWindow::Release(); }
    void Key(int vk)
    {
        platform::Message m;
        m.kind = platform::MsgKind::KeyDown;
        m.wparam = vk;
        app->HandleMessage(m);
    }
    AppWindow* app = nullptr;
};

}  // namespace

TEST_F(ScreenStack, PushActivatesAndOnlyTheTopGetsUpdateAndInput)
{
    RecordingScreen a("a"), b("b");
    app->PushScreen(&a);
    app->PushScreen(&b);
    EXPECT_EQ(g_events, (std::vector<std::string>{"a.Activate", "b.Activate"}));
    g_events.clear();
    app->UpdateFrame(kFrameStepMs);
    Key(65);
    app->DrawScreens();
    EXPECT_EQ(g_events, (std::vector<std::string>{"b.Update", "b.Key65", "b.Draw"}));
}

TEST_F(ScreenStack, DialogsGetInputAndAreDrawnBottomToTopOverTheTopScreen)
{
    RecordingScreen s("s");
    RecordingDialog d1("d1"), d2("d2");
    app->PushScreen(&s);
    app->PushDialog(&d1);
    app->PushDialog(&d2);
    EXPECT_EQ(g_events, (std::vector<std::string>{"s.Activate", "d1.Activate", "s.Activate", "d2.Activate", "s.Activate"}));
    g_events.clear();
    app->UpdateFrame(kFrameStepMs);
    Key(13);
    app->DrawScreens();
    EXPECT_EQ(g_events, (std::vector<std::string>{"d2.Update", "d2.Key13", "s.Draw", "d1.Draw", "d2.Draw"}));
}

TEST_F(ScreenStack, EscapeInDialogDeliversResultInTheNextUpdateBeforeTheScreensUpdate)
{
    RecordingScreen game("game");
    RecordingDialog d("d");
    app->PushScreen(&game);
    app->PushDialog(&d);
    g_events.clear();
    Key(27);
    EXPECT_EQ(app->DialogCount(), 1u);  // deferred: still on the stack in this frame
    app->UpdateFrame(kFrameStepMs);
    EXPECT_EQ(g_events, (std::vector<std::string>{"d.Key27", "game.DialogClosed1", "game.Update"}));
    EXPECT_EQ(game.lastClosed, &d);
    g_events.clear();
    app->DrawScreens();
    EXPECT_EQ(g_events, (std::vector<std::string>{"game.Draw"}));
}

TEST_F(ScreenStack, TwoDeferredClosesInOneFrameCloseOnlyOneThing)
{
    RecordingScreen a("a"), b("b"), c("c");
    app->PushScreen(&a);
    app->PushScreen(&b);
    app->PushScreen(&c);
    app->CloseTop(false);
    app->CloseTop(false);
    g_events.clear();
    app->UpdateFrame(kFrameStepMs);
    EXPECT_EQ(app->ScreenCount(), 2u);
    EXPECT_EQ(app->TopScreen(), &b);
    EXPECT_EQ(g_events, (std::vector<std::string>{"b.ScreenClosed", "b.Activate", "b.Update"}));
}

TEST_F(ScreenStack, ImmediateDialogCloseThenDeferredScreenCloseDeliversToTheNewTopWithoutScreenClosed)
{
    RecordingScreen menu("menu"), game("game");
    RecordingDialog d("d");
    app->PushScreen(&menu);
    app->PushScreen(&game);
    app->PushDialog(&d);
    d.SetResult(0);
    app->CloseTop(true);   // the dialog leaves now; its result waits for the next update
    app->CloseTop(false);  // and the game screen is closed at the start of that update
    g_events.clear();
    app->UpdateFrame(kFrameStepMs);
    EXPECT_EQ(app->TopScreen(), &menu);
    EXPECT_EQ(g_events, (std::vector<std::string>{"menu.Activate", "menu.DialogClosed0", "menu.Update"}));
    EXPECT_EQ(menu.lastClosed, &d);
    EXPECT_EQ(game.lastClosed, nullptr);
}

TEST_F(ScreenStack, ImmediateScreenCloseTellsTheNewTopThenActivatesIt)
{
    RecordingScreen a("a"), b("b");
    app->PushScreen(&a);
    app->PushScreen(&b);
    g_events.clear();
    app->CloseTop(true);
    EXPECT_EQ(g_events, (std::vector<std::string>{"a.ScreenClosed", "a.Activate"}));
}

TEST_F(ScreenStack, TheBottomScreenIsNeverClosed)
{
    RecordingScreen a("a");
    app->PushScreen(&a);
    g_events.clear();
    app->CloseTop(true);
    app->CloseTop(false);
    app->UpdateFrame(kFrameStepMs);
    EXPECT_EQ(app->ScreenCount(), 1u);
    EXPECT_EQ(g_events, (std::vector<std::string>{"a.Update"}));
}

TEST_F(ScreenStack, DialogResultGoesToTheDialogBelowWhenThereIsOne)
{
    RecordingScreen s("s");
    RecordingDialog outer("outer"), inner("inner");
    app->PushScreen(&s);
    app->PushDialog(&outer);
    app->PushDialog(&inner);
    g_events.clear();
    Key(27);
    app->UpdateFrame(kFrameStepMs);
    EXPECT_EQ(g_events, (std::vector<std::string>{"inner.Key27", "outer.DialogClosed1", "outer.Update"}));
}

TEST_F(ScreenStack, CloseAllDialogsEmptiesTheStackAndAsksTheTopScreen)
{
    RecordingScreen s("s");
    RecordingDialog d("d");
    app->PushScreen(&s);
    app->PushDialog(&d);
    g_events.clear();
    app->CloseAllDialogs();
    EXPECT_EQ(app->DialogCount(), 0u);
    EXPECT_EQ(g_events, (std::vector<std::string>{"s.CloseRequest"}));
}

TEST_F(ScreenStack, InactiveWindowUpdatesNothingButStillCarriesOutCloses)
{
    RecordingScreen a("a"), b("b");
    app->PushScreen(&a);
    app->PushScreen(&b);
    app->SetActive(false);
    app->CloseTop(false);
    g_events.clear();
    app->UpdateFrame(kFrameStepMs);
    EXPECT_EQ(g_events, (std::vector<std::string>{"a.ScreenClosed", "a.Activate"}));
}

TEST_F(ScreenStack, InputWithEmptyStacksIsDropped)
{
    Key(27);
    app->UpdateFrame(kFrameStepMs);
    app->DrawScreens();
    EXPECT_TRUE(g_events.empty());
}

namespace {
class PressControl : public CControl {
public:
    bool OnLButtonDown(int, int, unsigned) override { return hit; }
    bool hit = false;
};
class DragScreen : public CScreen {
public:
    DragScreen() { m_controls.push_back(&control); }
    PressControl control;
};
}  // namespace

TEST_F(ScreenStack, APressOnAControlNeverStartsADrag)
{
    DragScreen s;
    s.control.hit = true;
    s.OnLButtonDown(10, 10, 0);
    EXPECT_FALSE(s.IsDragging());
    s.control.hit = false;
    s.OnLButtonDown(10, 10, 0);
    EXPECT_TRUE(s.IsDragging());
    s.OnLButtonUp(10, 10, 0);
    EXPECT_FALSE(s.IsDragging());
}

TEST(FramePacing, SleepsToSeventeenMillisecondsAfterTheFrameStart)
{
    EXPECT_EQ(FrameSleepMs(1000, 1000), 17u);
    EXPECT_EQ(FrameSleepMs(1000, 1010), 7u);
    EXPECT_EQ(FrameSleepMs(1000, 1015), 2u);
    EXPECT_EQ(FrameSleepMs(1000, 1016), 0u);  // deadline reached: no sleep
    EXPECT_EQ(FrameSleepMs(1000, 1040), 0u);  // a slow frame is not caught up
    EXPECT_FLOAT_EQ(kFrameStepMs, 1000.0f / 60.0f);
}

namespace {

// A top screen that answers a close request with another close, as the main menu and the game do;
// past a thousand requests it ends the loop with code 99 instead (the key never came up).
class CloseAnsweringScreen : public RecordingScreen {
public:
    using RecordingScreen::RecordingScreen;
    void OnCloseRequest() override
    {
        ++requests;
        AppWindow* app = AppWindow::Get();
        if (requests > 1000) {
            app->PostQuit(99);
            return;
        }
        platform::Message close;
        close.kind = platform::MsgKind::Close;
        app->Pump().Post(close);
    }
    int requests = 0;
};

// Alt+F4 as the keyboard delivers it: the key press, with F4 held for a number of looks at the
// keyboard (the system's state is refreshed while the pump hands out queued messages).
struct AltF4 {
    explicit AltF4(AppWindow* app, int heldRefreshes) : left(heldRefreshes)
    {
        down = heldRefreshes > 0;
        app->Pump().f4Down = [this] { return down; };
        app->Pump().refreshKeyState = [this] {
            ++refreshes;
            if (down && --left <= 0)
                down = false;
        };
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = SDLK_F4;
        e.key.keysym.mod = KMOD_LALT;
        app->Pump().Translate(e);
    }
    int left;
    bool down = false;
    int refreshes = 0;
};

}  // namespace

TEST_F(ScreenStack, AltF4HeldHandsTheCloseToTheTopScreenUntilTheKeyIsUpThenTheLoopEnds)
{
    CloseAnsweringScreen s("s");
    RecordingDialog d("d");
    app->PushScreen(&s);
    app->PushDialog(&d);
    g_events.clear();
    AltF4 keys(app, 5);
    EXPECT_EQ(app->RunLoop(true), 0);
    EXPECT_FALSE(keys.down);
    EXPECT_GE(s.requests, 1) << "while F4 is down the top screen decides";
    EXPECT_LE(s.requests, 5);
    EXPECT_EQ(app->DialogCount(), 0u);
    for (const std::string& e : g_events)
        EXPECT_EQ(e, "s.CloseRequest") << "nothing is updated or drawn on the way out";
}

TEST_F(ScreenStack, AltF4TappedBeforeTheCloseIsHandledQuitsAtOnce)
{
    CloseAnsweringScreen s("s");
    RecordingDialog d("d");
    app->PushScreen(&s);
    app->PushDialog(&d);
    AltF4 keys(app, 0);
    EXPECT_EQ(app->RunLoop(true), 0);
    EXPECT_EQ(s.requests, 0);
    EXPECT_EQ(app->DialogCount(), 1u) << "closed by other means: no screen is asked";
}

// The widget rules of the menus: when buttons, check boxes and radios fire, the edit's insertion,
// paste and digit/range rules, list rows and scrolling, texts kept inside their widgets, track bar
// clamping and the key reader's capture.
#include "unit/PictureFiles.h"

#include "app/CScreen.h"
#include "render/BitmapText.h"
#include "ui/KeyPoll.h"
#include "ui/KeyReader.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/SimpleEdit.h"
#include "ui/SimpleList.h"
#include "ui/TrackBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A screen that records which widgets fired.
class OwnerScreen : public CScreen {
public:
    void OnControlEvent(CControl* control) override { fired.push_back(control); }
    std::vector<CControl*> fired;
};

// An edit whose modifiers and clipboard the test sets.
class TestEdit : public CSimpleEdit {
public:
    using CSimpleEdit::CSimpleEdit;
    bool ctrl = false, shift = false;
    std::string clipboard;

protected:
    bool CtrlDown() const override { return ctrl; }
    bool ShiftDown() const override { return shift; }
    std::string Clipboard() const override { return clipboard; }
};

class FakePoll : public IKeyPoll {
public:
    void Poll() override { ++polls; }
    int FirstKeyDown() const override { return key; }
    bool JoystickPresent() const override { return joystick; }
    uint8_t JoyButton(int index) const override { return index >= 0 && index < 32 ? buttons[index] : 0; }
    int key = -1;
    bool joystick = false;
    uint8_t buttons[32] = {};
    int polls = 0;
};

constexpr int kVkBack = 0x08, kVkHome = 0x24, kVkEnd = 0x23, kVkLeft = 0x25, kVkDelete = 0x2E, kVkInsert = 0x2D;

TEST(SimpleButton, FiresOnPressNotOnRelease)
{
    OwnerScreen owner;
    CSimpleButton b(&owner, nullptr);
    b.SetPosition(100, 50);
    b.SetSize(80, 30);
    EXPECT_TRUE(b.OnMouseMove(120, 60, 0));
    EXPECT_EQ(b.State(), 2);
    EXPECT_TRUE(b.OnLButtonDown(120, 60, 0));
    EXPECT_EQ(b.State(), 3);
    ASSERT_EQ(owner.fired.size(), 1u);
    EXPECT_EQ(owner.fired[0], &b);
    EXPECT_TRUE(b.OnLButtonUp(120, 60, 0));
    EXPECT_EQ(b.State(), 2);
    EXPECT_EQ(owner.fired.size(), 1u) << "release must not fire again";
    EXPECT_FALSE(b.OnLButtonUp(120, 60, 0)) << "a second release is not the button's";
    b.Reset();
    EXPECT_EQ(b.State(), 1);
}

TEST(SimpleButton, EdgesAreInclusiveAndDisabledButtonsIgnoreInput)
{
    OwnerScreen owner;
    CSimpleButton b(&owner, nullptr);
    b.SetPosition(10.7f, 20.2f);  // edges truncate to 10..90 and 20..50
    b.SetSize(80, 30);
    EXPECT_TRUE(b.Inside(10, 20));
    EXPECT_TRUE(b.Inside(90, 50));
    EXPECT_FALSE(b.Inside(9, 20));
    EXPECT_FALSE(b.Inside(91, 50));
    EXPECT_FALSE(b.OnMouseMove(200, 200, 0));
    EXPECT_EQ(b.State(), 1);
    b.SetEnabled(false);
    EXPECT_FALSE(b.OnLButtonDown(50, 30, 0));
    EXPECT_TRUE(owner.fired.empty());
}

// A shared layout may put a widget anywhere int reaches; its edges are clamped to int, so a
// widget at the far right never catches a click at the far left (a wrapped edge did).
TEST(Widgets, PositionsAtTheEndsOfIntStayAtTheirOwnEnd)
{
    OwnerScreen owner;
    CSimpleButton right(&owner, nullptr);
    right.SetPosition(2147483647.0f, 2147483647.0f);
    right.SetSize(80, 30);
    EXPECT_FALSE(right.Inside(-2147483647 - 1, -2147483647 - 1));
    EXPECT_FALSE(right.Inside(0, 0));
    EXPECT_TRUE(right.Inside(2147483647, 2147483647));

    CSimpleButton left(&owner, nullptr);
    left.SetPosition(-3.0e9f, -3.0e9f);
    left.SetSize(80, 30);
    EXPECT_TRUE(left.Inside(-2147483647 - 1, -2147483647 - 1));
    EXPECT_FALSE(left.Inside(2147483647, 2147483647));

    CTrackBar bar(&owner, nullptr);
    bar.SetPosition(2147483647.0f, 2147483647.0f);
    bar.SetSize(20, 32);
    EXPECT_FALSE(bar.OnLButtonDown(-2147483647 - 1, -2147483647 - 1, 0));

    // A list far up the screen: a click far below it is past the last row, not a wrapped row.
    CSimpleList list(&owner, nullptr, nullptr, 0.5f);
    list.SetPosition(0, -2147483647.0f - 1.0f);
    list.SetSize(200, 150);
    for (int i = 0; i < 3; ++i)
        list.AddItem("set" + std::to_string(i));
    EXPECT_EQ(list.RowAt(2147483647), -1);
}

TEST(SimpleCheckBox, FiresOnReleaseOnlyOverItself)
{
    OwnerScreen owner;
    CSimpleCheckBox c(&owner, nullptr);
    c.SetPosition(0, 0);
    c.SetSize(40, 40);
    EXPECT_TRUE(c.OnLButtonDown(10, 10, 0));
    EXPECT_FALSE(c.OnLButtonUp(10, 10, 0)) << "no hover band yet: nothing happens";
    EXPECT_TRUE(owner.fired.empty());

    c.OnMouseMove(10, 10, 0);
    EXPECT_EQ(c.State(), 2);
    c.OnLButtonDown(10, 10, 0);
    EXPECT_TRUE(owner.fired.empty()) << "a press alone does not fire";
    c.OnLButtonUp(10, 10, 0);
    EXPECT_TRUE(c.IsChecked());
    EXPECT_EQ(c.State(), 4);
    ASSERT_EQ(owner.fired.size(), 1u);

    // Pressed over it, released after leaving: the cursor left, band 3, no toggle.
    c.OnLButtonDown(10, 10, 0);
    c.OnMouseMove(100, 100, 0);
    EXPECT_EQ(c.State(), 3);
    c.OnLButtonUp(100, 100, 0);
    EXPECT_TRUE(c.IsChecked());
    EXPECT_EQ(owner.fired.size(), 1u);

    c.OnMouseMove(5, 5, 0);
    c.OnLButtonUp(5, 5, 0);
    EXPECT_FALSE(c.IsChecked());
    EXPECT_EQ(c.State(), 2);
    EXPECT_EQ(owner.fired.size(), 2u);

    // The cursor went on to a button that took the move first: the box still shows its hover band,
    // and a release over the button must not toggle the box.
    c.OnMouseMove(5, 5, 0);
    c.OnLButtonUp(5, 5, 0);
    ASSERT_TRUE(c.IsChecked());
    ASSERT_EQ(c.State(), 4);
    EXPECT_FALSE(c.OnLButtonUp(300, 20, 0));
    EXPECT_TRUE(c.IsChecked());
    EXPECT_EQ(c.State(), 3);
    EXPECT_EQ(owner.fired.size(), 3u);
}

TEST(SimpleRadio, OnlyTurnsOnAndTheGroupKeepsOne)
{
    OwnerScreen owner;
    CSimpleRadio a(&owner, nullptr), b(&owner, nullptr);
    a.SetSize(20, 20);
    b.SetPosition(50, 0);
    b.SetSize(20, 20);
    CRadioGroup group;
    group.Add(&a);
    group.Add(&b);
    EXPECT_EQ(group.Selected(), -1);
    group.Select(0);
    EXPECT_EQ(group.Selected(), 0);

    a.OnMouseMove(5, 5, 0);
    EXPECT_EQ(a.State(), 4);
    EXPECT_FALSE(a.OnLButtonUp(5, 5, 0)) << "a ticked radio stays ticked";
    EXPECT_TRUE(a.IsChecked());
    EXPECT_TRUE(owner.fired.empty());

    b.OnMouseMove(55, 5, 0);
    EXPECT_TRUE(b.OnLButtonUp(55, 5, 0));
    ASSERT_EQ(owner.fired.size(), 1u);
    group.Select(&b);
    EXPECT_FALSE(a.IsChecked());
    EXPECT_EQ(a.State(), 1);
    EXPECT_EQ(group.Selected(), 1);
}

TEST(SimpleEdit, PasteIsCutAtTheMaximumLength)
{
    OwnerScreen owner;
    TestEdit e(&owner, nullptr, nullptr, 20);
    e.SetSize(100, 30);
    e.SetFocused(true);
    e.clipboard = "abcdefghijklmnopqrst";  // 20 characters
    e.ctrl = true;
    e.OnKeyDown('V');
    EXPECT_EQ(e.Text(), "abcdefghij");
    EXPECT_EQ(e.Caret(), 10);
    EXPECT_TRUE(e.IsCaretShown());

    // Shift+Insert pastes too; control characters become spaces; a full edit takes nothing more.
    TestEdit f(&owner, nullptr, nullptr, 20);
    f.SetFocused(true);
    f.shift = true;
    f.clipboard = "a\tb\x7f" "c";
    f.OnKeyDown(kVkInsert);
    EXPECT_EQ(f.Text(), "a b c");
    e.OnKeyDown('V');
    EXPECT_EQ(e.Text(), "abcdefghij");
    // V without Ctrl is just a key.
    f.shift = false;
    f.OnKeyDown('V');
    EXPECT_EQ(f.Text(), "a b c");
}

TEST(SimpleEdit, EditingKeysMoveTheCaretAndDeleteOnlyWhenFocused)
{
    OwnerScreen owner;
    TestEdit e(&owner, nullptr, nullptr, 20);
    e.SetPosition(0, 0);
    e.SetSize(100, 30);
    e.SetText("hello");
    e.OnChar('x', 1);
    EXPECT_EQ(e.Text(), "hello") << "an idle edit takes no characters";
    EXPECT_TRUE(e.OnLButtonDown(10, 10, 0));
    EXPECT_TRUE(e.IsFocused());
    e.OnKeyDown(kVkHome);
    e.OnChar('>', 1);
    EXPECT_EQ(e.Text(), ">hello");
    e.OnKeyDown(kVkDelete);
    EXPECT_EQ(e.Text(), ">ello");
    e.OnKeyDown(kVkEnd);
    e.OnKeyDown(kVkBack);
    EXPECT_EQ(e.Text(), ">ell");
    e.OnKeyDown(kVkLeft);
    e.OnChar('_', 1);
    EXPECT_EQ(e.Text(), ">el_l");
    e.OnChar(7, 1);     // control character
    e.OnChar(200, 1);   // beyond '~'
    EXPECT_EQ(e.Text(), ">el_l");
    e.OnLButtonDown(500, 500, 0);
    EXPECT_FALSE(e.IsFocused());
    e.OnKeyDown(kVkBack);
    EXPECT_EQ(e.Text(), ">el_l");
    // Setting a long text keeps the maximum length.
    e.SetText("0123456789abcdef");
    EXPECT_EQ(e.Text(), "0123456789");
    EXPECT_EQ(e.Caret(), 10);
}

TEST(SimpleEdit, DigitsWithARangeRefuseWhatWouldLeaveIt)
{
    OwnerScreen owner;
    CSimpleEdit e(&owner, nullptr, nullptr, 30);
    e.SetFocused(true);
    e.SetDigitsOnly(true);
    e.SetRange(1, 50);
    e.SetText("5");
    e.OnChar('0', 1);
    EXPECT_EQ(e.Text(), "50");
    e.OnChar('1', 1);
    EXPECT_EQ(e.Text(), "50");
    e.OnChar('a', 1);
    EXPECT_EQ(e.Text(), "50");

    // The custom-game edit of a set of 9 levels: two digits at most, 1..9.
    CSimpleEdit n(&owner, nullptr, nullptr, 30);
    n.SetFocused(true);
    n.SetMaxLength(2);
    n.SetDigitsOnly(true);
    n.SetRange(1, 9);
    n.SetText("");
    n.OnChar('0', 1);
    EXPECT_EQ(n.Text(), "") << "0 is below the range";
    n.OnChar('1', 1);
    n.OnChar('0', 1);
    EXPECT_EQ(n.Text(), "1") << "10 is above the range";
    n.OnChar('a', 1);
    EXPECT_EQ(n.Text(), "1");
}

TEST(SimpleEdit, CaretBlinksEveryHalfSecond)
{
    OwnerScreen owner;
    CSimpleEdit e(&owner, nullptr, nullptr, 20);
    const bool start = e.IsCaretShown();
    e.Update(300);
    EXPECT_EQ(e.IsCaretShown(), start);
    e.Update(300);
    EXPECT_NE(e.IsCaretShown(), start);
    e.Update(400);
    EXPECT_NE(e.IsCaretShown(), start) << "the accumulator restarted at 0";
    e.Update(101);
    EXPECT_EQ(e.IsCaretShown(), start);
}

TEST(SimpleList, SelectsARowOnlyWhenFocusedAndIgnoresClicksBelowTheLastRow)
{
    OwnerScreen owner;
    CSimpleList list(&owner, nullptr, nullptr, 20);
    list.SetPosition(10, 100);
    list.SetSize(200, 150);
    list.AddItem("base (10)");
    list.AddItem("hard (5)");
    list.AddItem("mods (2)");
    // Rows start at top + margin x 1.2 = 108.4 and are 20 high.
    EXPECT_EQ(list.RowAt(109), 0);
    EXPECT_EQ(list.RowAt(130), 1);
    EXPECT_EQ(list.RowAt(167), 2);
    EXPECT_EQ(list.RowAt(169), -1);
    EXPECT_EQ(list.RowAt(105), -1);

    EXPECT_TRUE(list.OnLButtonDown(50, 130, 0));
    EXPECT_EQ(list.Selected(), 0) << "the first press only focuses";
    EXPECT_TRUE(list.OnLButtonDown(50, 130, 0));
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_TRUE(list.OnLButtonDown(50, 200, 0));
    EXPECT_EQ(list.Selected(), 1) << "below the third row: nothing";
    EXPECT_FALSE(list.OnLButtonDown(500, 130, 0));
    EXPECT_FALSE(list.IsFocused());
    list.OnLButtonDown(50, 160, 0);
    EXPECT_EQ(list.Selected(), 1);
}

TEST(SimpleList, MoreRowsThanFitScrollAndOnlyTheRowsShownCanBePicked)
{
    OwnerScreen owner;
    // The level-set list: 210 high at size 22 holds nine rows.
    CSimpleList list(&owner, nullptr, nullptr, 22);
    list.SetPosition(30, 70);
    list.SetSize(340, 210);
    for (int i = 0; i < 12; ++i)
        list.AddItem("set" + std::to_string(i) + " (10)");
    ASSERT_EQ(list.VisibleRows(), 9);
    ASSERT_TRUE(list.Scrolls());
    // Row 8 (the ninth shown) ends above the list's bottom; below it nothing is picked, although
    // the list holds more rows.
    const int row8 = static_cast<int>(70 + 7 * 1.2f + 22 * 8) + 5;
    EXPECT_EQ(list.RowAt(row8), 8);
    EXPECT_EQ(list.RowAt(row8 + 22), -1);

    // The selected set is scrolled into view.
    list.SetSelected(11);
    EXPECT_EQ(list.FirstShown(), 3);
    EXPECT_EQ(list.RowAt(row8), 11);
    EXPECT_EQ(list.RowAt(80), 3);

    // The strip at the right edge: its upper half shows the row above, its lower half the one below.
    EXPECT_TRUE(list.OnLButtonDown(30 + 340 - 10, 90, 0));
    EXPECT_EQ(list.FirstShown(), 2);
    EXPECT_EQ(list.Selected(), 11) << "the strip scrolls, it does not pick";
    list.OnLButtonDown(30 + 340 - 10, 260, 0);
    list.OnLButtonDown(30 + 340 - 10, 260, 0);
    EXPECT_EQ(list.FirstShown(), 3) << "never past the last row";

    // Up and Down move the selection of the focused list and keep it in view.
    for (int i = 0; i < 11; ++i)
        list.OnKeyDown(CSimpleList::kVkUp);
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_EQ(list.FirstShown(), 0);
    list.OnKeyDown(CSimpleList::kVkUp);
    EXPECT_EQ(list.Selected(), 0);
    for (int i = 0; i < 9; ++i)
        list.OnKeyDown(CSimpleList::kVkDown);
    EXPECT_EQ(list.Selected(), 9);
    EXPECT_EQ(list.FirstShown(), 1);
    list.OnLButtonDown(500, 90, 0);
    list.OnKeyDown(CSimpleList::kVkDown);
    EXPECT_EQ(list.Selected(), 9) << "an idle list ignores the keys";

    // A list whose rows all fit has no strip: a press at its right edge picks a row.
    CSimpleList few(&owner, nullptr, nullptr, 22);
    few.SetPosition(30, 70);
    few.SetSize(340, 210);
    for (int i = 0; i < 9; ++i)
        few.AddItem("set" + std::to_string(i));
    EXPECT_FALSE(few.Scrolls());
    few.OnLButtonDown(360, 90, 0);
    few.OnLButtonDown(360, 90, 0);
    EXPECT_EQ(few.Selected(), 0);
    EXPECT_EQ(few.FirstShown(), 0);
    few.ScrollTo(5);
    EXPECT_EQ(few.FirstShown(), 0);
}

TEST(WidgetText, LongCaptionsAndNamesAreDrawnSmallerToStayInsideTheirWidget)
{
    const std::vector<uint8_t> tga = MakeFontTga(CBitmapText::kGlyphCount);
    CBitmapText font;
    ASSERT_TRUE(font.BuildGlyphs(tga.data(), tga.size()));
    OwnerScreen owner;

    CKeyReader r(&owner, nullptr, &font, 25);
    r.SetSize(220, 48);
    r.SetCode(46);  // "C"
    EXPECT_FLOAT_EQ(r.CaptionSize(), 25) << "a short name keeps the options' size";
    r.SetCode(141);  // "NUMPAD EQUALS"
    const float room = 220 - CKeyReader::kTextX - CKeyReader::kRightMargin;
    ASSERT_GT(font.TextWidth(r.Caption().c_str(), 25), room) << "the test needs a name that does not fit";
    EXPECT_LT(r.CaptionSize(), 25);
    EXPECT_LE(font.TextWidth(r.Caption().c_str(), r.CaptionSize()), room + 0.01f);

    TestEdit e(&owner, nullptr, &font, 30);
    e.SetSize(200, 48);
    e.SetMaxLength(15);
    e.SetText("Ann");
    EXPECT_FLOAT_EQ(e.TextSize(), 30);
    e.SetText("WWWWWWWWWWWWWWW");
    const float inside = 200 - 2 * CSimpleEdit::kMargin - 3;
    ASSERT_GT(font.TextWidth(e.Text().c_str(), 30), inside) << "the test needs a name that does not fit";
    EXPECT_LT(e.TextSize(), 30);
    EXPECT_LE(font.TextWidth(e.Text().c_str(), e.TextSize()), inside + 0.01f);
    // The shrinking stops at half the size; cut texts end with dots and fit.
    EXPECT_FLOAT_EQ(FitTextSize(&font, std::string(400, 'W'), 20, 100, 10), 10);
    EXPECT_FLOAT_EQ(FitTextSize(nullptr, "anything", 20, 1, 10), 20);
    const std::string cut = CutText(&font, "kilo_with_a_rather_long_name (10)", 22, 120);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(font.TextWidth(cut.c_str(), 22), 120);
    EXPECT_EQ(CutText(&font, "base (10)", 22, 1000), "base (10)");
    EXPECT_EQ(CutText(&font, "base (10)", 22, 1), "...");
}

TEST(TrackBar, ClampsAtBothEndsAndKeepsFractions)
{
    OwnerScreen owner;
    CTrackBar bar(&owner, nullptr);
    bar.SetPosition(40, 500);
    bar.SetSize(20, 32);
    EXPECT_FLOAT_EQ(bar.ThumbX(), 90) << "value 5 of 0..10 over 100 pixels";
    EXPECT_FALSE(bar.OnLButtonDown(45, 510, 0)) << "the track is not the thumb";
    EXPECT_TRUE(bar.OnLButtonDown(95, 510, 0));
    EXPECT_TRUE(bar.OnMouseMove(-300, 510, 0));
    EXPECT_FLOAT_EQ(bar.Value(), 0);
    bar.OnMouseMove(2000, 510, 0);
    EXPECT_FLOAT_EQ(bar.Value(), 10);
    bar.OnMouseMove(40 + 10 + 33, 510, 0);
    EXPECT_FLOAT_EQ(bar.Value(), 3.3f);
    EXPECT_TRUE(owner.fired.empty());
    EXPECT_TRUE(bar.OnLButtonUp(0, 0, 0));
    EXPECT_EQ(owner.fired.size(), 1u);
    EXPECT_FALSE(bar.OnMouseMove(200, 510, 0)) << "released: no more dragging";
    EXPECT_FLOAT_EQ(bar.Value(), 3.3f);

    // The options dialog's mouse sensitivity: 0.3..4.0 over 215 pixels.
    CTrackBar mouse(&owner, nullptr);
    mouse.SetSize(20, 32);
    mouse.SetRange(0.3f, 4.0f);
    mouse.SetTrackLength(215);
    mouse.SetValue(1.5f);
    ASSERT_TRUE(mouse.OnLButtonDown(static_cast<int>(mouse.ThumbX()) + 5, 5, 0));
    mouse.OnMouseMove(10 + 43, 5, 0);
    EXPECT_NEAR(mouse.Value(), 0.3f + 43 * 3.7f / 215, 1e-5);
    mouse.OnMouseMove(-50, 5, 0);
    EXPECT_FLOAT_EQ(mouse.Value(), 0.3f);
}

TEST(KeyReader, TakesTheFirstKeyDownAndKeepsItsBindingWhenNoneIs)
{
    OwnerScreen owner;
    FakePoll poll;
    CKeyReader r(&owner, nullptr, nullptr, 25);
    r.SetPoll(&poll);
    r.SetPosition(0, 0);
    r.SetSize(200, 48);
    r.SetCode(203);
    EXPECT_EQ(r.Caption(), "LEFT ARROW");

    r.OnKeyDown('A');
    EXPECT_EQ(poll.polls, 0) << "an idle reader does not poll";
    EXPECT_TRUE(r.OnLButtonDown(10, 10, 0));
    EXPECT_TRUE(r.IsWaiting());
    poll.key = -1;
    r.OnKeyDown('A');
    EXPECT_EQ(r.Code(), 203);
    EXPECT_EQ(r.Caption(), "LEFT ARROW");
    EXPECT_FALSE(r.IsWaiting());

    r.OnLButtonDown(10, 10, 0);
    poll.key = 46;
    r.OnKeyDown('C');
    EXPECT_EQ(r.Code(), 46);
    EXPECT_EQ(r.Caption(), "C");
    r.OnLButtonDown(10, 10, 0);
    r.OnLButtonDown(300, 10, 0);
    EXPECT_FALSE(r.IsWaiting()) << "a press outside stops waiting";
}

TEST(KeyReader, JoystickModeWaitsForOneOfTheFirstElevenButtons)
{
    OwnerScreen owner;
    FakePoll poll;
    CKeyReader r(&owner, nullptr, nullptr, 25, true);
    r.SetPoll(&poll);
    r.SetSize(200, 48);
    r.SetCode(0);
    EXPECT_EQ(r.Caption(), "Button 1");
    r.OnLButtonDown(5, 5, 0);
    r.Update(16);
    EXPECT_TRUE(r.IsWaiting()) << "no joystick: keeps waiting";
    poll.joystick = true;
    poll.buttons[11] = 0x80;  // beyond the eleven buttons a binding may take
    r.Update(16);
    EXPECT_TRUE(r.IsWaiting());
    poll.buttons[4] = 0x80;
    poll.buttons[6] = 0x80;
    r.Update(16);
    EXPECT_FALSE(r.IsWaiting());
    EXPECT_EQ(r.Code(), 4);
    EXPECT_EQ(r.Caption(), "Button 5");
}

} // namespace

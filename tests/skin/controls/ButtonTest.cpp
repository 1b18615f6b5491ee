// The skinned push buttons: pictures per look and state, focus marks, glyph placement
// and the input paths (click, drag out, repeat, keys, default and cancel).
#include "SkinTestHelpers.h"
#include "framework/controls/StdCtrls.h"
#include "skin/controls/SKButton.h"
#include "skin/core/SKDraw.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace skintest;

namespace {

// The button's face as it must look: its colour, then the frame as a nine-grid.
QImage ExpectedFace(const QImage& frame, int width, int height, TColor color) {
    TBitmap expected;
    expected.SetSize(width, height);
    FillRectColor(expected.Canvas(), Rect(0, 0, width, height), color);
    TBitmap picture;
    picture.SetImage(frame);
    DrawNineGrid(&picture, expected.Canvas(), Rect(0, 0, width, height), false);
    expected.Canvas()->ReleaseHandle();
    return expected.Image();
}

std::unique_ptr<TskButton> OpaqueButton(TskUIStyle look) {
    auto button = std::make_unique<TskButton>(nullptr);
    button->SetUIStyle(look);
    button->SetTransparent(false);
    return button;
}

void Press(TControl& control, int x = 5, int y = 5) {
    control.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
}

void Release(TControl& control, int x = 5, int y = 5) {
    control.Perform(WM_LBUTTONUP, 0, MakeLParam(x, y));
}

void SendKey(QWidget* widget, QEvent::Type type, int key, bool autoRepeat) {
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : "",
                    autoRepeat);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(SkinButton, EveryLookAndStateShowsItsFrameStretchedOverTheButton) {
    for (const TskUIStyle look : BuiltinLooks) {
        const auto button = OpaqueButton(look);
        const QImage normal = CutByHand(look, ButtonImage, 3, 1);
        EXPECT_EQ(Paint(*button), ExpectedFace(normal, 80, 27, button->Color())) << int(look);
        button->Perform(CM_MOUSEENTER);
        EXPECT_EQ(Paint(*button),
                  ExpectedFace(CutByHand(look, ButtonImage, 3, 2), 80, 27, button->Color()))
            << int(look);
        Press(*button);
        EXPECT_EQ(Paint(*button),
                  ExpectedFace(CutByHand(look, ButtonImage, 3, 3), 80, 27, button->Color()))
            << int(look);
        button->SetEnabled(false);
        EXPECT_EQ(Paint(*button), ExpectedFace(normal, 80, 27, button->Color())) << int(look);
        EXPECT_TRUE(button->MouseIsDown()) << "disabling changes only the picture";
    }
}

TEST(SkinButton, TheLookDecidesTransparency) {
    TskButton button(nullptr);
    button.SetUIStyle(WinXP);
    EXPECT_FALSE(button.Transparent());
    button.SetUIStyle(BlueGlass);
    EXPECT_TRUE(button.Transparent());
    EXPECT_TRUE(button.PicTransparent());
    button.SetUIStyle(MacOS);
    EXPECT_TRUE(button.Transparent());
    button.SetUIStyle(Protein);
    EXPECT_FALSE(button.Transparent());
}

TEST(SkinButton, FocusIsADottedRectangleOrABoldCaptionByLook) {
    const auto form = ShownForm();
    for (const TskUIStyle look : {DeepBlue, MacOS}) {
        auto* button = new TskButton(form.get());
        button->SetParent(form.get());
        button->SetUIStyle(look);
        button->SetTransparent(false);
        const QImage unfocused = Paint(*button);
        button->SetFocus();
        ASSERT_TRUE(WaitFor([&] { return button->Focused(); }));
        const QImage focused = Paint(*button);
        if (look == DeepBlue) {
            EXPECT_NE(focused.pixel(2, 2), unfocused.pixel(2, 2));
            EXPECT_EQ(focused.pixel(3, 2), unfocused.pixel(3, 2));
            EXPECT_NE(focused.pixel(2, 4), unfocused.pixel(2, 4));
            EXPECT_EQ(focused.pixel(1, 1), unfocused.pixel(1, 1));
        } else {
            EXPECT_EQ(focused, unfocused) << "MacOS marks the focus only by a bold caption";
        }
        delete button;
    }
}

TEST(SkinButton, GlyphAndCaptionPlacementFollowsTheLayout) {
    TskGlyphPlacement left = PlaceGlyph(skGlyphLeft, {80, 27}, {16, 16}, {40, 13}, 4, false);
    EXPECT_EQ(left.Glyph, Point(10, 5));
    EXPECT_EQ(left.Caption, Point(30, 7));
    left = PlaceGlyph(skGlyphLeft, {80, 27}, {16, 16}, {40, 13}, 4, true);
    EXPECT_EQ(left.Glyph, Point(11, 6));
    const TskGlyphPlacement right =
        PlaceGlyph(skGlyphRight, {80, 27}, {16, 16}, {40, 13}, 4, false);
    EXPECT_EQ(right.Glyph, Point(54, 5));
    EXPECT_EQ(right.Caption, Point(10, 7));
    const TskGlyphPlacement top = PlaceGlyph(skGlyphTop, {80, 60}, {16, 16}, {40, 13}, 4, false);
    EXPECT_EQ(top.Glyph, Point(32, 13));
    EXPECT_EQ(top.Caption, Point(20, 33));
    const TskGlyphPlacement bottom =
        PlaceGlyph(skGlyphBottom, {80, 60}, {16, 16}, {40, 13}, 4, false);
    EXPECT_EQ(bottom.Glyph, Point(32, 30));
    EXPECT_EQ(bottom.Caption, Point(20, 13));
    // Rounds towards zero when the room is negative.
    EXPECT_EQ(PlaceGlyph(skGlyphLeft, {10, 5}, {16, 16}, {40, 13}, 4, false).Glyph, Point(-25, -5));
}

TEST(SkinButton, ATwoFrameGlyphShowsItsRightFrameWhenDisabled) {
    QImage glyph(32, 16, QImage::Format_RGB32);
    glyph.fill(0xFFFF00FF);
    for (int y = 4; y < 12; ++y) {
        for (int x = 4; x < 12; ++x) {
            glyph.setPixel(x, y, 0xFF00FF00);
            glyph.setPixel(16 + x, y, 0xFF0000FF);
        }
    }
    EXPECT_TRUE(GlyphHasTwoFrames(glyph));
    EXPECT_EQ(GlyphFrameSize(glyph), (TSize{16, 16}));
    auto button = OpaqueButton(DeepBlue);
    TBitmap bitmap;
    bitmap.SetImage(glyph);
    button->SetGlyph(&bitmap);
    const QImage enabled = Paint(*button);
    // No caption: the glyph sits in the middle, at (30, 5).
    EXPECT_EQ(enabled.pixel(30 + 4, 5 + 4) & 0xFFFFFF, 0x00FF00u);
    button->SetEnabled(false);
    const QImage disabled = Paint(*button);
    EXPECT_EQ(disabled.pixel(30 + 4, 5 + 4) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(disabled.pixel(30, 5), enabled.pixel(30, 5)) << "the key colour stays transparent";
    EXPECT_FALSE(GlyphHasTwoFrames(QImage(48, 16, QImage::Format_RGB32)));
}

TEST(SkinButton, AutoSizeTakesOneFrameOfTheLooksOwnPicture) {
    TskButton button(nullptr);
    button.SetUIStyle(MacOS);
    button.SetAutoSize(true);
    EXPECT_EQ(button.Width(), 84);
    EXPECT_EQ(button.Height(), 23);
    button.SetUIStyle(FromThemeFile);
    EXPECT_EQ(button.Width(), 24);
    EXPECT_EQ(button.Height(), 21);
}

TEST(SkinButton, AClickReleasesInsideAndADragOutDoesNot) {
    TskButton button(nullptr);
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    Press(button);
    EXPECT_TRUE(button.MouseIsDown());
    Release(button);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.MouseIsDown());
    EXPECT_FALSE(button.RepeatTimerRunning());

    Press(button);
    button.Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(200, 5));
    EXPECT_FALSE(button.MouseIsDown());
    EXPECT_FALSE(button.MouseIsOver());
    Release(button, 200, 5);
    EXPECT_EQ(clicks, 1);
    // A point on the right edge still counts as inside.
    Press(button);
    button.Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(80, 27));
    EXPECT_TRUE(button.MouseIsDown());
}

TEST(SkinButton, LeavingWhileHeldEndsThePressAtTheEdge) {
    const auto form = ShownForm();
    auto* button = new TskButton(form.get());
    button->SetParent(form.get());
    int exits = 0;
    button->OnMouseExit = [&](TObject*) { ++exits; };
    QWidget* widget = button->Handle();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    ASSERT_TRUE(button->RepeatTimerRunning());
    QMouseEvent out(QEvent::MouseMove, QPointF(120, 5), widget->mapToGlobal(QPointF(120, 5)),
                    Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &out);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(button->RepeatTimerRunning());
    EXPECT_FALSE(button->MouseIsDown());
    // Qt's own late leave after the release is not a second one.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
    EXPECT_EQ(exits, 1);
    delete button;
}

TEST(SkinButton, HoldingRepeatsUntilTheClick) {
    TskButton button(nullptr);
    button.SetMouseContinuouslyDownInterval(20);
    int ticks = 0;
    int clicks = 0;
    button.OnMouseContinuouslyDown = [&](TObject* sender) {
        EXPECT_EQ(sender, &button);
        ++ticks;
    };
    button.OnClick = [&](TObject*) { ++clicks; };
    Press(button);
    EXPECT_EQ(ticks, 0) << "the first tick comes after one period";
    ASSERT_TRUE(WaitFor([&] { return ticks >= 3; }));
    Release(button);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.RepeatTimerRunning());
    const int ticksAtRelease = ticks;
    TTimer probe(nullptr);
    probe.SetInterval(60);
    bool probed = false;
    probe.OnTimer = [&](TObject*) { probed = true; };
    ASSERT_TRUE(WaitFor([&] { return probed; }));
    EXPECT_EQ(ticks, ticksAtRelease);
}

TEST(SkinButton, AnIntervalOfZeroOrLessNeverTicksAndAHiddenButtonLetsGo) {
    TskButton button(nullptr);
    button.SetMouseContinuouslyDownInterval(-5);
    Press(button);
    EXPECT_TRUE(button.RepeatTimerRunning());
    button.Perform(WM_CAPTURECHANGED);
    EXPECT_FALSE(button.RepeatTimerRunning());
    EXPECT_FALSE(button.MouseIsDown());
}

TEST(SkinButton, ATickMayFreeItsOwnButton) {
    auto* button = new TskButton(nullptr);
    button->SetMouseContinuouslyDownInterval(5);
    bool freed = false;
    button->OnMouseContinuouslyDown = [&](TObject*) {
        if (!freed) {
            freed = true;
            delete button;
        }
    };
    Press(*button);
    ASSERT_TRUE(WaitFor([&] { return freed; }));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SkinButton, SpaceClicksOnReleaseOnceHoweverLongItIsHeld) {
    const auto form = ShownForm();
    auto* button = new TskButton(form.get());
    button->SetParent(form.get());
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return button->Focused(); }));
    QWidget* widget = button->Handle();
    SendKey(widget, QEvent::KeyPress, Qt::Key_Space, false);
    EXPECT_TRUE(button->MouseIsDown());
    for (int i = 0; i < 3; ++i) {
        SendKey(widget, QEvent::KeyRelease, Qt::Key_Space, true);
        SendKey(widget, QEvent::KeyPress, Qt::Key_Space, true);
    }
    EXPECT_EQ(clicks, 0);
    SendKey(widget, QEvent::KeyRelease, Qt::Key_Space, false);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->MouseIsDown());
    // Enter on the focused button clicks it once, at once.
    SendKey(widget, QEvent::KeyPress, Qt::Key_Return, false);
    SendKey(widget, QEvent::KeyRelease, Qt::Key_Return, false);
    EXPECT_EQ(clicks, 2);
    delete button;
}

TEST(SkinButton, EnterClicksTheDefaultButtonUnlessAnotherButtonHasTheFocus) {
    const auto form = ShownForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    auto* ok = new TskButton(form.get());
    ok->SetParent(form.get());
    ok->SetDefault(true);
    auto* other = new TskButton(form.get());
    other->SetParent(form.get());
    auto* cancel = new TskButton(form.get());
    cancel->SetParent(form.get());
    cancel->SetCancel(true);
    int okClicks = 0;
    int cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };

    edit->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return edit->Focused(); }));
    EXPECT_TRUE(ok->ActiveDefault());
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(okClicks, 1);
    form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
    EXPECT_EQ(cancelClicks, 1);
    form->Perform(CM_DIALOGKEY, VK_RETURN, TShiftState(TControl::ssCtrl).toInt());
    EXPECT_EQ(okClicks, 1) << "a modifier keeps Enter from the default button";

    other->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return other->Focused(); }));
    EXPECT_FALSE(ok->ActiveDefault());
    form->Perform(CM_DIALOGKEY, VK_RETURN, 0);
    EXPECT_EQ(okClicks, 1);
}

TEST(SkinButton, AClickWritesItsModalResultAndTheAcceleratorClicks) {
    const auto form = ShownForm();
    auto* button = new TskButton(form.get());
    button->SetParent(form.get());
    button->SetCaption(QStringLiteral("&Help"));
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->SetModalResult(mrOk);
    Press(*button);
    Release(*button);
    EXPECT_EQ(form->ModalResult(), 0);
    button->SetModalResult(mrCancel);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'h'), 1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    button->SetEnabled(false);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'h'), 0);
}

TEST(SkinImageButton, DrawsItsPicturesAndFallsBackToTheNormalOne) {
    TskImageButton button(nullptr);
    button.SetBounds(0, 0, 10, 10);
    EXPECT_EQ(button.UIStyle(), FromThemeFile);
    button.SetUIStyle(MacOS);
    EXPECT_EQ(button.UIStyle(), FromThemeFile);
    TPicture normal;
    normal.Bitmap()->SetSize(10, 10);
    normal.Bitmap()->Image().fill(0xFF00FF00);
    button.SetPicNormal(&normal);
    TPicture down;
    down.Bitmap()->SetSize(10, 10);
    down.Bitmap()->Image().fill(0xFF0000FF);
    button.SetPicMouseDown(&down);
    EXPECT_EQ(Paint(button).pixel(5, 5) & 0xFFFFFF, 0x00FF00u);
    button.Perform(CM_MOUSEENTER);
    EXPECT_EQ(Paint(button).pixel(5, 5) & 0xFFFFFF, 0x00FF00u);
    Press(button);
    EXPECT_EQ(Paint(button).pixel(5, 5) & 0xFFFFFF, 0x0000FFu);
    button.SetStretch(true);
    button.SetBounds(0, 0, 20, 20);
    EXPECT_EQ(Paint(button).pixel(19, 19) & 0xFFFFFF, 0x0000FFu);

    TskImageButton empty(nullptr);
    empty.SetBounds(0, 0, 8, 8);
    const QImage image = Paint(empty);
    EXPECT_EQ(image.pixel(4, 4), (QRgb)(ColorToQRgb(empty.Color()) | 0xFF000000u));
}

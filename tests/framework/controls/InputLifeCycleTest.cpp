// What skinned controls rely on from every control: reading order, references that
// clear themselves, crossings while a button is held, held keys, letting go of the
// mouse, the focus leaving a disabled control, and the disabled look of pictures.
#include "framework/controls/Control.h"
#include "framework/controls/Menus.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/ComponentReference.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/DrawDisabled.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

bool WaitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(5000);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

std::unique_ptr<TForm> ShownForm() {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(300, 300, 300, 200);
    form->Show();
    form->Handle()->activateWindow();
    WaitFor([&] { return form->Handle()->isActiveWindow(); });
    return form;
}

// Counts the messages a control is sent.
class TProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Enters = 0;
    int Leaves = 0;
    int CaptureChanges = 0;
    int KeyUps = 0;

protected:
    void WndProc(TMessage& message) override {
        Enters += message.Msg == CM_MOUSEENTER;
        Leaves += message.Msg == CM_MOUSELEAVE;
        CaptureChanges += message.Msg == WM_CAPTURECHANGED;
        KeyUps += message.Msg == WM_KEYUP;
        TCustomControl::WndProc(message);
    }
};

class THolder : public TComponent {
public:
    using TComponent::TComponent;
    int Cleared = 0;
    TComponentReference<TComponent> Target{this, [this](TComponent*) { ++Cleared; }};
};

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(BiDiMode, FollowsTheParentUntilSetAndNeedsARightToLeftLocale) {
    TForm form(nullptr);
    auto* child = new TProbe(&form);
    child->SetParent(&form);
    EXPECT_TRUE(child->ParentBiDiMode());
    form.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(child->BiDiMode(), bdRightToLeft);
    SetSysLocaleMiddleEastOverride(false);
    EXPECT_FALSE(child->UseRightToLeftAlignment());
    SetSysLocaleMiddleEastOverride(true);
    EXPECT_TRUE(child->UseRightToLeftAlignment());
    SetSysLocaleMiddleEastOverride(std::nullopt);
    child->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(child->ParentBiDiMode());
    form.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(child->BiDiMode(), bdLeftToRight);
    child->SetParentBiDiMode(true);
    EXPECT_EQ(child->BiDiMode(), bdRightToLeft);
    // A control placed later takes the parent's mode.
    auto* late = new TProbe(&form);
    late->SetParent(&form);
    EXPECT_EQ(late->BiDiMode(), bdRightToLeft);
}

TEST(ComponentReference, ClearsWhenTheTargetGoesAndFollowsAChange) {
    for (const bool holderFirst : {false, true}) {
        auto holder = std::make_unique<THolder>(nullptr);
        auto first = std::make_unique<TComponent>(nullptr);
        auto second = std::make_unique<TComponent>(nullptr);
        EXPECT_TRUE(holder->Target.Set(first.get()));
        EXPECT_FALSE(holder->Target.Set(first.get()));
        holder->Target.Set(second.get());
        first.reset();
        EXPECT_EQ(holder->Target.Get(), second.get()) << "the old target no longer concerns it";
        EXPECT_EQ(holder->Cleared, 0);
        if (holderFirst) {
            holder.reset();
            second.reset();
        } else {
            second.reset();
            EXPECT_EQ(holder->Target.Get(), nullptr);
            EXPECT_EQ(holder->Cleared, 1);
        }
    }
    TLabel label(nullptr);
    auto* edit = new TEdit(nullptr);
    label.SetFocusControl(edit);
    delete edit;
    EXPECT_EQ(label.FocusControl(), nullptr);
    TProbe control(nullptr);
    auto* menu = new TPopupMenu(nullptr);
    control.SetPopupMenu(menu);
    EXPECT_EQ(control.PopupMenu(), menu);
    delete menu;
    EXPECT_EQ(control.PopupMenu(), nullptr);
}

TEST(HeldMouse, LeavesAtTheEdgeAndComesBackWithoutQtsLateCrossings) {
    const auto form = ShownForm();
    auto* probe = new TProbe(form.get());
    probe->SetParent(form.get());
    probe->SetBounds(10, 10, 50, 30);
    QWidget* widget = probe->Handle();
    SendMouse(widget, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    EXPECT_EQ(probe->Enters, 1);
    EXPECT_TRUE(probe->MouseInClient());
    SendMouse(widget, QEvent::MouseMove, {49, 29}, Qt::LeftButton);
    EXPECT_EQ(probe->Leaves, 0);
    SendMouse(widget, QEvent::MouseMove, {50, 29}, Qt::LeftButton);
    EXPECT_EQ(probe->Leaves, 1);
    SendMouse(widget, QEvent::MouseMove, {80, 29}, Qt::LeftButton);
    EXPECT_EQ(probe->Leaves, 1);
    SendMouse(widget, QEvent::MouseMove, {20, 20}, Qt::LeftButton);
    EXPECT_EQ(probe->Enters, 2);
    SendMouse(widget, QEvent::MouseMove, {-1, 20}, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, {-1, 20}, Qt::NoButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
    EXPECT_EQ(probe->Leaves, 2);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(widget, &enter);
    EXPECT_EQ(probe->Enters, 3);
}

TEST(HeldMouse, HidingOrDeactivatingLetsGoOfAPressOrCapture) {
    const auto form = ShownForm();
    auto* probe = new TProbe(form.get());
    probe->SetParent(form.get());
    probe->SetBounds(10, 10, 50, 30);
    int clicks = 0;
    probe->OnClick = [&](TObject*) { ++clicks; };
    probe->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    probe->Hide();
    EXPECT_EQ(probe->CaptureChanges, 1);
    probe->Show();
    probe->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
    EXPECT_EQ(clicks, 0) << "a press cut off by hiding is no click";
    probe->SetMouseCapture(true);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(probe->Handle(), &deactivate);
    EXPECT_FALSE(probe->MouseCapture());
    EXPECT_EQ(probe->CaptureChanges, 2);
    probe->SetMouseCapture(true);
    delete probe;
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST(HeldKeys, RepeatedReleasesAreDropped) {
    TProbe probe(nullptr);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                          true);
        QApplication::sendEvent(probe.Handle(), &release);
    }
    EXPECT_EQ(probe.KeyUps, 0);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(probe.Handle(), &release);
    EXPECT_EQ(probe.KeyUps, 1);
}

TEST(Disabling, TheFormTakesTheFocusFromADisabledControl) {
    const auto form = ShownForm();
    auto* panel = new TProbe(form.get());
    panel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(panel);
    auto* other = new TEdit(form.get());
    other->SetParent(form.get());
    edit->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return edit->Focused(); }));
    EXPECT_EQ(form->ActiveControl(), edit);
    other->SetEnabled(false);
    EXPECT_EQ(form->ActiveControl(), edit);
    panel->SetEnabled(false);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_FALSE(edit->Focused());
}

TEST(DrawDisabled, EmbossesTheShapeLeavingWhiteAndTheKeyOut) {
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, 0xFF000000);
    picture.setPixel(1, 0, 0xFFFFFFFF);
    picture.setPixel(2, 0, 0xFFFF00FF);
    picture.setPixel(3, 0, 0xFF00FF00);
    TBitmap target;
    target.SetSize(6, 3);
    target.Image().fill(0xFF123456);
    DrawDisabled(target.Canvas(), 0, 0, picture, clFuchsia);
    target.Canvas()->ReleaseHandle();
    const QRgb shadow = ColorToQRgb(clBtnShadow) | 0xFF000000u;
    const QRgb highlight = ColorToQRgb(clBtnHighlight) | 0xFF000000u;
    const QImage& image = target.Image();
    EXPECT_EQ(image.pixel(0, 0), shadow);
    EXPECT_EQ(image.pixel(1, 0), 0xFF123456u);
    EXPECT_EQ(image.pixel(2, 0), 0xFF123456u);
    EXPECT_EQ(image.pixel(3, 0), shadow);
    EXPECT_EQ(image.pixel(1, 1), highlight);
    EXPECT_EQ(image.pixel(4, 1), highlight);
    EXPECT_EQ(image.pixel(2, 1), 0xFF123456u);
}

TEST(PaintParentBackground, GivesTheParentsClientPixelsNotItsFrame) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 80);
    form.SetColor(clAqua);
    constexpr int Inset = 5;
    const TControl::TWndMethod previous = form.WindowProc;
    form.WindowProc = [&form, previous](TMessage& message) {
        if (message.Msg == WM_NCCALCSIZE) {
            auto* rect = reinterpret_cast<TRect*>(message.LParam);
            InflateRect(*rect, -Inset, -Inset);
            return;
        }
        if (message.Msg == WM_NCPAINT && message.WParam != 0) {
            auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
            canvas->Brush()->SetColor(clRed);
            canvas->FillRect(Rect(0, 0, form.Width(), form.Height()));
            return;
        }
        previous(message);
    };
    form.RecreateFrame();
    ASSERT_EQ(form.ClientRect(), Rect(0, 0, 90, 70));
    auto* child = new TProbe(&form);
    child->SetParent(&form);
    child->SetBounds(0, 0, 12, 12);
    TBitmap background;
    background.SetSize(12, 12);
    background.Image().fill(0xFF000000);
    child->PaintParentBackground(*background.Canvas());
    background.Canvas()->ReleaseHandle();
    const QRgb aqua = ColorToQRgb(clAqua) | 0xFF000000u;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            ASSERT_EQ(background.Image().pixel(x, y), aqua) << x << "," << y;
        }
    }
    // Where the child reaches past the parent's client area nothing is painted.
    child->SetBounds(85, 65, 10, 10);
    background.Image().fill(0xFF000000);
    child->PaintParentBackground(*background.Canvas());
    background.Canvas()->ReleaseHandle();
    EXPECT_EQ(background.Image().pixel(4, 4), aqua);
    EXPECT_EQ(background.Image().pixel(5, 5), 0xFF000000u);
}

TEST(PopupMenu, AContextMenuRequestShowsTheControlsMenuAtThePointer) {
    TProbe control(nullptr);
    TPopupMenu menu(nullptr);
    int popups = 0;
    menu.OnPopup = [&](TObject*) { ++popups; };
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(103, 204));
    QApplication::sendEvent(control.Handle(), &request);
    EXPECT_EQ(popups, 0);
    control.SetPopupMenu(&menu);
    QApplication::sendEvent(control.Handle(), &request);
    EXPECT_EQ(popups, 1);
    control.SetPopupMenu(nullptr);
}

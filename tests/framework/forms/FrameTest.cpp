#include "framework/controls/Panel.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// A frame component's view of the messages: a 3-pixel border and a 20-pixel caption
// it answers hit tests for, recording the non-client mouse messages it gets.
struct TFrameHook {
    TCustomForm* Form;
    TControl::TWndMethod Saved;
    QList<QPair<uint32_t, intptr_t>> Mouse;

    explicit TFrameHook(TCustomForm* form) : Form(form), Saved(form->WindowProc) {
        form->WindowProc = [this](TMessage& message) { Handle(message); };
        form->SetFrameless(true);
        form->RecreateFrame();
    }
    ~TFrameHook() { Form->WindowProc = Saved; }

    void Handle(TMessage& message) {
        switch (message.Msg) {
        case WM_NCCALCSIZE: {
            auto* rect = reinterpret_cast<TRect*>(message.LParam);
            *rect = Rect(rect->Left + 3, rect->Top + 20, rect->Right - 3, rect->Bottom - 3);
            return;
        }
        case WM_NCHITTEST: {
            const QPoint local = Form->Handle()->mapFromGlobal(
                QPoint(LParamX(message.LParam), LParamY(message.LParam)));
            Saved(message);
            if (message.Result != HTCLIENT && local.y() < 20) {
                message.Result = HTCAPTION;
            }
            return;
        }
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
            Mouse.append({message.Msg, message.WParam});
            return;
        default:
            Saved(message);
        }
    }
};

void Click(QWidget* widget, QPoint position, QEvent::Type type) {
    const QPointF global = widget->mapToGlobal(QPointF(position));
    QMouseEvent event(type, QPointF(position), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST(FrameTest, NonClientMouseMessagesCarryTheHitTestAnswer) {
    TForm form(nullptr);
    form.SetBorderStyle(TCustomForm::bsDialog);
    form.SetBounds(0, 0, 200, 120);
    TFrameHook hook(&form);
    form.Show();
    Click(form.Handle(), QPoint(50, 10), QEvent::MouseButtonPress);
    Click(form.Handle(), QPoint(50, 10), QEvent::MouseButtonRelease);
    Click(form.Handle(), QPoint(1, 60), QEvent::MouseButtonPress);
    ASSERT_EQ(hook.Mouse.size(), 3);
    EXPECT_EQ(hook.Mouse[0], qMakePair(WM_NCLBUTTONDOWN, HTCAPTION));
    EXPECT_EQ(hook.Mouse[1], qMakePair(WM_NCLBUTTONUP, HTCAPTION));
    EXPECT_EQ(hook.Mouse[2], qMakePair(WM_NCLBUTTONDOWN, HTBORDER));
    EXPECT_TRUE(form.Handle()->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST(FrameTest, ClientMouseGoesToTheClientInClientCoordinates) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 120);
    TFrameHook hook(&form);
    QList<QPoint> downs;
    form.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        downs.append(QPoint(x, y));
    };
    form.Show();
    QWidget* client = form.Handle()->childAt(10, 30);
    ASSERT_NE(client, nullptr);
    Click(client, client->mapFrom(form.Handle(), QPoint(10, 30)), QEvent::MouseButtonPress);
    EXPECT_EQ(downs, QList<QPoint>{QPoint(7, 10)});
    EXPECT_TRUE(hook.Mouse.isEmpty());
    EXPECT_EQ(form.ScreenToClient(form.ClientToScreen(Point(7, 10))), Point(7, 10));
}

TEST(FrameTest, SystemCommandsAndActivationChangeTheWindow) {
    TForm form(nullptr);
    form.SetBounds(5, 5, 200, 120);
    QList<QString> events;
    form.OnShow = [&](TObject*) { events.append(QStringLiteral("show")); };
    form.OnActivate = [&](TObject*) { events.append(QStringLiteral("activate")); };
    form.OnDeactivate = [&](TObject*) { events.append(QStringLiteral("deactivate")); };
    form.Show();
    form.Perform(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_TRUE(form.Active());
    form.Perform(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_FALSE(form.Active());
    form.Perform(WM_SYSCOMMAND, SC_MAXIMIZE);
    EXPECT_EQ(form.WindowState(), TCustomForm::wsMaximized);
    form.Perform(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_EQ(form.WindowState(), TCustomForm::wsNormal);
    EXPECT_EQ(form.BoundsRect(), Rect(5, 5, 205, 125));
    form.Perform(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_FALSE(form.Visible());
    ASSERT_GE(events.size(), 3);
    EXPECT_EQ(events[0], QStringLiteral("show"));
    EXPECT_TRUE(events.contains(QStringLiteral("activate")));
    EXPECT_EQ(events.last(), QStringLiteral("deactivate"));
}

TEST(FrameTest, FormPaintsItsBackgroundIntoAChildAtAnOffset) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 100);
    form.SetColor(clTeal);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 20, 20);
    TBitmap bitmap;
    bitmap.SetSize(20, 20);
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect(Rect(0, 0, 20, 20));
    panel->PaintParentBackground(*bitmap.Canvas());
    EXPECT_EQ(bitmap.Canvas()->Pixel(0, 0), clTeal);
    EXPECT_EQ(bitmap.Canvas()->Pixel(19, 19), clTeal);
}

TEST(FrameTest, SizeableFramelessFrameAnswersEdgesAndResizesFromThem) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 120);
    form.SetFrameless(true);
    form.Show();
    ASSERT_EQ(form.ClientAreaInWindow(), Rect(3, 3, 197, 117));
    auto hit = [&](int x, int y) {
        const QPoint global = form.Handle()->mapToGlobal(QPoint(x, y));
        return form.Perform(WM_NCHITTEST, 0, MakeLParam(global.x(), global.y()));
    };
    EXPECT_EQ(hit(1, 60), HTLEFT);
    EXPECT_EQ(hit(198, 60), HTRIGHT);
    EXPECT_EQ(hit(100, 0), HTTOP);
    EXPECT_EQ(hit(100, 119), HTBOTTOM);
    EXPECT_EQ(hit(0, 0), HTTOPLEFT);
    EXPECT_EQ(hit(199, 119), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(100, 60), HTCLIENT);

    Click(form.Handle(), QPoint(1, 60), QEvent::MouseButtonPress);
    const QPoint press = form.Handle()->mapToGlobal(QPoint(1, 60));
    QWidget other;
    QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), QPointF(press - QPoint(20, 0)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&other, &move);
    EXPECT_EQ(form.Width(), 220);
    EXPECT_EQ(form.Left(), 80);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(0, 0), QPointF(press), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&other, &release);

    form.SetBorderStyle(TCustomForm::bsDialog);
    EXPECT_EQ(hit(1, 60), HTBORDER);
}

} // namespace

// The non-client area of windowed controls: the client rectangle inside the frame that
// WM_NCCALCSIZE leaves, children laid out in it, the frame painted on WM_NCPAINT.
#include "framework/controls/ComCtrls.h"
#include "framework/controls/Control.h"
#include "framework/controls/ListViewRows.h"
#include "framework/controls/Panel.h"
#include "framework/controls/StdCtrls.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "tests/support/ListRows.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A painted control: its client area in ClientColor, its frame in Color; CaptionHeight
// widens the frame at the top through the size-calculation message, and a frame colour
// paints its outermost ring over the default band.
class TFramed : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TColor ClientColor = clLime;
    int CaptionHeight = 0;
    std::optional<TColor> RingColor;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(ClientColor);
        Canvas()->FillRect(ClientRect());
    }
    void WMNCCalcSize(TMessage& message) override {
        TCustomControl::WMNCCalcSize(message);
        reinterpret_cast<TRect*>(message.LParam)->Top += CaptionHeight;
    }
    void WMNCPaint(TMessage& message) override {
        TCustomControl::WMNCPaint(message);
        auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
        if (canvas != nullptr && RingColor) {
            canvas->Brush()->SetColor(*RingColor);
            canvas->FrameRect(Rect(0, 0, Width(), Height()));
        }
    }
};

std::unique_ptr<TForm> MakeForm() {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TCustomForm::bsNone);
    form->SetBounds(0, 0, 200, 150);
    return form;
}

TFramed* AddFramed(TForm& form, int width, int height, int border) {
    auto* control = new TFramed(&form);
    control->SetParent(&form);
    control->SetBounds(10, 10, width, height);
    control->SetColor(clBlue);
    control->SetBorderWidth(border);
    return control;
}

TPanel* AddChild(TWinControl* parent, TAlign align, int size) {
    auto* child = new TPanel(parent->Owner());
    child->SetBounds(0, 0, size, size);
    child->SetParent(parent);
    child->SetAlign(align);
    return child;
}

QRect RectInWindow(const TControl* control, const TControl* window) {
    const QWidget* widget = control->Handle();
    return {widget->mapTo(window->Handle(), QPoint(0, 0)), widget->size()};
}

TColor PixelAt(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// Every pixel of the image: inside `client` in clientColor, outside it in frameColor,
// except the outermost ring when ringColor is given.
void ExpectFrameAndClient(const QImage& image, const TRect& client, TColor frameColor,
                          TColor clientColor, std::optional<TColor> ringColor = std::nullopt) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool ring = x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
            TColor expected = PtInRect(client, Point(x, y)) ? clientColor : frameColor;
            if (ring && ringColor) {
                expected = *ringColor;
            }
            ASSERT_EQ(PixelAt(image, x, y), expected) << x << "," << y;
        }
    }
}

QImage PaintToImage(TControl& control) {
    TBitmap bitmap;
    bitmap.SetSize(control.Width(), control.Height());
    bitmap.Image().fill(0xFFFF00FF);
    control.PaintTo(*bitmap.Canvas(), Point(0, 0));
    bitmap.Canvas()->ReleaseHandle();
    return bitmap.Image().convertToFormat(QImage::Format_RGB32);
}

QImage Grab(TControl& control) {
    return control.Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(NonClient, BorderWidthInsetsTheClientRectAndTheAlignedChildren) {
    auto form = MakeForm();
    TFramed* host = AddFramed(*form, 100, 60, 4);
    EXPECT_EQ(host->ClientAreaInWindow(), Rect(4, 4, 96, 56));
    EXPECT_EQ(host->ClientRect(), Rect(0, 0, 92, 52));
    EXPECT_EQ(host->ClientWidth(), 92);
    EXPECT_EQ(host->ClientHeight(), 52);

    TPanel* top = AddChild(host, alTop, 10);
    TPanel* client = AddChild(host, alClient, 10);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 92, 10));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 10, 92, 52));
    // Children's coordinates are client coordinates: on the window they lie inside
    // the frame, and so does the client origin.
    EXPECT_EQ(RectInWindow(top, host), QRect(4, 4, 92, 10));
    EXPECT_EQ(RectInWindow(client, host), QRect(4, 14, 92, 42));
    const QPoint windowOrigin = host->Handle()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(host->ClientOrigin(), TPoint::FromQPoint(windowOrigin + QPoint(4, 4)));
    EXPECT_EQ(host->ClientToScreen(Point(1, 2)), TPoint::FromQPoint(windowOrigin + QPoint(5, 6)));

    // A client size asked for gives the window the frame on top of it.
    host->SetClientSize(50, 30);
    EXPECT_EQ(host->Width(), 58);
    EXPECT_EQ(host->Height(), 38);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 10, 50, 30));

    // Children already there when the frame comes move inside it.
    TFramed* late = AddFramed(*form, 30, 30, 0);
    TPanel* early = AddChild(late, alClient, 5);
    EXPECT_EQ(RectInWindow(early, late), QRect(0, 0, 30, 30));
    TPanel* front = AddChild(late, alNone, 5);
    early->BringToFront();
    late->SetBorderWidth(3);
    EXPECT_EQ(early->BoundsRect(), Rect(0, 0, 24, 24));
    EXPECT_EQ(RectInWindow(early, late), QRect(3, 3, 24, 24));
    EXPECT_EQ(late->Handle()->childAt(4, 4), early->Handle()) << "the stacking order is kept";
    EXPECT_EQ(front->Handle()->parentWidget(), early->Handle()->parentWidget());

    host->SetBorderWidth(0);
    EXPECT_EQ(host->ClientRect(), Rect(0, 0, 58, 38));
    EXPECT_EQ(RectInWindow(top, host), QRect(0, 0, 58, 10));
    host->SetBorderWidth(-3);
    EXPECT_EQ(host->BorderWidth(), 0);
}

TEST(NonClient, TheSizeCalculationMessageWidensTheFrame) {
    auto form = MakeForm();
    TFramed* host = AddFramed(*form, 100, 60, 2);
    TPanel* client = AddChild(host, alClient, 10);
    host->CaptionHeight = 12;
    EXPECT_EQ(host->ClientRect(), Rect(0, 0, 96, 56)) << "asked again only on a change";
    host->RecreateFrame();
    EXPECT_EQ(host->ClientAreaInWindow(), Rect(2, 14, 98, 58));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 96, 44));
    EXPECT_EQ(RectInWindow(client, host), QRect(2, 14, 96, 44));

    // A frame wider than the window leaves an empty client area, not a negative one.
    host->CaptionHeight = 500;
    host->RecreateFrame();
    EXPECT_EQ(host->ClientRect(), Rect(0, 0, 96, 0));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 96, 0));
}

TEST(NonClient, TheFramePaintsTheBandAndLeavesTheClientPixelsAlone) {
    auto form = MakeForm();
    TFramed* host = AddFramed(*form, 40, 30, 3);
    form->Show();
    const TRect client = host->ClientAreaInWindow();
    ExpectFrameAndClient(PaintToImage(*host), client, clBlue, clLime);
    ExpectFrameAndClient(Grab(*host), client, clBlue, clLime);

    host->RingColor = clRed;
    host->CaptionHeight = 5;
    host->RecreateFrame();
    ASSERT_EQ(host->ClientAreaInWindow(), Rect(3, 8, 37, 27));
    ExpectFrameAndClient(PaintToImage(*host), host->ClientAreaInWindow(), clBlue, clLime, clRed);
    ExpectFrameAndClient(Grab(*host), host->ClientAreaInWindow(), clBlue, clLime, clRed);
}

TEST(NonClient, AResizeKeepsTheFrameAndTheClientRight) {
    auto form = MakeForm();
    TFramed* host = AddFramed(*form, 40, 30, 2);
    TPanel* child = AddChild(host, alClient, 5);
    form->Show();
    host->RingColor = clRed;
    for (const auto& [width, height] : {std::pair{70, 45}, std::pair{12, 9}}) {
        host->SetBounds(10, 10, width, height);
        const TRect client = Rect(2, 2, width - 2, height - 2);
        ASSERT_EQ(host->ClientAreaInWindow(), client);
        EXPECT_EQ(child->BoundsRect(), Rect(0, 0, width - 4, height - 4));
        child->Hide();
        ExpectFrameAndClient(Grab(*host), client, clBlue, clLime, clRed);
        ExpectFrameAndClient(PaintToImage(*host), client, clBlue, clLime, clRed);
        child->Show();
    }
}

TEST(NonClient, ParentBackgroundOfAnInsetParentIsItsClientInExactPixels) {
    auto form = MakeForm();
    TFramed* parent = AddFramed(*form, 60, 40, 5);
    parent->ClientColor = clYellow;
    auto* child = new TFramed(form.get());
    child->SetParent(parent);
    child->SetBounds(-3, 2, 10, 10);
    TBitmap background;
    background.SetSize(10, 10);
    background.Image().fill(0xFFFF00FF);
    child->PaintParentBackground(*background.Canvas());
    background.Canvas()->ReleaseHandle();
    const QImage image = background.Image().convertToFormat(QImage::Format_RGB32);
    // Left of the parent's client area (its frame) nothing is painted; the rest is
    // the parent's client colour, never its frame colour.
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            ASSERT_EQ(PixelAt(image, x, y), x < 3 ? clFuchsia : clYellow) << x << "," << y;
        }
    }
}

TEST(NonClient, APanelsSingleBorderLiesInTheFrameAndItsBorderWidthInsideTheClient) {
    auto form = MakeForm();
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 30, 20);
    panel->SetBevelOuter(TCustomPanel::bvNone);
    panel->SetColor(clAqua);
    panel->SetBorderStyle(TCustomPanel::bsSingle);
    panel->SetBorderWidth(2);
    TPanel* child = AddChild(panel, alClient, 5);
    EXPECT_EQ(panel->ClientAreaInWindow(), Rect(1, 1, 29, 19));
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 26, 16));
    child->Hide();
    form->Show();
    ExpectFrameAndClient(PaintToImage(*panel), panel->ClientAreaInWindow(), clAqua, clAqua,
                         ColorToRGB(clWindowFrame));
    child->Show();
    panel->SetBorderStyle(TCustomPanel::bsNone);
    EXPECT_EQ(panel->ClientRect(), Rect(0, 0, 30, 20));
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 28, 18));
}

TEST(NonClient, MousePositionsAreClientCoordinates) {
    auto form = MakeForm();
    TFramed* host = AddFramed(*form, 40, 30, 4);
    form->Show();
    QList<TPoint> presses;
    host->OnMouseDown = [&presses](TObject*, TMouseButton, TShiftState, int x, int y) {
        presses.append(Point(x, y));
    };
    const auto press = [](QWidget* widget, QPoint at) {
        QMouseEvent down(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &up);
    };
    QWidget* clientWidget = host->Handle()->childAt(10, 10);
    ASSERT_NE(clientWidget, nullptr);
    press(clientWidget, QPoint(6, 7));
    press(host->Handle(), QPoint(1, 2));
    ASSERT_EQ(presses.size(), 2);
    EXPECT_EQ(presses[0], Point(6, 7));
    EXPECT_EQ(presses[1], Point(-3, -2)) << "a press on the frame lies outside the client";

    // Entering and leaving the control is entering and leaving its client area.
    QStringList crossings;
    host->OnMouseEnter = [&crossings](TObject*) { crossings.append(QStringLiteral("enter")); };
    host->OnMouseLeave = [&crossings](TObject*) { crossings.append(QStringLiteral("leave")); };
    const auto cross = [](QWidget* widget, QEvent::Type type) {
        if (type == QEvent::Enter) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QApplication::sendEvent(widget, &enter);
        } else {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(widget, &leave);
        }
    };
    cross(host->Handle(), QEvent::Enter);
    EXPECT_TRUE(crossings.isEmpty()) << "the frame is not the client area";
    cross(clientWidget, QEvent::Enter);
    cross(clientWidget, QEvent::Leave);
    cross(host->Handle(), QEvent::Leave);
    EXPECT_EQ(crossings, QStringList({QStringLiteral("enter"), QStringLiteral("leave")}));

    // A native control without a client widget gets the same coordinates.
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBorderStyle(TCustomPanel::bsNone);
    edit->SetBorderWidth(2);
    edit->OnMouseDown = host->OnMouseDown;
    press(edit->Handle(), QPoint(5, 5));
    ASSERT_EQ(presses.size(), 3);
    EXPECT_EQ(presses[2], Point(3, 3));
}

TEST(NonClient, NativeControlsKeepTheirContentInsideTheFrame) {
    TEdit edit(nullptr);
    edit.SetBorderStyle(TCustomPanel::bsNone);
    edit.SetBounds(0, 0, 60, 21);
    edit.SetColor(clYellow);
    edit.SetBorderWidth(2);
    EXPECT_EQ(edit.ClientRect(), Rect(0, 0, 56, 17));
    EXPECT_EQ(edit.LineEdit()->contentsRect(), QRect(2, 2, 56, 17));
    edit.SetBounds(0, 0, 90, 25);
    EXPECT_EQ(edit.LineEdit()->contentsRect(), QRect(2, 2, 86, 21));
    edit.SetBorderWidth(0);
    EXPECT_EQ(edit.LineEdit()->contentsRect(), QRect(0, 0, 90, 25));

    TListView list(nullptr);
    list.SetBorderStyle(TCustomPanel::bsNone);
    list.SetBounds(0, 0, 80, 50);
    AddNamedRows(list, 20);
    list.SetBorderWidth(3);
    EXPECT_EQ(list.ClientRect(), Rect(0, 0, 74, 44));
    list.Handle()->grab();
    const QRect inside(3, 3, 74, 44);
    const TListRowsView* tree = list.Rows();
    const auto onList = [tree](const QWidget* widget) {
        return QRect(widget->mapTo(tree, QPoint(0, 0)), widget->size());
    };
    EXPECT_TRUE(inside.contains(onList(tree->viewport())));
    EXPECT_TRUE(inside.contains(onList(tree->Header())));
    ASSERT_TRUE(tree->verticalScrollBar()->isVisibleTo(tree));
    EXPECT_EQ(onList(tree->verticalScrollBar()).right(), 76);
    // Its own border style, written afterwards, keeps the band.
    list.SetBorderStyle(TCustomPanel::bsSingle);
    list.SetBorderStyle(TCustomPanel::bsNone);
    list.Handle()->grab();
    EXPECT_EQ(onList(tree->viewport()).left(), 3);
    EXPECT_EQ(onList(tree->Header()).top(), 3);
}

} // namespace

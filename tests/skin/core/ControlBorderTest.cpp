// The border of the skinned edit and list view, drawn on real framework controls the way
// those controls draw it: after the control's own painting, on its frame-paint canvas.
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ListViewRows.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/Messages.h"
#include "framework/graphics/Canvas.h"
#include "skin/controls/SKListView.h"
#include "skin/core/SKDraw.h"
#include "tests/support/ListRows.h"

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Keeps the content inside the border and lays the border over whatever the control
// painted, as the skinned controls do.
void DrawBorderAfterPainting(TWinControl& control, TColor border, TColor inner) {
    control.SetBorderWidth(SkinControlBorderWidth);
    TControl::TWndMethod previous = control.WindowProc;
    control.WindowProc = [&control, previous, border, inner](TMessage& message) {
        previous(message);
        if (message.Msg == WM_NCPAINT) {
            DrawControlBorder(reinterpret_cast<TCanvas*>(message.WParam), &control, border, inner,
                              true);
        }
    };
}

TColor PixelAt(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// Every pixel of the ring `inset` pixels inside the image's edge.
void ExpectRing(const QImage& image, int inset, TColor color) {
    const int right = image.width() - 1 - inset;
    const int bottom = image.height() - 1 - inset;
    for (int x = inset; x <= right; ++x) {
        ASSERT_EQ(PixelAt(image, x, inset), color) << "top, x = " << x;
        ASSERT_EQ(PixelAt(image, x, bottom), color) << "bottom, x = " << x;
    }
    for (int y = inset; y <= bottom; ++y) {
        ASSERT_EQ(PixelAt(image, inset, y), color) << "left, y = " << y;
        ASSERT_EQ(PixelAt(image, right, y), color) << "right, y = " << y;
    }
}

QImage Grab(TControl& control) {
    return control.Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(ControlBorder, FramesARealEditOverItsOwnPainting) {
    TEdit edit(nullptr);
    edit.SetBorderStyle(TCustomPanel::bsNone);
    edit.SetBounds(0, 0, 60, 21);
    edit.SetColor(clYellow);
    edit.SetText(QStringLiteral("text"));
    DrawBorderAfterPainting(edit, RGB(0x68, 0x68, 0x68), edit.Color());
    const QImage image = Grab(edit);
    ASSERT_EQ(image.size(), QSize(60, 21));
    ExpectRing(image, 0, RGB(0x68, 0x68, 0x68));
    ExpectRing(image, 1, clYellow);
    const QRect cursor = edit.LineEdit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_GE(cursor.left(), 2);
    EXPECT_EQ(edit.LineEdit()->contentsRect(), QRect(2, 2, 56, 17));

    edit.SetBounds(0, 0, 90, 25);
    const QImage wider = Grab(edit);
    ASSERT_EQ(wider.size(), QSize(90, 25));
    ExpectRing(wider, 0, RGB(0x68, 0x68, 0x68));
    ExpectRing(wider, 1, clYellow);
}

TEST(ControlBorder, LiesOverTheFrameOfAnEditWithItsOwnBorder) {
    TEdit edit(nullptr);
    edit.SetBounds(0, 0, 40, 21);
    DrawBorderAfterPainting(edit, clBlack, clLime);
    const QImage image = Grab(edit);
    ExpectRing(image, 0, clBlack);
    ExpectRing(image, 1, clLime);
}

TEST(ControlBorder, ResolvesSystemColours) {
    TEdit edit(nullptr);
    edit.SetBorderStyle(TCustomPanel::bsNone);
    edit.SetBounds(0, 0, 30, 20);
    DrawBorderAfterPainting(edit, clBtnShadow, clWindow);
    const QImage image = Grab(edit);
    ExpectRing(image, 0, ColorToRGB(clBtnShadow));
    ExpectRing(image, 1, ColorToRGB(clWindow));
}

TEST(ControlBorder, FramesARealListViewAroundItsRows) {
    TListView list(nullptr);
    list.SetBorderStyle(TCustomPanel::bsNone);
    list.SetBounds(0, 0, 120, 80);
    list.SetColor(clAqua);
    AddNamedRows(list, 1);
    DrawBorderAfterPainting(list, clRed, list.Color());
    const QImage image = Grab(list);
    ASSERT_EQ(image.size(), QSize(120, 80));
    ExpectRing(image, 0, clRed);
    ExpectRing(image, 1, clAqua);
    const QRect inside(2, 2, 116, 76);
    EXPECT_TRUE(inside.contains(list.Rows()->viewport()->geometry()));
    EXPECT_TRUE(inside.contains(list.Rows()->Header()->geometry()));
}

TEST(ControlBorder, KeepsAListViewsScrollBarInsideTheBorder) {
    TListView list(nullptr);
    list.SetBorderStyle(TCustomPanel::bsNone);
    list.SetBounds(0, 0, 80, 50);
    AddNamedRows(list, 20);
    DrawBorderAfterPainting(list, clBlack, clWhite);
    const QImage image = Grab(list);
    ExpectRing(image, 0, clBlack);
    ExpectRing(image, 1, clWhite);
    const QScrollBar* bar = list.Rows()->verticalScrollBar();
    ASSERT_TRUE(bar->isVisibleTo(list.Rows()));
    const QRect onList(bar->mapTo(list.Rows(), QPoint(0, 0)), bar->size());
    EXPECT_EQ(onList.right(), 77);
    EXPECT_EQ(onList.top(), 2);
}

TEST(ControlBorder, TheSkinnedListViewDrawsItInItsFrameAroundItsRows) {
    TskListView list(nullptr);
    list.SetUIStyle(MacOS);
    list.SetColor(clAqua);
    AddNamedRows(list, 30);
    for (const auto& [width, height] : {std::pair{120, 80}, std::pair{90, 61}}) {
        list.SetBounds(0, 0, width, height);
        EXPECT_EQ(list.BorderWidth(), SkinControlBorderWidth);
        EXPECT_EQ(list.ClientAreaInWindow(), Rect(2, 2, width - 2, height - 2));
        const QImage image = Grab(list);
        ASSERT_EQ(image.size(), QSize(width, height));
        ExpectRing(image, 0, RGB(0x7F, 0x7F, 0x7F));
        ExpectRing(image, 1, clAqua);
        const QRect inside(2, 2, width - 4, height - 4);
        const TListRowsView* tree = list.Rows();
        for (const QWidget* part : {tree->viewport(), static_cast<QWidget*>(tree->Header()),
                                    static_cast<QWidget*>(tree->verticalScrollBar())}) {
            EXPECT_TRUE(inside.contains(QRect(part->mapTo(tree, QPoint(0, 0)), part->size())));
        }
    }
}

} // namespace

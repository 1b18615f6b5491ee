#include "framework/controls/ListViewRows.h"
#include "skin/controls/SKButton.h"
#include "skin/controls/SKListView.h"
#include "skin/frame/SKImagePanel.h"
#include "tests/skin/controls/SkinTestHelpers.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using skintest::ShownForm;
using skintest::WaitFor;

struct TLinkedList {
    std::unique_ptr<TForm> Form;
    TskListView* List;
    TskScrollBar* Vertical;
    TskScrollBar* Horizontal;
};

void AddRows(TskListView* list, int count) {
    for (int i = 0; i < count; ++i) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(QStringLiteral("/home/user/file%1").arg(i));
        item->SubItems()->Add(QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    }
}

// A 200 x 100 report list at (8, 8) with the main window's two columns and both bars.
TLinkedList MakeLinkedList(int rows) {
    TLinkedList result{ShownForm(), nullptr, nullptr, nullptr};
    TForm* form = result.Form.get();
    result.List = new TskListView(form);
    result.List->SetParent(form);
    result.List->SetBounds(8, 8, 200, 100);
    result.List->SetViewStyle(TCustomListView::vsReport);
    result.List->Columns()->Add()->SetWidth(235);
    result.List->Columns()->Add()->SetWidth(230);
    AddRows(result.List, rows);
    result.Vertical = new TskScrollBar(form);
    result.Vertical->SetParent(form);
    result.Horizontal = new TskScrollBar(form);
    result.Horizontal->SetParent(form);
    result.List->SetVScrollBar(result.Vertical);
    result.List->SetHScrollBar(result.Horizontal);
    return result;
}

int FirstVisibleRow(TskListView* list) {
    return list->ScrollBarState(Qt::Vertical).Position;
}

TEST(TskListView, BorderColourFollowsTheLookUntilWrittenOver) {
    TskListView list(nullptr);
    list.SetUIStyle(MacOS);
    EXPECT_EQ(list.BorderColor(), TColor(0x7F7F7F));
    list.SetUIStyle(WinXP);
    EXPECT_EQ(list.BorderColor(), TColor(0x686868));
    list.SetBorderColor(clRed);
    EXPECT_EQ(list.BorderColor(), clRed);
    list.SetUIStyle(DeepBlue);
    EXPECT_EQ(list.BorderColor(), TColor(0x000000));
}

TEST(TskListView, PlacesBothBarsOverItsOwn) {
    TLinkedList linked = MakeLinkedList(100);
    ASSERT_TRUE(linked.Vertical->Visible());
    ASSERT_TRUE(linked.Horizontal->Visible());
    ASSERT_EQ(linked.Vertical->Width(), 16);
    ASSERT_EQ(linked.Horizontal->Height(), 16);
    linked.List->PlaceScrollBars();
    EXPECT_EQ(linked.Horizontal->Left(), 9);
    EXPECT_EQ(linked.Horizontal->Top(), 90);
    EXPECT_EQ(linked.Horizontal->Width(), 182);
    EXPECT_EQ(linked.Vertical->Left(), 190);
    EXPECT_EQ(linked.Vertical->Top(), 9);
    EXPECT_EQ(linked.Vertical->Height(), 82);

    linked.List->SetBiDiMode(bdRightToLeft);
    linked.List->PlaceScrollBars();
    EXPECT_EQ(linked.Vertical->Left(), 10);
    EXPECT_EQ(linked.Horizontal->Left(), 8 + 16 + 1);
}

TEST(TskListView, BarsTakeTheListsRangeAndScrollItByTheirChange) {
    TLinkedList linked = MakeLinkedList(100);
    TskListView* list = linked.List;
    const TScrollBarState state = list->ScrollBarState(Qt::Vertical);
    EXPECT_EQ(linked.Vertical->Min(), 0);
    EXPECT_EQ(linked.Vertical->Max(), 100 - state.Page);
    EXPECT_EQ(linked.Vertical->LineButton(), state.ThumbLength);
    EXPECT_EQ(linked.Vertical->SmallChange(), 5);

    linked.Vertical->SetPosition(3);
    EXPECT_EQ(FirstVisibleRow(list), 3);
    linked.Vertical->SetPosition(0);
    EXPECT_EQ(FirstVisibleRow(list), 0);
    linked.Horizontal->SetPosition(40);
    EXPECT_EQ(list->ScrollBarState(Qt::Horizontal).Position, 40);
}

TEST(TskListView, WheelKeysAndTheDraggedThumbKeepBothSidesInStep) {
    TLinkedList linked = MakeLinkedList(100);
    TskListView* list = linked.List;
    QWidget* viewport = list->Rows()->viewport();
    const QPoint at(20, 20);
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    EXPECT_EQ(FirstVisibleRow(list), 3);
    EXPECT_EQ(linked.Vertical->Position(), 3);

    list->SetFocus();
    QTest::keyClick(list->Rows(), Qt::Key_End);
    EXPECT_EQ(linked.Vertical->Position(), linked.Vertical->Max());

    // Drag the painted thumb back to the top.
    TskScrollTrackBar* track = linked.Vertical->Track();
    QTest::mousePress(track->Slider()->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QMouseEvent move(QEvent::MouseMove, QPointF(3, -50),
                     track->Handle()->mapToGlobal(QPointF(3, -50)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(track->Handle(), &move);
    QTest::mouseRelease(track->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, -50));
    EXPECT_EQ(linked.Vertical->Position(), 0);
    EXPECT_EQ(FirstVisibleRow(list), 0);
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST(TskListView, BarsHideWhenAllRowsFitAndReturnAtTheNextSynchronisingEvent) {
    TLinkedList linked = MakeLinkedList(2);
    EXPECT_FALSE(linked.Vertical->Visible());
    EXPECT_FALSE(linked.Vertical->Enabled());
    AddRows(linked.List, 50);
    EXPECT_FALSE(linked.Vertical->Visible());
    linked.List->Perform(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_TRUE(linked.Vertical->Visible());
    EXPECT_TRUE(linked.Vertical->Enabled());
    EXPECT_EQ(linked.Vertical->LineButton(),
              std::max(18, linked.List->ScrollBarState(Qt::Vertical).ThumbLength));

    // Clearing the list while the thumb is held lets the bars go quietly.
    TskScrollTrackBar* track = linked.Vertical->Track();
    QTest::mousePress(track->Slider()->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    linked.List->Clear();
    EXPECT_FALSE(linked.Vertical->Visible());
    QTest::mouseRelease(track->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST(TskListView, TenThousandRowsSynchroniseAndScrollByThePaintedThumb) {
    TLinkedList linked = MakeLinkedList(0);
    TskListView* list = linked.List;
    AddRows(list, 10000);
    list->Perform(WM_VSCROLL, SB_ENDSCROLL);
    const TScrollBarState state = list->ScrollBarState(Qt::Vertical);
    ASSERT_TRUE(linked.Vertical->Visible());
    EXPECT_EQ(linked.Vertical->Max(), 10000 - state.Page);
    EXPECT_EQ(linked.Vertical->LineButton(), state.ThumbLength);
    EXPECT_EQ(list->Rows()->verticalScrollBar()->maximum(), linked.Vertical->Max());

    // Dragging the thumb to the bottom shows the last rows.
    TskScrollTrackBar* track = linked.Vertical->Track();
    QTest::mousePress(track->Slider()->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    const QPointF below(3, track->Height() + 50);
    QMouseEvent move(QEvent::MouseMove, below, track->Handle()->mapToGlobal(below), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(track->Handle(), &move);
    QTest::mouseRelease(track->Handle(), Qt::LeftButton, Qt::NoModifier, below.toPoint());
    EXPECT_EQ(linked.Vertical->Position(), linked.Vertical->Max());
    EXPECT_EQ(FirstVisibleRow(list), 10000 - state.Page);
    EXPECT_EQ(list->Items()->Item(9999)->Index(), 9999);
}

TEST(TskListView, RowsGoingWhileTheThumbIsDraggedLeaveBothSidesInStep) {
    TLinkedList linked = MakeLinkedList(300);
    TskListView* list = linked.List;
    TskScrollTrackBar* track = linked.Vertical->Track();
    QTest::mousePress(track->Slider()->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    const auto dragTo = [track](int y) {
        const QPointF at(3, y);
        QMouseEvent move(QEvent::MouseMove, at, track->Handle()->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(track->Handle(), &move);
    };
    dragTo(track->Height() / 2);
    ASSERT_GT(FirstVisibleRow(list), 0);
    for (int row = 0; row < 250; ++row) {
        list->Items()->Delete(list->Items()->Count() - 1);
    }
    EXPECT_EQ(linked.Vertical->Max(),
              list->ScrollBarState(Qt::Vertical).Max - list->ScrollBarState(Qt::Vertical).Page + 1);
    EXPECT_EQ(linked.Vertical->Position(), FirstVisibleRow(list));
    dragTo(track->Height() + 50);
    EXPECT_EQ(FirstVisibleRow(list), linked.Vertical->Max());
    list->Clear();
    dragTo(0);
    QTest::mouseRelease(track->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 0));
    EXPECT_FALSE(linked.Vertical->Visible());
    EXPECT_EQ(FirstVisibleRow(list), 0);
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST(TskListView, HidingTheListHidesItsBarsAndForgetsDestroyedOnes) {
    TLinkedList linked = MakeLinkedList(100);
    linked.List->SetVisible(false);
    EXPECT_FALSE(linked.Vertical->Visible());
    EXPECT_FALSE(linked.Horizontal->Visible());
    linked.List->SetVisible(true);
    EXPECT_TRUE(linked.Vertical->Visible());
    delete linked.Vertical;
    EXPECT_EQ(linked.List->VScrollBar(), nullptr);
    linked.List->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(FirstVisibleRow(linked.List), 1);
    // The list's own bar, which the destroyed one covered, paints again.
    EXPECT_TRUE(linked.List->Rows()->verticalScrollBar()->updatesEnabled());

    linked.List->SetHScrollBar(nullptr);
    EXPECT_EQ(linked.Horizontal->Max(), 100);
    EXPECT_TRUE(linked.Horizontal->Enabled());
    EXPECT_FALSE(static_cast<bool>(linked.Horizontal->OnChange));
}

// The colours down the middle of the list's own vertical bar, between its arrows.
QList<QRgb> OwnBarColumn(TskListView* list) {
    QScrollBar* bar = list->Rows()->verticalScrollBar();
    // The rows' widget lays its bars out once it has handled its own resize.
    WaitFor([&] { return bar->height() > 4 * bar->width(); });
    const QImage image = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QList<QRgb> column;
    // Clear of the arrows at both ends.
    for (int y = bar->width() + 3; y < image.height() - bar->width() - 3; ++y) {
        column.append(image.pixel(image.width() / 2, y) & 0xFFFFFF);
    }
    return column;
}

TEST(TskListView, OwnBarShowsAThumbThatStandsOutInEveryLook) {
    for (TskUIStyle look : {MacOS, WinXP, DeepBlue, Protein, BlueGlass}) {
        auto form = ShownForm();
        auto* list = new TskListView(form.get());
        list->SetParent(form.get());
        list->SetBounds(8, 8, 200, 100);
        list->SetViewStyle(TCustomListView::vsReport);
        list->Columns()->Add()->SetWidth(150);
        AddRows(list, 100);
        list->SetUIStyle(look);
        const QRgb groove =
            ColorToQColor(TColor(GetBuiltinThemeColor(look, ScrollBarBackgroundColor))).rgb() &
            0xFFFFFF;
        const QList<QRgb> column = OwnBarColumn(list);
        // The groove in the look's colour, and a thumb far from it.
        EXPECT_TRUE(column.contains(groove)) << int(look);
        EXPECT_TRUE(std::any_of(column.begin(), column.end(), [&](QRgb pixel) {
            return std::abs(qGray(pixel) - qGray(groove)) >= 0x50;
        })) << int(look);
    }
}

TEST(TskListView, DestroyedWhileAnArrowRepeatsLeavesTheBarRunningAlone) {
    TLinkedList linked = MakeLinkedList(100);
    TskScrollBar* bar = linked.Vertical;
    QWidget* down = bar->SecondButton()->Handle();
    QTest::mousePress(down, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    const int start = bar->Position();
    delete linked.List;
    ASSERT_TRUE(WaitFor([&] { return bar->Position() > start; }));
    QTest::mouseRelease(down, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

} // namespace

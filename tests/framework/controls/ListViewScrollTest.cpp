#include "framework/controls/ComCtrls.h"
#include "framework/controls/ListViewRows.h"
#include "framework/forms/Form.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct TListFixture {
    std::unique_ptr<TForm> Form;
    TListView* List;
    QList<TMessage> Seen;
};

// A shown form with a report list of rows rows; every message the list's window
// procedure sees of the kinds the skinned list watches is recorded.
std::unique_ptr<TListFixture> MakeList(int rows) {
    auto fixture = std::make_unique<TListFixture>();
    fixture->Form = std::make_unique<TForm>(nullptr);
    fixture->Form->SetBounds(0, 0, 400, 300);
    fixture->List = new TListView(fixture->Form.get());
    TListView* list = fixture->List;
    list->SetParent(fixture->Form.get());
    list->SetBounds(8, 8, 300, 150);
    list->SetViewStyle(TCustomListView::vsReport);
    list->Columns()->Add()->SetWidth(235);
    list->Columns()->Add()->SetWidth(230);
    for (int i = 0; i < rows; ++i) {
        list->Items()->Add()->SetCaption(QStringLiteral("row %1").arg(i));
    }
    fixture->Form->Show();
    fixture->Form->Handle()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(fixture->Form->Handle()));
    TListFixture* raw = fixture.get();
    auto old = list->WindowProc;
    list->WindowProc = [raw, old](TMessage& message) {
        switch (message.Msg) {
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_LBUTTONDOWN:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case LVM_DELETEITEM:
        case WM_SETREDRAW:
            raw->Seen.append(message);
            break;
        default:
            break;
        }
        old(message);
    };
    return fixture;
}

int CountOf(const QList<TMessage>& seen, uint32_t msg) {
    return static_cast<int>(
        std::count_if(seen.begin(), seen.end(), [msg](const TMessage& m) { return m.Msg == msg; }));
}

TEST(ListViewScroll, ViewportInputPassesTheWindowProcedureAtControlPositions) {
    auto fixture = MakeList(40);
    QWidget* viewport = fixture->List->Rows()->viewport();
    const QPoint inViewport(20, 5);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, inViewport);
    ASSERT_EQ(CountOf(fixture->Seen, WM_LBUTTONDOWN), 1);
    const TMessage press = *std::find_if(fixture->Seen.begin(), fixture->Seen.end(),
                                         [](const TMessage& m) { return m.Msg == WM_LBUTTONDOWN; });
    const QPoint expected = viewport->mapTo(fixture->List->Rows(), inViewport);
    EXPECT_EQ(static_cast<int>(press.LParam & 0xFFFF), expected.x());
    EXPECT_EQ(static_cast<int>((press.LParam >> 16) & 0xFFFF), expected.y());
    // Qt still handled the click: the row under the pointer is selected.
    ASSERT_NE(fixture->List->Selected(), nullptr);
    EXPECT_EQ(fixture->List->Selected()->Index(), 0);
}

TEST(ListViewScroll, WheelAndKeysScrollAndSendTheScrollMessage) {
    auto fixture = MakeList(100);
    TListView* list = fixture->List;
    QWidget* viewport = list->Rows()->viewport();
    const QPoint at(20, 20);
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    EXPECT_EQ(CountOf(fixture->Seen, WM_MOUSEWHEEL), 1);
    EXPECT_EQ(list->ScrollBarState(Qt::Vertical).Position, 3);
    EXPECT_GE(CountOf(fixture->Seen, WM_VSCROLL), 1);

    fixture->Seen.clear();
    list->SetFocus();
    QTest::keyClick(list->Rows(), Qt::Key_End);
    EXPECT_EQ(CountOf(fixture->Seen, WM_KEYDOWN), 1);
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Index(), 99);
    const TScrollBarState end = list->ScrollBarState(Qt::Vertical);
    EXPECT_EQ(end.Position, end.Max - end.Page + 1);
    EXPECT_GE(CountOf(fixture->Seen, WM_VSCROLL), 1);
}

TEST(ListViewScroll, ScrollMessagesActLikeTheListControls) {
    auto fixture = MakeList(100);
    TListView* list = fixture->List;
    const int page = list->ScrollBarState(Qt::Vertical).Page;
    ASSERT_GT(page, 1);
    const auto position = [list] { return list->ScrollBarState(Qt::Vertical).Position; };
    list->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(position(), 1);
    list->Perform(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(position(), 1 + page);
    list->Perform(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(position(), page);
    list->Perform(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(position(), 0);
    list->Perform(WM_VSCROLL, MakeLParam(static_cast<int>(SB_THUMBPOSITION), 42));
    EXPECT_EQ(position(), 42);
    list->Perform(WM_VSCROLL, MakeLParam(static_cast<int>(SB_THUMBTRACK), 7));
    EXPECT_EQ(position(), 7);
    list->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(position(), 100 - page);
    list->Perform(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(position(), 0);
    list->Perform(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(position(), 0);

    list->Scroll(0, 5);
    EXPECT_EQ(position(), 5);
    list->Scroll(30, 0);
    EXPECT_EQ(list->ScrollBarState(Qt::Horizontal).Position, 30);
    list->Perform(WM_HSCROLL, SB_TOP);
    EXPECT_EQ(list->ScrollBarState(Qt::Horizontal).Position, 0);
}

TEST(ListViewScroll, StateComesFromRowsAndPageWithoutALayout) {
    auto fixture = MakeList(0);
    TListView* list = fixture->List;
    const TScrollBarState empty = list->ScrollBarState(Qt::Vertical);
    EXPECT_FALSE(empty.Shown);
    EXPECT_FALSE(empty.Usable);
    for (int i = 0; i < 100; ++i) {
        list->Items()->Add()->SetCaption(QStringLiteral("row"));
    }
    const TScrollBarState state = list->ScrollBarState(Qt::Vertical);
    EXPECT_TRUE(state.Shown);
    EXPECT_TRUE(state.Usable);
    EXPECT_EQ(state.Min, 0);
    EXPECT_EQ(state.Max, 99);
    EXPECT_GT(state.ThumbLength, 0);
    // The page is the rows that fit entirely, as the view shows them after its layout.
    QApplication::processEvents();
    QScrollBar* bar = list->Rows()->verticalScrollBar();
    EXPECT_EQ(state.Page, bar->pageStep());
    EXPECT_EQ(state.Max - state.Page + 1, bar->maximum());
}

TEST(ListViewScroll, DeletingAndEndingAnUpdateSendTheirMessages) {
    auto fixture = MakeList(10);
    TListView* list = fixture->List;
    list->Items()->Delete(2);
    ASSERT_EQ(CountOf(fixture->Seen, LVM_DELETEITEM), 1);
    EXPECT_EQ(fixture->Seen.last().WParam, 2);
    list->Items()->BeginUpdate();
    list->Items()->BeginUpdate();
    list->Items()->EndUpdate();
    EXPECT_EQ(CountOf(fixture->Seen, WM_SETREDRAW), 0);
    list->Items()->EndUpdate();
    ASSERT_EQ(CountOf(fixture->Seen, WM_SETREDRAW), 1);
    EXPECT_EQ(fixture->Seen.last().WParam, 1);
    list->Clear();
    EXPECT_EQ(CountOf(fixture->Seen, LVM_DELETEITEM), 2);
    EXPECT_EQ(fixture->Seen.last().WParam, -1);
}

} // namespace

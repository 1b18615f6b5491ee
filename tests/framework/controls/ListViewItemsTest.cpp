// The rows of the list view: their order and indexes through insertions and deletions
// anywhere, what each column shows, and the selection and focus as rows come and go.
#include "framework/controls/ListView.h"
#include "framework/controls/ListViewModel.h"
#include "framework/controls/ListViewRows.h"
#include "framework/forms/Form.h"
#include "tests/support/ListRows.h"

#include <QApplication>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

struct TShownList {
    std::unique_ptr<TForm> Form;
    TListView* List;
};

TShownList MakeList(int rows, int columns = 2) {
    TShownList result{std::make_unique<TForm>(nullptr), nullptr};
    result.Form->SetBounds(0, 0, 400, 300);
    result.List = new TListView(result.Form.get());
    result.List->SetParent(result.Form.get());
    result.List->SetBounds(8, 8, 300, 150);
    result.List->SetViewStyle(TCustomListView::vsReport);
    for (int column = 0; column < columns; ++column) {
        result.List->Columns()->Add()->SetCaption(QStringLiteral("c%1").arg(column));
    }
    for (int row = 0; row < rows; ++row) {
        result.List->Items()->Add()->SetCaption(QStringLiteral("%1").arg(row));
    }
    result.Form->Show();
    return result;
}

QString Cell(const TCustomListView* list, int row, int column) {
    return list->Model()->index(row, column).data().toString();
}

TEST(ListViewItems, InsertAndDeleteAnywhereKeepOrderAndIndexes) {
    TShownList shown = MakeList(0);
    TListItems* items = shown.List->Items();
    QStringList expected;
    std::mt19937 random(8);
    for (int step = 0; step < 400; ++step) {
        const int count = items->Count();
        if (count > 0 && random() % 3 == 0) {
            const int index = static_cast<int>(random() % count);
            items->Delete(index);
            expected.removeAt(index);
        } else {
            const int index = static_cast<int>(random() % (count + 1));
            const QString caption = QStringLiteral("row %1").arg(step);
            items->Insert(index)->SetCaption(caption);
            expected.insert(index, caption);
        }
        if (step % 50 == 0) {
            // Asking one item's index renumbers the moved ones; ask from the back too.
            ASSERT_EQ(items->Item(items->Count() - 1)->Index(), items->Count() - 1);
        }
    }
    ASSERT_EQ(ShownCaptions(shown.List), expected);
    for (int index = items->Count() - 1; index >= 0; --index) {
        EXPECT_EQ(items->Item(index)->Index(), index);
        EXPECT_EQ(items->IndexOf(items->Item(index)), index);
    }
    TListItems others(shown.List);
    EXPECT_EQ(others.IndexOf(items->Item(0)), -1);
    EXPECT_EQ(items->IndexOf(nullptr), -1);
    // Deleting outside the rows changes nothing.
    items->Delete(-1);
    items->Delete(items->Count());
    EXPECT_EQ(ShownCaptions(shown.List), expected);
}

TEST(ListViewItems, SubItemsShowInTheFollowingColumns) {
    TShownList shown = MakeList(2, 3);
    TListItem* item = shown.List->Items()->Item(1);
    item->SubItems()->Add(QStringLiteral("a"));
    item->SubItems()->Add(QStringLiteral("b"));
    item->SubItems()->Add(QStringLiteral("beyond the columns"));
    EXPECT_EQ(Cell(shown.List, 1, 0), QStringLiteral("1"));
    EXPECT_EQ(Cell(shown.List, 1, 1), QStringLiteral("a"));
    EXPECT_EQ(Cell(shown.List, 1, 2), QStringLiteral("b"));
    EXPECT_EQ(shown.List->Model()->columnCount(), 3);
    EXPECT_EQ(Cell(shown.List, 0, 1), QString());

    item->SubItems()->Delete(0);
    EXPECT_EQ(Cell(shown.List, 1, 1), QStringLiteral("b"));
    EXPECT_EQ(Cell(shown.List, 1, 2), QStringLiteral("beyond the columns"));
    // A column added later shows the sub-item it stands for.
    shown.List->Columns()->Add();
    item->SubItems()->Add(QStringLiteral("d"));
    EXPECT_EQ(Cell(shown.List, 1, 3), QStringLiteral("d"));
    EXPECT_EQ(shown.List->Model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("c0"));

    // The cells lie under their columns' headers.
    TListRowsView* rows = shown.List->Rows();
    QHeaderView* header = rows->Header();
    const QRect cell = rows->visualRect(shown.List->Model()->index(1, 2));
    EXPECT_EQ(cell.left(), header->sectionViewportPosition(2));
    EXPECT_EQ(cell.width(), header->sectionSize(2));
    EXPECT_EQ(cell.top(), rows->RowHeight());
    EXPECT_EQ(rows->indexAt(cell.center()), shown.List->Model()->index(1, 2));
}

TEST(ListViewItems, SelectionAndFocusFollowTheirRowsThroughDeletions) {
    TShownList shown = MakeList(10);
    TListItems* items = shown.List->Items();
    TListItem* chosen = items->Item(5);
    chosen->SetFocused(true);
    chosen->SetSelected(true);
    ASSERT_TRUE(chosen->Focused());
    ASSERT_EQ(shown.List->Selected(), chosen);

    items->Delete(2);
    EXPECT_EQ(chosen->Index(), 4);
    EXPECT_TRUE(chosen->Selected());
    EXPECT_TRUE(chosen->Focused());
    EXPECT_EQ(shown.List->Selected(), chosen);
    EXPECT_EQ(shown.List->ItemFocused(), chosen);
    items->Delete(7);
    EXPECT_EQ(shown.List->Selected(), chosen);

    // Deleting the focused row hands focus and selection to the row after it.
    TListItem* next = items->Item(5);
    items->Delete(4);
    EXPECT_EQ(shown.List->ItemFocused(), next);
    EXPECT_EQ(shown.List->Selected(), next);
    EXPECT_FALSE(items->Item(0)->Selected());

    next->SetSelected(false);
    EXPECT_EQ(shown.List->Selected(), nullptr);
    next->SetFocused(false);
    EXPECT_EQ(shown.List->ItemFocused(), nullptr);

    items->Item(6)->SetSelected(true);
    shown.List->Clear();
    EXPECT_EQ(items->Count(), 0);
    EXPECT_EQ(shown.List->Selected(), nullptr);
    EXPECT_EQ(shown.List->ItemFocused(), nullptr);
    EXPECT_EQ(shown.List->Model()->rowCount(), 0);
}

TEST(ListViewItems, WithMultiSelectTheFirstSelectedRowIsTheSelectedOne) {
    TShownList shown = MakeList(10);
    shown.List->SetMultiSelect(true);
    TListItems* items = shown.List->Items();
    items->Item(7)->SetSelected(true);
    items->Item(3)->SetSelected(true);
    EXPECT_EQ(shown.List->Selected(), items->Item(3));
    items->Item(3)->SetSelected(false);
    EXPECT_EQ(shown.List->Selected(), items->Item(7));
    EXPECT_TRUE(items->Item(7)->Selected());
    EXPECT_FALSE(items->Item(3)->Selected());
}

TEST(ListViewItems, RowsComingAndGoingKeepTheRangeAndTheRowsInSight) {
    TShownList shown = MakeList(0);
    TListView* list = shown.List;
    TListRowsView* rows = list->Rows();
    EXPECT_EQ(rows->RowHeight(), 0);
    for (int row = 0; row < 10000; ++row) {
        list->Items()->Add()->SetCaption(QStringLiteral("%1").arg(row));
    }
    const TScrollBarState state = list->ScrollBarState(Qt::Vertical);
    EXPECT_EQ(state.Max, 9999);
    EXPECT_EQ(state.Page, rows->RowsPerPage());
    EXPECT_EQ(rows->verticalScrollBar()->maximum(), 10000 - state.Page);
    EXPECT_EQ(rows->verticalScrollBar()->pageStep(), state.Page);

    list->Items()->Item(9999)->MakeVisible();
    EXPECT_EQ(rows->TopRow(), 10000 - state.Page);
    const int bottom = (state.Page - 1) * rows->RowHeight() + 1;
    EXPECT_EQ(rows->indexAt(QPoint(5, bottom)).row(), 9999);
    // Rows deleted above the top move the rest up; the top row stays within range.
    for (int row = 0; row < 5000; ++row) {
        list->Items()->Delete(0);
    }
    EXPECT_EQ(rows->verticalScrollBar()->maximum(), 5000 - state.Page);
    EXPECT_EQ(rows->TopRow(), 5000 - state.Page);
    EXPECT_EQ(rows->indexAt(QPoint(5, bottom)).data().toString(), QStringLiteral("9999"));
    // Clearing empties the range at once, before any pending layout runs.
    list->Clear();
    EXPECT_EQ(rows->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(rows->TopRow(), 0);
    EXPECT_EQ(rows->RowHeight(), 0);
}

// Records the regions the rows' viewport paints.
class TPaintSpy : public QObject {
public:
    explicit TPaintSpy(QWidget* widget) { widget->installEventFilter(this); }
    QRegion Painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

TEST(ListViewItems, RepaintsTheChangedRowsInSightAndNothingElse) {
    TShownList shown = MakeList(100);
    TListView* list = shown.List;
    TListRowsView* rows = list->Rows();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shown.Form->Handle()));
    QApplication::processEvents();
    TPaintSpy spy(rows->viewport());
    const int height = rows->RowHeight();
    const int width = rows->viewport()->width();
    const auto rowsFrom = [&](int row) {
        return QRect(0, row * height, width, rows->viewport()->height() - row * height);
    };

    list->Items()->Add()->SetCaption(QStringLiteral("out of sight"));
    list->Items()->Item(100)->SubItems()->Add(QStringLiteral("digest"));
    list->Items()->Delete(100);
    QApplication::processEvents();
    EXPECT_TRUE(spy.Painted.isEmpty());

    list->Items()->Item(3)->SubItems()->Add(QStringLiteral("digest"));
    QApplication::processEvents();
    EXPECT_TRUE(spy.Painted.contains(QRect(0, 3 * height, width, height)));
    EXPECT_FALSE(spy.Painted.intersects(QRect(0, 5 * height, width, height)));

    spy.Painted = QRegion();
    list->Items()->Delete(2);
    QApplication::processEvents();
    EXPECT_TRUE(spy.Painted.contains(rowsFrom(2)));
    EXPECT_FALSE(spy.Painted.intersects(QRect(0, 0, width, 2 * height)));

    spy.Painted = QRegion();
    list->Items()->Insert(4)->SetCaption(QStringLiteral("new"));
    QApplication::processEvents();
    EXPECT_TRUE(spy.Painted.contains(rowsFrom(4)));
}

} // namespace

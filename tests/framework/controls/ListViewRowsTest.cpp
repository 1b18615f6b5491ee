// The row view draws and scrolls its rows exactly as a flat tree view with uniform rows
// does, so replacing the tree view changed no pixel of the list.
#include "framework/controls/ListViewRows.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<QStandardItemModel> MakeRows(int count) {
    auto model = std::make_unique<QStandardItemModel>(count, 2);
    model->setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("MD5 Checksum")});
    for (int row = 0; row < count; ++row) {
        model->setItem(row, 0, new QStandardItem(QStringLiteral("/home/user/file%1").arg(row)));
        model->setItem(row, 1,
                       new QStandardItem(QStringLiteral("d41d8cd98f00b204e9800998ecf8427e")));
    }
    return model;
}

void Configure(QAbstractItemView* view, QHeaderView* header, QAbstractItemModel* model) {
    view->setModel(model);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->resizeSection(0, 235);
    header->resizeSection(1, 230);
    view->setGeometry(0, 0, 300, 160);
}

struct TTwoViews {
    QWidget Window;
    std::unique_ptr<QStandardItemModel> Model;
    QTreeView* Tree;
    TListRowsView* Rows;
};

std::unique_ptr<TTwoViews> MakeViews(int rows) {
    auto views = std::make_unique<TTwoViews>();
    views->Model = MakeRows(rows);
    views->Window.resize(300, 160);
    views->Tree = new QTreeView(&views->Window);
    views->Tree->setRootIsDecorated(false);
    views->Tree->setItemsExpandable(false);
    views->Tree->setIndentation(0);
    views->Tree->setUniformRowHeights(true);
    Configure(views->Tree, views->Tree->header(), views->Model.get());
    views->Rows = new TListRowsView(&views->Window);
    Configure(views->Rows, views->Rows->Header(), views->Model.get());
    views->Window.show();
    views->Window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&views->Window));
    return views;
}

// Shows the view alone, focused, and grabs it.
QImage Grab(QAbstractItemView* view, QAbstractItemView* other) {
    other->hide();
    view->show();
    view->setFocus();
    QApplication::processEvents();
    return view->grab().toImage();
}

void ExpectSamePixels(TTwoViews& views, const char* what) {
    const QImage tree = Grab(views.Tree, views.Rows);
    const QImage rows = Grab(views.Rows, views.Tree);
    EXPECT_EQ(tree, rows) << what;
}

// Both views select and focus the same cell.
void SetCurrent(TTwoViews& views, int row, QItemSelectionModel::SelectionFlags flags) {
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(views.Tree),
                                    static_cast<QAbstractItemView*>(views.Rows)}) {
        view->selectionModel()->setCurrentIndex(views.Model->index(row, 0), flags);
    }
}

TEST(ListRowsView, PaintsLikeAFlatTreeView) {
    auto views = MakeViews(40);
    ExpectSamePixels(*views, "plain rows");
    SetCurrent(*views, 2, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ExpectSamePixels(*views, "a selected focused row");
    SetCurrent(*views, 4, QItemSelectionModel::NoUpdate);
    ExpectSamePixels(*views, "focus apart from the selection");
    views->Tree->setAllColumnsShowFocus(true);
    views->Rows->SetAllColumnsShowFocus(true);
    ExpectSamePixels(*views, "focus across the row");
    views->Tree->verticalScrollBar()->setValue(5);
    views->Rows->verticalScrollBar()->setValue(5);
    views->Tree->horizontalScrollBar()->setValue(30);
    views->Rows->horizontalScrollBar()->setValue(30);
    ExpectSamePixels(*views, "scrolled both ways");
    views->Tree->setHeaderHidden(true);
    views->Rows->SetHeaderHidden(true);
    ExpectSamePixels(*views, "without header");
}

TEST(ListRowsView, ScrollsAndMovesTheCursorLikeAFlatTreeView) {
    auto views = MakeViews(100);
    QTreeView* tree = views->Tree;
    TListRowsView* rows = views->Rows;
    for (QScrollBar* bar : {tree->verticalScrollBar(), tree->horizontalScrollBar()}) {
        QScrollBar* own = bar == tree->verticalScrollBar() ? rows->verticalScrollBar()
                                                           : rows->horizontalScrollBar();
        EXPECT_EQ(own->maximum(), bar->maximum());
        EXPECT_EQ(own->pageStep(), bar->pageStep());
        EXPECT_EQ(own->singleStep(), bar->singleStep());
    }
    const auto both = [&](auto act) {
        act(static_cast<QAbstractItemView*>(tree));
        act(static_cast<QAbstractItemView*>(rows));
        EXPECT_EQ(rows->currentIndex(), tree->currentIndex());
        EXPECT_EQ(rows->verticalScrollBar()->value(), tree->verticalScrollBar()->value());
        EXPECT_EQ(rows->horizontalScrollBar()->value(), tree->horizontalScrollBar()->value());
    };
    for (const Qt::Key key :
         {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_End, Qt::Key_PageUp,
          Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Home}) {
        both([key](QAbstractItemView* view) {
            view->setFocus();
            QTest::keyClick(view, key);
        });
    }
    both([&](QAbstractItemView* view) { view->scrollTo(views->Model->index(60, 1)); });
    both([&](QAbstractItemView* view) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
    });
    EXPECT_EQ(rows->indexAt(QPoint(300, 30)), QModelIndex());
    EXPECT_EQ(rows->indexAt(QPoint(240, 30)), tree->indexAt(QPoint(240, 30)));
}

} // namespace

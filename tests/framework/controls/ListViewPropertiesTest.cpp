// What the list view's published properties do: rows kept in caption order, check
// boxes, the selection hidden without the focus, clicks on column headers, and rows
// read from a layout's stored form.
#include "framework/controls/ListView.h"
#include "framework/controls/ListViewModel.h"
#include "framework/controls/ListViewRows.h"
#include "framework/forms/Form.h"
#include "framework/layout/LayoutReader.h"
#include "tests/support/ListRows.h"

#include <QApplication>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct TShownList {
    std::unique_ptr<TForm> Form;
    TListView* List;
};

TShownList MakeList(const QStringList& captions) {
    TShownList result{std::make_unique<TForm>(nullptr), nullptr};
    result.Form->SetName(QStringLiteral("Form1"));
    result.Form->SetBounds(0, 0, 400, 300);
    result.List = new TListView(result.Form.get());
    result.List->SetName(QStringLiteral("List"));
    result.List->SetParent(result.Form.get());
    result.List->SetBounds(8, 8, 300, 150);
    result.List->SetViewStyle(TCustomListView::vsReport);
    result.List->Columns()->Add()->SetCaption(QStringLiteral("Name"));
    result.List->Columns()->Add()->SetCaption(QStringLiteral("Size"));
    for (const QString& caption : captions) {
        result.List->Items()->Add()->SetCaption(caption);
    }
    result.Form->Show();
    return result;
}

QImage GrabRows(const TCustomListView* list) {
    QApplication::processEvents();
    return list->Rows()->viewport()->grab().toImage();
}

QByteArray Number(qint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray Text(const QByteArray& text) {
    return char(text.size()) + text;
}

// A stored item block as layouts carry it: the size first, then the rows.
QByteArray StoredRows(const QList<QByteArrayList>& rows, const QByteArray& trailer = {}) {
    QByteArray body = Number(static_cast<qint32>(rows.size()));
    for (const QByteArrayList& row : rows) {
        body += Number(-1) + Number(-1) + Number(-1) + Number(row.size() - 1) + Number(0);
        for (const QByteArray& text : row) {
            body += Text(text);
        }
    }
    body += trailer;
    return Number(static_cast<qint32>(body.size() + 4)) + body;
}

void ReadListLayout(TForm* form, const QByteArray& data) {
    ReadLayoutText(form,
                   QStringLiteral("object Form1: TForm\n  object List: TListView\n"
                                  "    Items.Data = {%1}\n  end\nend\n")
                       .arg(QString::fromLatin1(data.toHex())),
                   QStringLiteral("rows.lay"));
}

} // namespace

TEST(ListViewProperties, SortByCaptionKeepsRowsInOrderAndTheSelectionOnItsRow) {
    TShownList shown = MakeList({QStringLiteral("pear"), QStringLiteral("Apple"),
                                 QStringLiteral("fig"), QStringLiteral("apple")});
    TListItems* items = shown.List->Items();
    TListItem* fig = items->Item(2);
    fig->SetSelected(true);
    fig->SetFocused(true);
    shown.List->SetSortType(TCustomListView::stText);
    EXPECT_EQ(ShownCaptions(shown.List), QStringList({"Apple", "apple", "fig", "pear"}))
        << "case-insensitive, equal captions in their old order";
    EXPECT_EQ(fig->Index(), 2);
    EXPECT_EQ(shown.List->Selected(), fig);
    EXPECT_EQ(shown.List->ItemFocused(), fig);
    // Added and renamed rows go to their place.
    items->Add()->SetCaption(QStringLiteral("banana"));
    items->Item(0)->SetCaption(QStringLiteral("zucchini"));
    EXPECT_EQ(ShownCaptions(shown.List),
              QStringList({"apple", "banana", "fig", "pear", "zucchini"}));
    EXPECT_EQ(shown.List->Selected(), fig);
    // Inside an update the order waits for its end.
    items->BeginUpdate();
    items->Add()->SetCaption(QStringLiteral("cherry"));
    EXPECT_EQ(items->Item(5)->Caption(), QStringLiteral("cherry"));
    items->EndUpdate();
    EXPECT_EQ(items->Item(2)->Caption(), QStringLiteral("cherry"));
    // Without sorting, rows stay where they are put.
    shown.List->SetSortType(TCustomListView::stNone);
    items->Add()->SetCaption(QStringLiteral("acorn"));
    EXPECT_EQ(items->Item(items->Count() - 1)->Caption(), QStringLiteral("acorn"));
    shown.List->SetSortType(TCustomListView::stBoth);
    EXPECT_EQ(items->Item(0)->Caption(), QStringLiteral("acorn"));
    for (int row = 0; row < items->Count(); ++row) {
        EXPECT_EQ(items->Item(row)->Index(), row);
    }
}

TEST(ListViewProperties, CheckboxesShowEachRowsCheckAndAClickTogglesIt) {
    TShownList shown = MakeList({QStringLiteral("one"), QStringLiteral("two")});
    const TListViewModel* model = shown.List->Model();
    TListItem* two = shown.List->Items()->Item(1);
    two->SetChecked(true);
    EXPECT_FALSE(model->index(1, 0).data(Qt::CheckStateRole).isValid()) << "no boxes yet";
    const QImage plain = GrabRows(shown.List);
    shown.List->SetCheckboxes(true);
    EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(model->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(model->index(0, 1).data(Qt::CheckStateRole).isValid()) << "first column only";
    EXPECT_NE(GrabRows(shown.List), plain);
    // A click on the first row's box checks it and leaves the other row alone.
    TListRowsView* rows = shown.List->Rows();
    QStyleOptionViewItem option;
    option.initFrom(rows);
    option.rect = rows->visualRect(model->index(0, 0));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        rows->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, rows);
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_TRUE(shown.List->Items()->Item(0)->Checked());
    EXPECT_TRUE(two->Checked());
    shown.List->SetCheckboxes(false);
    EXPECT_EQ(GrabRows(shown.List).size(), plain.size());
    EXPECT_FALSE(model->index(0, 0).data(Qt::CheckStateRole).isValid());
}

TEST(ListViewProperties, HideSelectionShowsTheSelectionOnlyWithTheFocus) {
    TShownList shown = MakeList({QStringLiteral("one"), QStringLiteral("two")});
    ASSERT_TRUE(shown.List->HideSelection()) << "on by default";
    // The active window gives the list the focus; it is taken away for a start.
    shown.Form->Handle()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.Form->Handle()));
    QApplication::processEvents();
    shown.List->Rows()->clearFocus();
    ASSERT_FALSE(shown.List->Rows()->hasFocus());
    const QImage unselected = GrabRows(shown.List);
    shown.List->Items()->Item(0)->SetSelected(true);
    EXPECT_EQ(GrabRows(shown.List), unselected) << "hidden without the focus";
    shown.List->SetHideSelection(false);
    EXPECT_NE(GrabRows(shown.List), unselected);
    shown.List->SetHideSelection(true);
    EXPECT_EQ(GrabRows(shown.List), unselected);
    shown.List->SetFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.List->Rows()->hasFocus(); }));
    EXPECT_NE(GrabRows(shown.List), unselected) << "shown with the focus";
}

TEST(ListViewProperties, AHeaderClickNamesItsColumnWhileColumnClickIsOn) {
    TShownList shown = MakeList({QStringLiteral("one")});
    QList<TListColumn*> clicked;
    shown.List->OnColumnClick = [&](TObject* sender, TListColumn* column) {
        EXPECT_EQ(sender, shown.List);
        clicked.append(column);
    };
    QHeaderView* header = shown.List->Rows()->Header();
    const QPoint second(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked[0], shown.List->Columns()->Items(1));
    shown.List->SetColumnClick(false);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(clicked.size(), 1);
}

TEST(ListViewProperties, StoredRowsFromALayoutReplaceTheRowsAndRoundTrip) {
    TForm form(nullptr);
    form.SetName(QStringLiteral("Form1"));
    // Sub-item image indexes after the rows are allowed.
    ReadListLayout(
        &form, StoredRows({{"readme.txt", "12 KB", "text"}, {"a.bin"}}, Number(-1) + Number(-1)));
    auto* list = qobject_cast<TListView*>(form.FindComponent(QStringLiteral("List")));
    ASSERT_NE(list, nullptr);
    TListItems* items = list->Items();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Item(0)->Caption(), QStringLiteral("readme.txt"));
    EXPECT_EQ(items->Item(0)->SubItems()->Count(), 2);
    EXPECT_EQ(items->Item(0)->SubItems()->Get(1), QStringLiteral("text"));
    EXPECT_EQ(items->Item(1)->Caption(), QStringLiteral("a.bin"));
    EXPECT_EQ(items->Item(1)->SubItems()->Count(), 0);
    const QByteArray written = list->ItemsData()->Data();
    EXPECT_EQ(written, StoredRows({{"readme.txt", "12 KB", "text"}, {"a.bin"}}));
    items->Clear();
    list->ItemsData()->SetData(written);
    EXPECT_EQ(items->Count(), 2);
}

TEST(ListViewProperties, StoredRowsThatDoNotHoldTogetherAreRefusedWhole) {
    const QByteArray good = StoredRows({{"one", "1"}, {"two", "2"}});
    QByteArray hugeCount = good;
    qToLittleEndian<qint32>(0x7FFFFFFF, hugeCount.data() + 4);
    QByteArray hugeSubItems = good;
    qToLittleEndian<qint32>(0x7FFFFFFF, hugeSubItems.data() + 8 + 12);
    QByteArray longText = good;
    longText[8 + 20] = char(200);
    QByteArray wrongSize = good;
    qToLittleEndian<qint32>(good.size() + 1, wrongSize.data());
    for (const QByteArray& bad : {good.left(good.size() - 1), hugeCount, hugeSubItems, longText,
                                  wrongSize, QByteArray("\x02", 1)}) {
        TShownList shown = MakeList({QStringLiteral("kept")});
        EXPECT_THROW(shown.List->ItemsData()->SetData(bad), std::runtime_error);
        EXPECT_EQ(ShownCaptions(shown.List), QStringList({"kept"}));
    }
}

TEST(ListViewProperties, RowsAddedAndDeletedAreAnnouncedButNotWhenTheListGoes) {
    TShownList shown = MakeList({});
    QStringList events;
    shown.List->OnInsert = [&](TObject* sender, TListItem* item) {
        EXPECT_EQ(sender, shown.List);
        events.append(QStringLiteral("insert %1").arg(item->Index()));
    };
    shown.List->OnDeletion = [&](TObject*, TListItem* item) {
        events.append(QStringLiteral("delete %1").arg(item->Caption()));
    };
    TListItems* items = shown.List->Items();
    items->Add()->SetCaption(QStringLiteral("a"));
    items->Add()->SetCaption(QStringLiteral("b"));
    items->Insert(0)->SetCaption(QStringLiteral("c"));
    items->Delete(1);
    items->Add()->SetCaption(QStringLiteral("d"));
    items->Clear();
    EXPECT_EQ(events, QStringList({"insert 0", "insert 1", "insert 0", "delete a", "insert 2",
                                   "delete c", "delete b", "delete d"}));
    items->Add();
    events.clear();
    shown.Form.reset();
    EXPECT_TRUE(events.isEmpty());
}

#include "framework/controls/StdCtrls.h"

#include "framework/controls/ComCtrls.h"
#include "framework/controls/ListViewModel.h"
#include "framework/controls/ListViewRows.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<TForm> MakeForm() {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    return form;
}

TEST(LabelTest, AutoSizeFollowsTheTextExtent) {
    auto form = MakeForm();
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption(QStringLiteral("Include sub folders"));
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(label->Font());
    EXPECT_EQ(label->Width(), measure.Canvas()->TextWidth(QStringLiteral("Include sub folders")));
    EXPECT_EQ(label->Height(), measure.Canvas()->TextHeight(QStringLiteral("Include sub folders")));
    const int oneLine = label->Width();
    label->SetCaption(QStringLiteral("Include"));
    EXPECT_LT(label->Width(), oneLine);
    label->SetAutoSize(false);
    label->SetCaption(QStringLiteral("Include sub folders and more"));
    EXPECT_LT(label->Width(), oneLine);
}

TEST(LabelTest, TransparentLabelLeavesTheBackgroundAlone) {
    auto form = MakeForm();
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption(QString());
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 10, 10);
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect(Rect(0, 0, 10, 10));
    label->SetTransparent(true);
    label->PaintTo(*bitmap.Canvas(), Point(0, 0));
    EXPECT_EQ(bitmap.Canvas()->Pixel(5, 5), clFuchsia);
    label->SetTransparent(false);
    label->PaintTo(*bitmap.Canvas(), Point(0, 0));
    EXPECT_EQ(bitmap.Canvas()->Pixel(5, 5), ColorToRGB(clBtnFace));
}

TEST(MemoTest, LinesReadAndWriteTheDocument) {
    TMemo memo(nullptr);
    TStrings* lines = memo.Lines();
    EXPECT_EQ(lines->Count(), 0);
    lines->Add(QStringLiteral("one"));
    lines->Add(QStringLiteral("two"));
    lines->Insert(1, QStringLiteral("between"));
    EXPECT_EQ(lines->Count(), 3);
    EXPECT_EQ(memo.Text(), QStringLiteral("one\nbetween\ntwo"));
    lines->Put(2, QStringLiteral("three"));
    lines->Delete(0);
    EXPECT_EQ(lines->ToStringList(),
              (QStringList{QStringLiteral("between"), QStringLiteral("three")}));
    lines->Delete(1);
    EXPECT_EQ(lines->ToStringList(), QStringList{QStringLiteral("between")});
    // Empty lines are lines wherever they are added, first and last included.
    lines->Add(QString());
    EXPECT_EQ(lines->Count(), 2);
    lines->Add(QStringLiteral("x"));
    EXPECT_EQ(lines->ToStringList(),
              (QStringList{QStringLiteral("between"), QString(), QStringLiteral("x")}));
    lines->Insert(3, QString());
    lines->Add(QString());
    EXPECT_EQ(lines->ToStringList(), (QStringList{QStringLiteral("between"), QString(),
                                                  QStringLiteral("x"), QString(), QString()}));
    lines->SetStrings({QString(), QStringLiteral("Operation completed."), QString()});
    EXPECT_EQ(lines->ToStringList(),
              (QStringList{QString(), QStringLiteral("Operation completed."), QString()}));
    lines->Delete(2);
    lines->Delete(0);
    EXPECT_EQ(lines->ToStringList(), QStringList{QStringLiteral("Operation completed.")});
    // A text that ends in a line break has no empty line after it.
    memo.SetText(QStringLiteral("typed\n"));
    EXPECT_EQ(lines->ToStringList(), QStringList{QStringLiteral("typed")});
    EXPECT_THROW(lines->Get(5), EStringListError);
    memo.Clear();
    EXPECT_EQ(lines->Count(), 0);
    lines->SetStrings({QStringLiteral("MemoResult")});
    EXPECT_EQ(lines->Get(0), QStringLiteral("MemoResult"));
}

TEST(MemoTest, AppendingStaysCheapWithManyLines) {
    TMemo memo(nullptr);
    memo.Lines()->BeginUpdate();
    for (int i = 0; i < 100000; ++i) {
        memo.Lines()->Add(QStringLiteral("line %1").arg(i));
    }
    memo.Lines()->EndUpdate();
    EXPECT_EQ(memo.Lines()->Count(), 100000);
    EXPECT_EQ(memo.Lines()->Get(99999), QStringLiteral("line 99999"));
}

TEST(MemoTest, VerticalScrollBarIsShownWhenAsked) {
    auto form = MakeForm();
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetScrollBars(TCustomMemo::ssVertical);
    memo->SetReadOnly(true);
    form->Show();
    EXPECT_TRUE(memo->Editor()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(memo->Editor()->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(memo->ReadOnly());
}

TEST(EditTest, TextChangesRaiseOnChangeAndRespectMaxLength) {
    TEdit edit(nullptr);
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    edit.SetText(QStringLiteral("/home"));
    EXPECT_EQ(changes, 1);
    edit.SetText(QStringLiteral("/home"));
    EXPECT_EQ(changes, 1);
    edit.SetMaxLength(3);
    edit.SetText(QStringLiteral("abcdef"));
    EXPECT_EQ(edit.Text(), QStringLiteral("abc"));
    edit.SetSelStart(1);
    edit.SetSelLength(2);
    EXPECT_EQ(edit.SelText(), QStringLiteral("bc"));
}

TEST(CheckBoxTest, StateChangesClickAndGrayedNeedsPermission) {
    TCheckBox box(nullptr);
    int clicks = 0;
    box.OnClick = [&](TObject*) { ++clicks; };
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(box.State(), TCheckBox::cbChecked);
    box.SetState(TCheckBox::cbGrayed);
    EXPECT_EQ(box.State(), TCheckBox::cbChecked);
    box.SetAllowGrayed(true);
    box.Toggle();
    EXPECT_EQ(box.State(), TCheckBox::cbGrayed);
    box.Toggle();
    EXPECT_EQ(box.State(), TCheckBox::cbUnchecked);
    EXPECT_EQ(clicks, 3);
}

TEST(PageControlTest, PagesInOrderOneVisibleTabsHideable) {
    auto form = MakeForm();
    auto* pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(8, 32, 289, 193);
    QList<TTabSheet*> sheets;
    for (const char* caption : {"Make file MD5", "Make check file", "About"}) {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetCaption(QString::fromLatin1(caption));
        sheet->SetPageControl(pages);
        sheets.append(sheet);
    }
    form->Show();
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    pages->SetActivePageIndex(2);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(sheets[2]->Showing());
    EXPECT_FALSE(sheets[0]->Showing());
    EXPECT_EQ(sheets[2]->BoundsRect(), pages->DisplayRect());
    EXPECT_EQ(pages->TabBar()->tabText(2), QStringLiteral("About"));

    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->TabBar()->count(), 2);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    sheets[2]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheets[2]);
    pages->SelectNextPage(true);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(changes, 1);

    delete sheets[0];
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_NE(pages->ActivePage(), nullptr);
}

TEST(ListViewTest, ColumnsItemsAndScrollBarState) {
    auto form = MakeForm();
    auto* list = new TListView(form.get());
    list->SetParent(form.get());
    list->SetBounds(8, 8, 300, 120);
    list->SetViewStyle(TCustomListView::vsReport);
    list->SetGridLines(true);
    TListColumn* file = list->Columns()->Add();
    file->SetCaption(QStringLiteral("File"));
    file->SetWidth(235);
    TListColumn* sum = list->Columns()->Add();
    sum->SetCaption(QStringLiteral("MD5 Checksum"));
    sum->SetWidth(230);
    form->Show();
    EXPECT_EQ(list->Model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("MD5 Checksum"));
    EXPECT_EQ(list->Rows()->Header()->sectionSize(0), 235);

    const TScrollBarState empty = list->ScrollBarState(Qt::Vertical);
    EXPECT_FALSE(empty.Usable);
    for (int i = 0; i < 50; ++i) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(QStringLiteral("/tmp/file%1").arg(i));
        item->SubItems()->Add(QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    }
    EXPECT_EQ(list->Items()->Count(), 50);
    EXPECT_EQ(list->Model()->index(3, 1).data().toString(),
              QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    const TScrollBarState vertical = list->ScrollBarState(Qt::Vertical);
    EXPECT_TRUE(vertical.Shown);
    EXPECT_TRUE(vertical.Usable);
    EXPECT_GT(vertical.ThumbLength, 0);
    EXPECT_GT(vertical.Max, vertical.Page);
    const TScrollBarState horizontal = list->ScrollBarState(Qt::Horizontal);
    EXPECT_TRUE(horizontal.Shown);
    list->Items()->Item(49)->MakeVisible();
    EXPECT_EQ(list->ScrollBarState(Qt::Vertical).Position,
              list->Rows()->verticalScrollBar()->maximum());
    list->Items()->Delete(0);
    EXPECT_EQ(list->Items()->Item(0)->Caption(), QStringLiteral("/tmp/file1"));
    list->Clear();
    EXPECT_EQ(list->Model()->rowCount(), 0);
}

} // namespace

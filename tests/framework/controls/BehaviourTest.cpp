#include "framework/controls/ComCtrls.h"
#include "framework/controls/ListViewModel.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/Application.h"
#include "framework/core/Timer.h"
#include "framework/forms/Form.h"
#include "tests/framework/dialogs/FakeDialogs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<TForm> MakeForm() {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    return form;
}

TEST(VisibilityTest, ShowingNeedsEveryParentVisible) {
    auto form = MakeForm();
    auto* outer = new TPanel(form.get());
    outer->SetParent(form.get());
    auto* inner = new TPanel(form.get());
    inner->SetParent(outer);
    EXPECT_TRUE(inner->Visible());
    EXPECT_FALSE(inner->Showing());
    form->Show();
    EXPECT_TRUE(inner->Showing());
    outer->Hide();
    EXPECT_TRUE(inner->Visible());
    EXPECT_FALSE(inner->Showing());
    EXPECT_FALSE(inner->Handle()->isVisible());
}

TEST(VisibilityTest, DisabledOrHiddenControlsCannotTakeFocus) {
    auto form = MakeForm();
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(panel);
    EXPECT_TRUE(edit->CanFocus());
    panel->SetEnabled(false);
    EXPECT_FALSE(edit->CanFocus());
    panel->SetEnabled(true);
    panel->Hide();
    EXPECT_FALSE(edit->CanFocus());
    TEdit orphan(nullptr);
    EXPECT_FALSE(orphan.CanFocus());
}

TEST(DialogCodeTest, EditsWantCharactersAndMemosWantReturns) {
    TEdit edit(nullptr);
    EXPECT_EQ(edit.Perform(WM_GETDLGCODE), DLGC_WANTCHARS | DLGC_WANTARROWS);
    TMemo memo(nullptr);
    EXPECT_TRUE(memo.Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
    memo.SetWantReturns(false);
    EXPECT_FALSE(memo.Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
    memo.SetWantTabs(true);
    EXPECT_TRUE(memo.Perform(WM_GETDLGCODE) & DLGC_WANTTAB);
    TButton button(nullptr);
    EXPECT_EQ(button.Perform(WM_GETDLGCODE), 0);
}

TEST(DialogCodeTest, ReturnInAMemoTypesALineInsteadOfClickingTheDefaultButton) {
    auto form = MakeForm();
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    auto* ok = new TButton(form.get());
    ok->SetParent(form.get());
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    memo->SetFocus();
    QTest::keyClicks(memo->Handle(), QStringLiteral("a"));
    QTest::keyClick(memo->Handle(), Qt::Key_Return);
    QTest::keyClicks(memo->Handle(), QStringLiteral("b"));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(memo->Lines()->Count(), 2);
}

TEST(CaptureTest, MouseCaptureIsOneControlAtATime) {
    auto form = MakeForm();
    auto* first = new TPanel(form.get());
    first->SetParent(form.get());
    auto* second = new TPanel(form.get());
    second->SetParent(form.get());
    form->Show();
    first->SetMouseCapture(true);
    EXPECT_EQ(GetCaptureControl(), first);
    second->SetMouseCapture(true);
    EXPECT_FALSE(first->MouseCapture());
    EXPECT_EQ(Mouse->Capture(), second);
    delete second;
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST(PageControlTest, ClickingATabChangesThePageUnlessOnChangingRefuses) {
    auto form = MakeForm();
    auto* pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(0, 0, 280, 180);
    auto* first = new TTabSheet(form.get());
    first->SetCaption(QStringLiteral("&First"));
    first->SetPageControl(pages);
    auto* second = new TTabSheet(form.get());
    second->SetCaption(QStringLiteral("&Second"));
    second->SetPageControl(pages);
    form->Show();
    bool allow = false;
    int changes = 0;
    pages->OnChanging = [&](TObject*, bool& allowChange) { allowChange = allow; };
    pages->OnChange = [&](TObject*) { ++changes; };
    const QPoint tab = pages->TabBar()->tabRect(1).center();
    QTest::mouseClick(pages->TabBar(), Qt::LeftButton, Qt::NoModifier, tab);
    EXPECT_EQ(pages->ActivePage(), first);
    allow = true;
    QTest::mouseClick(pages->TabBar(), Qt::LeftButton, Qt::NoModifier, tab);
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_EQ(changes, 1);
    // The accelerator of a tab caption selects its page.
    EXPECT_EQ(pages->Perform(CM_DIALOGCHAR, 'f'), 1);
    EXPECT_EQ(pages->ActivePage(), first);
}

TEST(ListViewTest, InsertingAndSubItemChangesUpdateTheRows) {
    TListView list(nullptr);
    list.SetViewStyle(TCustomListView::vsReport);
    list.Columns()->Add()->SetCaption(QStringLiteral("File"));
    list.Columns()->Add()->SetCaption(QStringLiteral("Sum"));
    TListItem* last = list.Items()->Add();
    last->SetCaption(QStringLiteral("b"));
    TListItem* first = list.Items()->Insert(0);
    first->SetCaption(QStringLiteral("a"));
    EXPECT_EQ(list.Model()->index(0, 0).data().toString(), QStringLiteral("a"));
    EXPECT_EQ(last->Index(), 1);
    first->SubItems()->Add(QStringLiteral("x"));
    first->SubItems()->Put(0, QStringLiteral("y"));
    EXPECT_EQ(list.Model()->index(0, 1).data().toString(), QStringLiteral("y"));
    first->SubItems()->Clear();
    EXPECT_EQ(list.Model()->index(0, 1).data().toString(), QString());
    first->SetSelected(true);
    EXPECT_EQ(list.Selected(), first);
}

TEST(ListViewTest, FreesItsColumnsWithItself) {
    auto list = std::make_unique<TListView>(nullptr);
    const QPointer<TListColumns> columns = list->Columns();
    const QPointer<TListColumn> column = list->Columns()->Add();
    list.reset();
    EXPECT_TRUE(columns.isNull());
    EXPECT_TRUE(column.isNull());
}

TEST(TimerTest, AnExceptionFromOnTimerGoesToTheErrorReport) {
    TFakeDialogsScope dialogs;
    TTimer timer(nullptr);
    timer.SetInterval(1);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        throw std::runtime_error("File not found");
    };
    QDeadlineTimer deadline(5000);
    while (timer.Enabled() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    ASSERT_EQ(dialogs->MessageBoxes.size(), 1);
    EXPECT_EQ(dialogs->MessageBoxes[0].Text, QStringLiteral("File not found."));
}

} // namespace

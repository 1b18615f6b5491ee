#include "framework/controls/StdCtrls.h"
#include "framework/forms/Form.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A control that records the focus-changed broadcasts reaching it.
class TFocusWatcher : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    QList<TWinControl*> Focused;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == CM_FOCUSCHANGED) {
            Focused.append(reinterpret_cast<TWinControl*>(message.LParam));
        }
        TCustomControl::WndProc(message);
    }
};

struct TDialogForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TEdit* Edit;
    TButton* Ok;
    TButton* Cancel;
    int OkClicks = 0;
    int CancelClicks = 0;

    TDialogForm() {
        Form->SetBounds(0, 0, 300, 200);
        Edit = new TEdit(Form.get());
        Edit->SetParent(Form.get());
        Ok = new TButton(Form.get());
        Ok->SetBounds(10, 50, 75, 25);
        Ok->SetCaption(QStringLiteral("&Ok"));
        Ok->SetParent(Form.get());
        Ok->SetDefault(true);
        Cancel = new TButton(Form.get());
        Cancel->SetBounds(100, 50, 75, 25);
        Cancel->SetCaption(QStringLiteral("Cancel"));
        Cancel->SetParent(Form.get());
        Cancel->SetCancel(true);
        Ok->OnClick = [this](TObject*) { ++OkClicks; };
        Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
        Form->Show();
        QApplication::setActiveWindow(Form->Handle());
        Edit->SetFocus();
    }
};

TEST(DialogKeyTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
    TDialogForm dialog;
    ASSERT_TRUE(dialog.Edit->Focused());
    QTest::keyClick(dialog.Edit->Handle(), Qt::Key_Return);
    EXPECT_EQ(dialog.OkClicks, 1);
    QTest::keyClick(dialog.Edit->Handle(), Qt::Key_Escape);
    EXPECT_EQ(dialog.CancelClicks, 1);
    // The edit still types its characters.
    QTest::keyClicks(dialog.Edit->Handle(), QStringLiteral("ab"));
    EXPECT_EQ(dialog.Edit->Text(), QStringLiteral("ab"));
}

TEST(DialogKeyTest, EnterOnAFocusedButtonClicksThatButton) {
    TDialogForm dialog;
    dialog.Cancel->SetFocus();
    ASSERT_TRUE(dialog.Cancel->Focused());
    EXPECT_FALSE(dialog.Ok->IsActive());
    QTest::keyClick(dialog.Cancel->Handle(), Qt::Key_Return);
    EXPECT_EQ(dialog.CancelClicks, 1);
    EXPECT_EQ(dialog.OkClicks, 0);
}

TEST(DialogKeyTest, TabMovesFocusInTabOrderAndSkipsControlsWithoutTabStop) {
    TDialogForm dialog;
    dialog.Cancel->SetTabOrder(0);
    dialog.Ok->SetTabStop(false);
    dialog.Cancel->SetFocus();
    QTest::keyClick(dialog.Cancel->Handle(), Qt::Key_Tab);
    EXPECT_TRUE(dialog.Edit->Focused());
    QTest::keyClick(dialog.Edit->Handle(), Qt::Key_Tab);
    EXPECT_TRUE(dialog.Cancel->Focused());
    QTest::keyClick(dialog.Cancel->Handle(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(dialog.Edit->Focused());
}

TEST(DialogKeyTest, FocusChangesAreBroadcastAndRaiseEnterAndExit) {
    TDialogForm dialog;
    auto* watcher = new TFocusWatcher(dialog.Form.get());
    watcher->SetParent(dialog.Form.get());
    QList<QString> order;
    dialog.Edit->OnExit = [&](TObject*) { order.append(QStringLiteral("exit edit")); };
    dialog.Ok->OnEnter = [&](TObject*) { order.append(QStringLiteral("enter ok")); };
    dialog.Ok->SetFocus();
    EXPECT_EQ(order, (QList<QString>{QStringLiteral("exit edit"), QStringLiteral("enter ok")}));
    ASSERT_FALSE(watcher->Focused.isEmpty());
    EXPECT_EQ(watcher->Focused.last(), dialog.Ok);
    EXPECT_EQ(dialog.Form->ActiveControl(), dialog.Ok);
}

TEST(DialogKeyTest, AcceleratorCharacterClicksItsButton) {
    TDialogForm dialog;
    dialog.Cancel->SetFocus();
    QTest::keyClick(dialog.Cancel->Handle(), Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(dialog.OkClicks, 1);
}

TEST(DialogKeyTest, KeyHandlersSeeKeysAndCanSwallowThem) {
    TDialogForm dialog;
    QList<int> downs;
    dialog.Edit->OnKeyDown = [&](TObject*, quint16& key, TShiftState) {
        downs.append(key);
        if (key == 'X') {
            key = 0;
        }
    };
    dialog.Edit->OnKeyPress = [](TObject*, QChar& key) {
        if (key == QLatin1Char('a')) {
            key = QLatin1Char('b');
        }
    };
    QTest::keyClicks(dialog.Edit->Handle(), QStringLiteral("axc"));
    EXPECT_EQ(downs, (QList<int>{'A', 'X', 'C'}));
    EXPECT_EQ(dialog.Edit->Text(), QStringLiteral("ac"));
}

TEST(DialogKeyTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
    TDialogForm dialog;
    dialog.Form->SetKeyPreview(true);
    QStringList order;
    dialog.Form->OnKeyDown = [&](TObject*, quint16& key, TShiftState) {
        order.append(QStringLiteral("form"));
        if (key == 'Q') {
            key = 0;
        }
    };
    dialog.Edit->OnKeyDown = [&](TObject*, quint16&, TShiftState) {
        order.append(QStringLiteral("edit"));
    };
    QTest::keyClicks(dialog.Edit->Handle(), QStringLiteral("aq"));
    EXPECT_EQ(order, (QStringList{QStringLiteral("form"), QStringLiteral("edit"),
                                  QStringLiteral("form")}));
    EXPECT_EQ(dialog.Edit->Text(), QStringLiteral("a"));
}

} // namespace

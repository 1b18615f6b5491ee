#pragma once
// A fresh main window per test, with the dialogs and the shell answered by a fake.
#include "app/window/UnitFrmMain.h"
#include "tests/framework/dialogs/FakeDialogs.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class WindowTest : public ::testing::Test {
protected:
    // As at start-up, the first page is active.
    WindowTest() : Form(std::make_unique<TForm1>(nullptr)) {
        Form->PageControl->ActivatePageIndex(0);
    }

    // A real mouse click in the middle of the control (a label gets it through its parent).
    static void ClickOn(TControl* control) {
        const QPoint centre(control->Width() / 2, control->Height() / 2);
        if (control->Handle() != nullptr) {
            QTest::mouseClick(control->Handle(), Qt::LeftButton, Qt::NoModifier, centre);
        } else {
            QTest::mouseClick(control->Parent()->Handle(), Qt::LeftButton, Qt::NoModifier,
                              centre + QPoint(control->Left(), control->Top()));
        }
    }

    // Clicks the button and waits for the job it starts, if any, to end.
    void RunJob(TControl* button) {
        ClickOn(button);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Form->JobRunning(); }, 60000));
    }

    static QStringList Lines(TMemo* memo) { return memo->Lines()->ToStringList(); }

    TFakeDialogsScope Dialogs;
    std::unique_ptr<TForm1> Form;
};

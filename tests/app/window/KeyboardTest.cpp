// The window with the keyboard alone: Tab order on every page, the page keys, and the
// accelerators of captions.
#include "framework/graphics/Canvas.h"
#include "tests/app/window/WindowFixture.h"

#include <QApplication>
#include <QImage>

namespace {

class KeyboardTest : public WindowTest {
protected:
    KeyboardTest() {
        Form->Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
    }

    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    }

    // The controls that take the focus, Tab after Tab, starting from start.
    QStringList TabWalk(TWinControl* start, int steps, Qt::KeyboardModifiers modifiers) {
        start->SetFocus();
        QStringList names;
        for (int step = 0; step < steps; ++step) {
            Press(Qt::Key_Tab, modifiers);
            TWinControl* active = Form->ActiveControl();
            names.append(active != nullptr ? active->Name() : QStringLiteral("(none)"));
        }
        return names;
    }

    QString PageAfter(int key, Qt::KeyboardModifiers modifiers) {
        Press(key, modifiers);
        return Form->PageControl->ActivePage()->Name();
    }
};

TEST_F(KeyboardTest, TabFollowsEveryPagesOrderThenHelpAndExitAndRoundAgain) {
    const QStringList maker = {"BtnSelect", "MemoMakeResult", "ChkSubFolder", "BtnMake",
                               "BtnHelp",   "BtnExit",        "EdtPath"};
    Form->PageControl->ActivatePage(Form->SheetMaker);
    EXPECT_EQ(TabWalk(Form->EdtPath, 7, Qt::NoModifier), maker);
    // The read-only memo passes Tab on, both ways; the last control goes on to "Help".
    EXPECT_EQ(TabWalk(Form->MemoMakeResult, 1, Qt::NoModifier), QStringList{"ChkSubFolder"});
    EXPECT_EQ(TabWalk(Form->MemoMakeResult, 1, Qt::ShiftModifier), QStringList{"BtnSelect"});
    EXPECT_EQ(TabWalk(Form->BtnMake, 1, Qt::NoModifier), QStringList{"BtnHelp"});
    EXPECT_EQ(TabWalk(Form->EdtPath, 7, Qt::ShiftModifier),
              (QStringList{"BtnExit", "BtnHelp", "BtnMake", "ChkSubFolder", "MemoMakeResult",
                           "BtnSelect", "EdtPath"}));

    Form->PageControl->ActivatePage(Form->SheetVerifier);
    EXPECT_EQ(TabWalk(Form->EdtCheckfilePath, 7, Qt::NoModifier),
              (QStringList{"BtnSelectCheckfile", "BtnVerify", "ChkReportNew", "MemoVerifyResult",
                           "BtnHelp", "BtnExit", "EdtCheckfilePath"}));
    EXPECT_EQ(TabWalk(Form->MemoVerifyResult, 1, Qt::NoModifier), QStringList{"BtnHelp"});

    Form->PageControl->ActivatePage(Form->SheetFileMD5);
    EXPECT_EQ(TabWalk(Form->LvwFile, 4, Qt::NoModifier),
              (QStringList{"BtnSelectFile", "BtnHelp", "BtnExit", "LvwFile"}));

    Form->PageControl->ActivatePage(Form->SheetAbout);
    EXPECT_EQ(TabWalk(Form->BtnHelp, 2, Qt::NoModifier), (QStringList{"BtnExit", "BtnHelp"}));
}

TEST_F(KeyboardTest, CtrlTabAndCtrlPageKeysTurnThePagesRoundFromAnyControl) {
    Form->LvwFile->SetFocus();
    EXPECT_EQ(PageAfter(Qt::Key_Tab, Qt::ControlModifier), QStringLiteral("SheetMaker"));
    // The new page's first control takes the focus, so the keys go on working.
    EXPECT_EQ(Form->ActiveControl(), Form->EdtPath);
    EXPECT_EQ(PageAfter(Qt::Key_PageDown, Qt::ControlModifier), QStringLiteral("SheetVerifier"));
    EXPECT_EQ(PageAfter(Qt::Key_PageDown, Qt::ControlModifier), QStringLiteral("SheetAbout"));
    EXPECT_EQ(PageAfter(Qt::Key_Tab, Qt::ControlModifier), QStringLiteral("SheetFileMD5"));
    EXPECT_EQ(PageAfter(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier),
              QStringLiteral("SheetAbout"));
    EXPECT_EQ(PageAfter(Qt::Key_PageUp, Qt::ControlModifier), QStringLiteral("SheetVerifier"));
    // From the memo, which takes other keys, and from "Exit", outside the pages.
    Form->MemoVerifyResult->SetFocus();
    EXPECT_EQ(PageAfter(Qt::Key_PageUp, Qt::ControlModifier), QStringLiteral("SheetMaker"));
    Form->BtnExit->SetFocus();
    EXPECT_EQ(PageAfter(Qt::Key_Tab, Qt::ControlModifier), QStringLiteral("SheetVerifier"));
}

// A caption painted into an image, the button's own way.
QImage Painted(TControl* control) {
    QImage image(control->Width(), control->Height(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    TCanvas canvas;
    canvas.SetDevice(&image);
    control->PaintTo(canvas, Point(0, 0));
    canvas.ReleaseHandle();
    return image;
}

TEST_F(KeyboardTest, AnAcceleratorIsUnderlinedAndAltWithItsLetterPressesTheButton) {
    Form->PageControl->ActivatePage(Form->SheetMaker);
    auto* button = new TskButton(Form.get());
    button->SetParent(Form->SheetMaker);
    button->SetBounds(120, 32, 97, 27);
    int clicks = 0;
    button->OnClick = [&clicks](TObject*) { ++clicks; };

    button->SetCaption(QStringLiteral("Go"));
    const QImage plain = Painted(button);
    button->SetCaption(QStringLiteral("&Go"));
    const QImage underlined = Painted(button);
    // The two differ in one row only, a short line under the "G".
    int firstRow = -1;
    int lastRow = -1;
    int pixels = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) != underlined.pixel(x, y)) {
                firstRow = firstRow < 0 ? y : firstRow;
                lastRow = y;
                ++pixels;
            }
        }
    }
    EXPECT_EQ(firstRow, lastRow);
    EXPECT_GE(pixels, 4);
    EXPECT_GT(firstRow, button->Height() / 2);

    Form->EdtPath->SetFocus();
    Press(Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

} // namespace

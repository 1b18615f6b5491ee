#include "framework/forms/Form.h"

#include "framework/controls/Menus.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/Application.h"
#include "platform/IoError.h"
#include "tests/framework/dialogs/FakeDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

// Paints a four-pixel frame and a caption strip of its own, like a skinned frame.
class TFramedForm : public TForm {
public:
    using TForm::TForm;
    bool Framed = false;

protected:
    void WMNCCalcSize(TMessage& message) override {
        if (!Framed) {
            TForm::WMNCCalcSize(message);
            return;
        }
        auto* rect = reinterpret_cast<TRect*>(message.LParam);
        rect->Left += 4;
        rect->Top += 24;
        rect->Right -= 4;
        rect->Bottom -= 4;
    }
    void WMNCPaint(TMessage& message) override {
        if (!Framed || message.WParam == 0) {
            TForm::WMNCPaint(message);
            return;
        }
        auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
        canvas->Brush()->SetColor(clNavy);
        canvas->FillRect(Rect(0, 0, Width(), Height()));
    }
};

TEST(FormTest, ClientSizeAndNonClientInsetsPlaceTheClientArea) {
    TFramedForm form(nullptr);
    form.SetBorderStyle(TCustomForm::bsNone);
    form.SetClientWidth(507);
    form.SetClientHeight(339);
    EXPECT_EQ(form.Width(), 507);
    EXPECT_EQ(form.ClientHeight(), 339);

    form.Framed = true;
    form.SetFrameless(true);
    EXPECT_EQ(form.ClientAreaInWindow(), Rect(4, 24, 503, 335));
    form.SetClientWidth(507);
    form.SetClientHeight(339);
    EXPECT_EQ(form.Width(), 515);
    EXPECT_EQ(form.Height(), 367);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetAlign(alClient);
    EXPECT_EQ(panel->BoundsRect(), Rect(0, 0, 507, 339));

    form.Show();
    const QImage window = form.Handle()->grab().toImage();
    EXPECT_EQ(window.pixel(1, 1) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(window.pixel(2, 30) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(window.pixel(10, 40) & 0xFFFFFF, ColorToQRgb(clBtnFace) & 0xFFFFFF);
}

TEST(FormTest, CloseAsksCloseQueryThenOnClose) {
    TForm form(nullptr);
    form.Show();
    bool allow = false;
    QList<QString> calls;
    form.OnCloseQuery = [&](TObject*, bool& canClose) {
        calls.append(QStringLiteral("query"));
        canClose = allow;
    };
    form.OnClose = [&](TObject*, TCloseAction& action) {
        calls.append(QStringLiteral("close"));
        EXPECT_EQ(action, TCustomForm::caHide);
    };
    form.Close();
    EXPECT_TRUE(form.Visible());
    allow = true;
    QCloseEvent event;
    QApplication::sendEvent(form.Handle(), &event);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Handle()->isVisible());
    EXPECT_EQ(calls, (QList<QString>{QStringLiteral("query"), QStringLiteral("query"),
                                     QStringLiteral("close")}));
}

TEST(FormTest, ShowModalEndsWithTheButtonsModalResult) {
    TForm form(nullptr);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetModalResult(mrOk);
    QTimer::singleShot(0, [ok] { ok->Click(); });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_FALSE(form.Visible());
}

TEST(FormTest, MaximiseUsesTheWorkAreaAndRestoresTheNormalBounds) {
    TForm form(nullptr);
    form.SetBorderStyle(TCustomForm::bsDialog);
    form.SetBounds(10, 20, 300, 200);
    form.Show();
    form.SetWindowState(TCustomForm::wsMaximized);
    EXPECT_EQ(form.BoundsRect(), Screen->WorkAreaRect());
    EXPECT_EQ(form.NormalBounds(), Rect(10, 20, 310, 220));
    form.SetWindowState(TCustomForm::wsNormal);
    EXPECT_EQ(form.BoundsRect(), Rect(10, 20, 310, 220));
    EXPECT_EQ(form.Handle()->size(), QSize(300, 200));
}

TEST(FormTest, ScreenCenterPlacesTheWindowOnFirstShow) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    form.SetPosition(TCustomForm::poScreenCenter);
    form.Show();
    const TRect area = Screen->WorkAreaRect();
    EXPECT_EQ(form.Left(), area.Left + (area.Width() - 200) / 2);
    EXPECT_EQ(form.Top(), area.Top + (area.Height() - 100) / 2);
}

TEST(FormTest, ActiveControlGetsFocusWhenShownAndForgetsFreedControls) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* second = new TEdit(&form);
    second->SetParent(&form);
    form.SetActiveControl(second);
    form.Show();
    QApplication::setActiveWindow(form.Handle());
    EXPECT_TRUE(second->Focused());
    delete second;
    EXPECT_EQ(form.ActiveControl(), nullptr);
}

TEST(ApplicationTest, ExceptionsFromEventsReachTheGeneralErrorReport) {
    TFakeDialogsScope dialogs;
    Application->SetTitle(QStringLiteral("Sumwarden"));
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 50, 50);
    panel->OnClick = [](TObject*) { throw std::runtime_error("Disk full"); };
    form.Show();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(panel->Handle(), &press);
    QApplication::sendEvent(panel->Handle(), &release);
    ASSERT_EQ(dialogs->MessageBoxes.size(), 1);
    EXPECT_EQ(dialogs->MessageBoxes[0].Text, QStringLiteral("Disk full."));
    EXPECT_EQ(dialogs->MessageBoxes[0].Caption, QStringLiteral("Sumwarden"));
    EXPECT_EQ(dialogs->MessageBoxes[0].Icon, mbIconError);

    QString seen;
    Application->OnException = [&](TObject*, const std::exception& error) {
        seen = QString::fromUtf8(error.what());
    };
    QApplication::sendEvent(panel->Handle(), &press);
    QApplication::sendEvent(panel->Handle(), &release);
    Application->OnException = nullptr;
    EXPECT_EQ(seen, QStringLiteral("Disk full"));
    EXPECT_EQ(dialogs->MessageBoxes.size(), 1);
}

// Handlers that Qt's signals call (a button pressed from code, a menu action, text set by
// the program, a timer) report their exceptions; none unwinds through Qt.
TEST(ApplicationTest, ExceptionsFromSignalHandlersReachTheGeneralErrorReport) {
    TFakeDialogsScope dialogs;
    TForm form(nullptr);
    const auto fail = [](TObject*) { throw std::runtime_error("Disk full"); };
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->OnClick = fail;
    auto* box = new TCheckBox(&form);
    box->SetParent(&form);
    box->OnClick = fail;
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->OnChange = fail;
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->OnChange = fail;
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(QStringLiteral("Open"));
    item->OnClick = fail;
    menu.Items()->Add(item);
    const std::unique_ptr<QMenu> built(menu.BuildQMenu(menu.Items(), nullptr));

    static_cast<QPushButton*>(button->Handle())->click();
    static_cast<QCheckBox*>(box->Handle())->click();
    static_cast<QLineEdit*>(edit->Handle())->setText(QStringLiteral("x"));
    memo->Editor()->setPlainText(QStringLiteral("x"));
    built->actions().at(0)->trigger();

    ASSERT_EQ(dialogs->MessageBoxes.size(), 5);
    for (const auto& report : dialogs->MessageBoxes) {
        EXPECT_EQ(report.Text, QStringLiteral("Disk full."));
    }
}

TEST(ApplicationTest, IoErrorsAreReportedWithTheirTexts) {
    TFakeDialogsScope dialogs;
    TForm form(nullptr);
    int errorNumber = 0;
    form.Show();
    form.OnResize = [&](TObject*) { throw sumwarden::IoError(errorNumber); };
    for (const int number : {EACCES, ENOSPC, ENOENT, EIO}) {
        errorNumber = number;
        form.SetBounds(0, 0, 100 + number, 100);
    }
    QStringList texts;
    for (const auto& box : dialogs->MessageBoxes) {
        texts.append(box.Text);
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("File access denied."),
                                  QStringLiteral("Disk full."), QStringLiteral("File not found."),
                                  QStringLiteral("Input/output error.")}));
}

TEST(ApplicationTest, CreateFormMakesTheFirstFormTheMainForm) {
    TApplication application(nullptr);
    TForm* first = application.CreateForm<TForm>();
    application.CreateForm<TForm>();
    EXPECT_EQ(application.MainForm(), first);
    EXPECT_EQ(first->Owner(), &application);
    delete first;
    EXPECT_EQ(application.MainForm(), nullptr);
    EXPECT_EQ(application.ComponentCount(), 1);
}

} // namespace

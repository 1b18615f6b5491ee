#include "framework/controls/Control.h"

#include "framework/controls/Panel.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A custom control that logs the messages it sees and paints one colour.
class TProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    QList<uint32_t> Log;
    TColor PaintColor = clRed;

protected:
    void WndProc(TMessage& message) override {
        Log.append(message.Msg);
        TCustomControl::WndProc(message);
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(PaintColor);
        Canvas()->FillRect(Rect(2, 2, 6, 6));
    }
};

std::unique_ptr<TForm> MakeForm(int width = 200, int height = 150) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TCustomForm::bsNone);
    form->SetBounds(0, 0, width, height);
    return form;
}

TPanel* AddPanel(TForm& form, TAlign align, int width, int height) {
    auto* panel = new TPanel(&form);
    panel->SetBounds(0, 0, width, height);
    panel->SetParent(&form);
    panel->SetAlign(align);
    return panel;
}

TEST(AlignTest, EdgesTakeSpaceInOrderAndClientGetsTheRest) {
    auto form = MakeForm(200, 150);
    TPanel* client = AddPanel(*form, alClient, 10, 10);
    TPanel* right = AddPanel(*form, alRight, 30, 10);
    TPanel* left = AddPanel(*form, alLeft, 20, 10);
    TPanel* bottom = AddPanel(*form, alBottom, 10, 15);
    TPanel* top = AddPanel(*form, alTop, 10, 25);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 25));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 135, 200, 150));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 25, 20, 135));
    EXPECT_EQ(right->BoundsRect(), Rect(170, 25, 200, 135));
    EXPECT_EQ(client->BoundsRect(), Rect(20, 25, 170, 135));

    form->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 185, 300, 200));
    EXPECT_EQ(client->BoundsRect(), Rect(20, 25, 270, 185));

    top->Hide();
    EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 20, 185));
    top->Show();
    top->SetHeight(40);
    EXPECT_EQ(client->BoundsRect(), Rect(20, 40, 270, 185));
}

TEST(AlignTest, ControlsOfOneEdgeStackByPositionAndPanelBordersInset) {
    auto form = MakeForm(100, 100);
    TPanel* host = AddPanel(*form, alClient, 10, 10);
    host->SetBevelOuter(TCustomPanel::bvNone);
    host->SetBorderWidth(5);
    auto* lower = new TPanel(form.get());
    lower->SetBounds(0, 50, 10, 10);
    lower->SetParent(host);
    auto* upper = new TPanel(form.get());
    upper->SetBounds(0, 5, 10, 20);
    upper->SetParent(host);
    lower->SetAlign(alTop);
    upper->SetAlign(alTop);
    EXPECT_EQ(upper->BoundsRect(), Rect(5, 5, 95, 25));
    EXPECT_EQ(lower->BoundsRect(), Rect(5, 25, 95, 35));
}

TEST(AlignTest, ConstraintsClampBounds) {
    auto form = MakeForm();
    TPanel* panel = AddPanel(*form, alNone, 50, 50);
    panel->Constraints()->SetMinWidth(30);
    panel->Constraints()->SetMaxHeight(40);
    panel->SetBounds(0, 0, 10, 100);
    EXPECT_EQ(panel->Width(), 30);
    EXPECT_EQ(panel->Height(), 40);
}

TEST(OwnershipTest, ParentFreesChildrenAndOwnerIsTold) {
    TComponent owner(nullptr);
    auto* parent = new TPanel(&owner);
    auto* child = new TPanel(&owner);
    child->SetParent(parent);
    EXPECT_EQ(parent->ControlCount(), 1);
    EXPECT_EQ(child->Handle()->parentWidget(), parent->Handle());
    delete parent;
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(OwnershipTest, ChildFreedFirstLeavesItsParent) {
    auto form = MakeForm();
    TPanel* child = AddPanel(*form, alTop, 10, 20);
    delete child;
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST(MessageTest, EraseBackgroundComesBeforePaintAndPaintsTheWidget) {
    auto form = MakeForm(50, 50);
    auto* probe = new TProbe(form.get());
    probe->SetBounds(0, 0, 10, 10);
    probe->SetColor(clBlue);
    probe->SetParent(form.get());
    probe->Log.clear();
    QImage image = probe->Handle()->grab().toImage();
    const int erase = static_cast<int>(probe->Log.indexOf(WM_ERASEBKGND));
    const int paint = static_cast<int>(probe->Log.indexOf(WM_PAINT));
    ASSERT_GE(erase, 0);
    ASSERT_GT(paint, erase);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(3, 3) & 0xFFFFFF, 0xFF0000u);
}

TEST(MessageTest, PerformCarriesPrivateNumbersThroughWindowProc) {
    TProbe probe(nullptr);
    constexpr uint32_t WM_SIDEBORDERWIDTH = 0x26C3;
    probe.WindowProc = [&probe, previous = probe.WindowProc](TMessage& message) {
        if (message.Msg == WM_SIDEBORDERWIDTH) {
            message.Result = 4 + message.WParam;
            return;
        }
        previous(message);
    };
    EXPECT_EQ(probe.Perform(WM_SIDEBORDERWIDTH, 3, 0), 7);
    probe.Log.clear();
    probe.Perform(0x7FF0, 1, 2);
    EXPECT_EQ(probe.Log, QList<uint32_t>{0x7FF0});
}

// Takes a form's window procedure over, as a skinned frame does, and gives it back.
class THook : public TComponent {
public:
    THook(TComponent* owner, TCustomForm* form) : TComponent(owner), FForm(form) {
        FSaved = form->WindowProc;
        form->WindowProc = [this](TMessage& message) { Hooked(message); };
    }
    ~THook() override { FForm->WindowProc = FSaved; }
    QList<uint32_t> Seen;

private:
    void Hooked(TMessage& message) {
        Seen.append(message.Msg);
        if (message.Msg == WM_NCCALCSIZE) {
            auto* rect = reinterpret_cast<TRect*>(message.LParam);
            rect->Left += 4;
            rect->Right -= 4;
            rect->Top += 20;
            rect->Bottom -= 4;
            return;
        }
        FSaved(message);
    }
    TCustomForm* FForm;
    TControl::TWndMethod FSaved;
};

TEST(MessageTest, WindowProcHookMovesTheClientAreaAndIsRestored) {
    auto form = MakeForm(200, 100);
    TPanel* client = AddPanel(*form, alClient, 10, 10);
    {
        THook hook(nullptr, form.get());
        form->RecreateFrame();
        EXPECT_EQ(form->ClientAreaInWindow(), Rect(4, 20, 196, 96));
        EXPECT_EQ(form->ClientWidth(), 192);
        EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 192, 76));
        const QPoint clientInWindow = client->Handle()->mapTo(form->Handle(), QPoint(0, 0));
        EXPECT_EQ(clientInWindow, QPoint(4, 20));
        form->Perform(WM_SIZE);
        EXPECT_TRUE(hook.Seen.contains(WM_SIZE));
    }
    form->RecreateFrame();
    EXPECT_EQ(form->ClientAreaInWindow(), Rect(0, 0, 200, 100));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 200, 100));
}

TEST(MessageTest, MouseEnterLeaveAndClickReachTheControl) {
    auto form = MakeForm(100, 100);
    auto* probe = new TProbe(form.get());
    probe->SetBounds(10, 10, 30, 30);
    probe->SetParent(form.get());
    int clicks = 0;
    QList<QString> events;
    probe->OnClick = [&](TObject*) { ++clicks; };
    probe->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        events.append(QStringLiteral("down %1 %2,%3").arg(button).arg(x).arg(y));
    };
    probe->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        events.append(QStringLiteral("up"));
    };
    form->Show();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(probe->Handle(), &enter);
    EXPECT_TRUE(probe->MouseInClient());
    EXPECT_TRUE(probe->Log.contains(CM_MOUSEENTER));
    QTest::mouseClick(probe->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(events, (QList<QString>{QStringLiteral("down 0 5,6"), QStringLiteral("up")}));
    // Released outside the control: no click.
    QTest::mousePress(probe->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    QTest::mouseRelease(probe->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 6));
    EXPECT_EQ(clicks, 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(probe->Handle(), &leave);
    EXPECT_FALSE(probe->MouseInClient());
    EXPECT_TRUE(probe->Log.contains(CM_MOUSELEAVE));
}

TEST(MessageTest, PropertyChangesSendTheirNotifications) {
    auto form = MakeForm();
    auto* probe = new TProbe(form.get());
    probe->SetParent(form.get());
    probe->SetParentColor(true);
    probe->Log.clear();
    probe->SetCaption(QStringLiteral("x"));
    probe->SetEnabled(false);
    probe->SetVisible(false);
    probe->Font()->SetSize(12);
    EXPECT_EQ(probe->Log, (QList<uint32_t>{CM_TEXTCHANGED, CM_ENABLEDCHANGED, CM_VISIBLECHANGED,
                                           CM_FONTCHANGED}));
    EXPECT_FALSE(probe->ParentFont());
    probe->Log.clear();
    form->SetColor(clNavy);
    EXPECT_TRUE(probe->Log.contains(CM_PARENTCOLORCHANGED));
    EXPECT_EQ(probe->Color(), clNavy);
    EXPECT_TRUE(probe->ParentColor());
}

TEST(MessageTest, ParentFontFollowsUntilTheControlSetsItsOwn) {
    auto form = MakeForm();
    TPanel* panel = AddPanel(*form, alNone, 10, 10);
    form->Font()->SetName(QStringLiteral("Tahoma"));
    form->Font()->SetSize(10);
    EXPECT_EQ(panel->Font()->Size(), 10);
    EXPECT_TRUE(panel->ParentFont());
    panel->Font()->SetSize(8);
    form->Font()->SetSize(12);
    EXPECT_EQ(panel->Font()->Size(), 8);
}

TEST(PaintTest, ParentPaintsItsBackgroundIntoAChildBitmapAtTheChildsOffset) {
    auto form = MakeForm(60, 60);
    auto* parent = new TProbe(form.get());
    parent->SetBounds(0, 0, 40, 40);
    parent->SetColor(clLime);
    parent->PaintColor = clRed;
    parent->SetParent(form.get());
    auto* child = new TProbe(form.get());
    child->SetBounds(3, 3, 10, 10);
    child->SetParent(parent);

    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect(Rect(0, 0, 10, 10));
    child->PaintParentBackground(*bitmap.Canvas());
    // The parent's red square (2..5) lands at -1..2 in the child's coordinates.
    EXPECT_EQ(bitmap.Canvas()->Pixel(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixel(2, 2), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixel(3, 3), clLime);
    EXPECT_EQ(bitmap.Canvas()->Pixel(9, 9), clLime);
}

TEST(PaintTest, PanelDrawsRaisedBevel) {
    auto form = MakeForm(60, 60);
    TPanel* panel = AddPanel(*form, alNone, 20, 10);
    TBitmap bitmap;
    bitmap.SetSize(20, 10);
    panel->PaintTo(*bitmap.Canvas(), Point(0, 0));
    TCanvas* canvas = bitmap.Canvas();
    EXPECT_EQ(canvas->Pixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(canvas->Pixel(18, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(canvas->Pixel(19, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(canvas->Pixel(0, 9), ColorToRGB(clBtnShadow));
    EXPECT_EQ(canvas->Pixel(5, 5), ColorToRGB(clBtnFace));
}

TEST(PaintTest, IsAccelFindsTheMarkedCharacterOnly) {
    EXPECT_TRUE(IsAccel(QLatin1Char('f'), QStringLiteral("&File")));
    EXPECT_FALSE(IsAccel(QLatin1Char('i'), QStringLiteral("&File")));
    EXPECT_FALSE(IsAccel(QLatin1Char('b'), QStringLiteral("A && B")));
    EXPECT_TRUE(IsAccel(QLatin1Char('b'), QStringLiteral("A && &B")));
}

} // namespace

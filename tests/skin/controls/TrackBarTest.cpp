#include "skin/controls/SKButton.h"
#include "skin/controls/SKScrollBar.h"
#include "skin/controls/SKTrackBar.h"
#include "skin/core/SKDraw.h"
#include "skin/frame/SKImagePanel.h"
#include "tests/skin/controls/SkinTestHelpers.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using skintest::ShownForm;
using skintest::WaitFor;

// A slider picture of the given size, so the numbers do not depend on a look.
void GiveSlider(TskTrackBar* bar, int width, int height) {
    TBitmap slider;
    slider.SetSize(width, height);
    slider.Image().fill(Qt::darkGray);
    TPicture picture;
    picture.SetGraphic(&slider);
    bar->SetSliderImage(&picture);
}

TskTrackBar* MakeTrackBar(TForm* form, int width) {
    auto* bar = new TskTrackBar(form);
    bar->SetParent(form);
    bar->SetUIStyle(DeepBlue);
    bar->SetBounds(10, 10, width, bar->Height());
    GiveSlider(bar, 11, 21);
    return bar;
}

TEST(TskTrackBar, PlacesTheSliderAndPagesTowardsAClick) {
    auto form = ShownForm();
    TskTrackBar* bar = MakeTrackBar(form.get(), 200);
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->SetPosition(5);
    EXPECT_EQ(bar->Slider()->Left(), 94);
    EXPECT_EQ(bar->Slider()->Top(), std::max(0, (bar->Height() - 21) / 2));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bar->LastChange(), 5);
    // (150 - 5) x 10 / 189 = 7.67 -> 8, but one page from 5 is 7.
    EXPECT_EQ(bar->PositionFromPoint(150, 5), 8);
    QTest::mousePress(bar->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 5));
    EXPECT_EQ(bar->Position(), 7);
    EXPECT_EQ(bar->LastChange(), 2);
    EXPECT_TRUE(bar->PagingTimerRunning());
    QTest::mouseRelease(bar->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 5));
    EXPECT_FALSE(bar->PagingTimerRunning());
    EXPECT_TRUE(bar->Focused());
}

TEST(TskTrackBar, HoldingTheGroovePagesThreePagesAtATimeUntilThePointer) {
    auto form = ShownForm();
    TskTrackBar* bar = MakeTrackBar(form.get(), 300);
    bar->SetMax(100);
    QList<int> positions;
    bar->OnChange = [&](TObject*) { positions.append(bar->Position()); };
    const QPoint target(250, 5);
    const int goal = bar->PositionFromPoint(target.x(), target.y());
    QTest::mousePress(bar->Handle(), Qt::LeftButton, Qt::NoModifier, target);
    ASSERT_TRUE(WaitFor([&] { return bar->Position() == goal; }));
    QTest::mouseRelease(bar->Handle(), Qt::LeftButton, Qt::NoModifier, target);
    ASSERT_GE(positions.size(), 3);
    EXPECT_EQ(positions[0], 2);
    EXPECT_EQ(positions[1], 8);
    EXPECT_EQ(positions[2], 14);
    EXPECT_FALSE(bar->PagingTimerRunning());
}

TEST(TskTrackBar, VerticalHoldStepsOnePage) {
    auto form = ShownForm();
    auto* bar = new TskTrackBar(form.get());
    bar->SetParent(form.get());
    bar->SetOrientation(skVertical);
    bar->SetBounds(10, 10, bar->Width(), 250);
    GiveSlider(bar, 21, 11);
    bar->SetMax(100);
    QList<int> positions;
    bar->OnChange = [&](TObject*) { positions.append(bar->Position()); };
    const QPoint target(5, 200);
    QTest::mousePress(bar->Handle(), Qt::LeftButton, Qt::NoModifier, target);
    ASSERT_TRUE(WaitFor([&] { return positions.size() >= 3; }));
    QTest::mouseRelease(bar->Handle(), Qt::LeftButton, Qt::NoModifier, target);
    EXPECT_EQ(positions[1] - positions[0], 2);
    EXPECT_EQ(positions[2] - positions[1], 2);
}

TEST(TskTrackBar, DraggingTheSliderFollowsThePointerAndReleasesTheCapture) {
    auto form = ShownForm();
    TskTrackBar* bar = MakeTrackBar(form.get(), 200);
    QWidget* slider = bar->Slider()->Handle();
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(bar->Dragging());
    EXPECT_TRUE(bar->MouseCapture());
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 5),
                     bar->Handle()->mapToGlobal(QPointF(100, 5)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(bar->Handle(), &move);
    EXPECT_EQ(bar->Position(), bar->PositionFromPoint(100, 5));
    EXPECT_EQ(bar->LastChange(), bar->Position());
    QTest::mouseRelease(bar->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    EXPECT_FALSE(bar->Dragging());
    EXPECT_FALSE(bar->MouseCapture());
}

TEST(TskTrackBar, SettersClampAndRefuseOutOfRangeSteps) {
    auto form = ShownForm();
    TskTrackBar* bar = MakeTrackBar(form.get(), 200);
    bar->SetPageSize(20);
    EXPECT_EQ(bar->PageSize(), 2);
    bar->SetLineSize(-1);
    EXPECT_EQ(bar->LineSize(), 1);
    bar->SetPosition(50);
    EXPECT_EQ(bar->Position(), 10);
    bar->SetMax(4);
    EXPECT_EQ(bar->Position(), 4);
    bar->SetMin(8);
    EXPECT_EQ(bar->Min(), 4);
    bar->SetMax(-3);
    EXPECT_EQ(bar->Max(), 4);
    EXPECT_EQ(bar->Slider()->Left(), 0);
    EXPECT_TRUE(bar->TickValues().isEmpty());
    bar->SetMin(0);
    bar->SetMax(10);
    bar->SetFrequency(3);
    EXPECT_EQ(bar->TickValues(), (QList<int>{0, 3, 6, 9, 10}));
}

TEST(TskTrackBar, KeysStepByLineAndPage) {
    auto form = ShownForm();
    TskTrackBar* bar = MakeTrackBar(form.get(), 200);
    bar->SetFocus();
    QTest::keyClick(bar->Handle(), Qt::Key_PageDown);
    EXPECT_EQ(bar->Position(), 2);
    QTest::keyClick(bar->Handle(), Qt::Key_Right);
    EXPECT_EQ(bar->Position(), 3);
    QTest::keyClick(bar->Handle(), Qt::Key_End);
    EXPECT_EQ(bar->Position(), 10);
    QTest::keyClick(bar->Handle(), Qt::Key_Up);
    EXPECT_EQ(bar->Position(), 9);
    QTest::keyClick(bar->Handle(), Qt::Key_Home);
    EXPECT_EQ(bar->Position(), 0);
    QTest::keyClick(bar->Handle(), Qt::Key_PageUp);
    EXPECT_EQ(bar->Position(), 0);
}

TEST(TskTrackBar, MacLookTurnsTransparencyOnForGood) {
    auto form = ShownForm();
    auto* bar = new TskTrackBar(form.get());
    bar->SetUIStyle(DeepBlue);
    bar->SetTransparent(false);
    bar->SetUIStyle(MacOS);
    EXPECT_TRUE(bar->Transparent());
    bar->SetUIStyle(WinXP);
    EXPECT_TRUE(bar->Transparent());
}

TEST(TskTrackBar, DestroyedWhilePagingLeavesNoTimerBehind) {
    auto form = ShownForm();
    TskTrackBar* bar = MakeTrackBar(form.get(), 200);
    QTest::mousePress(bar->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(190, 5));
    ASSERT_TRUE(bar->PagingTimerRunning());
    delete bar;
    QApplication::processEvents();
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST(TskScrollBar, LaysOutItsTrackBetweenTheArrows) {
    auto form = ShownForm();
    auto* vertical = new TskScrollBar(form.get());
    vertical->SetParent(form.get());
    vertical->SetUIStyle(DeepBlue);
    vertical->SetOrientation(skVertical);
    vertical->SetBounds(0, 0, 16, 200);
    ASSERT_EQ(vertical->FirstButton()->Height(), 16);
    EXPECT_EQ(vertical->Width(), 16);
    EXPECT_EQ(vertical->Track()->Height(), 167);
    EXPECT_EQ(vertical->SecondButton()->Top(), 184);

    auto* horizontal = new TskScrollBar(form.get());
    horizontal->SetParent(form.get());
    horizontal->SetUIStyle(DeepBlue);
    horizontal->SetBounds(0, 0, 200, 30);
    EXPECT_EQ(horizontal->Height(), horizontal->FirstButton()->Height());
    EXPECT_EQ(horizontal->Track()->Width(), 168);
    EXPECT_EQ(horizontal->SecondButton()->Left(), 200 - horizontal->SecondButton()->Width());

    horizontal->SetHeight(0);
    EXPECT_FALSE(horizontal->Visible());
}

TEST(TskScrollBar, ThumbLengthFromLineButtonOrPageSize) {
    auto form = ShownForm();
    auto* bar = new TskScrollBar(form.get());
    bar->SetParent(form.get());
    bar->SetOrientation(skVertical);
    bar->SetBounds(0, 0, 16, 200);
    EXPECT_EQ(bar->ThumbLength(), 167 * 10 / 100);
    bar->SetLineButton(5);
    EXPECT_EQ(bar->LineButton(), 18);
    EXPECT_EQ(bar->ThumbLength(), 18);
    bar->SetLineButton(500);
    EXPECT_EQ(bar->LineButton(), 18);
    bar->SetLineButton(0);
    bar->SetPageSize(50);
    EXPECT_EQ(bar->ThumbLength(), 167 * 50 / 100);

    // MacOS caps are 11 pixels long each: a shorter thumb would cut its round end, so it
    // is never shorter than both caps, and ends in the whole end cap.
    bar->SetUIStyle(MacOS);
    bar->SetLineButton(18);
    ASSERT_EQ(bar->ThumbLength(), 22);
    TBitmap endCap;
    GetBuiltinThemeBitmap(MacOS, ScrollBarSliderImage, &endCap, 3, 3);
    RotateBitmapRight(&endCap);
    ASSERT_EQ(endCap.Height(), 11);
    const QImage thumb = bar->Track()->Slider()->Picture()->Bitmap()->Image();
    EXPECT_EQ(thumb.copy(0, 22 - 11, endCap.Width(), 11).convertToFormat(QImage::Format_RGB32),
              endCap.Image().convertToFormat(QImage::Format_RGB32));
}

TEST(TskScrollBar, HeldArrowsRepeatBySmallChange) {
    auto form = ShownForm();
    auto* bar = new TskScrollBar(form.get());
    bar->SetParent(form.get());
    bar->SetOrientation(skVertical);
    bar->SetBounds(0, 0, 16, 200);
    bar->SetSmallChange(4);
    QList<int> changes;
    bar->OnChange = [&](TObject*) { changes.append(bar->LastChange()); };
    QWidget* down = bar->SecondButton()->Handle();
    QTest::mousePress(down, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(WaitFor([&] { return changes.size() >= 2; }));
    QTest::mouseRelease(down, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(changes[0], 4);
    EXPECT_EQ(changes[1], 4);
    const int position = bar->Position();
    QWidget* up = bar->FirstButton()->Handle();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(WaitFor([&] { return bar->Position() < position; }));
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(changes.last(), -4);
}

} // namespace

#include "framework/forms/WindowMover.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(WindowMoverTest, SmallTravelIsAClickAndLargerTravelMovesTheWindow) {
    QWidget window;
    window.setGeometry(100, 100, 200, 100);
    window.show();
    const QPoint start = window.pos();
    TWindowMover mover;
    mover.Press(&window, Point(150, 110));
    const int small = QApplication::startDragDistance() - 1;
    EXPECT_FALSE(mover.Move(Point(150 + small, 110)));
    EXPECT_EQ(window.pos(), start);
    // Offscreen refuses a system move: the mover moves the window itself.
    EXPECT_TRUE(mover.Move(Point(180, 130)));
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));
    EXPECT_TRUE(mover.Move(Point(160, 115)));
    EXPECT_EQ(window.pos(), start + QPoint(10, 5));
    mover.Release();
    EXPECT_FALSE(mover.Move(Point(300, 300)));
    EXPECT_EQ(window.pos(), start + QPoint(10, 5));
}

void SendMove(QWidget* target, QPoint global, Qt::MouseButtons buttons) {
    QMouseEvent event(QEvent::MouseMove, QPointF(0, 0), QPointF(global), Qt::NoButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(WindowMoverTest, CaptionDragFollowsMovesSeenAnywhereAndEndsOnRelease) {
    QWidget window;
    window.setGeometry(100, 100, 200, 100);
    window.show();
    QWidget other;
    const QPoint start = window.pos();
    StartCaptionDrag(&window, Point(150, 110));
    EXPECT_TRUE(CaptionDragActive());
    SendMove(&other, QPoint(190, 140), Qt::LeftButton);
    EXPECT_EQ(window.pos(), start + QPoint(40, 30));
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(0, 0), QPointF(190, 140),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&other, &release);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(CaptionDragActive());
    SendMove(&other, QPoint(300, 300), Qt::LeftButton);
    EXPECT_EQ(window.pos(), start + QPoint(40, 30));
}

TEST(WindowMoverTest, WindowDestroyedDuringACaptionDragEndsItQuietly) {
    auto window = std::make_unique<QWidget>();
    window->setGeometry(100, 100, 200, 100);
    window->show();
    QWidget other;
    StartCaptionDrag(window.get(), Point(150, 110));
    SendMove(&other, QPoint(170, 120), Qt::LeftButton);
    window.reset();
    SendMove(&other, QPoint(200, 150), Qt::LeftButton);
    SendMove(&other, QPoint(200, 150), Qt::NoButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(CaptionDragActive());
}

} // namespace

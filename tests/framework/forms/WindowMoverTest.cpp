#include "framework/forms/WindowMover.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

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

} // namespace

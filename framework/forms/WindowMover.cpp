#include "framework/forms/WindowMover.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

void TWindowMover::Press(QWidget* window, TPoint screenPoint) {
    FWindow = window;
    FPress = screenPoint;
    FWindowAtPress = TPoint::FromQPoint(window->pos());
    FDragging = false;
    FManual = false;
}

bool TWindowMover::Move(TPoint screenPoint) {
    if (FWindow == nullptr) {
        return false;
    }
    const int dx = screenPoint.X - FPress.X;
    const int dy = screenPoint.Y - FPress.Y;
    if (!FDragging) {
        // A click or the second click of a double click must not start a move.
        if (std::abs(dx) + std::abs(dy) < QApplication::startDragDistance()) {
            return false;
        }
        FDragging = true;
        QWindow* handle = FWindow->windowHandle();
        FManual = handle == nullptr || !handle->startSystemMove();
        if (!FManual) {
            // The window system moves it from here and reports the release itself.
            FWindow = nullptr;
            return true;
        }
    }
    FWindow->move(FWindowAtPress.X + dx, FWindowAtPress.Y + dy);
    return true;
}

void TWindowMover::Release() {
    FWindow = nullptr;
    FDragging = false;
    FManual = false;
}

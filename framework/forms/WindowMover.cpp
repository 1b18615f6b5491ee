#include "framework/forms/WindowMover.h"

#include <QApplication>
#include <QMouseEvent>
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

namespace {

class TCaptionDrag : public QObject {
public:
    TCaptionDrag(QWidget* window, TPoint screenPoint) : QObject(qApp) {
        FMover.Press(window, screenPoint);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!mouse->buttons().testFlag(Qt::LeftButton)) {
                End();
                return false;
            }
            FMover.Move(TPoint::FromQPoint(mouse->globalPosition().toPoint()));
            return false;
        }
        case QEvent::MouseButtonRelease:
            End();
            return false;
        default:
            return false;
        }
    }

private:
    void End() {
        FMover.Release();
        qApp->removeEventFilter(this);
        deleteLater();
    }

    TWindowMover FMover;
};

QPointer<TCaptionDrag>& CurrentDrag() {
    static QPointer<TCaptionDrag> drag;
    return drag;
}

} // namespace

void StartCaptionDrag(QWidget* window, TPoint screenPoint) {
    delete CurrentDrag().data();
    if (window != nullptr && qApp != nullptr) {
        CurrentDrag() = new TCaptionDrag(window, screenPoint);
    }
}

bool CaptionDragActive() {
    return !CurrentDrag().isNull();
}

#include "framework/forms/WindowMover.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

namespace {

// Where a client cannot place its own window (Wayland) the move must be handed to the
// compositor. Elsewhere the mover moves the window itself to the end of the drag: a window
// manager handed the move late, under load, misses the pointer's last steps.
bool OnlyTheWindowSystemMovesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

void TWindowMover::Press(QWidget* window, TPoint screenPoint) {
    FWindow = window;
    FPress = screenPoint;
    FWindowAtPress = TPoint::FromQPoint(window->pos());
    FDragging = false;
    FHandOver = false;
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
        FHandOver = OnlyTheWindowSystemMovesWindows();
    }
    FTarget = QPoint(FWindowAtPress.X + dx, FWindowAtPress.Y + dy);
    FMoving = true;
    FWindow->move(FTarget);
    FMoving = false;
    return true;
}

void TWindowMover::WindowMoved() {
    if (!FHandOver || FMoving || FWindow == nullptr || FWindow->pos() != FTarget) {
        return;
    }
    // Moves still queued would be lost to the window manager, which starts from where the
    // pointer stands now: hand over only once the window has caught up with the pointer.
    const QPoint pointer = QCursor::pos();
    if (FTarget != QPoint(FWindowAtPress.X + pointer.x() - FPress.X,
                          FWindowAtPress.Y + pointer.y() - FPress.Y)) {
        return;
    }
    FHandOver = false;
    QWindow* handle = FWindow->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        // The window system moves it from here and reports the release itself.
        FWindow = nullptr;
    }
}

void TWindowMover::Release() {
    FWindow = nullptr;
    FDragging = false;
    FHandOver = false;
}

namespace {

class TCaptionDrag : public QObject {
public:
    TCaptionDrag(QWidget* window, TPoint screenPoint) : QObject(qApp) {
        FMover.Press(window, screenPoint);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
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
        case QEvent::Move:
            if (watched == FMover.Window()) {
                FMover.WindowMoved();
            }
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

class TFrameResize : public QObject {
public:
    TFrameResize(QWidget* window, Qt::Edges edges, TPoint screenPoint)
        : QObject(qApp), FWindow(window), FEdges(edges), FPress(screenPoint),
          FStart(window->geometry()) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease || FWindow.isNull()) {
            End();
            return false;
        }
        if (event->type() != QEvent::MouseMove) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!mouse->buttons().testFlag(Qt::LeftButton)) {
            End();
            return false;
        }
        const QPoint global = mouse->globalPosition().toPoint();
        if (!FStarted) {
            const int travel = std::abs(global.x() - FPress.X) + std::abs(global.y() - FPress.Y);
            if (travel < QApplication::startDragDistance()) {
                return false;
            }
            FStarted = true;
            QWindow* handle = FWindow->windowHandle();
            if (handle != nullptr && handle->startSystemResize(FEdges)) {
                End();
                return false;
            }
        }
        FWindow->setGeometry(Resized(global.x() - FPress.X, global.y() - FPress.Y));
        return false;
    }

private:
    QRect Resized(int dx, int dy) const {
        const QSize minimum = FWindow->minimumSize();
        QRect rect = FStart;
        if (FEdges.testFlag(Qt::LeftEdge)) {
            rect.setLeft(std::min(FStart.left() + dx, FStart.right() + 1 - minimum.width()));
        }
        if (FEdges.testFlag(Qt::RightEdge)) {
            rect.setRight(std::max(FStart.right() + dx, FStart.left() + minimum.width() - 1));
        }
        if (FEdges.testFlag(Qt::TopEdge)) {
            rect.setTop(std::min(FStart.top() + dy, FStart.bottom() + 1 - minimum.height()));
        }
        if (FEdges.testFlag(Qt::BottomEdge)) {
            rect.setBottom(std::max(FStart.bottom() + dy, FStart.top() + minimum.height() - 1));
        }
        return rect;
    }

    void End() {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> FWindow;
    Qt::Edges FEdges;
    TPoint FPress;
    QRect FStart;
    bool FStarted = false;
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

void StartFrameResize(QWidget* window, Qt::Edges edges, TPoint screenPoint) {
    delete CurrentDrag().data();
    if (window != nullptr && qApp != nullptr && edges != Qt::Edges()) {
        new TFrameResize(window, edges, screenPoint);
    }
}

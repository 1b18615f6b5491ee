// The drag and dock events a layout may bind. They are kept for the layout's sake: the
// framework starts no drag and docks nothing, so none of them is raised.
#include "framework/controls/Control.h"
#include "framework/core/EventSlot.h"
#include "framework/forms/Form.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QUrl>
#include <memory>

std::optional<TComponent::TEventSlot> TControl::DragDockEventSlot(const QString& name) {
    if (name == QLatin1String("OnDragDrop")) {
        return MakeEventSlot(OnDragDrop);
    }
    if (name == QLatin1String("OnDragOver")) {
        return MakeEventSlot(OnDragOver);
    }
    if (name == QLatin1String("OnEndDrag")) {
        return MakeEventSlot(OnEndDrag);
    }
    if (name == QLatin1String("OnStartDrag")) {
        return MakeEventSlot(OnStartDrag);
    }
    if (name == QLatin1String("OnEndDock")) {
        return MakeEventSlot(OnEndDock);
    }
    if (name == QLatin1String("OnStartDock")) {
        return MakeEventSlot(OnStartDock);
    }
    if (name == QLatin1String("OnDockDrop")) {
        return MakeEventSlot(OnDockDrop);
    }
    if (name == QLatin1String("OnDockOver")) {
        return MakeEventSlot(OnDockOver);
    }
    if (name == QLatin1String("OnUnDock")) {
        return MakeEventSlot(OnUnDock);
    }
    if (name == QLatin1String("OnGetSiteInfo")) {
        return MakeEventSlot(OnGetSiteInfo);
    }
    return std::nullopt;
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) {
        OnDragDrop(this, Source, X, Y);
    }
}

namespace {

// The innermost visible control of root under a point of the screen; of overlapping
// siblings the one in front (later in its parent's list).
TControl* ControlAtScreenPoint(TWinControl* root, QPoint global) {
    TControl* found = root;
    for (TWinControl* container = root; container != nullptr;) {
        TWinControl* inner = nullptr;
        for (int index = container->ControlCount() - 1; index >= 0; --index) {
            TControl* child = container->Controls(index);
            const TPoint topLeft = container->ClientToScreen(Point(child->Left(), child->Top()));
            if (child->Visible() &&
                QRect(topLeft.X, topLeft.Y, child->Width(), child->Height()).contains(global)) {
                found = child;
                inner = qobject_cast<TWinControl*>(child);
                break;
            }
        }
        container = inner;
    }
    return found;
}

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

// Turns the platform's drags of files into the controls' drag events. One drag happens
// at a time, so one router serves every form.
class TFileDropRouter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop &&
            type != QEvent::DragLeave) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        TControl* control = widget != nullptr ? FindControl(widget) : nullptr;
        TCustomForm* form = control != nullptr ? control->GetParentForm() : nullptr;
        if (form == nullptr) {
            return false;
        }
        if (type == QEvent::DragLeave) {
            const bool ours = FSource != nullptr;
            Leave();
            return ours;
        }
        auto* drag = static_cast<QDropEvent*>(event);
        QStringList files = LocalFiles(drag->mimeData());
        // On X11 the drop itself may come without data (the source's answer to the
        // request is lost): it drops what its drag carried.
        if (files.isEmpty() && type == QEvent::Drop && FSource != nullptr) {
            files = FSource->Files();
        }
        if (files.isEmpty()) {
            return false;
        }
        if (FSource == nullptr || FSource->Files() != files) {
            Leave();
            FSource = std::make_unique<TFileDragObject>(files);
        }
        const QPoint global = widget->mapToGlobal(drag->position().toPoint());
        TControl* target = Target(form, global);
        drag->setDropAction(target != nullptr ? Qt::CopyAction : Qt::IgnoreAction);
        // The window takes every drag of files in, so it hears of the moves that follow
        // (Qt sends none to a widget that refused the enter); each move, and the drop,
        // is accepted where a control takes the files.
        drag->setAccepted(target != nullptr || type == QEvent::DragEnter);
        if (type == QEvent::Drop) {
            if (target != nullptr) {
                // The drag ends before the drop is handled, which may open a window.
                const std::unique_ptr<TFileDragObject> source = std::move(FSource);
                FTarget = nullptr;
                const TPoint at = target->ScreenToClient(Point(global.x(), global.y()));
                target->DragDrop(source.get(), at.X, at.Y);
            } else {
                Leave();
            }
        }
        // The widgets never see a drag of files: an edit would type the file's address.
        return true;
    }

private:
    // The control that accepts the drag at global, told that the drag entered or moves;
    // the control that accepted it before is told that it left when another takes it.
    TControl* Target(TCustomForm* form, QPoint global) {
        TControl* under = ControlAtScreenPoint(form, global);
        // The control that took the drag hears that it left before another hears of it.
        bool stillUnder = false;
        for (TControl* control = under; control != nullptr; control = control->Parent()) {
            stillUnder = stillUnder || control == FTarget;
        }
        if (!stillUnder) {
            TellLeft();
        }
        for (TControl* control = under; control != nullptr; control = control->Parent()) {
            const TPoint at = control->ScreenToClient(Point(global.x(), global.y()));
            bool accept = false;
            control->DragOver(FSource.get(), at.X, at.Y,
                              control == FTarget ? dsDragMove : dsDragEnter, accept);
            if (accept) {
                if (FTarget != nullptr && FTarget != control) {
                    TellLeft();
                }
                FTarget = control;
                return control;
            }
        }
        TellLeft();
        return nullptr;
    }

    void TellLeft() {
        if (TControl* left = FTarget) {
            FTarget = nullptr;
            bool accept = false;
            left->DragOver(FSource.get(), 0, 0, dsDragLeave, accept);
        }
    }

    void Leave() {
        TellLeft();
        FSource.reset();
    }

    std::unique_ptr<TFileDragObject> FSource;
    QPointer<TControl> FTarget;
};

} // namespace

void AcceptFileDrops(TCustomForm* form) {
    static QPointer<TFileDropRouter> router;
    if (router == nullptr) {
        router = new TFileDropRouter(qApp);
        qApp->installEventFilter(router);
    }
    form->Handle()->setAcceptDrops(true);
}

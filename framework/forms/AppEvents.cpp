#include "framework/forms/AppEvents.h"

#include "framework/controls/Control.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

QList<QPointer<TApplicationEvents>>& Registered() {
    static QList<QPointer<TApplicationEvents>> list;
    return list;
}

// The first receiver of a key: the focus widget, or the active window without one.
bool IsKeyTarget(const QObject* watched) {
    const QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr) {
        return watched == focus;
    }
    return watched != nullptr && watched == QApplication::activeWindow();
}

class TKeyHook : public QObject {
public:
    TKeyHook() : QObject(qApp) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool press = event->type() == QEvent::KeyPress;
        if ((!press && event->type() != QEvent::KeyRelease) || !IsKeyTarget(watched)) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        if (!press) {
            return AltReleased(key);
        }
        FAltAlone = key->key() == Qt::Key_Alt;
        const auto modifiers = key->modifiers();
        const bool alt =
            modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier);
        const intptr_t shift = static_cast<intptr_t>(TControl::ShiftStateOf(modifiers).toInt());
        TMessage down;
        down.Msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        down.WParam = TControl::VirtualKeyOf(key->key());
        down.LParam = shift;
        if (DispatchApplicationMessage(down)) {
            return true;
        }
        const QString text = key->key() == Qt::Key_Space ? QStringLiteral(" ") : key->text();
        if (text.size() != 1 || (!alt && text.at(0).unicode() < 0x20)) {
            return false;
        }
        TMessage character;
        character.Msg = alt ? WM_SYSCHAR : WM_CHAR;
        character.WParam = text.at(0).unicode();
        character.LParam = shift;
        return DispatchApplicationMessage(character);
    }

private:
    // Alt pressed and released with no other key between: WM_SYSKEYUP of VK_MENU, the
    // keyboard's way into a menu bar.
    bool AltReleased(const QKeyEvent* key) {
        if (key->key() != Qt::Key_Alt || key->isAutoRepeat() || !FAltAlone) {
            return false;
        }
        FAltAlone = false;
        TMessage up;
        up.Msg = WM_SYSKEYUP;
        up.WParam = VK_MENU;
        return DispatchApplicationMessage(up);
    }

    bool FAltAlone = false;
};

void EnsureKeyHook() {
    static QPointer<TKeyHook> hook;
    if (hook.isNull() && qApp != nullptr) {
        hook = new TKeyHook();
    }
}

} // namespace

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner) {
    Registered().append(this);
    EnsureKeyHook();
}

TApplicationEvents::~TApplicationEvents() {
    Registered().removeAll(this);
}

bool DispatchApplicationMessage(TMessage& message) {
    const QList<QPointer<TApplicationEvents>> hooks = Registered();
    for (const QPointer<TApplicationEvents>& events : hooks) {
        bool handled = false;
        if (events && events->OnMessage) {
            events->OnMessage(message, handled);
        }
        if (handled) {
            return true;
        }
    }
    return false;
}

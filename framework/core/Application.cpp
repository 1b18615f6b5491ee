#include "framework/core/Application.h"

#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Form.h"

#include <QApplication>
#include <QGuiApplication>

namespace {

// Reports an exception thrown from any event handler instead of letting it unwind
// through Qt, which is not exception safe.
class TReportingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            TApplication::HandleCurrentException(receiver);
            return true;
        }
    }
};

TApplication gApplication(nullptr);

void FreeApplicationComponents() {
    gApplication.DestroyComponents();
}

} // namespace

TApplication* Application = &gApplication;

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
    Destroying();
    DestroyComponents();
}

void TApplication::Initialize(int& argc, char** argv) {
    if (QCoreApplication::instance() == nullptr) {
        // Lives until the process ends; the post routine frees the forms first.
        new TReportingApplication(argc, argv);
    }
    Initialize();
}

void TApplication::Initialize() {
    static bool registered = false;
    if (!registered && QCoreApplication::instance() != nullptr) {
        qAddPostRoutine(FreeApplicationComponents);
        registered = true;
    }
    FTerminated = false;
    if (FTitle.isEmpty()) {
        FTitle = QCoreApplication::applicationName();
    }
}

int TApplication::Run() {
    if (FMainForm != nullptr && !FTerminated) {
        FMainForm->Show();
    }
    const int code = FTerminated ? 0 : QCoreApplication::exec();
    // The forms go while Qt still runs: at process exit its thread data is gone, and a
    // window freed then crashes.
    DestroyComponents();
    FMainForm = nullptr;
    return code;
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents();
}

void TApplication::Terminate() {
    FTerminated = true;
    QCoreApplication::exit(0);
}

bool TApplication::Active() const {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void TApplication::SetIcon(const QIcon& icon) {
    FIcon = icon;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        QGuiApplication::setWindowIcon(icon);
    }
}

void TApplication::HandleException(TObject* sender) {
    const std::exception_ptr current = std::current_exception();
    if (!current) {
        return;
    }
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& error) {
        if (OnException) {
            OnException(sender, error);
        } else {
            ShowException(error);
        }
    } catch (...) {
        const std::runtime_error unknown("Unknown error");
        if (OnException) {
            OnException(sender, unknown);
        } else {
            ShowException(unknown);
        }
    }
}

void TApplication::ShowException(const std::exception& error) {
    // A second error while the first is on screen is not stacked on top of it.
    if (FHandlingException) {
        return;
    }
    FHandlingException = true;
    QString text = QString::fromUtf8(error.what());
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('.'))) {
        text += QLatin1Char('.');
    }
    const QString caption = FTitle.isEmpty() ? QCoreApplication::applicationName() : FTitle;
    Dialogs().MessageBox(text, caption, mbIconError, mbOK);
    FHandlingException = false;
}

void TApplication::HandleCurrentException(TObject* sender) {
    if (Application != nullptr) {
        Application->HandleException(sender);
    }
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FMainForm) {
        FMainForm = nullptr;
    }
}

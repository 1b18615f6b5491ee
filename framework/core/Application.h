#pragma once

#include "framework/core/Component.h"

#include <QIcon>
#include <QString>
#include <exception>
#include <functional>

class QApplication;
class TCustomForm;

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// The application object: creates the forms, runs the message loop until the main
// form closes, and is the general error report for exceptions that reach the loop.
class TApplication : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Makes sure a Qt application exists (one whose event delivery reports
    // exceptions) and that owned forms are freed before it goes.
    void Initialize(int& argc, char** argv);
    void Initialize();

    // Creates a form owned by the application; the first becomes the main form.
    template <class T>
    T* CreateForm() {
        T* form = new T(this);
        if (FMainForm == nullptr) {
            FMainForm = form;
        }
        return form;
    }
    // Shows the main form and runs the message loop until Terminate or the main form
    // closes; then frees the forms and returns the exit code.
    int Run();
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return FTerminated; }

    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* form) { FMainForm = form; }
    bool Active() const;
    QIcon Icon() const { return FIcon; }
    void SetIcon(const QIcon& icon);
    QString Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }

    // Call from a catch block: gives the current exception to OnException, or shows it.
    void HandleException(TObject* sender);
    // Shows the exception's message in an error message box captioned with the title.
    void ShowException(const std::exception& error);
    static void HandleCurrentException(TObject* sender);

    TExceptionEvent OnException;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomForm* FMainForm = nullptr;
    QIcon FIcon;
    QString FTitle;
    bool FTerminated = false;
    bool FHandlingException = false;
};

extern TApplication* Application;

// Runs code that a Qt signal calls: an exception goes to the general error report instead
// of unwinding through Qt, where it is undefined behaviour.
template <class F>
void CallReportingExceptions(TObject* sender, F&& code) {
    try {
        code();
    } catch (...) {
        TApplication::HandleCurrentException(sender);
    }
}

#pragma once
// Runs the window's long jobs (make, verify, hashing the file list) off the window thread,
// one at a time, so the window stays live while they run. The job's lines reach the window
// in batches, at most ten times a second; the window title shows how far the job has got;
// the button that started the job reads "Stop" and stops it, as Escape does; the inputs
// that would start another job or change this one's are disabled until it ends.
#include "checksum/JobControl.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QShortcut;
class TControl;
class TForm;
class TMemo;

class TJobRunner : public QObject {
    Q_OBJECT
public:
    // Hands one line to the window; callable from the job's thread.
    using TLineOut = std::function<void(QString line)>;

    struct TJob {
        // Runs on the job's thread; touches no widget. What it throws is reported as a
        // failure once the lines so far are shown.
        std::function<void(sumwarden::JobControl& control, const TLineOut& out)> Work;
        // On the window thread: shows the lines that came since the last call.
        std::function<void(const QStringList& lines)> Show;
        // On the window thread: what the title says after the form's caption and " - ";
        // empty while there is nothing to tell.
        std::function<QString(const sumwarden::JobControl::Progress& progress)> Progress;
        // On the window thread, after the last lines were shown; may be empty.
        std::function<void(bool stopped)> Ended;
    };

    // The inputs are disabled while a job runs, but for the button that started it.
    TJobRunner(TForm* form, TControl* titleHolder, QList<TControl*> inputs);
    // Stops a running job and waits for its end.
    ~TJobRunner() override;
    TJobRunner(const TJobRunner&) = delete;
    TJobRunner& operator=(const TJobRunner&) = delete;

    bool Running() const { return FThread.joinable(); }
    // Starts the job; the button reads "Stop" until it ends.
    void Start(TControl* button, TJob job);
    // Asks the running job to stop; it ends within a fraction of a second.
    void Stop();
    // Stops the running job and ends it here, lines and all (the window is closing).
    void StopAndWait();

private:
    void Flush();
    void ShowPendingLines();
    void ShowTitle(const QString& title);
    void Finish();

    TForm* FForm;
    TControl* FTitleHolder;
    QList<TControl*> FInputs;
    QList<TControl*> FDisabled;
    QPointer<QShortcut> FEscape;
    QTimer FTimer;

    TControl* FButton = nullptr;
    QString FButtonCaption;
    QString FTitle;
    QString FShownTitle;
    TJob FJob;
    std::unique_ptr<sumwarden::JobControl> FControl;
    std::thread FThread;
    std::mutex FMutex;    // guards the two below
    QStringList FPending; // lines the window has not shown yet
    std::exception_ptr FFailure;
};

// Appends the lines to the memo, after the lines it got before when there were any (an
// empty line leaves no trace in the memo's text to tell). The memo stays scrolled to its
// end unless the user has scrolled away from it; a selection stays as it was.
void AppendMemoLines(TMemo* memo, const QStringList& lines, bool afterEarlierLines);

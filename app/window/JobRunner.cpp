#include "app/window/JobRunner.h"

#include "framework/controls/StdCtrls.h"
#include "framework/core/Application.h"
#include "framework/forms/Form.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTextCursor>
#include <utility>

namespace {

// Lines and the title reach the screen at most this often.
constexpr int kRefreshMilliseconds = 100;

} // namespace

TJobRunner::TJobRunner(TForm* form, TControl* titleHolder, QList<TControl*> inputs)
    : FForm(form), FTitleHolder(titleHolder), FInputs(std::move(inputs)) {
    FTimer.setInterval(kRefreshMilliseconds);
    connect(&FTimer, &QTimer::timeout, this, &TJobRunner::Flush);
    FEscape = new QShortcut(QKeySequence(Qt::Key_Escape), form->Handle());
    FEscape->setContext(Qt::WindowShortcut);
    FEscape->setEnabled(false);
    connect(FEscape, &QShortcut::activated, this, &TJobRunner::Stop);
}

TJobRunner::~TJobRunner() {
    if (Running()) {
        FControl->RequestStop();
        FThread.join();
        QGuiApplication::restoreOverrideCursor();
    }
}

void TJobRunner::Start(TControl* button, TJob job) {
    FJob = std::move(job);
    FButton = button;
    FButtonCaption = button->Caption();
    FTitle = FTitleHolder->Caption();
    FShownTitle = FTitle;
    FControl = std::make_unique<sumwarden::JobControl>();
    FPending.clear();
    FFailure = nullptr;
    FDisabled.clear();
    for (TControl* input : std::as_const(FInputs)) {
        if (input != button && input->Enabled()) {
            input->SetEnabled(false);
            FDisabled.append(input);
        }
    }
    button->SetCaption(QStringLiteral("Stop"));
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    FEscape->setEnabled(true);
    FTimer.start();
    FThread = std::thread([this] {
        std::exception_ptr failure;
        try {
            FJob.Work(*FControl, [this](QString line) {
                const std::lock_guard lock(FMutex);
                FPending.append(std::move(line));
            });
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(FMutex);
            FFailure = failure;
        }
        // Dropped if the runner is gone by then.
        QMetaObject::invokeMethod(this, &TJobRunner::Finish, Qt::QueuedConnection);
    });
}

void TJobRunner::Stop() {
    if (Running()) {
        FControl->RequestStop();
    }
}

void TJobRunner::StopAndWait() {
    if (Running()) {
        FControl->RequestStop();
        FThread.join();
        Finish();
    }
}

void TJobRunner::Flush() {
    ShowPendingLines();
    const QString progress = FJob.Progress(FControl->Now());
    ShowTitle(progress.isEmpty() ? FTitle : FTitle + QStringLiteral(" - ") + progress);
}

void TJobRunner::ShowPendingLines() {
    QStringList lines;
    {
        const std::lock_guard lock(FMutex);
        lines.swap(FPending);
    }
    if (!lines.isEmpty()) {
        FJob.Show(lines);
    }
}

void TJobRunner::ShowTitle(const QString& title) {
    if (title != FShownTitle) {
        FShownTitle = title;
        FTitleHolder->SetCaption(title);
    }
}

void TJobRunner::Finish() {
    if (FThread.joinable()) {
        FThread.join();
    } else if (FButton == nullptr) {
        return; // already finished (a queued call after StopAndWait)
    }
    FTimer.stop();
    ShowPendingLines();
    ShowTitle(FTitle);
    FEscape->setEnabled(false);
    QGuiApplication::restoreOverrideCursor();
    FButton->SetCaption(FButtonCaption);
    FButton = nullptr;
    for (TControl* input : std::as_const(FDisabled)) {
        input->SetEnabled(true);
    }
    FDisabled.clear();
    const bool stopped = FControl->StopRequested();
    if (FJob.Ended) {
        FJob.Ended(stopped);
    }
    std::exception_ptr failure;
    {
        const std::lock_guard lock(FMutex);
        failure = std::exchange(FFailure, nullptr);
    }
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (...) {
            TApplication::HandleCurrentException(FForm);
        }
    }
}

void AppendMemoLines(TMemo* memo, const QStringList& lines, bool afterEarlierLines) {
    QPlainTextEdit* editor = memo->Editor();
    QScrollBar* bar = editor->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor end(editor->document());
    end.movePosition(QTextCursor::End);
    if (afterEarlierLines) {
        end.insertBlock();
    }
    end.insertText(lines.join(QLatin1Char('\n')));
    if (atEnd) {
        bar->setValue(bar->maximum());
    }
}

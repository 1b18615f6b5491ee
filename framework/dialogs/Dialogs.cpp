#include "framework/dialogs/Dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QUrl>

namespace {

std::unique_ptr<TDialogService>& Service() {
    static std::unique_ptr<TDialogService> service = std::make_unique<TQtDialogService>();
    return service;
}

QMessageBox::Icon QtIcon(TMsgBoxIcon icon) {
    switch (icon) {
    case mbIconError:
        return QMessageBox::Critical;
    case mbIconQuestion:
        return QMessageBox::Question;
    case mbIconWarning:
        return QMessageBox::Warning;
    case mbIconInformation:
        return QMessageBox::Information;
    case mbIconNone:
        break;
    }
    return QMessageBox::NoIcon;
}

struct TButtonAnswer {
    QMessageBox::StandardButton Button;
    TMsgBoxResult Result;
};

QList<TButtonAnswer> ButtonsOf(TMsgBoxButtons buttons) {
    switch (buttons) {
    case mbOKCancel:
        return {{QMessageBox::Ok, idOK}, {QMessageBox::Cancel, idCancel}};
    case mbAbortRetryIgnore:
        return {{QMessageBox::Abort, idAbort},
                {QMessageBox::Retry, idRetry},
                {QMessageBox::Ignore, idIgnore}};
    case mbYesNoCancel:
        return {
            {QMessageBox::Yes, idYes}, {QMessageBox::No, idNo}, {QMessageBox::Cancel, idCancel}};
    case mbYesNo:
        return {{QMessageBox::Yes, idYes}, {QMessageBox::No, idNo}};
    case mbRetryCancel:
        return {{QMessageBox::Retry, idRetry}, {QMessageBox::Cancel, idCancel}};
    case mbOK:
        break;
    }
    return {{QMessageBox::Ok, idOK}};
}

// Gives the keyboard focus back to the window that had it when a dialog closes: without a
// window manager nobody else does.
class TActiveWindowKeeper {
public:
    TActiveWindowKeeper() : FWindow(QApplication::activeWindow()) {}
    ~TActiveWindowKeeper() {
        if (FWindow != nullptr && FWindow->isVisible()) {
            FWindow->activateWindow();
        }
    }
    TActiveWindowKeeper(const TActiveWindowKeeper&) = delete;
    TActiveWindowKeeper& operator=(const TActiveWindowKeeper&) = delete;

private:
    QPointer<QWidget> FWindow;
};

// Qt's filter names carry their patterns in a form of its own; the list of file types
// shows each name as the caller wrote it instead. Call once the filter is selected.
void ShowFilterNamesAsWritten(QFileDialog& dialog, const QList<QPair<QString, QString>>& filters) {
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (types == nullptr) {
        return;
    }
    for (int index = 0; index < types->count() && index < filters.size(); ++index) {
        types->setItemText(index, filters.at(index).first);
    }
}

} // namespace

TDialogService& Dialogs() {
    return *Service();
}

std::unique_ptr<TDialogService> SetDialogs(std::unique_ptr<TDialogService> service) {
    if (!service) {
        service = std::make_unique<TQtDialogService>();
    }
    std::swap(Service(), service);
    return service;
}

QString ShellTargetToUrl(const QString& target) {
    return QUrl::fromUserInput(target.trimmed()).toString();
}

QList<QPair<QString, QString>> ParseFilter(const QString& filter) {
    QList<QPair<QString, QString>> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        result.append({parts[i], parts[i + 1]});
    }
    return result;
}

QString QtFilterText(const QPair<QString, QString>& filter) {
    QStringList patterns = filter.second.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
        }
    }
    QString name = filter.first;
    // Qt reads the patterns from the last parentheses; keep the name's own text.
    name.replace(QLatin1Char('('), QLatin1Char('[')).replace(QLatin1Char(')'), QLatin1Char(']'));
    return QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
}

TOpenFileAnswer TQtDialogService::OpenFile(const TOpenFileRequest& request) {
    const TActiveWindowKeeper keeper;
    QFileDialog dialog(request.Owner, request.Title, request.InitialDir);
    // The widget dialog everywhere, so the file types read as the caller wrote them.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(request.MultiSelect ? QFileDialog::ExistingFiles
                                           : (request.MustExist ? QFileDialog::ExistingFile
                                                                : QFileDialog::AnyFile));
    QStringList filters;
    for (const auto& filter : request.Filters) {
        filters.append(QtFilterText(filter));
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = qBound(1, request.FilterIndex, static_cast<int>(filters.size()));
        dialog.selectNameFilter(filters.at(index - 1));
        ShowFilterNamesAsWritten(dialog, request.Filters);
    }
    if (!request.FileName.isEmpty()) {
        dialog.selectFile(request.FileName);
    }
    TOpenFileAnswer answer;
    answer.FilterIndex = request.FilterIndex;
    if (dialog.exec() == QDialog::Accepted) {
        answer.Files = dialog.selectedFiles();
        const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (types != nullptr && types->currentIndex() >= 0 && !filters.isEmpty()) {
            answer.FilterIndex = types->currentIndex() + 1;
        }
    }
    return answer;
}

std::optional<QString> TQtDialogService::BrowseForFolder(QWidget* owner, const QString& title) {
    const TActiveWindowKeeper keeper;
    const QString folder =
        QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder;
}

int TQtDialogService::MessageBox(const QString& text, const QString& caption, TMsgBoxIcon icon,
                                 TMsgBoxButtons buttons) {
    QMessageBox box(QtIcon(icon), caption, text);
    const QList<TButtonAnswer> answers = ButtonsOf(buttons);
    QMessageBox::StandardButtons standard;
    for (const TButtonAnswer& answer : answers) {
        standard |= answer.Button;
    }
    box.setStandardButtons(standard);
    const TActiveWindowKeeper keeper;
    const int pressed = box.exec();
    for (const TButtonAnswer& answer : answers) {
        if (answer.Button == pressed) {
            return answer.Result;
        }
    }
    return answers.size() == 1 ? answers.first().Result : idCancel;
}

void TQtDialogService::ShellOpen(const QString& target) {
    QDesktopServices::openUrl(QUrl(ShellTargetToUrl(target)));
}

void TDialogService::OpenDocument(const QString& file, std::function<void()>) {
    ShellOpen(file);
}

void TQtDialogService::OpenDocument(const QString& file, std::function<void()> noApplication) {
    // Without a desktop environment xdg-open may run the browser until it is closed, so
    // its end is awaited without blocking. The process has no parent: a browser still
    // open when the program ends is left running, not killed with its opener.
    auto* opener = new QProcess;
    auto report = std::make_shared<std::function<void()>>(std::move(noApplication));
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, report](int code, QProcess::ExitStatus status) {
                         opener->deleteLater();
                         if (status != QProcess::NormalExit || code != 0) {
                             (*report)();
                         }
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, report](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             opener->deleteLater();
                             (*report)();
                         }
                     });
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    opener->start(QStringLiteral("xdg-open"), {QUrl::fromLocalFile(file).toString()});
}

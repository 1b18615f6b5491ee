#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

// Message box icons and button sets, with the classic numbers.
enum TMsgBoxIcon {
    mbIconNone = 0,
    mbIconError = 0x10,
    mbIconQuestion = 0x20,
    mbIconWarning = 0x30,
    mbIconInformation = 0x40,
};

enum TMsgBoxButtons {
    mbOK = 0,
    mbOKCancel = 1,
    mbAbortRetryIgnore = 2,
    mbYesNoCancel = 3,
    mbYesNo = 4,
    mbRetryCancel = 5,
};

// The button that closed a message box.
enum TMsgBoxResult {
    idOK = 1,
    idCancel = 2,
    idAbort = 3,
    idRetry = 4,
    idIgnore = 5,
    idYes = 6,
    idNo = 7,
};

// What an open-file dialog is asked for.
struct TOpenFileRequest {
    QWidget* Owner = nullptr;
    QString Title;
    // Pairs of display name and pattern list ("*.md5" or "*.txt;*.log").
    QList<QPair<QString, QString>> Filters;
    int FilterIndex = 1; // 1-based, as the dialog component counts
    QString InitialDir;
    QString FileName;
    bool MultiSelect = false;
    bool MustExist = true;
};

struct TOpenFileAnswer {
    QStringList Files; // full paths; empty when cancelled
    int FilterIndex = 1;
};

// Every modal dialog and shell call of the framework goes through this one service,
// so tests replace it and never block on a window.
class TDialogService {
public:
    virtual ~TDialogService() = default;
    virtual TOpenFileAnswer OpenFile(const TOpenFileRequest& request) = 0;
    // The chosen folder, or nothing when cancelled.
    virtual std::optional<QString> BrowseForFolder(QWidget* owner, const QString& title) = 0;
    virtual int MessageBox(const QString& text, const QString& caption, TMsgBoxIcon icon,
                           TMsgBoxButtons buttons) = 0;
    // Opens a file, a web address ("www." without a scheme is http) or a mail link.
    virtual void ShellOpen(const QString& target) = 0;
    // Opens a local document (a manual) with the desktop's application for it; when it
    // turns out that no application took it, noApplication runs, later, on this thread.
    // The default opens it as ShellOpen does and never reports.
    virtual void OpenDocument(const QString& file, std::function<void()> noApplication);
};

// The dialogs of the real program: QFileDialog, QMessageBox, QDesktopServices.
class TQtDialogService : public TDialogService {
public:
    TOpenFileAnswer OpenFile(const TOpenFileRequest& request) override;
    std::optional<QString> BrowseForFolder(QWidget* owner, const QString& title) override;
    int MessageBox(const QString& text, const QString& caption, TMsgBoxIcon icon,
                   TMsgBoxButtons buttons) override;
    void ShellOpen(const QString& target) override;
    // Through xdg-open, whose failure (no application, no browser) is its exit status.
    void OpenDocument(const QString& file, std::function<void()> noApplication) override;
};

// The process-wide service (the Qt one unless replaced).
TDialogService& Dialogs();
// Installs a replacement and returns the previous one; null puts the Qt one back.
std::unique_ptr<TDialogService> SetDialogs(std::unique_ptr<TDialogService> service);

// Turns what a user or a label writes ("www.example.org", "mailto:x@y", a path) into
// the address to open.
QString ShellTargetToUrl(const QString& target);

// Splits "Name|pattern|Name|pattern" into pairs; a trailing name without a pattern
// is dropped.
QList<QPair<QString, QString>> ParseFilter(const QString& filter);
// Qt's filter text for one pair; "*.*" becomes "*" so names without a dot match.
QString QtFilterText(const QPair<QString, QString>& filter);

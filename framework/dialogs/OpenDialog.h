#pragma once

#include "framework/core/Component.h"

#include <QStringList>

// The open-file dialog component. Execute asks the process-wide dialog service, so a
// test answers it without a window.
class TOpenDialog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(int FilterIndex READ FilterIndex WRITE SetFilterIndex)
    Q_PROPERTY(QString InitialDir READ InitialDir WRITE SetInitialDir)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)
    Q_PROPERTY(TOpenOptions Options READ Options WRITE SetOptions)
public:
    enum TOpenOption {
        ofReadOnly = 0x1,
        ofOverwritePrompt = 0x2,
        ofHideReadOnly = 0x4,
        ofNoChangeDir = 0x8,
        ofShowHelp = 0x10,
        ofNoValidate = 0x20,
        ofAllowMultiSelect = 0x40,
        ofExtensionDifferent = 0x80,
        ofPathMustExist = 0x100,
        ofFileMustExist = 0x200,
        ofCreatePrompt = 0x400,
        ofShareAware = 0x800,
        ofNoReadOnlyReturn = 0x1000,
        ofNoTestFileCreate = 0x2000,
        ofNoNetworkButton = 0x4000,
        ofNoLongNames = 0x8000,
        ofOldStyleDialog = 0x10000,
        ofNoDereferenceLinks = 0x20000,
        ofEnableIncludeNotify = 0x40000,
        ofEnableSizing = 0x80000,
        ofDontAddToRecent = 0x100000,
        ofForceShowHidden = 0x200000,
    };
    Q_DECLARE_FLAGS(TOpenOptions, TOpenOption)
    Q_FLAG(TOpenOptions)

    explicit TOpenDialog(TComponent* AOwner);

    // Shows the dialog; true when the user chose. FileName then holds the first
    // chosen path and Files every chosen path.
    bool Execute();

    QString Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& filter) { FFilter = filter; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int index) { FFilterIndex = index; }
    QString InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString& dir) { FInitialDir = dir; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& name) { FFileName = name; }
    QString DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const QString& ext) { FDefaultExt = ext; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions options) { FOptions = options; }
    const QStringList& Files() const { return FFiles; }

private:
    QString FTitle;
    QString FFilter;
    int FFilterIndex = 1;
    QString FInitialDir;
    QString FFileName;
    QString FDefaultExt;
    TOpenOptions FOptions = TOpenOptions(ofHideReadOnly | ofEnableSizing);
    QStringList FFiles;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TOpenDialog::TOpenOptions)

// Shows the folder browser; the chosen folder or nothing.
std::optional<QString> SelectDirectory(const QString& title);

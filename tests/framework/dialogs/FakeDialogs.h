#pragma once

#include "framework/dialogs/Dialogs.h"

#include <QList>

// A dialog service that answers from prepared values and records what was asked;
// installed for the lifetime of a test, then the previous one comes back.
class TFakeDialogs : public TDialogService {
public:
    struct TMessageBoxCall {
        QString Text;
        QString Caption;
        TMsgBoxIcon Icon;
        TMsgBoxButtons Buttons;
    };

    TOpenFileAnswer OpenAnswer;
    std::optional<QString> FolderAnswer;
    int MessageBoxAnswer = idOK;
    // OpenDocument finds no application for the document.
    bool NoDocumentApplication = false;

    QList<TOpenFileRequest> OpenRequests;
    QStringList FolderTitles;
    QList<TMessageBoxCall> MessageBoxes;
    QStringList Opened;

    TOpenFileAnswer OpenFile(const TOpenFileRequest& request) override {
        OpenRequests.append(request);
        return OpenAnswer;
    }
    std::optional<QString> BrowseForFolder(QWidget*, const QString& title) override {
        FolderTitles.append(title);
        return FolderAnswer;
    }
    int MessageBox(const QString& text, const QString& caption, TMsgBoxIcon icon,
                   TMsgBoxButtons buttons) override {
        MessageBoxes.append({text, caption, icon, buttons});
        return MessageBoxAnswer;
    }
    void ShellOpen(const QString& target) override { Opened.append(target); }
    void OpenDocument(const QString& file, std::function<void()> noApplication) override {
        Opened.append(file);
        if (NoDocumentApplication) {
            noApplication();
        }
    }
};

// Installs a TFakeDialogs and puts the previous service back on destruction.
class TFakeDialogsScope {
public:
    TFakeDialogsScope() {
        auto fake = std::make_unique<TFakeDialogs>();
        FFake = fake.get();
        FPrevious = SetDialogs(std::move(fake));
    }
    ~TFakeDialogsScope() { SetDialogs(std::move(FPrevious)); }
    TFakeDialogsScope(const TFakeDialogsScope&) = delete;
    TFakeDialogsScope& operator=(const TFakeDialogsScope&) = delete;
    TFakeDialogs* operator->() const { return FFake; }

private:
    TFakeDialogs* FFake;
    std::unique_ptr<TDialogService> FPrevious;
};

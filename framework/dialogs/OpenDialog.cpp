#include "framework/dialogs/OpenDialog.h"

#include "framework/core/Application.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Form.h"

namespace {

QWidget* DialogOwner() {
    TCustomForm* mainForm = Application != nullptr ? Application->MainForm() : nullptr;
    return mainForm != nullptr ? mainForm->Handle() : nullptr;
}

} // namespace

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TOpenDialog::Execute() {
    TOpenFileRequest request;
    request.Owner = DialogOwner();
    request.Title = FTitle;
    request.Filters = ParseFilter(FFilter);
    request.FilterIndex = FFilterIndex;
    request.InitialDir = FInitialDir;
    request.FileName = FFileName;
    request.MultiSelect = FOptions.testFlag(ofAllowMultiSelect);
    request.MustExist = FOptions.testFlag(ofFileMustExist) || request.MultiSelect;
    const TOpenFileAnswer answer = Dialogs().OpenFile(request);
    if (answer.Files.isEmpty()) {
        return false;
    }
    FFiles = answer.Files;
    FFileName = FFiles.first();
    FFilterIndex = answer.FilterIndex;
    return true;
}

std::optional<QString> SelectDirectory(const QString& title) {
    return Dialogs().BrowseForFolder(DialogOwner(), title);
}

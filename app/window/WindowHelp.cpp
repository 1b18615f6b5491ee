#include "app/window/WindowHelp.h"

#include "framework/dialogs/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kManualPage = QStringLiteral("index.html");
const QString kCaption = QStringLiteral("Sumwarden");

} // namespace

QString FindManual() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString& folder :
         {QStringLiteral("manual"), QStringLiteral(SUMWARDEN_MANUAL_FROM_BIN)}) {
        const QString page = programFolder.filePath(folder + QLatin1Char('/') + kManualPage);
        if (QFileInfo(page).isFile()) {
            return QDir::cleanPath(page);
        }
    }
    return QString();
}

void OpenManual() {
    const QString manual = FindManual();
    if (manual.isEmpty()) {
        Dialogs().MessageBox(QStringLiteral("The manual was not found beside the program."),
                             kCaption, mbIconInformation, mbOK);
        return;
    }
    Dialogs().OpenDocument(manual, [manual] {
        Dialogs().MessageBox(
            QStringLiteral("No web browser was found to show the manual. You can open it "
                           "yourself:\n%1")
                .arg(manual),
            kCaption, mbIconInformation, mbOK);
    });
}

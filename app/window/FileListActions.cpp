// The everyday actions of the "Make file MD5" list: copying rows as md5sum lines or
// digests, selecting, removing and clearing rows, and finding the rows of a digest
// copied from elsewhere (a download page, a mail).
#include "app/window/UnitFrmMain.h"
#include "framework/dialogs/Dialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>

namespace {

constexpr int kDigestLength = 32;

// The row's digest text, or empty while it is still hashed or could not be opened.
QString DigestOf(const TListItem* row) {
    static const QRegularExpression digest(QStringLiteral("^[0-9a-f]{32}$"));
    const QString text = row->SubItems()->Count() > 0 ? row->SubItems()->Get(0) : QString();
    return digest.match(text).hasMatch() ? text : QString();
}

// A line of md5sum's own output: a name holding "\", LF or CR is escaped, and the line
// then starts with "\", so md5sum -c reads the name back exactly.
QString Md5sumLine(const QString& digest, const QString& path) {
    QString name;
    bool escaped = false;
    for (const QChar character : path) {
        switch (character.unicode()) {
        case u'\\':
            name += QStringLiteral("\\\\");
            escaped = true;
            break;
        case u'\n':
            name += QStringLiteral("\\n");
            escaped = true;
            break;
        case u'\r':
            name += QStringLiteral("\\r");
            escaped = true;
            break;
        default:
            name += character;
        }
    }
    return (escaped ? QStringLiteral("\\") : QString()) + digest + QStringLiteral("  ") + name;
}

int SelectedCount(TListItems* rows) {
    int count = 0;
    for (int index = 0; index < rows->Count(); ++index) {
        count += rows->Item(index)->Selected() ? 1 : 0;
    }
    return count;
}

void SelectAllRows(TListItems* rows) {
    for (int index = 0; index < rows->Count(); ++index) {
        rows->Item(index)->SetSelected(true);
    }
}

void DeleteSelectedRows(TListItems* rows) {
    for (int index = rows->Count() - 1; index >= 0; --index) {
        if (rows->Item(index)->Selected()) {
            rows->Delete(index);
        }
    }
}

TMenuItem* AddItem(TPopupMenu* menu, const QString& caption, int shortCut,
                   std::function<void()> action) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->OnClick = [action = std::move(action)](TObject*) { action(); };
    menu->Items()->Add(item);
    return item;
}

} // namespace

void TForm1::SetUpFileList() {
    FFileListMenu = new TskPopupMenu(this);
    FFileListMenu->SetUIStyle(LvwFile->UIStyle());
    TPopupMenu* menu = FFileListMenu;
    TMenuItem* copy = AddItem(menu, QStringLiteral("Copy"), scCtrl | 'C', [this] {
        QGuiApplication::clipboard()->setText(SelectedRowsText(false));
    });
    TMenuItem* copyDigest = AddItem(menu, QStringLiteral("Copy digest"), 0, [this] {
        QGuiApplication::clipboard()->setText(SelectedRowsText(true));
    });
    TMenuItem* selectAll = AddItem(menu, QStringLiteral("Select all"), scCtrl | 'A',
                                   [this] { SelectAllRows(LvwFile->Items()); });
    AddItem(menu, QStringLiteral("-"), 0, [] {});
    TMenuItem* remove = AddItem(menu, QStringLiteral("Remove"), VK_DELETE, [this] {
        // Rows waiting for their digest stay while the list is hashed.
        if (!JobRunning()) {
            DeleteSelectedRows(LvwFile->Items());
        }
    });
    TMenuItem* clear = AddItem(menu, QStringLiteral("Clear list"), 0, [this] {
        if (!JobRunning()) {
            LvwFile->Items()->Clear();
        }
    });
    AddItem(menu, QStringLiteral("-"), 0, [] {});
    TMenuItem* compare =
        AddItem(menu, QStringLiteral("Compare with the digest in the clipboard"), scCtrl | 'V',
                [this] { SelectRowsWithDigest(QGuiApplication::clipboard()->text()); });
    menu->OnPopup = [=, this](TObject*) {
        const bool rows = LvwFile->Items()->Count() > 0;
        const bool selected = SelectedCount(LvwFile->Items()) > 0;
        copy->SetEnabled(selected);
        copyDigest->SetEnabled(selected);
        selectAll->SetEnabled(rows);
        remove->SetEnabled(selected && !JobRunning());
        clear->SetEnabled(rows && !JobRunning());
        compare->SetEnabled(rows);
    };
    LvwFile->SetPopupMenu(FFileListMenu);
    LvwFile->OnKeyDown = [this](TObject* sender, quint16& key, TShiftState shift) {
        FileListKeyDown(sender, key, shift);
    };
}

void TForm1::FileListKeyDown(TObject*, quint16& key, TShiftState shift) {
    const int shortCut = key | (shift.testFlag(ssCtrl) ? scCtrl : 0) |
                         (shift.testFlag(ssShift) ? scShift : 0) |
                         (shift.testFlag(ssAlt) ? scAlt : 0);
    TMenuItem* items = FFileListMenu->Items();
    for (int index = 0; index < items->Count(); ++index) {
        TMenuItem* item = items->Items(index);
        if (item->ShortCut() != 0 && item->ShortCut() == shortCut) {
            item->Click();
            key = 0;
            return;
        }
    }
}

QString TForm1::SelectedRowsText(bool digestOnly) const {
    QStringList lines;
    TListItems* rows = LvwFile->Items();
    for (int index = 0; index < rows->Count(); ++index) {
        const TListItem* row = rows->Item(index);
        const QString digest = row->Selected() ? DigestOf(row) : QString();
        if (!digest.isEmpty()) {
            lines.append(digestOnly ? digest : Md5sumLine(digest, row->Caption()));
        }
    }
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void TForm1::SelectRowsWithDigest(const QString& text) {
    static const QRegularExpression digestInText(
        QStringLiteral("(?<![0-9A-Fa-f])[0-9A-Fa-f]{%1}(?![0-9A-Fa-f])").arg(kDigestLength));
    const QRegularExpressionMatch match = digestInText.match(text);
    if (!match.hasMatch()) {
        Dialogs().MessageBox(QStringLiteral("The clipboard holds no MD5 digest."),
                             QStringLiteral("Sumwarden"), mbIconInformation, mbOK);
        return;
    }
    const QString wanted = match.captured().toLower();
    TListItems* rows = LvwFile->Items();
    TListItem* first = nullptr;
    for (int index = 0; index < rows->Count(); ++index) {
        TListItem* row = rows->Item(index);
        const bool same = DigestOf(row) == wanted;
        row->SetSelected(same);
        if (same && first == nullptr) {
            first = row;
        }
    }
    if (first == nullptr) {
        Dialogs().MessageBox(QStringLiteral("No file in the list has this digest."),
                             QStringLiteral("Sumwarden"), mbIconInformation, mbOK);
        return;
    }
    first->SetFocused(true);
    first->MakeVisible();
}

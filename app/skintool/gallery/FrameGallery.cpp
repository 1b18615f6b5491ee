#include "app/skintool/gallery/FrameGallery.h"

#include "app/skintool/gallery/GallerySheet.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "skin/core/SKMgr.h"
#include "skin/frame/SKForm.h"

#include <QMenu>
#include <QPainter>

namespace {

constexpr int FormClientWidth = 380;
constexpr int FormClientHeight = 200;
// Under the part of an open drop-down that reaches below the window.
constexpr QRgb SheetBackground = 0xFFFFFFFF;

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const char* caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(QString::fromLatin1(caption));
    parent->Add(item);
    return item;
}

// A 16 x 16 item picture: a framed green square.
void AddItemPicture(TImageList* images) {
    TBitmap picture;
    picture.SetSize(16, 16);
    picture.Image().fill(qRgb(0x20, 0x90, 0x40));
    QPainter painter(&picture.Image());
    painter.setPen(QColor(0x10, 0x40, 0x20));
    painter.drawRect(0, 0, 15, 15);
    painter.fillRect(4, 4, 8, 8, QColor(0xF0, 0xF0, 0xF0));
    painter.end();
    images->Add(&picture);
}

// A skinned form with a main menu whose first drop-down shows every kind of item.
struct TGalleryWindow {
    TForm Form{nullptr};
    TImageList Images{nullptr};
    TskForm* Skin;
    TskMainMenu* Menu;

    TGalleryWindow(TskUIStyle look, TskFileTheme* fileTheme) {
        Form.SetBorderStyle(TCustomForm::bsSingle);
        Form.SetCaption(QStringLiteral("Sumwarden"));
        Skin = new TskForm(&Form);
        Skin->SetParent(&Form);
        Menu = new TskMainMenu(&Form);
        AddItemPicture(&Images);
        Menu->SetUserImages(&Images);
        TMenuItem* file = AddItem(Menu->Items(), &Form, "&File");
        TMenuItem* open = AddItem(file, &Form, "&Open...");
        open->SetShortCut(scCtrl | 'O');
        open->SetImageIndex(0);
        AddItem(file, &Form, "&Include sub folders")->SetChecked(true);
        AddItem(file, &Form, "&Recent files")->SetEnabled(false);
        AddItem(file, &Form, "-");
        AddItem(file, &Form, "E&xit")->SetShortCut(scAlt | 0x73);
        AddItem(AddItem(Menu->Items(), &Form, "&Help"), &Form, "&About");
        Skin->SetFileTheme(fileTheme);
        Skin->SetUIStyle(look);
        Form.SetClientWidth(FormClientWidth);
        Form.SetClientHeight(FormClientHeight);
        Form.SetBounds(0, 0, Form.Width(), Form.Height());
        Form.Show();
    }
};

// While it lives, the offscreen platform's notes that it cannot raise or grab for an
// open drop-down are dropped; every other message goes where it went before.
class TQuietPopups {
public:
    TQuietPopups() { Previous() = qInstallMessageHandler(&Filter); }
    ~TQuietPopups() { qInstallMessageHandler(Previous()); }
    TQuietPopups(const TQuietPopups&) = delete;
    TQuietPopups& operator=(const TQuietPopups&) = delete;

private:
    static QtMessageHandler& Previous() {
        static QtMessageHandler previous = nullptr;
        return previous;
    }
    static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.startsWith(QLatin1String("This plugin does not support"))) {
            return;
        }
        if (Previous() != nullptr) {
            Previous()(type, context, text);
        }
    }
};

} // namespace

QImage PaintFrameGallery(TskUIStyle look, TskFileTheme* fileTheme) {
    const TQuietPopups quiet;
    TGalleryWindow window(look, fileTheme);
    QWidget* frame = window.Form.Handle();
    const QImage active = frame->grab().toImage();

    TskMenuBar* bar = window.Skin->MenuBar();
    TToolButton* fileButton = bar->Buttons(0);
    bar->TrackMenu(fileButton);
    QImage dropDown;
    QPoint dropDownAt;
    if (QMenu* menu = bar->TrackedMenu()) {
        menu->adjustSize();
        // Highlight the first item as the pointer would.
        menu->setActiveAction(menu->actions().first());
        dropDown = menu->grab().toImage();
        dropDownAt = fileButton->Handle()->mapTo(frame, QPoint(0, fileButton->Height()));
    }
    const QImage opened = frame->grab().toImage();
    bar->CloseMenu();

    window.Skin->TitleBar()->PopupSystemMenu(0, 0);
    QImage systemMenu;
    if (QMenu* menu = window.Skin->TitleBar()->SystemMenu()->Shown()) {
        menu->adjustSize();
        systemMenu = menu->grab().toImage();
        menu->close();
    }

    window.Form.Perform(WM_ACTIVATE, WA_INACTIVE);
    const int titleRows = window.Skin->TitleBar()->Height() + TCustomForm::KeptFrameWidth;
    const QImage inactive = frame->grab().toImage().copy(0, 0, active.width(), titleRows);

    // The open drop-down drawn where it opened, over the window picture.
    QImage openedWithMenu(opened.width(),
                          std::max(opened.height(), dropDownAt.y() + dropDown.height()),
                          QImage::Format_RGB32);
    openedWithMenu.fill(SheetBackground);
    QPainter painter(&openedWithMenu);
    painter.drawImage(0, 0, opened);
    if (!dropDown.isNull()) {
        painter.drawImage(dropDownAt, dropDown);
    }
    painter.end();
    return LayOutSection(QStringLiteral("Window"),
                         {QStringLiteral("active"), QStringLiteral("File drop-down open")},
                         {{QStringLiteral("TskForm"), {active, openedWithMenu}},
                          {QStringLiteral("inactive, system menu"), {inactive, systemMenu}}});
}

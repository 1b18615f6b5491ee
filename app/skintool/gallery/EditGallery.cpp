#include "app/skintool/gallery/EditGallery.h"

#include "app/skintool/gallery/GallerySheet.h"
#include "framework/forms/Form.h"
#include "skin/controls/SKEdit.h"

#include <functional>

namespace {

QImage Paint(TForm* host, TskUIStyle look, TskFileTheme* fileTheme,
             const std::function<void(TskEdit*)>& prepare) {
    auto* edit = new TskEdit(host);
    edit->SetParent(host);
    edit->SetFileTheme(fileTheme);
    edit->SetUIStyle(look);
    edit->SetBounds(0, 0, 160, 21);
    edit->SetText(QStringLiteral("/home/user/photos"));
    prepare(edit);
    const QImage image = GrabControl(edit);
    delete edit;
    return image;
}

} // namespace

QImage PaintEditGallery(TskUIStyle look, TskFileTheme* fileTheme) {
    const std::unique_ptr<TForm> host = MakeGalleryHost();
    TGalleryRow row{QStringLiteral("TskEdit"), {}};
    row.Cells.append(Paint(host.get(), look, fileTheme, [](TskEdit*) {}));
    row.Cells.append(Paint(host.get(), look, fileTheme, [](TskEdit* edit) { edit->SetFocus(); }));
    row.Cells.append(
        Paint(host.get(), look, fileTheme, [](TskEdit* edit) { edit->SetEnabled(false); }));
    row.Cells.append(
        Paint(host.get(), look, fileTheme, [](TskEdit* edit) { edit->SetColor(clInfoBk); }));
    return LayOutSection(QStringLiteral("Edit"),
                         {QStringLiteral("normal"), QStringLiteral("focused"),
                          QStringLiteral("disabled"), QStringLiteral("coloured")},
                         {row});
}

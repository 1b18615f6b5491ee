#include "app/skintool/gallery/CheckBoxGallery.h"

#include "app/skintool/gallery/GallerySheet.h"
#include "framework/forms/Form.h"
#include "skin/controls/SKButton.h"

namespace {

struct TCheckCase {
    bool Checked;
    bool Enabled;
    bool Focused;
    bool RightToLeft;
};

QImage Paint(TForm* host, TskUIStyle look, TskFileTheme* fileTheme, const TCheckCase& c) {
    SetSysLocaleMiddleEastOverride(c.RightToLeft ? std::optional<bool>(true) : std::nullopt);
    auto* box = new TskCheckBox(host);
    box->SetParent(host);
    box->SetFileTheme(fileTheme);
    box->SetUIStyle(look);
    box->SetCaption(QStringLiteral("Include sub folders"));
    box->SetChecked(c.Checked);
    box->SetEnabled(c.Enabled);
    if (c.RightToLeft) {
        box->SetBiDiMode(bdRightToLeft);
    }
    if (c.Focused) {
        box->SetFocus();
    }
    const QImage image = GrabControl(box);
    delete box;
    SetSysLocaleMiddleEastOverride(std::nullopt);
    return image;
}

} // namespace

QImage PaintCheckBoxGallery(TskUIStyle look, TskFileTheme* fileTheme) {
    const std::unique_ptr<TForm> host = MakeGalleryHost();
    QList<TGalleryRow> rows;
    for (const bool checked : {false, true}) {
        TGalleryRow row{checked ? QStringLiteral("checked") : QStringLiteral("unchecked"), {}};
        for (const TCheckCase& c :
             {TCheckCase{checked, true, false, false}, TCheckCase{checked, false, false, false},
              TCheckCase{checked, true, true, false}, TCheckCase{checked, true, false, true}}) {
            row.Cells.append(Paint(host.get(), look, fileTheme, c));
        }
        rows.append(row);
    }
    return LayOutSection(QStringLiteral("CheckBox"),
                         {QStringLiteral("enabled"), QStringLiteral("disabled"),
                          QStringLiteral("focused"), QStringLiteral("right to left")},
                         rows);
}

#include "app/skintool/gallery/ImagePanelGallery.h"

#include "app/skintool/gallery/GallerySheet.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/frame/SKImagePanel.h"

namespace {

// Four coloured blocks, so where each source pixel lands is easy to see.
QImage Blocks() {
    QImage picture(24, 16, QImage::Format_RGB32);
    const QRgb colours[] = {0xFF3060C0, 0xFFE0A020, 0xFF30A050, 0xFFC03040};
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, colours[(x >= 12 ? 1 : 0) + (y >= 8 ? 2 : 0)]);
        }
    }
    return picture;
}

QImage Paint(TForm* host, TskDrawStyle style, bool transparent, const QString& caption) {
    auto* panel = new TskImagePanel(host);
    panel->SetParent(host);
    panel->SetBounds(0, 0, 70, 44);
    TPicture picture;
    picture.Bitmap()->SetImage(Blocks());
    panel->SetPicture(&picture);
    panel->SetDrawStyle(style);
    panel->SetTransparent(transparent);
    panel->SetCaption(caption);
    const QImage image = GrabControl(panel);
    delete panel;
    return image;
}

} // namespace

QImage PaintImagePanelGallery(TskUIStyle, TskFileTheme*) {
    const std::unique_ptr<TForm> host = MakeGalleryHost();
    TGalleryRow row{QStringLiteral("TskImagePanel"), {}};
    row.Cells.append(Paint(host.get(), TskCustomPanel::skNormal, false, {}));
    row.Cells.append(Paint(host.get(), TskCustomPanel::skStretch, false, {}));
    row.Cells.append(Paint(host.get(), TskCustomPanel::skTile, false, {}));
    row.Cells.append(Paint(host.get(), TskCustomPanel::skTile, false, QStringLiteral("Caption")));
    return LayOutSection(QStringLiteral("ImagePanel"),
                         {QStringLiteral("skNormal"), QStringLiteral("skStretch"),
                          QStringLiteral("skTile"), QStringLiteral("with caption")},
                         {row});
}

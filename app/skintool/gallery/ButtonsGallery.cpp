#include "app/skintool/gallery/ButtonsGallery.h"

#include "app/skintool/gallery/GallerySheet.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/SKButton.h"

#include <functional>

namespace {

enum TButtonState { Normal, PointerOver, Pressed, Disabled, FocusedState };
constexpr int StateCount = 5;

QImage GlyphPicture() {
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(0xFFFF00FF);
    for (int y = 3; y < 13; ++y) {
        for (int x = 3; x < 13; ++x) {
            if (x + y >= 12 && x - y <= 3) {
                glyph.setPixel(x, y, 0xFF1E7B34);
            }
        }
    }
    return glyph;
}

QImage Block(QRgb fill, QRgb edge) {
    QImage picture(22, 22, QImage::Format_RGB32);
    picture.fill(edge);
    for (int y = 2; y < 20; ++y) {
        for (int x = 2; x < 20; ++x) {
            picture.setPixel(x, y, fill);
        }
    }
    return picture;
}

QImage InState(TForm* host, const std::function<TskCustomButton*(TForm*)>& make,
               TButtonState state) {
    TskCustomButton* button = make(host);
    button->SetParent(host);
    switch (state) {
    case PointerOver:
        button->Perform(CM_MOUSEENTER);
        break;
    case Pressed:
        button->Perform(CM_MOUSEENTER);
        button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(4, 4));
        break;
    case Disabled:
        button->SetEnabled(false);
        break;
    case FocusedState:
        button->SetFocus();
        break;
    case Normal:
        break;
    }
    const QImage image = GrabControl(button);
    delete button;
    return image;
}

TGalleryRow Row(const QString& label, TForm* host,
                const std::function<TskCustomButton*(TForm*)>& make) {
    TGalleryRow row{label, {}};
    for (int state = 0; state < StateCount; ++state) {
        row.Cells.append(InState(host, make, static_cast<TButtonState>(state)));
    }
    return row;
}

} // namespace

QImage PaintButtonsGallery(TskUIStyle look, TskFileTheme* fileTheme) {
    const std::unique_ptr<TForm> host = MakeGalleryHost();
    const auto button = [look, fileTheme](TForm* owner, const QString& caption) {
        auto* created = new TskButton(owner);
        created->SetFileTheme(fileTheme);
        created->SetUIStyle(look);
        created->SetCaption(caption);
        return created;
    };
    QList<TGalleryRow> rows;
    rows.append(Row(QStringLiteral("TskButton"), host.get(), [&](TForm* owner) {
        TskButton* created = button(owner, QStringLiteral("Make check file"));
        created->SetBounds(0, 0, 112, 27);
        return created;
    }));
    rows.append(Row(QStringLiteral("TskButton 80 x 27"), host.get(),
                    [&](TForm* owner) { return button(owner, QStringLiteral("&Help")); }));
    rows.append(Row(QStringLiteral("with glyph"), host.get(), [&](TForm* owner) {
        TskButton* created = button(owner, QStringLiteral("Verify"));
        created->SetBounds(0, 0, 96, 27);
        TBitmap glyph;
        glyph.SetImage(GlyphPicture());
        created->SetGlyph(&glyph);
        return created;
    }));
    rows.append(Row(QStringLiteral("TskImageButton"), host.get(), [](TForm* owner) {
        auto* created = new TskImageButton(owner);
        created->SetBounds(0, 0, 22, 22);
        TPicture picture;
        picture.Bitmap()->SetImage(Block(0xFFC8D0E0, 0xFF506080));
        created->SetPicNormal(&picture);
        picture.Bitmap()->SetImage(Block(0xFFE0E8F8, 0xFF506080));
        created->SetPicMouseOn(&picture);
        picture.Bitmap()->SetImage(Block(0xFF8090B0, 0xFF203050));
        created->SetPicMouseDown(&picture);
        created->SetDrawFocused(true);
        return created;
    }));
    return LayOutSection(QStringLiteral("Buttons"),
                         {QStringLiteral("normal"), QStringLiteral("pointer over"),
                          QStringLiteral("pressed"), QStringLiteral("disabled"),
                          QStringLiteral("focused")},
                         rows);
}

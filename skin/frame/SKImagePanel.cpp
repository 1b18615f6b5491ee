#include "skin/frame/SKImagePanel.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"
#include "skin/core/SKDraw.h"

TskCustomPanel::TskCustomPanel(TComponent* AOwner)
    : TCustomPanel(AOwner), FPicture(new TPicture(this)) {
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    Invalidate();
}

void TskCustomPanel::SetPicture(TPicture* picture) {
    FPicture->Assign(picture);
    FillBackground();
    Invalidate();
}

void TskCustomPanel::SetDrawStyle(TskDrawStyle style) {
    FDrawStyle = style;
    FillBackground();
    Invalidate();
}

void TskCustomPanel::SetAutoSize(bool value) {
    FAutoSize = value;
    if (FPicture->Graphic() != nullptr && !FPicture->Graphic()->Empty()) {
        ApplySizeRule();
    }
}

void TskCustomPanel::SetTransparent(bool value) {
    FTransparent = value;
    if (FPicture->Graphic() != nullptr && !FPicture->Graphic()->Empty()) {
        SyncTransparency();
    }
    Invalidate();
}

void TskCustomPanel::FillBackground() {
    // Only a panel inside a foreign (non-framework) window fills here; there are none.
}

void TskCustomPanel::PictureChanged() {
    if (FPicture->Graphic() != nullptr && !FPicture->Graphic()->Empty()) {
        ApplySizeRule();
        SyncTransparency();
    }
    FillBackground();
    Invalidate();
}

void TskCustomPanel::ApplySizeRule() {
    if (!FAutoSize) {
        return;
    }
    const TAlign align = Align();
    int width = Width();
    int height = Height();
    if (align != alTop && align != alBottom && align != alClient) {
        width = FPicture->Width();
    }
    if (align != alLeft && align != alRight && align != alClient) {
        height = FPicture->Height();
    }
    SetBounds(Left(), Top(), width, height);
}

void TskCustomPanel::SyncTransparency() {
    TGraphic* graphic = FPicture->Graphic();
    if (graphic != nullptr && graphic->Transparent() != FTransparent) {
        graphic->SetTransparent(FTransparent);
    }
}

void TskCustomPanel::Paint() {
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    const TRect client = ClientRect();
    TGraphic* graphic = FPicture->Graphic();
    const bool hasPicture = graphic != nullptr && !graphic->Empty();
    // What a normal picture leaves uncovered shows the panel's colour.
    if (!FTransparent) {
        FillRectColor(canvas, client, Color());
    } else {
        ::PaintParentBackground(canvas, this);
    }
    if (hasPicture) {
        switch (FDrawStyle) {
        case skStretch:
            canvas->StretchDraw(client, graphic);
            break;
        case skTile:
            TilePicture(canvas, graphic, client);
            break;
        case skNormal:
            canvas->Draw(0, 0, graphic);
            break;
        }
    }
    const QString caption = Caption().trimmed();
    if (!caption.isEmpty()) {
        canvas->SetFont(Font());
        canvas->Brush()->SetStyle(bsClear);
        unsigned flags = DT_SINGLELINE | DT_VCENTER;
        if (Alignment() == TCustomPanel::taRightJustify) {
            flags |= DT_RIGHT;
        } else if (Alignment() == TCustomPanel::taCenter) {
            flags |= DT_CENTER;
        }
        TRect rect = client;
        canvas->DrawText(Caption(), rect, flags);
        FCaptionRect = client;
    }
    Canvas()->DrawImage(Rect(0, 0, Width(), Height()), buffer.Image(),
                        Rect(0, 0, Width(), Height()));
}

void TskCustomPanel::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
}

void TskCustomPanel::CMTextChanged(TMessage& message) {
    CaptionChanged(FCaptionRect);
    TCustomPanel::CMTextChanged(message);
    Invalidate();
}

void TskCustomPanel::WMSize(TMessage& message) {
    TCustomPanel::WMSize(message);
    Invalidate();
}

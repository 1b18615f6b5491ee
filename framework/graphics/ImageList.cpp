#include "framework/graphics/ImageList.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawDisabled.h"

namespace {

constexpr QRgb kRgbMask = 0xFFFFFFu;

} // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::TImageList(int width, int height, TComponent* AOwner)
    : TComponent(AOwner), width_(qMax(1, width)), height_(qMax(1, height)) {}

void TImageList::SetWidth(int width) {
    width = qMax(1, width);
    if (width != width_) {
        width_ = width;
        Clear();
    }
}

void TImageList::SetHeight(int height) {
    height = qMax(1, height);
    if (height != height_) {
        height_ = height;
        Clear();
    }
}

int TImageList::AddPieces(const QImage& image, const QImage& mask, bool keyed, QRgb key) {
    if (image.isNull()) {
        return -1;
    }
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage maskSource = mask.isNull() ? QImage() : mask.convertToFormat(QImage::Format_RGB32);
    const int pieces = qMax(1, source.width() / width_);
    const int first = Count();
    for (int piece = 0; piece < pieces; ++piece) {
        QImage cut = source.copy(piece * width_, 0, width_, height_);
        for (int y = 0; y < cut.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(cut.scanLine(y));
            for (int x = 0; x < cut.width(); ++x) {
                const int maskX = piece * width_ + x;
                const bool masked = !maskSource.isNull() && maskSource.valid(maskX, y) &&
                                    (maskSource.pixel(maskX, y) & kRgbMask) == kRgbMask;
                if (masked || (keyed && (line[x] & kRgbMask) == key)) {
                    line[x] = 0;
                }
            }
        }
        images_.append(cut);
    }
    Changed();
    return first;
}

int TImageList::Add(const TBitmap* image, const TBitmap* mask) {
    if (image == nullptr) {
        return -1;
    }
    return AddPieces(image->Image(), mask != nullptr ? mask->Image() : QImage(), false, 0);
}

int TImageList::AddMasked(const TBitmap* image, TColor maskColor) {
    if (image == nullptr) {
        return -1;
    }
    return AddPieces(image->Image(), QImage(), true, ColorToQRgb(maskColor) & kRgbMask);
}

void TImageList::Delete(int index) {
    if (index >= 0 && index < Count()) {
        images_.removeAt(index);
        Changed();
    }
}

void TImageList::Clear() {
    if (!images_.isEmpty()) {
        images_.clear();
        Changed();
    }
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (canvas == nullptr || index < 0 || index >= Count()) {
        return;
    }
    const QImage& image = images_[index];
    const TRect whole = Rect(0, 0, width_, height_);
    if (enabled) {
        canvas->DrawImage(Bounds(x, y, width_, height_), image, whole);
        return;
    }
    DrawDisabled(canvas, x, y, image);
}

bool TImageList::GetBitmap(int index, TBitmap* bitmap) const {
    if (bitmap == nullptr || index < 0 || index >= Count()) {
        return false;
    }
    bitmap->SetSize(width_, height_);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(Rect(0, 0, width_, height_));
    Draw(canvas, 0, 0, index, true);
    canvas->ReleaseHandle();
    return true;
}

void TImageList::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

#include "framework/graphics/Brush.h"

#include "framework/graphics/Bitmap.h"

TBrush::TBrush(QObject* parent) : TPersistent(parent) {}

void TBrush::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

TBitmap* TBrush::Bitmap() const {
    return static_cast<TBitmap*>(bitmap_.data());
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap != bitmap_) {
        bitmap_ = bitmap;
        Changed();
    }
}

void TBrush::Assign(const TPersistent* source) {
    const auto* brush = qobject_cast<const TBrush*>(source);
    if (brush == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (brush == this ||
        (color_ == brush->color_ && style_ == brush->style_ && bitmap_ == brush->bitmap_)) {
        return;
    }
    color_ = brush->color_;
    style_ = brush->style_;
    bitmap_ = brush->bitmap_;
    Changed();
}

QBrush TBrush::ToQBrush() const {
    if (const TBitmap* bitmap = Bitmap(); bitmap != nullptr && !bitmap->Empty()) {
        return QBrush(bitmap->Image());
    }
    const QColor color = ColorToQColor(color_);
    switch (style_) {
    case bsSolid:
        return QBrush(color, Qt::SolidPattern);
    case bsClear:
        return QBrush(Qt::NoBrush);
    case bsHorizontal:
        return QBrush(color, Qt::HorPattern);
    case bsVertical:
        return QBrush(color, Qt::VerPattern);
    case bsFDiagonal:
        return QBrush(color, Qt::FDiagPattern);
    case bsBDiagonal:
        return QBrush(color, Qt::BDiagPattern);
    case bsCross:
        return QBrush(color, Qt::CrossPattern);
    case bsDiagCross:
        return QBrush(color, Qt::DiagCrossPattern);
    }
    return QBrush(color);
}

void TBrush::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

#include "framework/graphics/Pen.h"

TPen::TPen(QObject* parent) : TPersistent(parent) {}

void TPen::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TPen::SetWidth(int width) {
    width = qMax(1, width);
    if (width != width_) {
        width_ = width;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TPen::SetMode(TPenMode mode) {
    if (mode != mode_) {
        mode_ = mode;
        Changed();
    }
}

void TPen::Assign(const TPersistent* source) {
    const auto* pen = qobject_cast<const TPen*>(source);
    if (pen == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (pen == this || (color_ == pen->color_ && width_ == pen->width_ && style_ == pen->style_ &&
                        mode_ == pen->mode_)) {
        return;
    }
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Changed();
}

void TPen::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

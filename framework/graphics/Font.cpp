#include "framework/graphics/Font.h"

#include "framework/graphics/Fonts.h"

#include <QFontMetricsF>
#include <QHash>

namespace {

constexpr int kDefaultPoints = 8;

// Pixel size whose ascent plus descent is cellHeight, for the given family.
int PixelSizeForCellHeight(const QString& family, int cellHeight) {
    static QHash<QString, qreal> emPerCell;
    auto found = emPerCell.constFind(family);
    if (found == emPerCell.constEnd()) {
        constexpr int kProbeSize = 100;
        QFont probe(family);
        probe.setPixelSize(kProbeSize);
        probe.setHintingPreference(QFont::PreferNoHinting);
        const QFontMetricsF metrics(probe);
        const qreal cell = metrics.ascent() + metrics.descent();
        found = emPerCell.insert(family, cell > 0 ? kProbeSize / cell : 1.0);
    }
    return qMax(1, qRound(cellHeight * found.value()));
}

} // namespace

TFont::TFont(QObject* parent)
    : TPersistent(parent), name_(QStringLiteral("MS Sans Serif")),
      height_(-Fonts::PointsToPixels(kDefaultPoints)), color_(clWindowText) {}

int TFont::Size() const {
    return -Fonts::MulDiv(height_, 72, 96);
}

void TFont::SetSize(int points) {
    SetHeight(-Fonts::PointsToPixels(points));
}

void TFont::SetName(const QString& name) {
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height) {
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TFont::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch != pitch_) {
        pitch_ = pitch;
        Changed();
    }
}

void TFont::Assign(const TPersistent* source) {
    const auto* font = qobject_cast<const TFont*>(source);
    if (font == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (font == this) {
        return;
    }
    const bool same = name_ == font->name_ && height_ == font->height_ && style_ == font->style_ &&
                      color_ == font->color_ && charset_ == font->charset_ &&
                      pitch_ == font->pitch_;
    name_ = font->name_;
    height_ = font->height_;
    style_ = font->style_;
    color_ = font->color_;
    charset_ = font->charset_;
    pitch_ = font->pitch_;
    if (!same) {
        Changed();
    }
}

QFont TFont::ToQFont() const {
    const QString family = Fonts::ResolveFamily(name_);
    QFont font(family);
    int pixelSize = Fonts::PointsToPixels(kDefaultPoints);
    if (height_ < 0) {
        pixelSize = -height_;
    } else if (height_ > 0) {
        pixelSize = PixelSizeForCellHeight(family, height_);
    }
    font.setPixelSize(pixelSize);
    font.setBold(style_.testFlag(fsBold));
    font.setItalic(style_.testFlag(fsItalic));
    font.setUnderline(style_.testFlag(fsUnderline));
    font.setStrikeOut(style_.testFlag(fsStrikeOut));
    font.setFixedPitch(pitch_ == fpFixed);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

void TFont::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

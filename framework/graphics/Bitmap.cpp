#include "framework/graphics/Bitmap.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QPainter>
#include <QtEndian>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kSmallestInfoHeaderSize = 12;

} // namespace

TBitmap::TBitmap(QObject* parent) : TGraphic(parent) {}

TBitmap::~TBitmap() {
    ReleaseCanvas();
}

void TBitmap::ReleaseCanvas() const {
    if (canvas_ != nullptr) {
        canvas_->ReleaseHandle();
    }
}

TCanvas* TBitmap::Canvas() {
    if (canvas_ == nullptr) {
        canvas_ = new TCanvas(this);
        canvas_->SetDevice(&image_);
    }
    return canvas_;
}

const QImage& TBitmap::Image() const {
    ReleaseCanvas();
    return image_;
}

QImage& TBitmap::Image() {
    ReleaseCanvas();
    return image_;
}

void TBitmap::SetImage(const QImage& image) {
    ReleaseCanvas();
    image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    width = qMax(0, width);
    height = qMax(0, height);
    if (width == Width() && height == Height()) {
        return;
    }
    ReleaseCanvas();
    if (width == 0 || height == 0) {
        image_ = QImage();
    } else {
        QImage resized(width, height, QImage::Format_RGB32);
        resized.fill(Qt::white);
        if (!image_.isNull()) {
            QPainter painter(&resized);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, image_);
        }
        image_ = resized;
    }
    Changed();
}

TColor TBitmap::Pixel(int x, int y) const {
    if (!image_.valid(x, y)) {
        return clNone;
    }
    ReleaseCanvas();
    return QRgbToColor(image_.pixel(x, y));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (!image_.valid(x, y)) {
        return;
    }
    ReleaseCanvas();
    image_.setPixel(x, y, ColorToQRgb(color));
}

QRgb* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= Height()) {
        return nullptr;
    }
    ReleaseCanvas();
    return reinterpret_cast<QRgb*>(image_.scanLine(y));
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == tmFixed) {
        return transparentColor_;
    }
    return Empty() ? clDefault : Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    if (color == clDefault) {
        transparentColor_ = clDefault;
        SetTransparentMode(tmAuto);
        return;
    }
    transparentColor_ = color;
    transparentMode_ = tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_) {
        return;
    }
    if (mode == tmAuto) {
        transparentColor_ = clDefault;
    } else if (transparentColor_ == clDefault) {
        transparentColor_ = TransparentColor();
    }
    transparentMode_ = mode;
    Changed();
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
    if (canvas == nullptr || Empty()) {
        return;
    }
    // Drawing a bitmap onto its own canvas reads a snapshot of the image.
    const QImage source = canvas == canvas_ ? Image().copy() : Image();
    const TRect whole = Rect(0, 0, source.width(), source.height());
    if (Transparent()) {
        canvas->DrawTransparent(rect, source, whole, TransparentColor());
    } else {
        canvas->DrawImage(rect, source, whole);
    }
}

bool TBitmap::LoadFromData(const QByteArray& data) {
    QImage loaded;
    if (!loaded.loadFromData(data) || loaded.isNull()) {
        return false;
    }
    SetImage(loaded);
    return true;
}

QByteArray TBitmap::Data() const {
    if (Empty()) {
        return {};
    }
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    Image().save(&buffer, "BMP");
    QByteArray data(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(file.size()), data.data());
    return data + file;
}

void TBitmap::SetData(const QByteArray& data) {
    if (data.size() >= 4) {
        const quint32 length = qFromLittleEndian<quint32>(data.constData());
        if (length <= static_cast<quint32>(data.size() - 4) && LoadFromData(data.mid(4, length))) {
            return;
        }
    }
    SetImage(QImage());
}

bool TBitmap::LoadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return LoadFromData(file.readAll());
}

bool TBitmap::SaveToFile(const QString& fileName) const {
    return !Empty() && Image().save(fileName, "BMP");
}

bool TBitmap::LoadFromStream(QIODevice& stream) {
    const QByteArray header = stream.peek(kFileHeaderSize);
    if (header.size() < kFileHeaderSize || header[0] != 'B' || header[1] != 'M') {
        return false;
    }
    const quint32 fileSize = qFromLittleEndian<quint32>(header.constData() + 2);
    const qint64 available =
        stream.isSequential() ? stream.bytesAvailable() : stream.size() - stream.pos();
    if (fileSize < kFileHeaderSize + kSmallestInfoHeaderSize || fileSize > available) {
        return false;
    }
    const QByteArray data = stream.read(fileSize);
    return data.size() == static_cast<qsizetype>(fileSize) && LoadFromData(data);
}

bool TBitmap::LoadFromResourceName(const QString& name) {
    return LoadFromFile(QStringLiteral(":/pictures/%1.bmp").arg(name.toUpper()));
}

void TBitmap::Assign(const TPersistent* source) {
    if (source == this) {
        return;
    }
    if (source == nullptr) {
        SetImage(QImage());
        return;
    }
    if (const auto* picture = qobject_cast<const TPicture*>(source)) {
        Assign(picture->Graphic());
        return;
    }
    const auto* bitmap = qobject_cast<const TBitmap*>(source);
    if (bitmap == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    ReleaseCanvas();
    image_ = bitmap->Image();
    transparentColor_ = bitmap->transparentColor_;
    transparentMode_ = bitmap->transparentMode_;
    SetTransparent(bitmap->Transparent());
    Changed();
}

#include "framework/graphics/Canvas.h"

#include "framework/graphics/Graphic.h"

#include <QFontMetrics>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>
#include <unordered_map>

struct TCanvas::State {
    TPoint origin;
    std::optional<QRect> deviceClip;
    TPoint penPos;
    std::unique_ptr<TPen> pen;
    std::unique_ptr<TBrush> brush;
    std::unique_ptr<TFont> font;
};

namespace {

// Dash patterns of the one-pixel pen, in pixels: on, off, on, off ...
constexpr std::array<int, 2> kDash = {18, 6};
constexpr std::array<int, 2> kDot = {3, 3};
constexpr std::array<int, 4> kDashDot = {9, 6, 3, 6};
constexpr std::array<int, 6> kDashDotDot = {9, 3, 3, 3, 3, 3};

std::span<const int> DashPattern(TPenStyle style) {
    switch (style) {
    case psDash:
        return kDash;
    case psDot:
        return kDot;
    case psDashDot:
        return kDashDot;
    case psDashDotDot:
        return kDashDotDot;
    default:
        return {};
    }
}

bool PatternOn(std::span<const int> pattern, int phase) {
    int length = 0;
    for (int part : pattern) {
        length += part;
    }
    phase %= length;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (phase < pattern[i]) {
            return i % 2 == 0;
        }
        phase -= pattern[i];
    }
    return false;
}

// Sets the painter up for the pen mode; the colour to draw with lands in color.
// Returns false when the mode draws nothing. The destructor restores plain copying.
class PenModeScope {
public:
    PenModeScope(QPainter* painter, TPenMode mode, TColor penColor) : painter_(painter) {
        color_ = ColorToQColor(penColor);
        switch (mode) {
        case TPen::pmNop:
            draws_ = false;
            break;
        case TPen::pmBlack:
            color_ = Qt::black;
            break;
        case TPen::pmWhite:
            color_ = Qt::white;
            break;
        case TPen::pmNotCopy:
            color_ = QColor(~color_.rgb() | 0xFF000000u);
            break;
        case TPen::pmXor:
            painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            break;
        case TPen::pmNot:
            painter_->setCompositionMode(QPainter::RasterOp_NotDestination);
            break;
        default:
            break;
        }
    }
    ~PenModeScope() { painter_->setCompositionMode(QPainter::CompositionMode_SourceOver); }
    PenModeScope(const PenModeScope&) = delete;
    PenModeScope& operator=(const PenModeScope&) = delete;

    bool Draws() const { return draws_; }
    const QColor& Color() const { return color_; }

private:
    QPainter* painter_;
    QColor color_;
    bool draws_ = true;
};

QPen QtPen(const TPen* pen, const QColor& color) {
    QPen result(color);
    result.setWidth(pen->Width() > 1 ? pen->Width() : 0);
    result.setCapStyle(pen->Width() > 1 ? Qt::RoundCap : Qt::FlatCap);
    result.setJoinStyle(pen->Width() > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    const std::span<const int> pattern =
        pen->Width() > 1 ? std::span<const int>{} : DashPattern(pen->Style());
    if (!pattern.empty()) {
        QList<qreal> dashes;
        for (int part : pattern) {
            dashes.append(part);
        }
        result.setDashPattern(dashes);
    }
    return result;
}

// The points of a one-pixel line from (x1, y1) towards (x2, y2), the end included.
QList<QPoint> LinePoints(int x1, int y1, int x2, int y2) {
    QList<QPoint> points;
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    points.reserve(std::max(dx, -dy) + 1);
    while (true) {
        points.append(QPoint(x, y));
        if (x == x2 && y == y2) {
            break;
        }
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += sx;
        }
        if (doubled <= dx) {
            error += dx;
            y += sy;
        }
    }
    return points;
}

// Splits '&' prefixes off: "&&" is a literal '&', "&x" underlines x. prefixIndex
// receives the index of the underlined character in the result, or -1.
QString StripPrefix(const QString& text, int& prefixIndex) {
    QString result;
    result.reserve(text.size());
    prefixIndex = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&') && prefixIndex < 0) {
                prefixIndex = static_cast<int>(result.size());
            }
        } else if (text[i] == QLatin1Char('&')) {
            continue;
        }
        result.append(text[i]);
    }
    return result;
}

// Tabs become spaces up to the next stop; prefixIndex (the accelerator's position, -1 for
// none) moves with its character.
QString ExpandTabs(const QString& text, int& prefixIndex) {
    constexpr int kTabColumns = 8;
    QString result;
    int column = 0;
    int movedPrefix = -1;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text.at(index);
        if (index == prefixIndex) {
            movedPrefix = static_cast<int>(result.size());
        }
        if (character == QLatin1Char('\t')) {
            const int spaces = kTabColumns - column % kTabColumns;
            result.append(QString(spaces, QLatin1Char(' ')));
            column += spaces;
        } else {
            result.append(character);
            column = character == QLatin1Char('\n') ? 0 : column + 1;
        }
    }
    prefixIndex = movedPrefix;
    return result;
}

struct TextLine {
    QString text;
    int start = 0; // index of the line's first character in the whole text
};

// Breaks one paragraph at spaces so that each line fits width; a word wider than
// width stays whole on a line of its own.
void WrapParagraph(const QString& paragraph, int start, int width, const QFontMetrics& metrics,
                   QList<TextLine>& lines) {
    int lineStart = 0;
    int lastBreak = -1;
    for (int i = 0; i <= paragraph.size(); ++i) {
        const bool atEnd = i == paragraph.size();
        if (!atEnd && paragraph[i] != QLatin1Char(' ')) {
            continue;
        }
        const QString candidate = paragraph.mid(lineStart, i - lineStart);
        if (metrics.horizontalAdvance(candidate) > width && lastBreak > lineStart) {
            lines.append({paragraph.mid(lineStart, lastBreak - lineStart), start + lineStart});
            lineStart = lastBreak;
            while (lineStart < paragraph.size() && paragraph[lineStart] == QLatin1Char(' ')) {
                ++lineStart;
            }
        }
        lastBreak = i;
        if (atEnd) {
            lines.append({paragraph.mid(lineStart), start + lineStart});
        }
    }
}

// Splits text into the lines DrawText shows: one line for DT_SINGLELINE, otherwise one
// per paragraph (CR LF, LF or CR end one), each wrapped to width for DT_WORDBREAK.
QList<TextLine> LayoutLines(const QString& text, unsigned flags, int width,
                            const QFontMetrics& metrics) {
    QList<TextLine> lines;
    if (text.isEmpty()) {
        return lines;
    }
    if (flags & DT_SINGLELINE) {
        lines.append({text, 0});
        return lines;
    }
    int start = 0;
    while (start < text.size()) {
        int end = start;
        while (end < text.size() && text[end] != QLatin1Char('\n') &&
               text[end] != QLatin1Char('\r')) {
            ++end;
        }
        const QString paragraph = text.mid(start, end - start);
        if (flags & DT_WORDBREAK) {
            WrapParagraph(paragraph, start, width, metrics, lines);
        } else {
            lines.append({paragraph, start});
        }
        const bool crLf = end + 1 < text.size() && text[end] == QLatin1Char('\r') &&
                          text[end + 1] == QLatin1Char('\n');
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

QString ElideEnd(const QString& text, int width, const QFontMetrics& metrics) {
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    const QString ellipsis = QStringLiteral("...");
    QString kept = text;
    while (!kept.isEmpty() && metrics.horizontalAdvance(kept + ellipsis) > width) {
        kept.chop(1);
    }
    return kept + ellipsis;
}

} // namespace

TCanvas::TCanvas(QObject* parent)
    : TPersistent(parent), pen_(new TPen(this)), brush_(new TBrush(this)), font_(new TFont(this)) {}

TCanvas::~TCanvas() {
    ReleaseHandle();
}

void TCanvas::SetDevice(QPaintDevice* device) {
    ReleaseHandle();
    device_ = device;
}

QImage* TCanvas::ImageDevice() const {
    if (device_ != nullptr && device_->devType() == QInternal::Image) {
        return static_cast<QImage*>(device_);
    }
    return nullptr;
}

QPainter* TCanvas::Handle() {
    return Prepare();
}

void TCanvas::ReleaseHandle() {
    if (painter_ != nullptr) {
        painter_->end();
        painter_.reset();
    }
}

QPainter* TCanvas::Prepare() {
    if (painter_ != nullptr) {
        return painter_.get();
    }
    if (device_ == nullptr) {
        return nullptr;
    }
    if (QImage* image = ImageDevice()) {
        if (image->isNull()) {
            return nullptr;
        }
        // The painter writes into the image's memory without detaching it, so an image
        // that shares its data with a copy gets its own data first.
        image->bits();
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(device_)) {
        return nullptr;
    }
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_ = std::move(painter);
    ApplyClip();
    return painter_.get();
}

void TCanvas::ApplyClip() {
    if (painter_ == nullptr) {
        return;
    }
    painter_->resetTransform();
    if (deviceClip_) {
        painter_->setClipRect(*deviceClip_);
    } else {
        painter_->setClipping(false);
    }
    painter_->translate(origin_.X, origin_.Y);
    painter_->setBrushOrigin(-origin_.X, -origin_.Y);
}

bool TCanvas::PenVisible() const {
    return pen_->Style() != psClear && pen_->Mode() != pmNop;
}

TColor TCanvas::Pixel(int x, int y) {
    QImage* image = ImageDevice();
    if (image == nullptr) {
        return clNone;
    }
    const QPoint device(x + origin_.X, y + origin_.Y);
    if (!image->rect().contains(device) || (deviceClip_ && !deviceClip_->contains(device))) {
        return clNone;
    }
    ReleaseHandle();
    return QRgbToColor(image->pixel(device));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (QPainter* painter = Prepare()) {
        painter->fillRect(QRect(x, y, 1, 1), ColorToQColor(color));
    }
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
    dashPhase_ = 0;
}

void TCanvas::LineTo(int x, int y) {
    StrokeSegment(penPos_.X, penPos_.Y, x, y);
    penPos_ = {x, y};
}

void TCanvas::StrokeSegment(int x1, int y1, int x2, int y2) {
    QPainter* painter = Prepare();
    if (painter == nullptr || !PenVisible()) {
        return;
    }
    PenModeScope mode(painter, pen_->Mode(), pen_->Color());
    if (pen_->Width() > 1) {
        painter->setPen(QtPen(pen_, mode.Color()));
        painter->drawLine(x1, y1, x2, y2);
        return;
    }
    QList<QPoint> points = LinePoints(x1, y1, x2, y2);
    points.removeLast(); // like LineTo, a segment leaves out its end point
    const std::span<const int> pattern = DashPattern(pen_->Style());
    if (!pattern.empty()) {
        QList<QPoint> dashed;
        for (const QPoint& point : points) {
            if (PatternOn(pattern, dashPhase_++)) {
                dashed.append(point);
            }
        }
        points = dashed;
    }
    painter->setPen(QPen(mode.Color(), 0));
    painter->drawPoints(points.constData(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(const QList<TPoint>& points) {
    if (points.isEmpty()) {
        return;
    }
    MoveTo(points.first().X, points.first().Y);
    for (qsizetype i = 1; i < points.size(); ++i) {
        LineTo(points[i].X, points[i].Y);
    }
}

void TCanvas::Polygon(const QList<TPoint>& points) {
    QPainter* painter = Prepare();
    if (painter == nullptr || points.size() < 2) {
        return;
    }
    QPolygon polygon;
    for (const TPoint& point : points) {
        polygon.append(point.ToQPoint());
    }
    if (brush_->Style() != bsClear || brush_->Bitmap() != nullptr) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(brush_->ToQBrush());
        painter->drawPolygon(polygon, Qt::OddEvenFill);
    }
    if (PenVisible()) {
        dashPhase_ = 0;
        for (qsizetype i = 0; i < points.size(); ++i) {
            const TPoint& from = points[i];
            const TPoint& to = points[(i + 1) % points.size()];
            StrokeSegment(from.X, from.Y, to.X, to.Y);
        }
    }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    QPainter* painter = Prepare();
    if (painter == nullptr) {
        return;
    }
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    if (!PenVisible()) {
        // Without a pen the filled area is one pixel smaller on the right and bottom,
        // as on the classic desktop.
        FillRect(Rect(left, top, right - 1, bottom - 1));
        return;
    }
    const int width = pen_->Width();
    FillRect(Rect(left + width, top + width, right - width, bottom - width));
    if (width == 1 && !DashPattern(pen_->Style()).empty()) {
        dashPhase_ = 0;
        StrokeSegment(left, top, right - 1, top);
        StrokeSegment(right - 1, top, right - 1, bottom - 1);
        StrokeSegment(right - 1, bottom - 1, left, bottom - 1);
        StrokeSegment(left, bottom - 1, left, top);
        return;
    }
    PenModeScope mode(painter, pen_->Mode(), pen_->Color());
    const int thickX = std::min(width, (right - left + 1) / 2);
    const int thickY = std::min(width, (bottom - top + 1) / 2);
    const QColor& color = mode.Color();
    painter->fillRect(QRect(left, top, right - left, thickY), color);
    painter->fillRect(QRect(left, bottom - thickY, right - left, thickY), color);
    painter->fillRect(QRect(left, top + thickY, thickX, bottom - top - 2 * thickY), color);
    painter->fillRect(QRect(right - thickX, top + thickY, thickX, bottom - top - 2 * thickY),
                      color);
}

void TCanvas::DrawShape(int left, int top, int right, int bottom,
                        const std::function<void(QPainter&, const QRect&)>& draw) {
    QPainter* painter = Prepare();
    if (painter == nullptr || right - left < 1 || bottom - top < 1) {
        return;
    }
    PenModeScope mode(painter, pen_->Mode(), pen_->Color());
    painter->setPen(PenVisible() ? QtPen(pen_, mode.Color()) : QPen(Qt::NoPen));
    painter->setBrush(brush_->ToQBrush());
    // An aliased Qt outline of a w x h rectangle covers w + 1 x h + 1 pixels.
    draw(*painter, QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    DrawShape(left, top, right, bottom, [&](QPainter& painter, const QRect& outline) {
        painter.drawRoundedRect(outline, cornerWidth / 2.0, cornerHeight / 2.0, Qt::AbsoluteSize);
    });
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    DrawShape(left, top, right, bottom,
              [](QPainter& painter, const QRect& outline) { painter.drawEllipse(outline); });
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    QPainter* painter = Prepare();
    if (painter == nullptr || !PenVisible() || x2 - x1 < 1 || y2 - y1 < 1) {
        return;
    }
    const qreal centreX = (x1 + x2) / 2.0;
    const qreal centreY = (y1 + y2) / 2.0;
    // Qt's arc angles run around the ellipse as if it were a circle; scaling by the
    // radii turns the rays through the given points into those angles.
    const qreal radiusX = (x2 - x1) / 2.0;
    const qreal radiusY = (y2 - y1) / 2.0;
    const auto angleOf = [&](int x, int y) {
        return qRadiansToDegrees(std::atan2((centreY - y) / radiusY, (x - centreX) / radiusX));
    };
    const qreal start = angleOf(x3, y3);
    const qreal end = angleOf(x4, y4);
    qreal span = std::fmod(end - start + 360.0, 360.0);
    if (span == 0.0) {
        span = 360.0;
    }
    PenModeScope mode(painter, pen_->Mode(), pen_->Color());
    painter->setPen(QtPen(pen_, mode.Color()));
    painter->setBrush(Qt::NoBrush);
    painter->drawArc(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), qRound(start * 16),
                     qRound(span * 16));
}

void TCanvas::FillRect(const TRect& rect) {
    QPainter* painter = Prepare();
    if (painter == nullptr || rect.IsEmpty()) {
        return;
    }
    const QBrush brush = brush_->ToQBrush();
    if (brush.style() != Qt::NoBrush) {
        painter->fillRect(rect.ToQRect(), brush);
    }
}

void TCanvas::FrameRect(const TRect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    FillRect(Rect(rect.Left, rect.Top, rect.Right, rect.Top + 1));
    FillRect(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
    FillRect(Rect(rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1));
    FillRect(Rect(rect.Right - 1, rect.Top + 1, rect.Right, rect.Bottom - 1));
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    QPainter* painter = Prepare();
    if (painter == nullptr || rect.IsEmpty()) {
        return;
    }
    QList<QPoint> points;
    const auto addIfOn = [&](int x, int y) {
        // The dots keep one pattern over the whole device, wherever the rectangle starts.
        if (((x + origin_.X + y + origin_.Y) & 1) == 0) {
            points.append(QPoint(x, y));
        }
    };
    for (int x = rect.Left; x < rect.Right; ++x) {
        addIfOn(x, rect.Top);
        if (rect.Bottom - 1 > rect.Top) {
            addIfOn(x, rect.Bottom - 1);
        }
    }
    for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
        addIfOn(rect.Left, y);
        if (rect.Right - 1 > rect.Left) {
            addIfOn(rect.Right - 1, y);
        }
    }
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter->setPen(QPen(Qt::white, 0));
    painter->drawPoints(points.constData(), static_cast<int>(points.size()));
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::DrawTextLine(int x, int y, const QString& line, int prefixIndex) {
    QPainter* painter = Prepare();
    const QFont font = font_->ToQFont();
    const QFontMetrics metrics(font);
    painter->setFont(font);
    painter->setPen(ColorToQColor(font_->Color()));
    painter->drawText(x, y + metrics.ascent(), line);
    if (prefixIndex >= 0 && prefixIndex < line.size()) {
        const int start = x + metrics.horizontalAdvance(line.left(prefixIndex));
        const int width = metrics.horizontalAdvance(line.mid(prefixIndex, 1));
        const int underline = y + metrics.ascent() + qMax(1, metrics.underlinePos());
        painter->fillRect(QRect(start, underline, width, qMax(1, metrics.lineWidth())),
                          ColorToQColor(font_->Color()));
    }
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    const TSize extent = TextExtent(text);
    QPainter* painter = Prepare();
    if (painter != nullptr) {
        if (brush_->Style() == bsSolid) {
            painter->fillRect(QRect(x, y, extent.cx, extent.cy), ColorToQColor(brush_->Color()));
        }
        DrawTextLine(x, y, text, -1);
    }
    MoveTo(x + extent.cx, y);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const QString& text) {
    QPainter* painter = Prepare();
    if (painter == nullptr) {
        return;
    }
    painter->save();
    painter->setClipRect(rect.ToQRect(), Qt::IntersectClip);
    if (brush_->Style() != bsClear) {
        painter->fillRect(rect.ToQRect(), ColorToQColor(brush_->Color()));
    }
    DrawTextLine(x, y, text, -1);
    painter->restore();
}

int TCanvas::DrawText(const QString& text, TRect& rect, unsigned flags) {
    const QFontMetrics metrics(font_->ToQFont());
    int prefixIndex = -1;
    QString content = (flags & DT_NOPREFIX) ? text : StripPrefix(text, prefixIndex);
    if (flags & DT_HIDEPREFIX) {
        prefixIndex = -1;
    }
    if (flags & DT_EXPANDTABS) {
        content = ExpandTabs(content, prefixIndex);
    }

    QList<TextLine> lines = LayoutLines(content, flags, rect.Width(), metrics);

    if (flags & DT_END_ELLIPSIS) {
        for (TextLine& line : lines) {
            line.text = ElideEnd(line.text, rect.Width(), metrics);
        }
    }

    const int lineHeight = metrics.height();
    const int height = static_cast<int>(lines.size()) * lineHeight;
    if (flags & DT_CALCRECT) {
        int width = 0;
        for (const TextLine& line : lines) {
            width = std::max(width, metrics.horizontalAdvance(line.text));
        }
        rect.Right = rect.Left + width;
        rect.Bottom = rect.Top + height;
        return height;
    }

    QPainter* painter = Prepare();
    if (painter == nullptr) {
        return height;
    }
    int y = rect.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER) {
            y = rect.Top + (rect.Height() - lineHeight) / 2;
        } else if (flags & DT_BOTTOM) {
            y = rect.Bottom - lineHeight;
        }
    }
    painter->save();
    if (!(flags & DT_NOCLIP)) {
        painter->setClipRect(rect.ToQRect(), Qt::IntersectClip);
    }
    for (const TextLine& line : lines) {
        const int width = metrics.horizontalAdvance(line.text);
        int x = rect.Left;
        if (flags & DT_CENTER) {
            x = rect.Left + (rect.Width() - width) / 2;
        } else if (flags & DT_RIGHT) {
            x = rect.Right - width;
        }
        if (brush_->Style() == bsSolid) {
            painter->fillRect(QRect(x, y, width, lineHeight), ColorToQColor(brush_->Color()));
        }
        const int linePrefix = prefixIndex >= line.start ? prefixIndex - line.start : -1;
        DrawTextLine(x, y, line.text, linePrefix);
        y += lineHeight;
    }
    painter->restore();
    return height;
}

int TCanvas::TextWidth(const QString& text) {
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const QString& text) {
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const QString& text) {
    const QFontMetrics metrics(font_->ToQFont());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (source == nullptr || source->ImageDevice() == nullptr) {
        return;
    }
    source->ReleaseHandle();
    TRect deviceSource = sourceRect;
    OffsetRect(deviceSource, source->origin_.X, source->origin_.Y);
    if (source == this) {
        const QImage copy = source->ImageDevice()->copy(deviceSource.ToQRect());
        DrawImage(dest, copy, Rect(0, 0, copy.width(), copy.height()));
    } else {
        DrawImage(dest, *source->ImageDevice(), deviceSource);
    }
}

void TCanvas::DrawImage(const TRect& dest, const QImage& image, const TRect& sourceRect) {
    QPainter* painter = Prepare();
    if (painter == nullptr || dest.IsEmpty() || sourceRect.IsEmpty() || image.isNull()) {
        return;
    }
    if (dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height()) {
        TRect visible;
        if (!IntersectRect(visible, sourceRect, Rect(0, 0, image.width(), image.height()))) {
            return;
        }
        painter->drawImage(QPoint(dest.Left + visible.Left - sourceRect.Left,
                                  dest.Top + visible.Top - sourceRect.Top),
                           image, visible.ToQRect());
        return;
    }
    const QImage stretched =
        image.copy(sourceRect.ToQRect())
            .scaled(dest.Width(), dest.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    painter->drawImage(QPoint(dest.Left, dest.Top), stretched);
}

void TCanvas::DrawTransparent(const TRect& dest, const QImage& image, const TRect& sourceRect,
                              TColor key) {
    if (dest.IsEmpty() || sourceRect.IsEmpty() || image.isNull()) {
        return;
    }
    TRect visible;
    if (!IntersectRect(visible, sourceRect, Rect(0, 0, image.width(), image.height()))) {
        return;
    }
    const bool sameSize =
        dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height();
    const TRect target = sameSize ? Bounds(dest.Left + visible.Left - sourceRect.Left,
                                           dest.Top + visible.Top - sourceRect.Top, visible.Width(),
                                           visible.Height())
                                  : dest;
    const QImage piece = KeyedPiece(image, sameSize ? visible : sourceRect,
                                    sameSize ? QSize() : dest.ToQRect().size(), key);
    if (QPainter* painter = Prepare()) {
        painter->drawImage(QPoint(target.Left, target.Top), piece);
    }
}

QImage TCanvas::KeyedPiece(const QImage& image, const TRect& source, QSize scaledTo, TColor key) {
    // Skinned controls draw the same pieces of the same pictures on every paint: the
    // keyed piece is made once per picture (by its cache key), piece, size and key.
    struct TPieceKey {
        qint64 Image;
        QRect Source;
        QSize Size;
        QRgb Key;
        bool operator==(const TPieceKey&) const = default;
    };
    struct TPieceHash {
        size_t operator()(const TPieceKey& k) const {
            return qHashMulti(0, k.Image, k.Source.x(), k.Source.y(), k.Source.width(),
                              k.Source.height(), k.Size.width(), k.Size.height(), k.Key);
        }
    };
    constexpr size_t MaxPieces = 256;
    static std::unordered_map<TPieceKey, QImage, TPieceHash> pieces;
    const QRgb keyRgb = ColorToQRgb(key) & 0xFFFFFFu;
    const TPieceKey pieceKey{image.cacheKey(), source.ToQRect(), scaledTo, keyRgb};
    // An image being painted on keeps its cache key while its pixels change.
    const bool cacheable = !image.paintingActive();
    if (const auto found = pieces.find(pieceKey); cacheable && found != pieces.end()) {
        return found->second;
    }
    QImage piece = image.copy(source.ToQRect());
    if (scaledTo.isValid()) {
        piece = piece.scaled(scaledTo, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    piece = piece.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < piece.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
        for (int x = 0; x < piece.width(); ++x) {
            if ((line[x] & 0xFFFFFFu) == keyRgb) {
                line[x] = 0;
            }
        }
    }
    if (cacheable) {
        if (pieces.size() >= MaxPieces) {
            pieces.clear();
        }
        pieces.insert_or_assign(pieceKey, piece);
    }
    return piece;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic != nullptr && !graphic->Empty()) {
        graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
    }
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (graphic != nullptr && !graphic->Empty()) {
        graphic->Draw(this, rect);
    }
}

int TCanvas::SaveState() {
    State state;
    state.origin = origin_;
    state.deviceClip = deviceClip_;
    state.penPos = penPos_;
    state.pen = std::make_unique<TPen>();
    state.pen->Assign(pen_);
    state.brush = std::make_unique<TBrush>();
    state.brush->Assign(brush_);
    state.font = std::make_unique<TFont>();
    state.font->Assign(font_);
    saved_.push_back(std::move(state));
    return static_cast<int>(saved_.size());
}

void TCanvas::RestoreState(int level) {
    if (level == -1) {
        level = static_cast<int>(saved_.size());
    }
    if (level < 1 || level > static_cast<int>(saved_.size())) {
        return;
    }
    State state = std::move(saved_[level - 1]);
    saved_.erase(saved_.begin() + (level - 1), saved_.end());
    origin_ = state.origin;
    deviceClip_ = state.deviceClip;
    penPos_ = state.penPos;
    pen_->Assign(state.pen.get());
    brush_->Assign(state.brush.get());
    font_->Assign(state.font.get());
    ApplyClip();
}

void TCanvas::SetOrigin(int x, int y) {
    origin_ = {x, y};
    ApplyClip();
}

void TCanvas::MoveOrigin(int dx, int dy) {
    SetOrigin(origin_.X + dx, origin_.Y + dy);
}

void TCanvas::SetClipRect(const TRect& rect) {
    TRect device = rect;
    OffsetRect(device, origin_.X, origin_.Y);
    deviceClip_ = device.IsEmpty() ? QRect() : device.ToQRect();
    ApplyClip();
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    TRect device = rect;
    OffsetRect(device, origin_.X, origin_.Y);
    deviceClip_ = deviceClip_ ? deviceClip_->intersected(device.ToQRect()) : device.ToQRect();
    if (deviceClip_->isEmpty()) {
        deviceClip_ = QRect();
    }
    ApplyClip();
}

void TCanvas::ClearClip() {
    deviceClip_.reset();
    ApplyClip();
}

std::optional<TRect> TCanvas::ClipRect() const {
    if (!deviceClip_) {
        return std::nullopt;
    }
    TRect rect = TRect::FromQRect(*deviceClip_);
    OffsetRect(rect, -origin_.X, -origin_.Y);
    return rect;
}

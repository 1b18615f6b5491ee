#include "resources/themepaint/Icon.h"

#include "resources/themepaint/Canvas.h"

namespace themepaint {

namespace {

QPainterPath ShieldPath(const QRectF& box) {
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal x = box.left();
    const qreal y = box.top();
    QPainterPath shield;
    shield.moveTo(x + w * 0.5, y);
    shield.cubicTo(x + w * 0.68, y + h * 0.1, x + w * 0.86, y + h * 0.12, x + w, y + h * 0.12);
    shield.cubicTo(x + w, y + h * 0.55, x + w * 0.86, y + h * 0.82, x + w * 0.5, y + h);
    shield.cubicTo(x + w * 0.14, y + h * 0.82, x, y + h * 0.55, x, y + h * 0.12);
    shield.cubicTo(x + w * 0.14, y + h * 0.12, x + w * 0.32, y + h * 0.1, x + w * 0.5, y);
    shield.closeSubpath();
    return shield;
}

} // namespace

QImage PaintProgramIcon(int size) {
    QImage icon = NewLayer(size, size);
    QPainter painter;
    BeginPainter(painter, icon);
    const bool small = size <= 16;
    const qreal margin = small ? 0.5 : size * 0.06;
    const QRectF box(margin + size * 0.04, margin, size - 2 * margin - size * 0.08,
                     size - 2 * margin);
    const QPainterPath shield = ShieldPath(box);
    const qreal rim = small ? 1.0 : std::max(1.0, size / 32.0);

    painter.setPen(QPen(QColor(0x16, 0x3A, 0x78), rim));
    painter.setBrush(LinearGradient(box.top(), box.bottom(), QColor(0x4F, 0x8C, 0xE4),
                                    QColor(0x17, 0x44, 0x96)));
    painter.drawPath(shield);
    // A faint sheen over the upper half, dim enough for the white mark to stand out.
    painter.save();
    painter.setClipPath(shield);
    painter.setPen(Qt::NoPen);
    painter.setBrush(LinearGradient(box.top(), box.center().y(), QColor(255, 255, 255, 90),
                                    QColor(255, 255, 255, 10)));
    painter.drawRect(QRectF(box.left(), box.top(), box.width(), box.height() / 2));
    painter.restore();
    if (!small) {
        // A light inner rim reads as a raised seal at the larger sizes.
        const qreal inset = size * 0.07;
        painter.setPen(QPen(QColor(255, 255, 255, 120), rim));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(ShieldPath(box.adjusted(inset, inset * 1.1, -inset, -inset * 1.3)));
    }

    QPainterPath mark;
    mark.moveTo(box.left() + box.width() * 0.24, box.top() + box.height() * 0.5);
    mark.lineTo(box.left() + box.width() * 0.44, box.top() + box.height() * 0.7);
    mark.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.3);
    const qreal stroke = small ? 2.2 : size * 0.12;
    if (!small) {
        painter.setPen(
            QPen(QColor(0, 0, 0, 70), stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(mark.translated(0, size * 0.025));
    }
    painter.setPen(QPen(Qt::white, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(mark);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace themepaint

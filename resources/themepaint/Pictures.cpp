#include "resources/themepaint/Pictures.h"

#include "resources/themepaint/Canvas.h"

#include <algorithm>
#include <cmath>

namespace themepaint {

namespace {

const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);

// Disabled controls keep their shape and fade towards the surface they sit on.
constexpr qreal DisabledFade = 0.55;

std::optional<QRgb> KeyIf(bool keyed) {
    return keyed ? std::optional<QRgb>(KeyColour) : std::nullopt;
}

QString Name(const Look& look, const char* part) {
    return QStringLiteral("%1_%2").arg(QLatin1String(look.prefix), QLatin1String(part));
}

// Face shading shared by buttons, knobs and thumbs: gel for the glossy looks, a soft
// top-lit gradient for the others; pressed faces are lit from below.
QBrush FaceBrush(const Look& look, const QColor& face, qreal from, qreal to, bool pressed,
                 bool vertical = true) {
    if (look.buttonGloss) {
        return GlossGradient(from, to, face, vertical);
    }
    if (pressed) {
        return LinearGradient(from, to, face.darker(106), Mix(face, White, 0.35), vertical);
    }
    return LinearGradient(from, to, Mix(face, White, 0.7), face.darker(104), vertical);
}

QColor StateFace(const Look& look, int state) {
    switch (state) {
    case 1:
        return look.buttonHot;
    case 2:
        return look.buttonPressed;
    default:
        return look.buttonFace;
    }
}

// Scroll arrows follow the button states in the gel looks and their own face elsewhere.
QColor ScrollFace(const Look& look, int state) {
    if (look.buttonGloss) {
        return StateFace(look, state);
    }
    switch (state) {
    case 1:
        return Mix(look.scrollFace, White, 0.45);
    case 2:
        return look.scrollFace.darker(115);
    default:
        return look.scrollFace;
    }
}

QColor ArrowColour(const Look& look) {
    return Mix(look.buttonOutline, Black, 0.45);
}

enum class Direction { Up, Down, Left, Right };

// A filled triangle pointing in the given direction, centred on the given point.
void DrawArrow(QPainter& painter, QPointF centre, qreal size, Direction direction,
               const QColor& colour) {
    const qreal half = size / 2;
    const qreal depth = size * 0.55;
    QPolygonF triangle;
    switch (direction) {
    case Direction::Up:
        triangle << QPointF(centre.x() - half, centre.y() + depth / 2)
                 << QPointF(centre.x() + half, centre.y() + depth / 2)
                 << QPointF(centre.x(), centre.y() - depth / 2);
        break;
    case Direction::Down:
        triangle << QPointF(centre.x() - half, centre.y() - depth / 2)
                 << QPointF(centre.x() + half, centre.y() - depth / 2)
                 << QPointF(centre.x(), centre.y() + depth / 2);
        break;
    case Direction::Left:
        triangle << QPointF(centre.x() + depth / 2, centre.y() - half)
                 << QPointF(centre.x() + depth / 2, centre.y() + half)
                 << QPointF(centre.x() - depth / 2, centre.y());
        break;
    case Direction::Right:
        triangle << QPointF(centre.x() - depth / 2, centre.y() - half)
                 << QPointF(centre.x() - depth / 2, centre.y() + half)
                 << QPointF(centre.x() + depth / 2, centre.y());
        break;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(triangle);
}

void DrawCheckMark(QPainter& painter, const QRectF& box, const QColor& colour, qreal width) {
    QPainterPath mark;
    mark.moveTo(box.left() + box.width() * 0.2, box.top() + box.height() * 0.52);
    mark.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.76);
    mark.lineTo(box.left() + box.width() * 0.82, box.top() + box.height() * 0.22);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mark);
}

// The glyph of a title button inside box, in strokes of the given width.
void DrawTitleGlyph(QPainter& painter, TitleGlyph glyph, const QRectF& box, const QColor& colour,
                    qreal width, bool onSphere) {
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QPointF centre = box.center();
    switch (glyph) {
    case TitleGlyph::Close:
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
        break;
    case TitleGlyph::Minimize:
        if (onSphere) {
            painter.drawLine(QPointF(box.left(), centre.y()), QPointF(box.right(), centre.y()));
        } else {
            pen.setCapStyle(Qt::SquareCap);
            painter.setPen(pen);
            painter.drawLine(QPointF(box.left(), box.bottom()),
                             QPointF(box.left() + box.width() * 0.6, box.bottom()));
        }
        break;
    case TitleGlyph::Maximize:
        if (onSphere) {
            painter.drawLine(QPointF(box.left(), centre.y()), QPointF(box.right(), centre.y()));
            painter.drawLine(QPointF(centre.x(), box.top()), QPointF(centre.x(), box.bottom()));
        } else {
            painter.drawRect(box);
            painter.drawLine(QPointF(box.left(), box.top() + width / 2),
                             QPointF(box.right(), box.top() + width / 2));
        }
        break;
    case TitleGlyph::Restore: {
        const qreal side = box.width() * 0.68;
        const qreal thin = std::max(1.0, width * 0.6);
        painter.setPen(QPen(colour, thin));
        painter.drawRect(QRectF(box.right() - side, box.top(), side, side));
        painter.setPen(QPen(colour, width));
        painter.drawRect(QRectF(box.left(), box.bottom() - side, side, side));
        break;
    }
    case TitleGlyph::Help: {
        QPainterPath hook;
        const qreal radius = box.width() * 0.32;
        const QPointF top(centre.x(), box.top() + radius);
        hook.arcMoveTo(QRectF(top.x() - radius, top.y() - radius, 2 * radius, 2 * radius), 160);
        hook.arcTo(QRectF(top.x() - radius, top.y() - radius, 2 * radius, 2 * radius), 160, -230);
        hook.lineTo(centre.x(), box.top() + box.height() * 0.7);
        painter.drawPath(hook);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(centre.x(), box.bottom()), width * 0.65, width * 0.65);
        break;
    }
    case TitleGlyph::ControlBox:
        DrawArrow(painter, centre, box.width(), Direction::Down, colour);
        break;
    }
}

QColor TitleFace(const Look& look, TitleGlyph glyph) {
    switch (glyph) {
    case TitleGlyph::Close:
        return look.titleCloseFace;
    case TitleGlyph::Minimize:
        return look.titleMinimizeFace;
    case TitleGlyph::Maximize:
    case TitleGlyph::Restore:
        return look.titleMaximizeFace;
    default:
        return look.titleButtonFace;
    }
}

void PaintSphereButton(QPainter& painter, const Look& look, const QRectF& frame, TitleGlyph glyph,
                       int state) {
    QColor face = TitleFace(look, glyph);
    face = state == 1 ? face.lighter(112) : state == 2 ? face.darker(125) : face;
    const qreal diameter = frame.width() - 3;
    const QRectF ball(frame.center().x() - diameter / 2, frame.center().y() - diameter / 2,
                      diameter, diameter);
    QRadialGradient body(ball.center().x(), ball.bottom() - diameter * 0.2, diameter * 0.75);
    body.setColorAt(0.0, Mix(face, White, 0.45));
    body.setColorAt(0.6, face);
    body.setColorAt(1.0, face.darker(135));
    painter.setPen(QPen(face.darker(170), 1));
    painter.setBrush(body);
    painter.drawEllipse(ball.adjusted(0.5, 0.5, -0.5, -0.5));
    // The glassy highlight across the upper half.
    const QRectF shine(ball.left() + diameter * 0.2, ball.top() + 1.2, diameter * 0.6,
                       diameter * 0.42);
    QLinearGradient gleam(0, shine.top(), 0, shine.bottom());
    gleam.setColorAt(0.0, QColor(255, 255, 255, 220));
    gleam.setColorAt(1.0, QColor(255, 255, 255, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gleam);
    painter.drawEllipse(shine);

    const bool darkGlyph = look.titleGlyph.lightness() < 128;
    QColor glyphColour = darkGlyph && !look.titleButtonKeyed ? face.darker(320) : look.titleGlyph;
    if (state == 0 && !look.titleButtonKeyed) {
        glyphColour.setAlpha(150);
    }
    const qreal inset = diameter * 0.3;
    DrawTitleGlyph(painter, glyph, ball.adjusted(inset, inset, -inset, -inset), glyphColour,
                   std::max(1.3, diameter / 9), true);
}

void PaintSquareButton(QPainter& painter, const Look& look, const QRectF& frame, TitleGlyph glyph,
                       int state) {
    QColor face = TitleFace(look, glyph);
    face = state == 1 ? face.lighter(118) : state == 2 ? face.darker(130) : face;
    const QRectF body = frame.adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal radius = frame.width() >= 21 ? 3 : 2;
    painter.setPen(QPen(Mix(look.titleGlyph, face, 0.25), 1));
    painter.setBrush(LinearGradient(body.top(), body.bottom(), Mix(face, White, 0.45),
                                    face.darker(state == 2 ? 90 : 112)));
    painter.drawRoundedRect(body, radius, radius);
    const qreal inset = frame.width() * 0.3;
    DrawTitleGlyph(painter, glyph, frame.adjusted(inset, inset, -inset, -inset), look.titleGlyph,
                   frame.width() >= 21 ? 2.0 : 1.6, false);
}

QRectF CentredBox(const QRectF& frame, qreal side) {
    return QRectF(frame.center().x() - side / 2, frame.center().y() - side / 2, side, side);
}

} // namespace

QImage PaintButton(const Look& look) {
    const QSize frame = look.sizes.button;
    return PaintStrip(
        3, frame.width(), frame.height(), look.surface, KeyIf(look.buttonKeyed),
        [&](QPainter& painter, const QRectF& rect, int state) {
            const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
            const QColor outline =
                look.buttonGloss && state > 0 ? look.buttonHotOutline : look.buttonOutline;
            painter.setPen(QPen(outline, 1));
            painter.setBrush(
                FaceBrush(look, StateFace(look, state), body.top(), body.bottom(), state == 2));
            painter.drawPath(RoundedRect(body, look.buttonRadius));
            const QRectF inner = body.adjusted(1, 1, -1, -1);
            const qreal innerRadius = std::max(0.0, look.buttonRadius - 1);
            painter.setBrush(Qt::NoBrush);
            if (!look.buttonGloss && state == 1) {
                painter.setPen(QPen(look.buttonHotOutline, 1.6));
                painter.drawPath(RoundedRect(inner.adjusted(0.3, 0.3, -0.3, -0.3), innerRadius));
            } else if (state != 2) {
                painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
                painter.drawPath(RoundedRect(inner, innerRadius));
            }
        });
}

QImage PaintCheckBox(const Look& look, QSize frame, bool radio) {
    return PaintStrip(
        4, frame.width(), frame.height(), look.surface, std::nullopt,
        [&](QPainter& painter, const QRectF& rect, int index) {
            const bool checked = index % 2 == 0;
            const bool disabled = index >= 2;
            const auto fade = [&](const QColor& colour) {
                return disabled ? Mix(colour, look.surface, DisabledFade) : colour;
            };
            const qreal side = std::min(rect.width(), rect.height()) - (rect.width() > 13 ? 1 : 0);
            const QRectF box = CentredBox(rect, side).adjusted(0.5, 0.5, -0.5, -0.5);
            const bool filled = checked && look.buttonGloss;
            const QColor face = filled ? look.accent : look.boxFace;
            painter.setPen(QPen(fade(filled ? look.accent.darker(150) : look.border), 1));
            if (filled) {
                painter.setBrush(GlossGradient(box.top(), box.bottom(), fade(face)));
            } else {
                painter.setBrush(LinearGradient(box.top(), box.bottom(),
                                                fade(Mix(face, Black, 0.1)), fade(face)));
            }
            if (radio) {
                painter.drawEllipse(box);
            } else {
                painter.drawRoundedRect(box, side / 6, side / 6);
            }
            if (!checked) {
                return;
            }
            if (radio) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(fade(look.mark));
                painter.drawEllipse(box.center(), side * 0.19, side * 0.19);
            } else {
                DrawCheckMark(painter, box.adjusted(1, 1, -1, -1), fade(look.mark),
                              std::max(1.6, side / 6.5));
            }
        });
}

QImage PaintTitleSection(const Look& look, QSize size, TitlePart part) {
    QImage layer = NewLayer(size.width(), size.height());
    QPainter painter;
    BeginPainter(painter, layer);
    const qreal height = size.height();
    const QRectF whole(0, 0, size.width(), height);
    if (look.buttonGloss && !look.titlePinstripes) {
        painter.fillRect(whole,
                         GlossGradient(0, height, Mix(look.titleTop, look.titleBottom, 0.6)));
    } else {
        painter.fillRect(whole, LinearGradient(0, height, look.titleTop, look.titleBottom));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (look.titlePinstripes) {
        for (int row = 2; row < size.height() - 1; row += 2) {
            painter.fillRect(QRect(0, row, size.width(), 1), QColor(0, 0, 0, 12));
        }
    }
    const bool borderOnTop = look.titlePinstripes;
    painter.fillRect(QRect(0, 0, size.width(), 1),
                     borderOnTop ? look.titleLine : Mix(look.titleTop, White, 0.35));
    if (borderOnTop) {
        painter.fillRect(QRect(0, 1, size.width(), 1), QColor(255, 255, 255, 200));
    }
    painter.fillRect(QRect(0, size.height() - 1, size.width(), 1), look.titleLine);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // A soft glow at the left end that has faded out before the stretched middle starts.
    if (part == TitlePart::Left && size.width() > 60) {
        QLinearGradient glow(0, 0, size.width() - 1, 0);
        QColor light = look.titleTop.lighter(170);
        light.setAlpha(55);
        glow.setColorAt(0.0, light);
        light.setAlpha(0);
        glow.setColorAt(0.85, light);
        painter.fillRect(QRectF(0, 1, size.width(), height - 2), glow);
    }
    if (part == TitlePart::Left && !look.titlePinstripes) {
        painter.fillRect(QRectF(0, 1, 1, height - 2), QColor(255, 255, 255, 90));
    }
    if (part == TitlePart::Right && !look.titlePinstripes && size.width() > 1) {
        painter.fillRect(QRectF(size.width() - 1, 1, 1, height - 2), QColor(0, 0, 0, 60));
    }
    painter.end();
    return Flatten(layer, look.titleBottom, std::nullopt);
}

QImage PaintTitleButtons(const Look& look) {
    const int side = look.sizes.titleButton;
    const QImage behind = PaintTitleSection(look, look.sizes.titleClient, TitlePart::Client);
    const QColor under = Mix(look.titleTop, look.titleBottom, 0.5);
    return PaintStrip(18, side, side, under, KeyIf(look.titleButtonKeyed),
                      [&](QPainter& painter, const QRectF& frame, int index) {
                          if (!look.titleButtonKeyed) {
                              painter.drawImage(QRectF(frame), behind,
                                                QRectF(0, look.titleButtonTop, 1, side));
                          }
                          const auto glyph = static_cast<TitleGlyph>(index / 3);
                          if (look.titleButtonShape == TitleButtonShape::Sphere) {
                              PaintSphereButton(painter, look, frame, glyph, index % 3);
                          } else {
                              PaintSquareButton(painter, look, frame, glyph, index % 3);
                          }
                      });
}

QImage PaintGroove(const Look& look) {
    const QSize size = look.sizes.groove;
    const qreal radius = size.height() / 2.0;
    const QColor rim = Mix(look.border, look.surface, 0.2);
    QImage groove = PaintStrip(
        1, size.width(), size.height(), look.surface, KeyColour,
        [&](QPainter& painter, const QRectF& rect, int) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(rim);
            painter.drawPath(RoundedRect(rect, radius));
            painter.setBrush(LinearGradient(0, rect.height(), Mix(rim, look.surface, 0.35),
                                            Mix(look.surface, White, 0.6)));
            painter.drawPath(RoundedRect(rect.adjusted(1, 1, -1, -1), std::max(0.0, radius - 1)));
        });
    // The middle third is stretched and drawn opaque.
    const int third = size.width() / 3;
    ClearKey(groove, QRect(third, 0, third, size.height()), rim);
    return groove;
}

QImage PaintSlider(const Look& look, bool vertical) {
    const QSize size = vertical ? look.sizes.sliderVertical : look.sizes.slider;
    // The horizontal knob is drawn keyed by its corner; the vertical one is drawn opaque.
    return PaintStrip(1, size.width(), size.height(), look.surface, KeyIf(!vertical),
                      [&](QPainter& painter, const QRectF& rect, int) {
                          const qreal length = vertical ? rect.width() : rect.height();
                          const qreal thickness = vertical ? rect.height() : rect.width();
                          const qreal bodyLength = length - thickness / 2 - 0.5;
                          QPainterPath knob;
                          const qreal t0 = 0.5;
                          const qreal t1 = thickness - 0.5;
                          const qreal mid = thickness / 2;
                          auto point = [&](qreal across, qreal along) {
                              return vertical ? QPointF(along, across) : QPointF(across, along);
                          };
                          knob.moveTo(point(t0, 2.5));
                          knob.quadTo(point(t0, 0.5), point(t0 + 2, 0.5));
                          knob.lineTo(point(t1 - 2, 0.5));
                          knob.quadTo(point(t1, 0.5), point(t1, 2.5));
                          knob.lineTo(point(t1, bodyLength));
                          knob.lineTo(point(mid, length - 0.5));
                          knob.lineTo(point(t0, bodyLength));
                          knob.closeSubpath();
                          painter.setPen(QPen(look.buttonOutline, 1));
                          const QColor face = look.buttonGloss ? look.accent : look.scrollFace;
                          painter.setBrush(FaceBrush(look, face, t0, t1, false, vertical));
                          painter.drawPath(knob);
                      });
}

QImage PaintScrollArrows(const Look& look, int frameWidth, int height) {
    return PaintStrip(6, frameWidth, height, look.track, std::nullopt,
                      [&](QPainter& painter, const QRectF& rect, int index) {
                          const int state = index % 3;
                          const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
                          painter.setPen(QPen(Mix(look.buttonOutline, look.track, 0.25), 1));
                          const QColor face = ScrollFace(look, state);
                          painter.setBrush(
                              FaceBrush(look, face, body.left(), body.right(), state == 2, false));
                          painter.drawRoundedRect(body, 1.5, 1.5);
                          const Direction direction = index < 3 ? Direction::Up : Direction::Down;
                          DrawArrow(painter, rect.center(), std::round(frameWidth * 0.5), direction,
                                    ArrowColour(look));
                      });
}

QImage PaintScrollThumb(const Look& look) {
    const QSize size = look.sizes.scrollThumb;
    const int third = size.width() / 3;
    QImage thumb = PaintStrip(
        1, size.width(), size.height(), look.track, std::nullopt,
        [&](QPainter& painter, const QRectF& rect, int) {
            const QRectF body = rect.adjusted(0.5, 1.5, -0.5, -1.5);
            const qreal radius = look.buttonGloss ? std::min<qreal>(third, body.height() / 2) : 2;
            const QColor face = look.buttonGloss ? look.accent : look.scrollFace;
            painter.setPen(
                QPen(look.buttonGloss ? look.accent.darker(150) : look.buttonOutline, 1));
            painter.setBrush(FaceBrush(look, face, body.top(), body.bottom(), false));
            painter.drawPath(RoundedRect(body, radius));
        });
    return thumb;
}

QImage PaintTabScrollButtons(const Look& look) {
    const QSize frame = look.sizes.tabScroll;
    return PaintStrip(4, frame.width(), frame.height(), look.surface, KeyColour,
                      [&](QPainter& painter, const QRectF& rect, int index) {
                          const bool hot = index % 2 == 1;
                          const QRectF body =
                              CentredBox(rect, std::min(rect.width(), rect.height()) - 2)
                                  .adjusted(0.5, 0.5, -0.5, -0.5);
                          painter.setPen(QPen(hot ? look.buttonHotOutline : look.buttonOutline, 1));
                          painter.setBrush(FaceBrush(look, hot ? look.buttonHot : look.buttonFace,
                                                     body.top(), body.bottom(), false));
                          painter.drawRoundedRect(body, 3, 3);
                          const Direction direction =
                              index < 2 ? Direction::Right : Direction::Left;
                          DrawArrow(painter, body.center(), std::round(body.height() * 0.5),
                                    direction, ArrowColour(look));
                      });
}

QImage PaintTabs(const Look& look) {
    const QSize frame = look.sizes.tab;
    const int cap = frame.width() / 3;
    const qreal radius = std::min<qreal>(cap, 5);
    const QColor outline = Mix(look.border, look.surface, 0.2);
    QImage tabs = PaintStrip(
        2, frame.width(), frame.height(), look.surface, KeyColour,
        [&](QPainter& painter, const QRectF& rect, int index) {
            const bool active = index == 0;
            const QColor top = active ? look.tabActive : Mix(look.tabInactive, White, 0.55);
            const QColor bottom = active ? look.tabLine : look.tabInactive;
            const QRectF shape(rect.left(), rect.top(), rect.width(), rect.height() + 1);
            painter.setPen(Qt::NoPen);
            painter.setBrush(outline);
            painter.drawPath(TopRoundedRect(shape, radius));
            painter.setBrush(LinearGradient(1, rect.height(), top, bottom));
            painter.drawPath(
                TopRoundedRect(shape.adjusted(1, 1, -1, 0), std::max(0.0, radius - 1)));
            if (active) {
                const qreal stripe = rect.height() > 20 ? 2.5 : 2;
                painter.setBrush(
                    LinearGradient(1, 1 + stripe, look.tabMark.lighter(125), look.tabMark));
                painter.setClipPath(
                    TopRoundedRect(shape.adjusted(1, 1, -1, 0), std::max(0.0, radius - 1)));
                painter.drawRect(QRectF(0, 0, rect.width(), 1 + stripe));
                painter.setClipping(false);
            }
        });
    // The middle of each tab is stretched and drawn opaque.
    for (int index = 0; index < 2; ++index) {
        ClearKey(tabs, QRect(index * frame.width() + cap, 0, cap, frame.height()), outline);
    }
    return tabs;
}

QImage PaintTabLine(const Look& look) {
    const QSize size = look.sizes.tabLine;
    QImage line(size, QImage::Format_RGB32);
    line.fill(look.tabLine);
    QPainter painter(&line);
    painter.fillRect(QRect(0, 0, size.width(), 1), Mix(look.border, look.surface, 0.2));
    if (size.height() > 2) {
        painter.fillRect(QRect(0, 1, size.width(), 1), Mix(look.tabLine, White, 0.5));
    }
    return line;
}

QImage PaintProgress(const Look& look) {
    const QSize size = look.sizes.progress;
    return PaintStrip(
        1, size.width(), size.height(), look.surface, std::nullopt,
        [&](QPainter& painter, const QRectF& rect, int) {
            painter.fillRect(rect, GlossGradient(0, rect.height(), look.accent));
            if (rect.width() >= 10) {
                // Diagonal bands that repeat seamlessly across the tile.
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(255, 255, 255, 70));
                const qreal band = rect.width() / 2;
                for (qreal x = -rect.width(); x < 2 * rect.width(); x += rect.width()) {
                    QPolygonF stripe;
                    stripe << QPointF(x, rect.height()) << QPointF(x + band, rect.height())
                           << QPointF(x + band + rect.height(), 0) << QPointF(x + rect.height(), 0);
                    painter.drawPolygon(stripe);
                }
            } else if (rect.width() > 2) {
                painter.fillRect(QRectF(rect.width() - 2, 0, 2, rect.height()), look.surface);
            }
        });
}

QImage PaintSideHandle(const Look& look) {
    const QSize size = look.sizes.sideHandle;
    return PaintStrip(
        1, size.width(), size.height(), look.surface, std::nullopt,
        [&](QPainter& painter, const QRectF& rect, int) {
            const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
            painter.setPen(QPen(look.buttonOutline, 1));
            painter.setBrush(
                FaceBrush(look, look.buttonFace, body.left(), body.right(), false, false));
            painter.drawRoundedRect(body, 2, 2);
            painter.setPen(Qt::NoPen);
            painter.setBrush(ArrowColour(look));
            for (int dot = -2; dot <= 2; ++dot) {
                painter.drawEllipse(QPointF(rect.center().x(), rect.center().y() + dot * 4), 1, 1);
            }
        });
}

QImage PaintSideBar(const Look& look) {
    const QSize size = look.sizes.sideBar;
    return PaintStrip(1, size.width(), size.height(), look.surface, std::nullopt,
                      [&](QPainter& painter, const QRectF& rect, int) {
                          painter.fillRect(
                              rect, FaceBrush(look, look.buttonFace, 0, rect.height(), false));
                      });
}

QImage PaintMenuBar() {
    // Pinstriped rows for the bar and the items, with a shadow line that only the bar shows.
    QImage bar(1, 22, QImage::Format_RGB32);
    for (int row = 0; row < 20; ++row) {
        bar.setPixel(0, row, row % 2 == 0 ? qRgb(0xF7, 0xF7, 0xF7) : qRgb(0xEE, 0xEE, 0xEE));
    }
    bar.setPixel(0, 20, qRgb(0xD4, 0xD4, 0xD4));
    bar.setPixel(0, 21, qRgb(0xA8, 0xA8, 0xA8));
    return bar;
}

QImage PaintMenuSelect() {
    return PaintStrip(1, 1, 21, White, std::nullopt, [](QPainter& painter, const QRectF&, int) {
        painter.fillRect(QRectF(0, 0, 1, 20),
                         LinearGradient(0, 20, QColor(0x6C, 0x9F, 0xEA), QColor(0x2E, 0x66, 0xCF)));
        painter.fillRect(QRectF(0, 0, 1, 1), QColor(0x8A, 0xB4, 0xF0));
        painter.fillRect(QRectF(0, 20, 1, 1), QColor(0x24, 0x52, 0xA8));
    });
}

QImage PaintMenuChecked() {
    return PaintStrip(
        1, 16, 16, White, WhiteKeyColour, [](QPainter& painter, const QRectF& rect, int) {
            DrawCheckMark(painter, rect.adjusted(2, 2, -2, -2), QColor(0x1E, 0x1E, 0x1E), 2.4);
        });
}

QImage PaintFormBackground(const std::array<QRgb, 4>& rows) {
    QImage tile(8, 8, QImage::Format_RGB32);
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            tile.setPixel(column, row, rows[row % 4]);
        }
    }
    return tile;
}

std::vector<NamedPicture> PaintAllPictures() {
    std::vector<NamedPicture> pictures;
    for (const Look& look : Looks()) {
        const QString group = QLatin1String(look.name);
        const auto add = [&](const char* part, QImage image) {
            pictures.push_back({Name(look, part), group, std::move(image)});
        };
        const PictureSizes& sizes = look.sizes;
        add("BUTTON", PaintButton(look));
        add("CHECKBOX", PaintCheckBox(look, sizes.checkBox, false));
        add("RADIOBUTTON", PaintCheckBox(look, sizes.radioButton, true));
        add("TITLEBTN", PaintTitleButtons(look));
        add("TITLE_LEFT", PaintTitleSection(look, sizes.titleLeft, TitlePart::Left));
        add("TITLE_CLIENT", PaintTitleSection(look, sizes.titleClient, TitlePart::Client));
        add("TITLE_RIGHT", PaintTitleSection(look, sizes.titleRight, TitlePart::Right));
        add("PROGRESSBAR", PaintProgress(look));
        add("TRACKBAR_BAR", PaintGroove(look));
        add("TRACKBAR_SLIDER", PaintSlider(look, false));
        add("TRACKBAR_SLIDER_V", PaintSlider(look, true));
        add("SCROLLBAR_BUTTON",
            PaintScrollArrows(look, sizes.scrollArrows.width(), sizes.scrollArrows.height()));
        add("SCROLLBAR_TRACK", PaintScrollThumb(look));
        add("CHECKLIST", PaintCheckBox(look, sizes.checkList, false));
        add("TAB", PaintTabs(look));
        add("TAB_LINE", PaintTabLine(look));
        add("SIDECHENNEL_HANDLE", PaintSideHandle(look));
        add("SIDECHENNEL_BAR", PaintSideBar(look));
    }
    const Look& macOS = Looks()[0];
    const Look& winXP = Looks()[1];
    const Look& protein = Looks()[3];
    pictures.push_back({QStringLiteral("MACOS_SCROLLBUTTON"), QLatin1String(macOS.name),
                        PaintTabScrollButtons(macOS)});
    pictures.push_back({QStringLiteral("WINXP_SCROLLBUTTON"), QLatin1String(winXP.name),
                        PaintTabScrollButtons(winXP)});
    const QString shared = QStringLiteral("Shared");
    pictures.push_back(
        {QStringLiteral("MORE_SCROLLBUTTON"), shared, PaintTabScrollButtons(protein)});
    pictures.push_back({QStringLiteral("MACOS_MENU_BAR"), shared, PaintMenuBar()});
    pictures.push_back({QStringLiteral("MACOS_MENU_SELECT"), shared, PaintMenuSelect()});
    pictures.push_back({QStringLiteral("MENU_CHECKED"), shared, PaintMenuChecked()});
    pictures.push_back({QStringLiteral("MACOS_FORM_BACKGROUND"), shared,
                        PaintFormBackground({0xFFFFFFFF, 0xFFEFEFEF, 0xFFE8E8E8, 0xFFEFEFEF})});
    pictures.push_back({QStringLiteral("PROTEIN_FORM_BACKGROUND"), shared,
                        PaintFormBackground({0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFEEEEEE})});
    return pictures;
}

} // namespace themepaint

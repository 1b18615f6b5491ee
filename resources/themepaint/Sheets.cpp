#include "resources/themepaint/Sheets.h"

#include "resources/themepaint/Canvas.h"
#include "resources/themepaint/Looks.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <map>

namespace themepaint {

namespace {

constexpr int SheetWidth = 1800;
constexpr int CellGap = 16;
constexpr int LabelHeight = 16;
constexpr int GroupHeading = 28;

// Shows key pixels as holes, the way the controls will draw them.
QImage WithHoles(const QImage& picture, QRgb key) {
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) {
                line[x] = 0;
            }
        }
    }
    return result;
}

QRgb DisplayKey(const NamedPicture& picture) {
    return picture.name == QLatin1String("MENU_CHECKED") ? WhiteKeyColour : KeyColour;
}

int ScaleFor(const QImage& image) {
    if (image.height() >= 128) {
        return 1;
    }
    if (image.width() * 4 <= 360 && image.height() * 4 <= 360) {
        return 4;
    }
    return image.width() * 3 <= 900 ? 3 : 2;
}

void FillChecker(QPainter& painter, const QRect& area) {
    constexpr int Square = 6;
    for (int y = area.top(); y <= area.bottom(); y += Square) {
        for (int x = area.left(); x <= area.right(); x += Square) {
            const bool dark = ((x - area.left()) / Square + (y - area.top()) / Square) % 2 == 1;
            painter.fillRect(QRect(x, y, Square, Square).intersected(area),
                             dark ? QColor(0xC8, 0xC8, 0xC8) : QColor(0xDC, 0xDC, 0xDC));
        }
    }
}

const QImage& Find(const std::vector<NamedPicture>& pictures, const QString& name) {
    static const QImage none;
    for (const NamedPicture& picture : pictures) {
        if (picture.name == name) {
            return picture.image;
        }
    }
    return none;
}

QImage Frame(const QImage& strip, int count, int index) {
    const int width = strip.width() / count;
    return strip.copy(width * index, 0, width, strip.height());
}

QRect Edges(int left, int top, int right, int bottom) {
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

// The push button's nine-grid: fixed corners, stretched edges and centre.
void DrawNineGrid(QPainter& painter, const QImage& picture, const QRect& target,
                  bool keyedCorners) {
    const QImage keyed = WithHoles(picture, KeyColour);
    const QImage& cornerSource = keyedCorners ? keyed : picture;
    const int w = picture.width();
    const int h = picture.height();
    const int w2 = w / 2;
    const int h2 = h / 2;
    const int xr = w - w2 + 1;
    const int yb = h - h2 + 1;
    const int dw = target.width();
    const int dh = target.height();
    const int cornerRight = std::min(w - xr, dw / 2);
    const int cornerBottom = std::min(h - yb, dh / 2);
    painter.save();
    painter.translate(target.topLeft());
    const auto corner = [&](QRect source, QPoint at) {
        painter.drawImage(at, cornerSource, source);
    };
    corner(QRect(0, 0, w2, h2), {0, 0});
    corner(QRect(0, yb, w2, cornerBottom), {0, dh - cornerBottom});
    corner(QRect(xr, 0, cornerRight, h2), {dw - cornerRight, 0});
    corner(QRect(xr, yb, cornerRight, cornerBottom), {dw - cornerRight, dh - cornerBottom});
    const auto stretch = [&](QRect source, QRect to) {
        if (!to.isEmpty() && !source.isEmpty()) {
            painter.drawImage(to, keyed, source);
        }
    };
    stretch(Edges(0, h2, w2, h - h2), Edges(0, h2, w2, dh - cornerBottom));
    stretch(Edges(xr, h - h2, w, h2 + 2), Edges(dw - cornerRight, h2, dw, dh - cornerBottom));
    stretch(Edges(w2, 0, xr, h2), Edges(w2, 0, dw - cornerRight, h2));
    stretch(Edges(w2, h2, xr, h - h2), Edges(w2, h2, dw - cornerRight, dh - cornerBottom - 1));
    stretch(Edges(w2, h - h2, xr, h), Edges(w2 - 1, dh - cornerBottom - 1, dw - cornerRight, dh));
    painter.restore();
}

// Ends unscaled with the key, the middle stretched opaque.
void DrawThreePart(QPainter& painter, const QImage& strip, const QRect& target) {
    const int third = strip.width() / 3;
    const QImage keyed = WithHoles(strip, KeyColour);
    painter.drawImage(target.topLeft(), keyed, QRect(0, 0, third, strip.height()));
    painter.drawImage(QPoint(target.right() + 1 - third, target.top()), keyed,
                      QRect(2 * third, 0, third, strip.height()));
    painter.drawImage(
        Edges(target.left() + third, target.top(), target.right() + 1 - third, target.bottom() + 1),
        strip, QRect(third, 0, third, strip.height()));
}

QImage RotateRight(const QImage& image) {
    return image.transformed(QTransform().rotate(90));
}

void DrawSample(QPainter& painter, const Look& look, const std::vector<NamedPicture>& pictures,
                QPoint origin) {
    const auto picture = [&](const char* part) {
        return Find(pictures,
                    QStringLiteral("%1_%2").arg(QLatin1String(look.prefix), QLatin1String(part)));
    };
    constexpr int BarWidth = 507;
    constexpr int BodyHeight = 150;
    const QImage left = picture("TITLE_LEFT");
    const QImage client = picture("TITLE_CLIENT");
    const QImage right = picture("TITLE_RIGHT");
    const int titleHeight = left.height();
    painter.save();
    painter.translate(origin);

    // Body first, so the title bar sits on top of it.
    const QRect body(0, titleHeight, BarWidth, BodyHeight);
    const QString tileName = look.prefix == QLatin1String("MACOS")     ? "MACOS_FORM_BACKGROUND"
                             : look.prefix == QLatin1String("PROTEIN") ? "PROTEIN_FORM_BACKGROUND"
                                                                       : "";
    const QImage tile = Find(pictures, tileName);
    if (!tile.isNull()) {
        painter.fillRect(body, QBrush(tile));
    } else {
        painter.fillRect(body, look.surface);
    }
    painter.fillRect(QRect(0, 0, 1, titleHeight + BodyHeight), look.border);
    painter.fillRect(QRect(BarWidth - 1, 0, 1, titleHeight + BodyHeight), look.border);
    painter.fillRect(QRect(0, titleHeight + BodyHeight - 1, BarWidth, 1), look.border);

    painter.drawImage(0, 0, left);
    painter.drawImage(BarWidth - right.width(), 0, right);
    painter.drawImage(Edges(left.width(), 0, BarWidth - right.width(), titleHeight), client);
    const QImage glyphs = picture("TITLEBTN");
    const int side = glyphs.height();
    const QColor caption = look.titleBottom.lightness() < 150 ? Qt::white : Qt::black;
    painter.setPen(caption);
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 3, 300, titleHeight - 3), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Sumwarden"));
    int x = BarWidth - 3;
    // Close, maximize and minimize from the right, in their normal state.
    for (const int first : {15, 6, 12}) {
        x -= side + 1;
        const QImage frame = Frame(glyphs, 18, first);
        painter.drawImage(x, look.titleButtonTop,
                          look.titleButtonKeyed ? WithHoles(frame, KeyColour) : frame);
    }
    font.setBold(false);
    painter.setFont(font);

    // Push buttons in their three states, stretched to 97 x 27.
    const QImage button = picture("BUTTON");
    painter.setPen(Qt::black);
    for (int state = 0; state < 3; ++state) {
        const QRect target(12 + state * 107, titleHeight + 14, 97, 27);
        DrawNineGrid(painter, Frame(button, 3, state), target, look.buttonKeyed);
        painter.drawText(target, Qt::AlignCenter, QStringLiteral("Make check file"));
    }

    // Check boxes and radio buttons.
    const QImage checks = picture("CHECKBOX");
    const QImage radios = picture("RADIOBUTTON");
    int y = titleHeight + 52;
    for (int index = 0; index < 2; ++index) {
        const QImage box = Frame(checks, 4, index);
        painter.drawImage(12, y, box);
        painter.drawText(QRect(12 + box.width() + 4, y, 150, box.height()), Qt::AlignVCenter,
                         index == 0 ? QStringLiteral("Include sub folders")
                                    : QStringLiteral("Unchecked"));
        const QImage dot = Frame(radios, 4, index);
        painter.drawImage(180, y, dot);
        painter.drawText(QRect(180 + dot.width() + 4, y, 100, dot.height()), Qt::AlignVCenter,
                         index == 0 ? QStringLiteral("Chosen") : QStringLiteral("Other"));
        y += box.height() + 6;
    }

    // A tab strip: the line, then three tabs with the first one active.
    const QImage tabs = picture("TAB");
    const QImage line = picture("TAB_LINE");
    const int tabHeight = tabs.height();
    const QRect strip(12, titleHeight + 100, 330, tabHeight + line.height());
    painter.fillRect(Edges(strip.left(), strip.top() + strip.height(), strip.right() + 1,
                           titleHeight + BodyHeight - 8),
                     look.tabLine);
    painter.drawImage(Edges(strip.left() + 1, strip.top() + tabHeight, strip.right(),
                            strip.top() + tabHeight + line.height()),
                      line);
    const QFontMetrics metrics(font);
    int tabX = strip.left();
    const QStringList captions{"Make file MD5", "Make check file", "Verify check file"};
    for (int index = 0; index < captions.size(); ++index) {
        const int width = metrics.horizontalAdvance(captions[index]) + 20;
        const bool active = index == 0;
        const QRect rect(tabX, strip.top() + (active ? 1 : 0), width, tabHeight);
        DrawThreePart(painter, Frame(tabs, 2, active ? 0 : 1), rect);
        painter.drawText(rect, Qt::AlignCenter, captions[index]);
        tabX += width;
    }

    // A vertical scroll bar and a horizontal track bar.
    const QImage arrows = picture("SCROLLBAR_BUTTON");
    const QImage thumb = picture("SCROLLBAR_TRACK");
    const int barX = BarWidth - 40;
    const int barTop = titleHeight + 10;
    const int barLength = 120;
    const int arrowHeight = arrows.height();
    painter.fillRect(QRect(barX, barTop, arrows.width() / 6, barLength), look.track);
    painter.drawImage(barX, barTop, Frame(arrows, 6, 0));
    painter.drawImage(barX, barTop + barLength - arrowHeight, Frame(arrows, 6, 3));
    const QImage start = RotateRight(Frame(thumb, 3, 0));
    const QImage middle = RotateRight(Frame(thumb, 3, 1));
    const QImage end = RotateRight(Frame(thumb, 3, 2));
    const int thumbTop = barTop + arrowHeight + 10;
    const int thumbLength = 40;
    painter.drawImage(barX, thumbTop, start);
    painter.drawImage(QRect(barX, thumbTop + start.height(), middle.width(),
                            thumbLength - start.height() - end.height()),
                      middle);
    painter.drawImage(barX, thumbTop + thumbLength - end.height(), end);

    const QImage groove = picture("TRACKBAR_BAR");
    const QImage slider = picture("TRACKBAR_SLIDER");
    const int trackY = titleHeight + 70;
    DrawThreePart(
        painter, groove,
        QRect(330, trackY + (slider.height() - groove.height()) / 2, 110, groove.height()));
    painter.drawImage(370, trackY, WithHoles(slider, slider.pixel(0, slider.height() - 1)));
    painter.restore();
}

} // namespace

QImage PaintContactSheet(const std::vector<NamedPicture>& pictures) {
    std::vector<QString> groups;
    for (const NamedPicture& picture : pictures) {
        if (std::find(groups.begin(), groups.end(), picture.group) == groups.end()) {
            groups.push_back(picture.group);
        }
    }
    // Lay the cells out first, to know the sheet's height.
    struct Cell {
        const NamedPicture* picture;
        QRect box;
    };
    std::vector<Cell> cells;
    std::vector<std::pair<QString, int>> headings;
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    const QFontMetrics labels(font);
    int y = CellGap;
    for (const QString& group : groups) {
        headings.emplace_back(group, y);
        y += GroupHeading;
        int x = CellGap;
        int rowHeight = 0;
        for (const NamedPicture& picture : pictures) {
            if (picture.group != group) {
                continue;
            }
            const int scale = ScaleFor(picture.image);
            const QSize size = picture.image.size() * scale;
            const QString label = QStringLiteral("%1  %2x%3")
                                      .arg(picture.name)
                                      .arg(picture.image.width())
                                      .arg(picture.image.height());
            const int cellWidth = std::max(size.width(), labels.horizontalAdvance(label) + 4);
            if (x + cellWidth > SheetWidth - CellGap && x > CellGap) {
                x = CellGap;
                y += rowHeight + CellGap;
                rowHeight = 0;
            }
            cells.push_back({&picture, QRect(QPoint(x, y), size)});
            x += cellWidth + CellGap;
            rowHeight = std::max(rowHeight, size.height() + LabelHeight);
        }
        y += rowHeight + 2 * CellGap;
    }

    QImage sheet(SheetWidth, y, QImage::Format_RGB32);
    sheet.fill(QColor(0x9A, 0x9A, 0x9A));
    QPainter painter(&sheet);
    painter.setFont(font);
    for (const auto& [group, top] : headings) {
        QFont heading = font;
        heading.setPixelSize(16);
        heading.setBold(true);
        painter.setFont(heading);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(CellGap, top + 18), group);
        painter.setFont(font);
    }
    for (const Cell& cell : cells) {
        FillChecker(painter, cell.box);
        painter.drawImage(cell.box, WithHoles(cell.picture->image, DisplayKey(*cell.picture)));
        painter.setPen(Qt::black);
        const QImage& image = cell.picture->image;
        painter.drawText(QPoint(cell.box.left(), cell.box.bottom() + 13),
                         QStringLiteral("%1  %2x%3")
                             .arg(cell.picture->name)
                             .arg(image.width())
                             .arg(image.height()));
    }
    return sheet;
}

QImage PaintPreview(const std::vector<NamedPicture>& pictures) {
    constexpr int Gap = 20;
    constexpr int SampleHeight = 200;
    QImage preview(507 + 2 * Gap, static_cast<int>(Looks().size()) * (SampleHeight + Gap) + Gap,
                   QImage::Format_RGB32);
    preview.fill(QColor(0x70, 0x70, 0x70));
    QPainter painter(&preview);
    int y = Gap;
    for (const Look& look : Looks()) {
        DrawSample(painter, look, pictures, QPoint(Gap, y));
        y += SampleHeight + Gap;
    }
    return preview;
}

} // namespace themepaint

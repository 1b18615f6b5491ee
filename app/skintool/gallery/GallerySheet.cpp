#include "app/skintool/gallery/GallerySheet.h"

#include "framework/forms/Form.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Fonts.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace {

constexpr int ActivationWaitMs = 2000;
constexpr int CellGap = 8;
constexpr int Margin = 10;
constexpr int LabelPixels = 11;
constexpr int TitlePixels = 13;
constexpr QRgb SheetColour = 0xFFFFFFFF;
constexpr QRgb CellColour = 0xFFECE9D8;
constexpr QRgb TextColour = 0xFF202020;

QFont LabelFont(int pixels, bool bold) {
    QFont font(Fonts::UIFamily());
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

std::unique_ptr<TForm> MakeGalleryHost() {
    auto form = std::make_unique<TForm>(nullptr);
    // Away from the pointer, which offscreen rests at the screen's origin.
    form->SetBounds(400, 300, 640, 480);
    form->Show();
    form->Handle()->activateWindow();
    // The window becomes active (and can hold the focus) once its events are handled.
    QDeadlineTimer deadline(ActivationWaitMs);
    while (!form->Handle()->isActiveWindow() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return form;
}

QImage GrabControl(TControl* control) {
    return control->Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage LayOutSection(const QString& title, const QStringList& columns,
                     const QList<TGalleryRow>& rows) {
    const QFontMetrics labelMetrics(LabelFont(LabelPixels, false));
    const QFontMetrics titleMetrics(LabelFont(TitlePixels, true));
    int labelWidth = 0;
    for (const TGalleryRow& row : rows) {
        labelWidth = std::max(labelWidth, labelMetrics.horizontalAdvance(row.Label));
    }
    QList<int> widths(columns.size(), 0);
    for (int c = 0; c < columns.size(); ++c) {
        widths[c] = labelMetrics.horizontalAdvance(columns[c]);
    }
    QList<int> heights;
    for (const TGalleryRow& row : rows) {
        int height = labelMetrics.height();
        for (int c = 0; c < row.Cells.size() && c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], row.Cells[c].width());
            height = std::max(height, row.Cells[c].height());
        }
        heights.append(height);
    }
    const int titleHeight = titleMetrics.height() + CellGap;
    const int headerHeight = labelMetrics.height() + CellGap / 2;
    int width = Margin * 2 + labelWidth;
    for (int w : widths) {
        width += CellGap + w;
    }
    int height = Margin * 2 + titleHeight + headerHeight;
    for (int h : heights) {
        height += h + CellGap;
    }
    QImage sheet(std::max(width, titleMetrics.horizontalAdvance(title) + 2 * Margin), height,
                 QImage::Format_RGB32);
    sheet.fill(SheetColour);
    QPainter painter(&sheet);
    painter.setPen(QColor::fromRgb(TextColour));
    painter.setFont(LabelFont(TitlePixels, true));
    painter.drawText(Margin, Margin + titleMetrics.ascent(), title);
    painter.setFont(LabelFont(LabelPixels, false));
    int x = Margin + labelWidth;
    const int headerTop = Margin + titleHeight;
    for (int c = 0; c < columns.size(); ++c) {
        x += CellGap;
        painter.drawText(x, headerTop + labelMetrics.ascent(), columns[c]);
        x += widths[c];
    }
    int y = headerTop + headerHeight;
    for (int r = 0; r < rows.size(); ++r) {
        painter.drawText(Margin, y + (heights[r] + labelMetrics.ascent()) / 2, rows[r].Label);
        x = Margin + labelWidth;
        for (int c = 0; c < widths.size(); ++c) {
            x += CellGap;
            const QImage cell = c < rows[r].Cells.size() ? rows[r].Cells[c] : QImage();
            painter.fillRect(QRect(x - 2, y - 2, widths[c] + 4, heights[r] + 4),
                             QColor::fromRgb(CellColour));
            if (!cell.isNull()) {
                painter.drawImage(x, y, cell);
            }
            x += widths[c];
        }
        y += heights[r] + CellGap;
    }
    return sheet;
}

QImage StackSections(const QList<QImage>& sections) {
    int width = 0;
    int height = 0;
    for (const QImage& section : sections) {
        width = std::max(width, section.width());
        height += section.height();
    }
    QImage sheet(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    sheet.fill(SheetColour);
    QPainter painter(&sheet);
    int y = 0;
    for (const QImage& section : sections) {
        painter.drawImage(0, y, section);
        y += section.height();
    }
    return sheet;
}

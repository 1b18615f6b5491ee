// Every theme picture of every look, painted from the look's palette.
#pragma once

#include "resources/themepaint/Looks.h"

#include <QImage>
#include <QString>
#include <vector>

namespace themepaint {

struct NamedPicture {
    QString name;  // resource name: "MACOS_BUTTON"
    QString group; // the look it belongs to, or "Shared"
    QImage image;  // RGB32
};

// Frames of the title-button strip, three states per glyph, in this order.
enum class TitleGlyph { ControlBox, Help, Maximize, Restore, Minimize, Close };

QImage PaintButton(const Look& look);
QImage PaintCheckBox(const Look& look, QSize frame, bool radio);
QImage PaintTitleButtons(const Look& look);
enum class TitlePart { Left, Client, Right };
QImage PaintTitleSection(const Look& look, QSize size, TitlePart part);
QImage PaintGroove(const Look& look);
QImage PaintSlider(const Look& look, bool vertical);
QImage PaintScrollArrows(const Look& look, int frameWidth, int height);
QImage PaintScrollThumb(const Look& look);
QImage PaintTabScrollButtons(const Look& look);
QImage PaintTabs(const Look& look);
QImage PaintTabLine(const Look& look);
QImage PaintProgress(const Look& look);
QImage PaintSideHandle(const Look& look);
QImage PaintSideBar(const Look& look);
QImage PaintMenuBar();
QImage PaintMenuSelect();
QImage PaintMenuChecked();
QImage PaintFormBackground(const std::array<QRgb, 4>& rows);

// The whole resource set, in a stable order.
std::vector<NamedPicture> PaintAllPictures();

} // namespace themepaint
